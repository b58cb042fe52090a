#pragma once

#include <QString>
#include <QStringList>

// Reading the announcement server's pages. Everything in them is untrusted: these functions only
// cut text out of a page, and whoever opens what they return goes through the address gate.
namespace tiv {

// The server's pages mark their values between these pairs.
inline const QString RollStartMarker = QStringLiteral("tivrollaver_");
inline const QString RollEndMarker = QStringLiteral("_tivrollaver");
inline const QString ExitStartMarker = QStringLiteral("tivexitpop_");
inline const QString ExitEndMarker = QStringLiteral("_tivexitpop");

// Limits on what one page may put into the rolling list; the rest is dropped.
constexpr int MaxRollEntries = 200;
constexpr int MaxRollEntryLength = 500;

// Whether the page is one of the browser's or the server's error pages, judged by words in its
// HTML with ASCII letters compared without regard to case.
bool IsErrorPage(const QString &html);

// The blank-trimmed text after the start marker and before the end marker, counted the way the
// server's pages have always been read: a missing start marker counts as found at the very start,
// so a page with only the end marker yields the text from its 12th character (for the roll
// markers) up to that marker; an end marker missing or before the start yields nothing.
QString MarkedText(const QString &html, const QString &startMarker, const QString &endMarker);

// The text an HTML fragment stands for as far as character references go: "&amp;", "&lt;", "&gt;",
// "&quot;", "&apos;", "&nbsp;" and numeric references "&#38;" or "&#x26;" become their characters
// (a number that names no character becomes U+FFFD). The body HTML the engine hands out escapes
// only those, so a value cut from it reads as the page showed it. Anything else, a reference
// without its ";" included, stays as it is.
QString DecodeCharacterReferences(const QString &html);

// Comma text: entries separated by commas or blanks; an entry holding a comma, a blank or a double
// quote is enclosed in double quotes, with inner double quotes doubled. Reads at most `maxEntries`
// entries and cuts each to `maxLength` characters.
QStringList ReadCommaText(const QString &text, int maxEntries = MaxRollEntries,
                          int maxLength = MaxRollEntryLength);

// Which announcement page a rotation tick loads, from a draw r in 0..99.
enum class AnnouncementChoice { Now, Next, Stay };
AnnouncementChoice ChooseAnnouncement(int r, bool nextPageShown);

}  // namespace tiv
