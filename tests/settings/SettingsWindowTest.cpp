#include "support/MainWindowFixture.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFile>

using namespace tiv;

using SettingsWindow = MainWindowFixture;

TEST_F(SettingsWindow, FirstStartDefaultsThenEverythingSurvivesARestart)
{
    EXPECT_FALSE(QFile::exists(settingsPath())) << "start-up creates no settings file";
    EXPECT_EQ(w->CbPicFomat->currentIndex(), 0);
    EXPECT_TRUE(w->AutoClipboard());
    EXPECT_FALSE(w->ContinuousCapture());
    EXPECT_EQ(w->MemoText->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(w->MemoText->font().pointSize(), 11);
    EXPECT_EQ(w->TextColor, QColor(Qt::red));
    EXPECT_EQ(w->Hotkeys[0], (HotkeyEntry{"Ctrl", "Shift", "F"}));
    EXPECT_EQ(w->Hotkeys[4], (HotkeyEntry{"", "", "ESC"}));

    const QString folder = home.filePath(QStringLiteral("shots"));
    QDir().mkpath(folder);
    w->EdtPicPath->setText(folder);
    w->EdtPicPathExit();  // as when the user leaves the field
    w->CbPicFomat->setCurrentIndex(6);
    w->BtnContinueCut2Click();
    w->BtnSaveToCBClick();
    w->BtnAutoSaveToPathClick();
    w->EdtAutoSavePre->setText(QStringLiteral("pic"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(14);
    font.setBold(true);
    font.setUnderline(true);
    w->setTextFont(font, QColor(0, 0, 255));
    w->Hotkeys[1] = HotkeyEntry{"Alt", "", "Q"};
    w->WatermarkText = QStringLiteral("水印\nsecond line");
    w->CaptureFullScreen();  // sets the current picture
    const QString current = w->CurrentPicturePath;
    ASSERT_TRUE(current.endsWith(QStringLiteral("shots/pic1.png")));

    start();  // exit writes the file; the new window reads it
    ASSERT_TRUE(QFile::exists(settingsPath()));
    EXPECT_EQ(w->CbPicFomat->currentIndex(), 6);
    EXPECT_TRUE(w->ContinuousCapture());
    EXPECT_TRUE(w->BtnContinueCut2->isChecked());
    EXPECT_FALSE(w->AutoClipboard());
    EXPECT_TRUE(w->AutoSaveToFolder());
    EXPECT_EQ(w->EdtAutoSavePre->text(), QStringLiteral("pic"));
    EXPECT_EQ(w->MemoText->font().pointSize(), 14);
    EXPECT_TRUE(w->MemoText->font().bold());
    EXPECT_TRUE(w->MemoText->font().underline());
    EXPECT_EQ(w->TextColor, QColor(0, 0, 255));
    EXPECT_EQ(w->Hotkeys[1], (HotkeyEntry{"Alt", "", "Q"}));
    EXPECT_EQ(w->WatermarkText, QStringLiteral("水印 second line")) << "a line break cannot add keys";
    // The last picture is opened again, with its folder, format and list entry.
    EXPECT_EQ(w->CurrentPicturePath, current);
    EXPECT_EQ(w->PictureFolder, QDir(folder).absolutePath() + u'/');
    EXPECT_EQ(w->ImgMain->picture().image.size(), fakes.screen.desktop.size());
    EXPECT_EQ(w->BitmapListBox->currentIndex().data().toString(), QStringLiteral("pic1.png"));

    const IniFile ini(settingsPath());
    EXPECT_EQ(ini.readString("font", "FontUnderLine", "0"), QStringLiteral("1"));
    EXPECT_EQ(ini.readInteger("font", "FontColor", 0), 0xff0000);
}

TEST_F(SettingsWindow, AFileWithoutHotkeysRegistersNothingAndSaysSo)
{
    w.reset();
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[default]\nPicFormat=9\n");
    file.close();
    start();
    EXPECT_EQ(w->CbPicFomat->currentIndex(), -1);
    EXPECT_EQ(w->Hotkeys[0], HotkeyEntry{});
    w->show();
    w->GrabMenuClick();
    EXPECT_TRUE(fakes.hotkeys.active.isEmpty());
    EXPECT_EQ(w->Conflicts, (HotkeyConflicts{true, true, true, true, true}));
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("热键冲突，请单击按钮『热键设置』，修改热键"));
    w.reset();
    EXPECT_EQ(IniFile(settingsPath()).readInteger("default", "PicFormat", 0), -1);
}
