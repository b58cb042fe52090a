#include "panels/AnnouncementText.h"

#include <array>

namespace tiv {

namespace {

// Blanks here are every character up to the space, control characters included.
bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

QString trimBlanks(const QString &text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first].unicode() <= 0x20)
        ++first;
    while (last > first && text[last - 1].unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

QString lowerAsciiLetters(QString text)
{
    for (QChar &c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return text;
}

// Reads a quoted entry starting at the quote at `i`; leaves `i` after the closing quote.
QString quotedEntry(const QString &text, qsizetype &i)
{
    QString entry;
    ++i;
    while (i < text.size()) {
        const QChar c = text[i++];
        if (c != u'"') {
            entry += c;
        } else if (i < text.size() && text[i] == u'"') {
            entry += c;
            ++i;
        } else {
            break;
        }
    }
    return entry;
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The character of a numeric reference's digits, U+FFFD when they name none, null when they are
// not digits.
QString numericCharacter(QStringView digits, int base)
{
    char32_t value = 0;
    for (const QChar digit : digits) {
        const int d = digitValue(digit, base);
        if (d < 0)
            return {};
        value = qMin<char32_t>(value * base + char32_t(d), 0x110000);
    }
    const bool valid = value != 0 && value < 0x110000 && (value < 0xd800 || value > 0xdfff);
    const char32_t character = valid ? value : 0xfffd;
    return QString::fromUcs4(&character, 1);
}

// The characters of the reference `name` (what stands between "&" and ";"), or null.
QString referencedCharacter(QStringView name)
{
    static const std::array<std::pair<const char16_t *, char16_t>, 6> named = {{
        {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00a0'},
    }};
    if (name.size() > 1 && name[0] == u'#') {
        const bool hex = name[1] == u'x' || name[1] == u'X';
        const QStringView digits = name.mid(hex ? 2 : 1);
        return digits.isEmpty() || digits.size() > 8 ? QString() : numericCharacter(digits, hex ? 16 : 10);
    }
    for (const auto &[word, character] : named) {
        if (name == QStringView(word))
            return QString(QChar(character));
    }
    return {};
}

}  // namespace

QString DecodeCharacterReferences(const QString &html)
{
    // Names and numbers of the references decoded here are at most ten characters long.
    constexpr qsizetype kLongestName = 10;
    QString text;
    text.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const qsizetype amp = html.indexOf(u'&', i);
        if (amp < 0)
            break;
        text += QStringView(html).mid(i, amp - i);
        const qsizetype nameLength = QStringView(html).mid(amp + 1, kLongestName + 1).indexOf(u';');
        const QString character =
            nameLength > 0 ? referencedCharacter(QStringView(html).mid(amp + 1, nameLength)) : QString();
        if (character.isNull()) {
            text += u'&';
            i = amp + 1;
        } else {
            text += character;
            i = amp + nameLength + 2;
        }
    }
    text += QStringView(html).mid(i);
    return text;
}

bool IsErrorPage(const QString &html)
{
    static const std::array<QString, 11> words = {
        QStringLiteral("找不到网页"), QStringLiteral("无法"),       QStringLiteral("取消"),
        QStringLiteral("not found"),  QStringLiteral("notfound"),   QStringLiteral("未找到"),
        QStringLiteral("http 404"),   QStringLiteral("找不到網頁"), QStringLiteral("無法"),
        QStringLiteral("bad requset"), QStringLiteral("invalid hostname"),
    };
    const QString lowered = lowerAsciiLetters(html);
    for (const QString &word : words) {
        if (lowered.contains(word))
            return true;
    }
    return false;
}

QString MarkedText(const QString &html, const QString &startMarker, const QString &endMarker)
{
    // 1-based positions, 0 for a marker that is not there.
    const qsizetype foundStart = html.indexOf(startMarker);
    const qsizetype start = (foundStart < 0 ? 0 : foundStart + 1) + startMarker.size();
    const qsizetype foundEnd = html.indexOf(endMarker);
    const qsizetype end = foundEnd < 0 ? 0 : foundEnd + 1;
    if (end - start <= 0)
        return {};
    return trimBlanks(html.mid(start - 1, end - start));
}

QStringList ReadCommaText(const QString &input, int maxEntries, int maxLength)
{
    // A NUL ends the text, as it always has for this list.
    const QString text = input.left(input.indexOf(QChar(u'\0')));
    QStringList entries;
    const auto add = [&](const QString &entry) { entries << entry.left(maxLength); };
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    while (i < text.size() && entries.size() < maxEntries) {
        if (text[i] == u'"') {
            add(quotedEntry(text, i));
        } else {
            const qsizetype from = i;
            while (i < text.size() && text[i].unicode() > 0x20 && text[i] != u',')
                ++i;
            add(text.mid(from, i - from));
        }
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i < text.size() && text[i] == u',') {
            if (i + 1 == text.size() && entries.size() < maxEntries)
                add(QString());
            do
                ++i;
            while (i < text.size() && isBlank(text[i]));
        }
    }
    return entries;
}

AnnouncementChoice ChooseAnnouncement(int r, bool nextPageShown)
{
    if (r >= 66)
        return AnnouncementChoice::Now;
    if (r >= 19)
        return nextPageShown ? AnnouncementChoice::Now : AnnouncementChoice::Next;
    return AnnouncementChoice::Stay;
}

}  // namespace tiv
