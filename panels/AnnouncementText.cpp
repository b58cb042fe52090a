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

}  // namespace

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
