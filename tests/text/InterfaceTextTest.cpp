#include "text/InterfaceText.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace tiv;

TEST(InterfaceText, LanguagesSwitchTheFirstTableOnly)
{
    InitInterfaceText();
    EXPECT_EQ(TxtFolderSelect, QStringLiteral("文件夹选择"));
    EXPECT_EQ(TxtDiskMissing, QStringLiteral("磁盘%s不存在，请重选择一个路径。"));
    EXPECT_EQ(TxtAppTitle, QStringLiteral("TIVrevudu"));
    EXPECT_TRUE(TxtAddSingleArrow.isEmpty());

    SelectLanguage(LangTraditionalChinese);
    EXPECT_EQ(TxtFolderSelect, QStringLiteral("文件夾選擇"));
    EXPECT_EQ(TxtIllegalPath, QStringLiteral("不合法路徑:%s,請重輸入一個路徑"));
    // The main-window texts are Simplified Chinese whatever the language.
    EXPECT_EQ(TxtAutoSavedPicture, QStringLiteral("自动保存图片为%s"));
    EXPECT_EQ(TxtHotkeyConflict, QStringLiteral("热键冲突，请单击按钮『热键设置』，修改热键"));

    SelectLanguage(LangEnglish);
    EXPECT_EQ(TxtCurrentPath, QStringLiteral("cur path"));
    EXPECT_EQ(TxtFolderName, QStringLiteral("cur path"));
    EXPECT_EQ(TxtSelectOneFile, QStringLiteral("Select a path"));
    EXPECT_EQ(TxtAutoSavedPicture, QStringLiteral("自动保存图片为%s"));

    SelectLanguage(7);
    EXPECT_EQ(TxtCurrentPath, QStringLiteral("当前路径"));
    EXPECT_EQ(TxtSaveFailed, QStringLiteral("保存失败%s"));
    EXPECT_EQ(TxtLinks.split(u',').size(), 4);
}

TEST(InterfaceText, EveryAddressStandsOnTheOneServerBase)
{
    qputenv("TIVREVUDU_SERVER", "http://127.0.0.1:8765");
    // The draw picks one of three bases many times over; all must give the same addresses.
    for (int run = 0; run < 20; ++run) {
        InitInterfaceText();
        EXPECT_EQ(ServerBaseA, QStringLiteral("http://127.0.0.1:8765/"));
        EXPECT_EQ(ServerBaseB, ServerBaseA);
        EXPECT_EQ(ServerBaseC, ServerBaseA);
        EXPECT_EQ(PickServerBase(), ServerBaseA);
        EXPECT_EQ(UrlAnnounceNow, ServerBaseA + QStringLiteral("gg/sp/now/"));
        EXPECT_EQ(UrlAnnounceNext, ServerBaseA + QStringLiteral("gg/sp/next/"));
        EXPECT_EQ(UrlSoftList, ServerBaseA + QStringLiteral("soft/"));
        EXPECT_EQ(UrlProductPage, ServerBaseA + QStringLiteral("sp/"));
        EXPECT_EQ(UrlHelpDemo, ServerBaseA + QStringLiteral("demo/sp/"));
    }
    qunsetenv("TIVREVUDU_SERVER");
    InitInterfaceText();
    EXPECT_TRUE(UrlHelpDemo.endsWith(QStringLiteral("/demo/sp/")));
    EXPECT_TRUE(UrlHelpDemo.startsWith(ServerBaseA));
}

TEST(InterfaceText, FormatFillsPlaceholdersInOrder)
{
    InitInterfaceText();
    EXPECT_EQ(FormatText(QStringLiteral("%s%s"), {QStringLiteral("TIVrevudu"), QStringLiteral("2.2")}),
              QStringLiteral("TIVrevudu2.2"));
    EXPECT_EQ(FormatText(TxtPictureInfo, {"1", "2", "3", "4"}),
              QStringLiteral("图片实际宽度为1,实际高度为2,鼠标所在图片的坐标:[3,4]"));
}
