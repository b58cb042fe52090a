#include "FuzzCheck.h"
#include "panels/AnnouncementText.h"

#include <QString>
#include <QStringList>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

// Writes entries the way the reader's comment describes comma text: an entry holding a comma, a
// character up to the space or a double quote is quoted with inner quotes doubled. An empty entry
// is quoted too, or a lone one would read as no entry at all.
QString CommaText(const QStringList &entries)
{
    QStringList parts;
    for (const QString &entry : entries) {
        bool quote = entry.isEmpty();
        for (const QChar c : entry)
            quote = quote || c.unicode() <= 0x20 || c == u',' || c == u'"';
        parts << (quote ? u'"' + QString(entry).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"' : entry);
    }
    return parts.join(u',');
}

// The capped reading is the uncapped one, its first `maxEntries` entries each cut to `maxLength`.
void CheckCaps(const QString &text, const QStringList &uncapped, int maxEntries, int maxLength)
{
    const QStringList capped = tiv::ReadCommaText(text, maxEntries, maxLength);
    FUZZ_CHECK(capped.size() == qMin(uncapped.size(), qsizetype(maxEntries)));
    for (qsizetype i = 0; i < capped.size(); ++i)
        FUZZ_CHECK(capped[i] == uncapped[i].left(maxLength));
}

void CheckReading(const QString &text, int maxEntries, int maxLength)
{
    const QStringList uncapped = tiv::ReadCommaText(text, INT_MAX, INT_MAX);
    // No entry holds the NUL that ends the text.
    for (const QString &entry : uncapped)
        FUZZ_CHECK(!entry.contains(QChar(u'\0')));
    CheckCaps(text, uncapped, tiv::MaxRollEntries, tiv::MaxRollEntryLength);
    CheckCaps(text, uncapped, maxEntries, maxLength);
    // Entries read back from the text written for them.
    FUZZ_CHECK(tiv::ReadCommaText(CommaText(uncapped), INT_MAX, INT_MAX) == uncapped);
}

// The roll list as the panel reads it: the text between the roll markers of a page.
void CheckPage(const QString &html, int maxEntries, int maxLength)
{
    for (const auto &[start, end] : {std::pair(tiv::RollStartMarker, tiv::RollEndMarker),
                                     std::pair(tiv::ExitStartMarker, tiv::ExitEndMarker)}) {
        const QString marked = tiv::MarkedText(html, start, end);
        FUZZ_CHECK(html.contains(marked));
        FUZZ_CHECK(marked.isEmpty() || (marked.front().unicode() > 0x20 && marked.back().unicode() > 0x20));
        if (!html.contains(end))
            FUZZ_CHECK(marked.isEmpty());
        CheckReading(marked, maxEntries, maxLength);
    }
    CheckReading(html, maxEntries, maxLength);
    tiv::IsErrorPage(html);
}

}  // namespace

// The first two bytes are small caps for a second reading, the rest is a page read as UTF-8 and as
// Latin-1. Then, split at the byte 0x7F, the page is a list of entries that must read back from the
// comma text written for them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int maxEntries = data[0] % 16, maxLength = data[1] % 16;
    const char *bytes = reinterpret_cast<const char *>(data + 2);
    const qsizetype length = qsizetype(size - 2);
    const QString utf8 = QString::fromUtf8(bytes, length);
    CheckPage(utf8, maxEntries, maxLength);
    CheckPage(QString::fromLatin1(bytes, length), maxEntries, maxLength);

    QStringList entries = utf8.split(QChar(0x7F));
    for (QString &entry : entries)
        entry.remove(QChar(u'\0'));
    FUZZ_CHECK(tiv::ReadCommaText(CommaText(entries), INT_MAX, INT_MAX) == entries);
    return 0;
}
