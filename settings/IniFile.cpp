#include "settings/IniFile.h"

#include "files/ParseInteger.h"
#include "settings/IniLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <numeric>

namespace tiv {

namespace {

// The bytes of a multi-byte character cut off at the very end, as left by a truncated write.
qsizetype incompleteUtf8Tail(QByteArrayView data)
{
    for (qsizetype back = 1; back <= 3 && back <= data.size(); ++back) {
        const uchar c = uchar(data[data.size() - back]);
        if ((c & 0xC0) == 0x80)
            continue;
        const qsizetype needed = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

// The text as it is read: a UTF-8 file cut inside its last character loses that character, and
// byte-order marks go. Every other byte stays as it is, whatever its encoding, so a file of any
// kind is held once and written back as it was, line ends and all.
QByteArray fileText(const QByteArray &data)
{
    const qsizetype complete = data.size() - incompleteUtf8Tail(data);
    QByteArray text = complete < data.size() && QByteArrayView(data).first(complete).isValidUtf8()
                          ? data.first(complete) : data;
    // Byte-order marks, GB18030's own (84 31 95 33) included, would otherwise hide the first
    // section header. All of them go: the file is saved without one, and a mark left on the first
    // line would make the next read find other sections than this one.
    qsizetype marks = 0;
    for (;;) {
        const QByteArrayView rest = QByteArrayView(text).sliced(marks);
        if (rest.startsWith("\xEF\xBB\xBF"))
            marks += 3;
        else if (rest.startsWith("\x84\x31\x95\x33"))
            marks += 4;
        else
            break;
    }
    return marks ? text.sliced(marks) : text;
}

// Whether the first line that is not UTF-8 reads as GB18030, as in a file from Windows; in a file
// of bytes that are no text it does not, and the program's lines go in UTF-8 as anywhere else.
bool firstForeignLineIsGb18030(QByteArrayView text)
{
    IniLineReader lines(text);
    IniLine line;
    while (lines.next(line)) {
        const QByteArrayView bytes = text.sliced(line.start, line.end - line.start);
        if (!bytes.isValidUtf8())
            return !DecodeIniLine(bytes).contains(QChar::ReplacementCharacter);
    }
    return false;
}

QString withoutLineBreaks(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

QString limited(QString value)
{
    if (value.size() > IniFile::MaxValueLength)
        value.truncate(value[IniFile::MaxValueLength - 1].isHighSurrogate() ? IniFile::MaxValueLength - 1
                                                                            : IniFile::MaxValueLength);
    return value;
}

QString writtenKey(const QString &section, const QString &key)
{
    return section.toCaseFolded() + QChar(0) + key.toCaseFolded();
}

}  // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = file.exists();
        return;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        m_unreadable = true;
    else
        setContent(data);
}

IniFile IniFile::fromBytes(const QByteArray &data, const QString &path)
{
    IniFile ini;
    ini.m_path = path;
    ini.setContent(data);
    return ini;
}

void IniFile::setContent(const QByteArray &data)
{
    // UTF-32 is read by nothing that writes settings files here, and its mark would pass for
    // UTF-16's: such a file is left to whoever wrote it.
    if (data.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) || data.startsWith(QByteArrayView("\0\0\xFE\xFF", 4))) {
        m_unreadable = true;
        return;
    }
    const bool littleEndian = data.startsWith("\xFF\xFE");
    if (!littleEndian && !data.startsWith("\xFE\xFF")) {
        m_text = fileText(data);
        return;
    }
    // UTF-16 is held as UTF-8, which the line functions read, and converted back at the save; only
    // a text that comes back byte for byte is taken, so that a save changes no line it did not write.
    const QStringConverter::Encoding encoding = littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
    const QByteArrayView body = QByteArrayView(data).sliced(2);
    QStringDecoder decode(encoding, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decode(body);
    QStringEncoder encode(encoding, QStringConverter::Flag::ConvertInitialBom);
    m_text = text.toUtf8();
    if (body.size() % 2 != 0 || decode.hasError() || QByteArray(encode(text)) != body || QString::fromUtf8(m_text) != text) {
        m_text.clear();
        m_unreadable = true;
        return;
    }
    m_encoding = littleEndian ? Encoding::Utf16Le : Encoding::Utf16Be;
}

IniFile::Section &IniFile::section(const QString &name) const
{
    const QString folded = name.toCaseFolded();
    const auto cached = m_sections.find(folded);
    if (cached != m_sections.end())
        return *cached;
    Section s;
    IniLineReader lines(m_text);
    IniLine line;
    QString header;
    while (lines.next(line)) {
        const QByteArrayView text = QByteArrayView(m_text).sliced(line.start, line.end - line.start);
        if (!s.found) {
            if (IniSectionHeader(text, &header) && header.compare(name, Qt::CaseInsensitive) == 0) {
                s.found = true;
                s.bodyStart = s.insertAt = s.bodyEnd = line.next;
            }
        } else if (IniSectionHeader(text, nullptr)) {
            break;
        } else {
            s.bodyEnd = line.next;
        }
    }
    return *m_sections.insert(folded, s);
}

void IniFile::indexKeys(Section &s) const
{
    s.indexed = true;
    IniLineReader lines(QByteArrayView(m_text).first(s.bodyEnd), s.bodyStart);
    IniLine line;
    std::uint64_t hash = 0;
    while (lines.next(line)) {
        const QByteArrayView text = QByteArrayView(m_text).sliced(line.start, line.end - line.start);
        if (IniBlankOrComment(text))
            continue;
        s.insertAt = line.next;
        if (IniKeyLine(text, &hash, nullptr, nullptr))
            s.keys.push_back({hash, line.start});
    }
    std::sort(s.keys.begin(), s.keys.end());
}

bool IniFile::findKey(Section &s, const QString &key, IniLine *line) const
{
    if (!s.found)
        return false;
    if (!s.indexed)
        indexKeys(s);
    const std::uint64_t hash = IniKeyHash(key);
    QString name;
    for (auto at = std::lower_bound(s.keys.begin(), s.keys.end(), KeyEntry{hash, 0});
         at != s.keys.end() && at->hash == hash; ++at) {
        *line = IniLineAt(m_text, at->line);
        const QByteArrayView text = QByteArrayView(m_text).sliced(line->start, line->end - line->start);
        if (IniKeyLine(text, nullptr, &name, nullptr) && name.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const auto written = m_written.find(writtenKey(section, key));
    if (written != m_written.end())
        return written->value;
    IniLine line;
    if (!findKey(this->section(section), key, &line))
        return def;
    return valueOf(line);
}

QString IniFile::valueOf(const IniLine &line) const
{
    QString name, value;
    IniKeyLine(QByteArrayView(m_text).sliced(line.start, line.end - line.start), nullptr, &name, &value);
    return limited(value);
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const QString value = readString(section, key, QString());
    // The file takes decimal, "0x" and "$" hexadecimal; the bare "x" that picture numbers allow
    // is no integer here.
    const QString digits = value.startsWith(u'-') || value.startsWith(u'+') ? value.mid(1) : value;
    if (digits.startsWith(u'x', Qt::CaseInsensitive))
        return def;
    const ParsedInteger parsed = ParseInteger(value);
    return parsed.ok ? parsed.value : def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

QByteArray IniFile::lineBreakBefore(qsizetype at) const
{
    if (at <= 0 || at > m_text.size())
        return {};
    if (m_text[at - 1] == '\n')
        return at >= 2 && m_text[at - 2] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    return m_text[at - 1] == '\r' ? QByteArrayLiteral("\r") : QByteArray();
}

// New lines take the line end most of the file's lines have.
QByteArray IniFile::fileLineBreak() const
{
    if (!m_lineBreak.isEmpty())
        return m_lineBreak;
    qsizetype lf = 0, crlf = 0, cr = 0;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == '\n') {
            ++lf;
        } else if (m_text[i] == '\r') {
            const bool pair = i + 1 < m_text.size() && m_text[i + 1] == '\n';
            ++(pair ? crlf : cr);
            i += pair ? 1 : 0;
        }
    }
    m_lineBreak = crlf > lf && crlf >= cr ? QByteArrayLiteral("\r\n")
                  : cr > lf && cr > crlf  ? QByteArrayLiteral("\r")
                                          : QByteArrayLiteral("\n");
    return m_lineBreak;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString clean = withoutLineBreaks(value);
    const QByteArray line = encodedLine(key + u'=' + clean);
    Written &w = m_written[writtenKey(section, key)];
    w.value = limited(clean.trimmed());
    if (w.edit >= 0) {
        m_edits[size_t(w.edit)].line = line;
        return;
    }
    if (w.newSection >= 0) {
        m_newSections[w.newSection].lines[w.newLine] = line;
        return;
    }
    Section &s = this->section(section);
    IniLine found;
    if (findKey(s, key, &found)) {
        // A value that reads the same keeps its line's bytes, its encoding and blanks included.
        if (valueOf(found) == w.value)
            return;
        m_edits.push_back({found.start, found.end, {}, line, {}});
    } else if (s.found) {
        const QByteArray lineBreak = lineBreakBefore(s.insertAt);
        if (lineBreak.isEmpty())
            m_edits.push_back({s.insertAt, s.insertAt, fileLineBreak(), line, {}});
        else
            m_edits.push_back({s.insertAt, s.insertAt, {}, line, lineBreak});
    }
    if (s.found) {
        w.edit = qsizetype(m_edits.size()) - 1;
        return;
    }
    qsizetype at = 0;
    while (at < m_newSections.size() && m_newSections[at].name.compare(section, Qt::CaseInsensitive) != 0)
        ++at;
    if (at == m_newSections.size())
        m_newSections.append({section, {}});
    m_newSections[at].lines << line;
    w.newSection = at;
    w.newLine = m_newSections[at].lines.size() - 1;
}

QByteArray IniFile::encodedLine(const QString &line) const
{
    const QByteArray utf8 = line.toUtf8();
    if (m_encoding != Encoding::Utf8 || utf8.size() == line.size())
        return utf8;
    if (m_legacyLines < 0)
        m_legacyLines = QByteArrayView(m_text).isValidUtf8() ? 0 : firstForeignLineIsGb18030(m_text);
    if (!m_legacyLines)
        return utf8;
    QStringEncoder gb18030("GB18030");
    const QByteArray legacy = gb18030.isValid() ? gb18030(line) : QByteArray();
    // A line that would read as UTF-8 goes in UTF-8, or it would come back as other characters.
    if (legacy.isEmpty() || gb18030.hasError() || QByteArrayView(legacy).isValidUtf8())
        return utf8;
    return legacy;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::writeTo(const std::function<bool(QByteArrayView)> &sink) const
{
    std::vector<size_t> order(m_edits.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return m_edits[a].at < m_edits[b].at; });
    char last = '\n';
    const auto put = [&](QByteArrayView piece) {
        if (piece.isEmpty())
            return true;
        last = piece.back();
        return sink(piece);
    };
    qsizetype from = 0;
    for (const size_t i : order) {
        const Edit &e = m_edits[i];
        if (!put(QByteArrayView(m_text).sliced(from, e.at - from)) || !put(e.before) || !put(e.line) || !put(e.after))
            return false;
        from = e.end;
    }
    if (!put(QByteArrayView(m_text).sliced(from)))
        return false;
    if (m_newSections.isEmpty())
        return true;
    const QByteArray lineBreak = fileLineBreak();
    if (last != '\n' && last != '\r' && !put(lineBreak))
        return false;
    for (const NewSection &s : m_newSections) {
        if (!put(encodedLine(u'[' + s.name + u']') + lineBreak))
            return false;
        for (const QByteArray &line : s.lines) {
            if (!put(line) || !put(lineBreak))
                return false;
        }
    }
    return true;
}

QByteArray IniFile::textBytes() const
{
    QByteArray out;
    writeTo([&](QByteArrayView piece) {
        out += piece;
        return true;
    });
    return out;
}

QByteArray IniFile::bytes() const
{
    if (m_encoding == Encoding::Utf8)
        return textBytes();
    const bool littleEndian = m_encoding == Encoding::Utf16Le;
    QStringEncoder encode(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                          QStringConverter::Flag::ConvertInitialBom);
    return (littleEndian ? QByteArrayLiteral("\xFF\xFE") : QByteArrayLiteral("\xFE\xFF")) +
           QByteArray(encode(QString::fromUtf8(textBytes())));
}

QString IniFile::text() const
{
    return QString::fromUtf8(textBytes());
}

bool IniFile::save() const
{
    if (m_unreadable || m_path.isEmpty() || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto put = [&](QByteArrayView piece) { return file.write(piece.data(), piece.size()) == piece.size(); };
    if (m_encoding == Encoding::Utf8 ? !writeTo(put) : !put(bytes())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace tiv
