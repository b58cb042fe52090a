#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace tiv {

struct IniLine;

// A small INI file in the manner of the classic profile functions: section and key names match
// without regard to case, values are read trimmed and at most 2047 characters long, and an update
// rewrites only the line of the key it touches. Every other byte of the file, line ends included,
// survives a save unchanged and in place. QSettings is not used because it escapes values and
// reorders keys.
//
// Time and memory stay in proportion to the file whatever its size: the text is held once, a
// section is found by one pass, and a section's keys are indexed by one pass the first time one
// of them is asked for.
class IniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;

    IniFile() = default;
    // Reads the file when it exists; a missing or unreadable file reads as empty. Nothing is created.
    // Lines are read as UTF-8, or as GB18030 when they are not valid UTF-8.
    explicit IniFile(const QString &path);
    // The same over bytes already in memory; `path` is where save() will write.
    static IniFile fromBytes(const QByteArray &data, const QString &path = {});

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
    QByteArray bytes() const;
    QString text() const { return QString::fromUtf8(bytes()); }
    // Writes the whole file into a temporary file and renames it over the old one, so a failed or
    // interrupted save leaves the previous file intact. Lines written by the program are UTF-8;
    // the others keep their bytes. False when nothing was replaced.
    bool save() const;

private:
    struct KeyEntry {
        std::uint64_t hash;
        qsizetype line;
        bool operator<(const KeyEntry &o) const { return hash != o.hash ? hash < o.hash : line < o.line; }
    };
    struct Section {
        bool found = false;
        bool indexed = false;
        qsizetype bodyStart = 0, bodyEnd = 0;
        // Where a new key goes: after the section's last line that is neither blank nor a comment,
        // so blank lines and comments that lead into the next section stay in front of its header.
        qsizetype insertAt = 0;
        std::vector<KeyEntry> keys;
    };
    // A change to the file: the bytes [at, end) give way to `text`; an insertion has end == at.
    struct Edit {
        qsizetype at, end;
        QByteArray before, line, after;
    };
    // A section the file does not have, added at its end.
    struct NewSection {
        QString name;
        QList<QByteArray> lines;
    };

    Section &section(const QString &name) const;
    void indexKeys(Section &s) const;
    // The first line of the section that holds `key`; false when there is none.
    bool findKey(Section &s, const QString &key, IniLine *line) const;
    QByteArray lineBreakBefore(qsizetype at) const;
    QByteArray fileLineBreak() const;
    // Hands the file as it would be saved to `sink` piece by piece; stops when the sink says false.
    bool writeTo(const std::function<bool(QByteArrayView)> &sink) const;

    QString m_path;
    QByteArray m_text;
    mutable QHash<QString, Section> m_sections;
    // Values written, by case-folded section and key, with the edit or new section that holds them.
    struct Written {
        QString value;
        qsizetype edit = -1;
        qsizetype newSection = -1, newLine = -1;
    };
    QHash<QString, Written> m_written;
    std::vector<Edit> m_edits;
    QList<NewSection> m_newSections;
    mutable QByteArray m_lineBreak;
};

}  // namespace tiv
