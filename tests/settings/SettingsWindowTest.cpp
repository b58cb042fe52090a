#include "support/MainWindowFixture.h"

#include "codecs/PngCodec.h"
#include "settings/IniFile.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStringEncoder>

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
    const auto *note = w->PnlHint->findChild<QLabel *>(QStringLiteral("HotkeyConflictNote"));
    EXPECT_TRUE(note && !note->isHidden() && note->text() == QStringLiteral("热键冲突，请单击按钮『热键设置』，修改热键"));
    w.reset();
    EXPECT_EQ(IniFile(settingsPath()).readInteger("default", "PicFormat", 0), -1);
}

TEST_F(SettingsWindow, ExitKeepsWhatWasAddedToTheFileMeanwhile)
{
    w.reset();
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; mine\n[default]\nPicFormat=1\n");
    file.close();
    start();
    // While the program runs, the user (or a second copy) adds lines of its own.
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("; added later\nExtraKey=kept\n[mine]\nmore=1\n");
    file.close();
    w->CbPicFomat->setCurrentIndex(6);
    w.reset();

    const IniFile ini(settingsPath());
    EXPECT_EQ(ini.readInteger("default", "PicFormat", 0), 6);
    EXPECT_EQ(ini.readString("default", "ExtraKey", {}), QStringLiteral("kept"));
    EXPECT_EQ(ini.readInteger("mine", "more", 0), 1);
    EXPECT_TRUE(ini.text().contains(QStringLiteral("; added later")));
    EXPECT_TRUE(ini.text().startsWith(QStringLiteral("; mine")));
}

TEST_F(SettingsWindow, FilesInOtherEncodingsAreReadAndKeepTheirBytes)
{
    w.reset();  // writes every setting, "FontName=宋体" among them
    QFile file(settingsPath());
    const auto bytes = [&](const QByteArray &replacement = {}) {
        EXPECT_TRUE(file.open(replacement.isEmpty() ? QIODevice::ReadOnly : QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray read = replacement.isEmpty() ? file.readAll() : (file.write(replacement), replacement);
        file.close();
        return read;
    };
    const QString text = QString::fromUtf8(bytes()).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QStringEncoder gb18030("GB18030"), le(QStringConverter::Utf16LE), be(QStringConverter::Utf16BE);
    const QByteArray utf32("\xFF\xFE\0\0[\0\0\0", 8);
    for (const QByteArray &before : {QByteArray(gb18030(text)), "\xFF\xFE" + QByteArray(le(text)),
                                     "\xFE\xFF" + QByteArray(be(text)), utf32}) {
        bytes(before);
        start();
        EXPECT_EQ(w->MemoText->font().family(), QStringLiteral("宋体"));
        EXPECT_EQ(w->Hotkeys[0], (HotkeyEntry{"Ctrl", "Shift", "F"})) << "read, or the defaults of a first start";
        EXPECT_EQ(w->PnlHint->text() == FormatText(TxtSettingsUnreadable, {settingsPath()}), before == utf32);
        w.reset();
        EXPECT_EQ(bytes(), before) << "an exit with nothing changed, or with a file it cannot read, leaves every byte";
    }
}

TEST_F(SettingsWindow, StartReopensTheLastPictureQuietlyOrNotAtAll)
{
    const QString folder = home.filePath(QStringLiteral("pics"));
    QDir().mkpath(folder);
    // A BMP whose header claims 60000 x 60000 pixels and holds a few bytes.
    QByteArray bmp("BM");
    const auto le32 = [&bmp](quint32 v) {
        for (int i = 0; i < 4; ++i)
            bmp.append(char(v >> (8 * i)));
    };
    le32(70); le32(0); le32(54); le32(40); le32(60000); le32(60000);
    bmp.append("\x01\x00\x18\x00", 4);
    le32(0); le32(0); le32(0); le32(0); le32(0); le32(0);
    bmp.append(16, '\x7f');
    const auto reopen = [&](const QString &name, const QByteArray &bytes) {
        w.reset();
        QFile picture(folder + u'/' + name);
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(bytes);
        picture.close();
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[default]\nCurPicName=" + (folder + u'/' + name).toUtf8() + "\n");
        file.close();
        start();
        w->show();
    };

    for (const char *broken : {"bad.bmp", "bad.jpg", "notes.xyz"}) {
        reopen(QString::fromLatin1(broken), bmp);
        EXPECT_TRUE(w->ImgMain->picture().isEmpty()) << broken;
        EXPECT_EQ(w->PictureFolder, folder + u'/') << broken;
        EXPECT_TRUE(fakes.shell.openedPaths.isEmpty()) << broken << ": no other program is started";
        EXPECT_TRUE(messages.isEmpty()) << broken;
    }

    reopen(QStringLiteral("good.png"), EncodePng(pattern(30, 20)));
    EXPECT_EQ(w->ImgMain->picture().image, pattern(30, 20));
    EXPECT_EQ(w->BitmapListBox->currentIndex().data().toString(), QStringLiteral("good.png"));
    // The picture is on the canvas, and the empty web view still lies over it until the user acts.
    EXPECT_TRUE(w->WebBrowser1->isVisible());
    const QObjectList stack = w->PnlPic->parentWidget()->children();
    EXPECT_LT(stack.indexOf(w->PnlPic), stack.indexOf(w->WebBrowser1));
}
