#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace tiv {

// One line of a settings file: its text is [start, end), its line break [end, next).
struct IniLine {
    qsizetype start = 0, end = 0, next = 0;
};

// Steps through UTF-8 text line by line; a line ends at "\r\n", "\n" or a lone "\r".
class IniLineReader {
public:
    explicit IniLineReader(QByteArrayView text, qsizetype from = 0) : text_(text), pos_(from) {}
    bool next(IniLine &line);

private:
    QByteArrayView text_;
    qsizetype pos_;
    qsizetype nextLf_ = -1;
};

// The line that starts at `start`.
IniLine IniLineAt(QByteArrayView text, qsizetype start);

// A line's characters: UTF-8 when it is valid UTF-8, else GB18030, the encoding of files carried
// over from Chinese Windows systems. Decided line by line, because the program writes its own keys
// in UTF-8 into such a file and leaves the other lines' bytes as they are.
QString DecodeIniLine(QByteArrayView bytes);

// The name of a section header ("[name]", trimmed), or false when the line is none.
bool IniSectionHeader(QByteArrayView line, QString *name);

// A key line ("key=value", not a comment): its case-folded key hashed, and the value trimmed when
// asked for. Blanks around names and values are any that the toolkit calls white space.
bool IniKeyLine(QByteArrayView line, std::uint64_t *keyHash, QString *key, QString *value);

// The hash IniKeyLine gives a key, matched without regard to case.
std::uint64_t IniKeyHash(const QString &key);

// Whether the line holds nothing but blanks or is a comment.
bool IniBlankOrComment(QByteArrayView line);

}  // namespace tiv
