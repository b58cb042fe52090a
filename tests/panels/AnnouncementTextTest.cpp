#include "panels/AnnouncementText.h"

#include <gtest/gtest.h>

using namespace tiv;

namespace {

QStringList list(std::initializer_list<const char *> entries)
{
    QStringList out;
    for (const char *e : entries)
        out << QString::fromUtf8(e);
    return out;
}

QString roll(const char *inner)
{
    return QStringLiteral("<body>tivrollaver_%1_tivrollaver</body>").arg(QString::fromUtf8(inner));
}

}  // namespace

TEST(CommaText, EntriesSplitOnCommasAndBlanksWithQuotedEntriesKeptWhole)
{
    EXPECT_EQ(ReadCommaText(QStringLiteral("A,addr1,B,addr2")), list({"A", "addr1", "B", "addr2"}));
    EXPECT_EQ(ReadCommaText(QStringLiteral("  one two\tthree ,four  ")), list({"one", "two", "three", "four"}));
    EXPECT_EQ(ReadCommaText(QStringLiteral(R"("a, b","say ""hi""",  "x y" ,z)")),
              list({"a, b", R"(say "hi")", "x y", "z"}));
    // Empty entries between commas and after a trailing comma are kept.
    EXPECT_EQ(ReadCommaText(QStringLiteral("a,,b,")), list({"a", "", "b", ""}));
    EXPECT_EQ(ReadCommaText(QStringLiteral(R"("unclosed, tail)")), list({"unclosed, tail"}));
    EXPECT_EQ(ReadCommaText(QStringLiteral("   ")), QStringList());
    EXPECT_EQ(ReadCommaText(QStringLiteral("新闻,https://例子.example/")), list({"新闻", "https://例子.example/"}));
}

TEST(CommaText, LongListsAndEntriesAreCut)
{
    QString many;
    for (int i = 0; i < 10000; ++i)
        many += QStringLiteral("caption%1,https://x.example/%1,").arg(i);
    const QStringList entries = ReadCommaText(many);
    ASSERT_EQ(entries.size(), MaxRollEntries);
    EXPECT_EQ(entries.last(), QStringLiteral("https://x.example/99"));
    const QStringList cut = ReadCommaText(QString(2000, u'x') + QStringLiteral(",short"));
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(cut[0].size(), MaxRollEntryLength);
    EXPECT_EQ(cut[1], QStringLiteral("short"));
}

TEST(PageMarkers, TextBetweenTheMarkersCountedFromOneBasedPositions)
{
    const auto rolls = [](const QString &html) { return MarkedText(html, RollStartMarker, RollEndMarker); };
    EXPECT_EQ(rolls(roll("A,addr1,B,addr2")), QStringLiteral("A,addr1,B,addr2"));
    EXPECT_EQ(rolls(roll("   ")), QString());
    EXPECT_EQ(rolls(QStringLiteral("<body>no markers</body>")), QString());
    EXPECT_EQ(rolls(QStringLiteral("<body>tivrollaver_A,B</body>")), QString());
    // Only the end marker: from the 12th character up to the marker.
    EXPECT_EQ(rolls(QStringLiteral("0123456789abcdefgh_tivrollaver")), QStringLiteral("bcdefgh"));
    EXPECT_EQ(rolls(QStringLiteral("_tivrollaver A,B tivrollaver_")), QString());
    EXPECT_EQ(MarkedText(QStringLiteral("<p>tivexitpop_ https://x.example/bye \n_tivexitpop</p>"),
                         ExitStartMarker, ExitEndMarker),
              QStringLiteral("https://x.example/bye"));
}

TEST(ErrorPages, ErrorWordsMatchWithAsciiLettersInAnyCase)
{
    for (const char *page : {"<p>找不到网页</p>", "操作无法完成", "<button>取消</button>", "Page NOT FOUND",
                             "NotFound", "未找到", "HTTP 404", "找不到網頁", "無法顯示", "Bad Requset",
                             "Invalid Hostname"})
        EXPECT_TRUE(IsErrorPage(QString::fromUtf8(page))) << page;
    EXPECT_FALSE(IsErrorPage(QStringLiteral("<p>今日公告: new tools</p>")));
    EXPECT_FALSE(IsErrorPage(QStringLiteral("bad request")));
}

TEST(PageMarkers, CharacterReferencesAreDecodedOnceAndOnlyWhole)
{
    EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("https://x.example/r?a=1&amp;b=2&amp;amp;c")),
              QStringLiteral("https://x.example/r?a=1&b=2&amp;c"));
    EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&lt;b&gt; &quot;Tom&apos;s&quot;&nbsp;&#38;&#x4E2D;&#X6587;")),
              QStringLiteral("<b> \"Tom's\"\u00a0&中文"));
    // Numbers that name no character.
    EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&#0;&#xD800;&#x110000;&#99999999;")), QString(4, QChar(0xfffd)));
    // Not references: kept as they stand.
    for (const char *text : {"a&b=2", "&amp", "&;", "&#;", "&#x;", "&#12a;", "&copy;", "&#xZZ;", "tail&"})
        EXPECT_EQ(DecodeCharacterReferences(QString::fromUtf8(text)), QString::fromUtf8(text)) << text;
    EXPECT_EQ(DecodeCharacterReferences(QStringLiteral("&&amp;&")), QStringLiteral("&&&"));
}
