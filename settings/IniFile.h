#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tiv {

// A small INI file in the manner of the classic profile functions: section and key names match
// without regard to case, values are read trimmed and at most 2047 characters long, and an update
// rewrites only the line of the key it touches. Every other line, comment and unknown key survives a
// save unchanged and in place. QSettings is not used because it escapes values and reorders keys.
class IniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;

    IniFile() = default;
    // Reads the file when it exists; a missing or unreadable file reads as empty. Nothing is created.
    explicit IniFile(const QString &path);
    // The same over bytes already in memory; `path` is where save() will write.
    static IniFile fromBytes(const QByteArray &data, const QString &path = {});

    // UTF-8 (with or without a byte-order mark); any other text is taken as GB18030, the encoding of
    // files carried over from Chinese Windows systems.
    static QString decodeText(const QByteArray &data);

    QString path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, "$" or "0x" hexadecimal; anything else ("x10" too) gives `def`.
    int readInteger(const QString &section, const QString &key, int def) const;
    // Any integer other than 0 is true; a value that is no integer gives `def`.
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Line breaks in `value` become blanks, so a value can never add lines or keys to the file.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // The whole file as it would be saved.
    QString text() const;
    // Writes the whole file as UTF-8 into a temporary file and renames it over the old one, so a
    // failed or interrupted save leaves the previous file intact. False when nothing was replaced.
    bool save() const;

private:
    qsizetype findSection(const QString &section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(const QString &section, const QString &key) const;
    void setLines(const QString &text);

    QString m_path;
    QStringList m_lines;
    QString m_lineBreak = QStringLiteral("\n");
};

}  // namespace tiv
