#include "settings/AppSettings.h"
#include "settings/IniFile.h"
#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tiv;

namespace {

const QString ProgramDir = QStringLiteral("/opt/tiv");

AppSettings loadText(const QByteArray &utf8)
{
    return LoadSettings(IniFile::fromBytes(utf8), true, ProgramDir);
}

}  // namespace

TEST(AppSettings, NoFileGivesFirstStartValuesWrittenInOrder)
{
    const AppSettings s = LoadSettings(IniFile(), false, ProgramDir);
    EXPECT_EQ(LoadSettings(IniFile(), false, "/opt/tiv/").PicPath, "/opt/tiv/IMG");
    EXPECT_EQ(ColorFromStored(s.FontColor), QColor(Qt::red));
    IniFile fresh;
    SaveSettings(s, fresh);
    EXPECT_EQ(fresh.text(),
              "[default]\nPicPath=/opt/tiv/IMG\nPicName=PIC\nWatermarkText=\nWatermarkImgPath=\n"
              "WaterMarkTransparent=8\nWatermarkType=2\nPicFormat=0\nautoSaveToCB=1\nautoSaveToPath=0\n"
              "ContinueCut=0\nAutoSavePre=\nCurPicName=\n"
              "[font]\nFontSize=11\nFontCharset=134\nFontColor=255\nFontName=宋体\nFontBold=0\n"
              "FontItalic=0\nFontUnderLine=0\nFontStrikeOut=0\n"
              "[hotkey]\nhotkey1_1=Ctrl\nhotkey1_2=Shift\nhotkey1_3=F\nhotkey2_1=Ctrl\nhotkey2_2=Shift\n"
              "hotkey2_3=W\nhotkey3_1=Ctrl\nhotkey3_2=Shift\nhotkey3_3=C\nhotkey4_1=Ctrl\n"
              "hotkey4_2=Shift\nhotkey4_3=A\nhotkey5_1=\nhotkey5_2=\nhotkey5_3=ESC\n")
        << qPrintable(fresh.text());
}

TEST(AppSettings, ExistingFileWithoutHotkeysGivesEmptyEntries)
{
    EXPECT_EQ(loadText("[default]\nPicName=X\n").Hotkeys, HotkeyTable{});
    const AppSettings s = loadText("[hotkey]\nhotkey2_3=W\n");
    EXPECT_EQ(s.Hotkeys[1], (HotkeyEntry{"", "", "W"}));
    EXPECT_EQ(s.Hotkeys[0], HotkeyEntry{});
}

TEST(AppSettings, ValuesFollowTheirKeyRulesAndRoundTrip)
{
    IniFile ini = IniFile::fromBytes("; note\n[DEFAULT]\npicpath=   /home/u/pics  \nPicFormat=9\n"
                                     "ContinueCut=yes\n[Font]\nFontCharset=390\nFontColor=0x0000FF\n"
                                     "FontUnderLine=1\n");
    AppSettings s = LoadSettings(ini, true, ProgramDir);
    EXPECT_EQ(s.PicPath, "/home/u/pics");
    EXPECT_EQ(s.PicFormat, -1);
    EXPECT_EQ(loadText("[default]\nPicFormat=6\n").PicFormat, 6);
    EXPECT_FALSE(s.ContinueCut) << "a value that is no integer gives the default";
    EXPECT_EQ(s.FontCharset, 134) << "only the low 8 bits count";
    EXPECT_EQ(s.FontColor, 255);
    EXPECT_TRUE(s.FontUnderline);

    s.PicPath = QStringLiteral("  /home/u/other");
    s.AutoSavePre = QStringLiteral("  shot ");
    SaveSettings(s, ini);
    EXPECT_TRUE(ini.text().startsWith("; note\n[DEFAULT]\nPicPath=  /home/u/other\nPicFormat=-1\n"))
        << "replaced in place, written untrimmed";
    EXPECT_TRUE(ini.text().contains("\nFontUnderLine=1\n"));
    EXPECT_EQ(ini.text().count("nderLine", Qt::CaseInsensitive), 1) << "the key is replaced, not added";

    s.PicPath = s.PicPath.trimmed();
    s.AutoSavePre = QStringLiteral("shot");
    s.PicName = QStringLiteral("图片");
    s.autoSaveToPath = s.FontItalic = true;
    s.CurPicName = QStringLiteral("/data/pics/3.png");
    s.FontColor = StoredFromColor(QColor(0, 0, 255));
    s.Hotkeys[4] = {QStringLiteral("Alt"), {}, QStringLiteral("Q")};
    SaveSettings(s, ini);
    EXPECT_EQ(s.FontColor, 0xFF0000);
    EXPECT_EQ(loadText(ini.text().toUtf8()), s);
}

TEST(SettingsLocation, BesideProgramUnlessThatFolderIsNotWritable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString config = dir.filePath("config");
    EXPECT_EQ(SettingsFilePath(dir.path(), config), dir.filePath("defualt.ini"));
    EXPECT_EQ(SettingsFilePath(dir.filePath("missing"), config), config + "/TIVrevudu/defualt.ini");

    // Installed under a prefix: the bin folder is writable (as for root) but never written.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("prefix/bin")) && QDir().mkpath(dir.filePath("prefix/share/applications")));
    QFile entry(dir.filePath("prefix/share/applications/example.tivsoft.tivrevudu.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    EXPECT_EQ(SettingsFilePath(dir.filePath("prefix/bin"), config), config + "/TIVrevudu/defualt.ini");
}
