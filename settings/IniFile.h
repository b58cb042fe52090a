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
    // Lines are read as UTF-8, or as GB18030 when they are not valid UTF-8; a file that starts with
    // the byte-order mark of UTF-16 is read as UTF-16.
    explicit IniFile(const QString &path);
    // The same over bytes already in memory; `path` is where save() will write.
    static IniFile fromBytes(const QByteArray &data, const QString &path = {});

    QString path() const { return m_path; }
    // The file is there but could not be read (no permission, an error, or text in an encoding
    // it cannot be written back in, such as UTF-32): it reads as empty and save() leaves it alone.
    bool unreadable() const { return m_unreadable; }

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
    // Its characters, whatever the file's encoding.
    QString text() const;
    // Writes the whole file into a temporary file and renames it over the old one, so a failed or
    // interrupted save leaves the previous file intact. The lines not written keep their bytes;
    // those written are in the file's own encoding: UTF-16 in a UTF-16 file (with its mark),
    // GB18030 in a file whose lines that are not UTF-8 are GB18030, else UTF-8. False when nothing
    // was replaced.
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

    void setContent(const QByteArray &data);
    QString valueOf(const IniLine &line) const;
    // The text as it would be saved, before a UTF-16 file's is converted back.
    QByteArray textBytes() const;
    Section &section(const QString &name) const;
    void indexKeys(Section &s) const;
    // The first line of the section that holds `key`; false when there is none.
    bool findKey(Section &s, const QString &key, IniLine *line) const;
    QByteArray lineBreakBefore(qsizetype at) const;
    QByteArray fileLineBreak() const;
    // A line the program writes, in the encoding of the file's other lines.
    QByteArray encodedLine(const QString &line) const;
    // Hands the file as it would be saved to `sink` piece by piece; stops when the sink says false.
    bool writeTo(const std::function<bool(QByteArrayView)> &sink) const;

    enum class Encoding { Utf8, Utf16Le, Utf16Be };
    QString m_path;
    // The text as UTF-8 or in the file's own bytes, without byte-order marks; a UTF-16 file's is
    // converted back when it is saved.
    QByteArray m_text;
    Encoding m_encoding = Encoding::Utf8;
    bool m_unreadable = false;
    // Whether the text's lines that are not UTF-8 are GB18030, found out when first needed: -1 not yet.
    mutable int m_legacyLines = -1;
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
