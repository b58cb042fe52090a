#include "settings/IniLines.h"

#include <QStringDecoder>

#include <cstring>

namespace tiv {

namespace {

constexpr std::uint64_t HashStart = 14695981039346656037ull;
constexpr std::uint64_t HashPrime = 1099511628211ull;

bool asciiBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool hasHighByte(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return true;
    }
    return false;
}

std::uint64_t hashBytes(QByteArrayView folded)
{
    std::uint64_t hash = HashStart;
    for (const char c : folded)
        hash = (hash ^ uchar(c)) * HashPrime;
    return hash;
}

QByteArrayView trimmedAscii(QByteArrayView bytes)
{
    qsizetype from = 0, to = bytes.size();
    while (from < to && asciiBlank(bytes[from]))
        ++from;
    while (to > from && asciiBlank(bytes[to - 1]))
        --to;
    return bytes.sliced(from, to - from);
}

// Lines with characters beyond ASCII are rare in a settings file; they are read through the
// toolkit's strings so that every kind of blank trims as it always did.
bool slowHeader(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    const qsizetype close = t.indexOf(u']');
    if (!t.startsWith(u'[') || close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

}  // namespace

bool IniLineReader::next(IniLine &line)
{
    if (pos_ >= text_.size())
        return false;
    const char *begin = text_.data() + pos_;
    // The next LF is remembered: in a file of CR line ends it may lie far ahead, and looking for
    // it again on every line would take time in the square of the file's size.
    if (nextLf_ < pos_) {
        const void *lf = std::memchr(begin, '\n', size_t(text_.size() - pos_));
        nextLf_ = lf ? static_cast<const char *>(lf) - text_.data() : text_.size();
    }
    const qsizetype lfAt = nextLf_ - pos_;
    const void *cr = std::memchr(begin, '\r', size_t(lfAt));
    line.start = pos_;
    if (cr) {
        const qsizetype crAt = static_cast<const char *>(cr) - begin;
        line.end = pos_ + crAt;
        line.next = line.end + (crAt + 1 == lfAt && nextLf_ < text_.size() ? 2 : 1);
    } else {
        line.end = nextLf_;
        line.next = nextLf_ < text_.size() ? nextLf_ + 1 : nextLf_;
    }
    pos_ = line.next;
    return true;
}

QString DecodeIniLine(QByteArrayView bytes)
{
    // A byte-order mark inside the file is a character of its line like any other, so it is kept.
    // Making a decoder costs more than decoding a line with it.
    constexpr auto keepMark = QStringConverter::Flag::ConvertInitialBom;
    if (bytes.isValidUtf8()) {
        thread_local QStringDecoder utf8(QStringConverter::Utf8, keepMark);
        utf8.resetState();
        return utf8(bytes);
    }
    thread_local QStringDecoder gb18030("GB18030", keepMark);
    if (!gb18030.isValid())
        return QString::fromLatin1(bytes);
    gb18030.resetState();
    return gb18030(bytes);
}

IniLine IniLineAt(QByteArrayView text, qsizetype start)
{
    IniLine line{start, start, start};
    while (line.end < text.size() && text[line.end] != '\n' && text[line.end] != '\r')
        ++line.end;
    line.next = line.end;
    if (line.next < text.size())
        line.next += text[line.next] == '\r' && line.next + 1 < text.size() && text[line.next + 1] == '\n' ? 2 : 1;
    return line;
}

bool IniSectionHeader(QByteArrayView line, QString *name)
{
    const qsizetype open = line.indexOf('[');
    if (open < 0)
        return false;
    // A GB18030 character may end in the byte of "]", so such lines are read as characters; but
    // only when nothing but blanks come before the "[".
    if (hasHighByte(line)) {
        const QByteArrayView lead = line.first(open);
        if (!trimmedAscii(lead).isEmpty() && DecodeIniLine(lead).trimmed().size() > 0)
            return false;
        return slowHeader(DecodeIniLine(line), name);
    }
    const QByteArrayView t = trimmedAscii(line);
    const qsizetype close = t.indexOf(']');
    if (!t.startsWith('[') || close < 0)
        return false;
    if (name)
        *name = QString::fromLatin1(trimmedAscii(t.sliced(1, close - 1)));
    return true;
}

bool IniKeyLine(QByteArrayView line, std::uint64_t *keyHash, QString *key, QString *value)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    // "=" is never part of a GB18030 character, so the name alone is read as characters.
    const QByteArrayView before = line.first(eq);
    const bool ascii = !hasHighByte(before);
    const QByteArrayView asciiName = trimmedAscii(before);
    const QString name = ascii ? QString() : DecodeIniLine(before).trimmed();
    if ((ascii ? asciiName.isEmpty() || asciiName.front() == ';' : name.isEmpty() || name.startsWith(u';')) ||
        IniSectionHeader(line, nullptr))
        return false;
    if (keyHash && ascii) {
        std::uint64_t hash = HashStart;
        for (const char c : asciiName)
            hash = (hash ^ uchar(c >= 'A' && c <= 'Z' ? c + 32 : c)) * HashPrime;
        *keyHash = hash;
    } else if (keyHash) {
        *keyHash = IniKeyHash(name);
    }
    if (key)
        *key = ascii ? QString::fromLatin1(asciiName) : name;
    if (value)
        *value = DecodeIniLine(line.sliced(eq + 1)).trimmed();
    return true;
}

std::uint64_t IniKeyHash(const QString &key)
{
    return hashBytes(key.toCaseFolded().toUtf8());
}

bool IniBlankOrComment(QByteArrayView line)
{
    qsizetype first = 0;
    while (first < line.size() && asciiBlank(line[first]))
        ++first;
    if (first == line.size())
        return true;
    if (line[first] == ';')
        return true;
    if (uchar(line[first]) < 0x80)
        return false;
    const QString t = DecodeIniLine(line).trimmed();
    return t.isEmpty() || t.startsWith(u';');
}

}  // namespace tiv
