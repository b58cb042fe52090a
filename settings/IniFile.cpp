#include "settings/IniFile.h"

#include "files/ParseInteger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace tiv {

namespace {

bool sectionHeader(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    const qsizetype close = t.indexOf(u']');
    if (!t.startsWith(u'[') || close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool keyLine(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0 || t.startsWith(u';') || sectionHeader(t, nullptr))
        return false;
    *key = t.left(eq).trimmed();
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return !key->isEmpty();
}

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

bool isBlankOrComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.isEmpty() || t.startsWith(u';');
}

QString withoutLineBreaks(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

}  // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        setLines(decodeText(file.readAll()));
}

IniFile IniFile::fromBytes(const QByteArray &data, const QString &path)
{
    IniFile ini;
    ini.m_path = path;
    ini.setLines(decodeText(data));
    return ini;
}

QString IniFile::decodeText(const QByteArray &data)
{
    const QByteArrayView complete = QByteArrayView(data).first(data.size() - incompleteUtf8Tail(data));
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(complete);
    if (utf8.hasError()) {
        QStringDecoder gb18030("GB18030");
        text = gb18030.isValid() ? gb18030(data) : QString::fromLatin1(data);
    }
    // Byte-order marks, GB18030's own (84 31 95 33) included, would otherwise hide the first
    // section header. All of them go: the file is saved without one, and a mark left on the first
    // line would make the next read find other sections than this one.
    qsizetype marks = 0;
    while (marks < text.size() && text[marks] == QChar(0xFEFF))
        ++marks;
    return text.remove(0, marks);
}

void IniFile::setLines(const QString &text)
{
    m_lines.clear();
    bool breakSeen = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        const bool crlf = c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (!breakSeen)
            m_lineBreak = crlf ? QStringLiteral("\r\n") : QString(c);
        breakSeen = true;
        m_lines << text.mid(start, i - start);
        i += crlf ? 1 : 0;
        start = i + 1;
    }
    if (start < text.size())
        m_lines << text.mid(start);
}

qsizetype IniFile::findSection(const QString &section) const
{
    QString name;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (sectionHeader(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !sectionHeader(m_lines[i], nullptr))
        ++i;
    return i;
}

qsizetype IniFile::findKey(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return -1;
    const qsizetype end = sectionEnd(header);
    QString name;
    for (qsizetype i = header + 1; i < end; ++i) {
        if (keyLine(m_lines[i], &name, nullptr) && name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const qsizetype at = findKey(section, key);
    QString name, value;
    if (at < 0 || !keyLine(m_lines[at], &name, &value))
        return def;
    if (value.size() > MaxValueLength)
        value.truncate(value[MaxValueLength - 1].isHighSurrogate() ? MaxValueLength - 1 : MaxValueLength);
    return value;
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

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString line = key + u'=' + withoutLineBreaks(value);
    const qsizetype at = findKey(section, key);
    if (at >= 0) {
        m_lines[at] = line;
        return;
    }
    const qsizetype header = findSection(section);
    if (header < 0) {
        m_lines << u'[' + section + u']' << line;
        return;
    }
    // After the section's last key, so blank lines and comments that lead into the next section
    // stay in front of its header.
    qsizetype end = sectionEnd(header);
    while (end > header + 1 && isBlankOrComment(m_lines[end - 1]))
        --end;
    m_lines.insert(end, line);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString IniFile::text() const
{
    QString out;
    for (const QString &line : m_lines)
        out += line + m_lineBreak;
    return out;
}

bool IniFile::save() const
{
    if (m_path.isEmpty() || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text().toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace tiv
