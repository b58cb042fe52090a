#include "support/MainWindowFixture.h"

#include "capture/GrabFailureText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

using namespace tiv;

namespace {

struct CaptureFlow : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        fakes.screen.desktop = pattern(120, 90);
        fakes.screen.foreground = ForegroundWindow{QRect(10, 5, 60, 50), QRect(14, 25, 52, 26)};
        w->show();
    }
    QImage desktopPart(const QRect &r) const { return fakes.screen.desktop.copy(r); }
};

CursorImage redCursor(QPoint position, QPoint hotSpot)
{
    CursorImage c;
    c.image = QImage(4, 4, QImage::Format_ARGB32_Premultiplied);
    c.image.fill(qRgb(255, 0, 0));
    c.hotSpot = hotSpot;
    c.position = position;
    return c;
}

}  // namespace

TEST_F(CaptureFlow, WindowAndClientCapturesTakeTheirRectanglesWithTheCursorInPlace)
{
    fakes.cursor.cursor = redCursor(QPoint(30, 30), QPoint(1, 1));
    w->CaptureActiveWindow();
    const QImage window = w->ImgMain->picture().image;
    ASSERT_EQ(window.size(), QSize(60, 50));
    // Cursor at screen (30,30) - hot spot (1,1) = (29,29) on screen = (19,24) in the window picture.
    EXPECT_EQ(window.pixel(19, 24), qRgb(255, 0, 0));
    EXPECT_EQ(window.pixel(18, 24), fakes.screen.desktop.pixel(28, 29));
    EXPECT_EQ(window.pixel(0, 0), fakes.screen.desktop.pixel(10, 5));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->ChromeShown);
    EXPECT_FALSE(w->borderless());

    w->CaptureActiveClientArea();
    const QImage client = w->ImgMain->picture().image;
    ASSERT_EQ(client.size(), QSize(52, 26));
    EXPECT_EQ(client.pixel(15, 4), qRgb(255, 0, 0));  // (29,29) - client origin (14,25)
    EXPECT_EQ(client.pixel(40, 20), fakes.screen.desktop.pixel(54, 45));

    fakes.cursor.cursor->shown = false;
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop) << "a hidden cursor is not drawn";

    // A region to be read is frozen without the pointer, the one laid over X's pictures and the
    // one a compositor draws in alike; a region to be saved keeps it.
    fakes.cursor.cursor->shown = true;
    w->StartRegionFor(TFrmMain::RegionForText);
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop);
    EXPECT_FALSE(fakes.screen.pointerInPictures);
    w->EndPendingTool();
    w->StartRegionCapture();
    EXPECT_EQ(w->ImgMain->picture().image.pixel(29, 29), qRgb(255, 0, 0));
    EXPECT_TRUE(fakes.screen.pointerInPictures);
}

TEST_F(CaptureFlow, AGrabWithoutPicturesSavesNothingAndSaysWhy)
{
    w->CaptureFullScreen();
    const QStringList savedBefore = QDir(pictureFolder()).entryList(QDir::Files);
    ASSERT_EQ(savedBefore.size(), 1);
    fakes.clipboard.images.clear();

    fakes.screen.foreground.reset();
    w->CaptureActiveWindow();
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop) << "the previous picture stays";
    EXPECT_EQ(w->PnlHint->text(), GrabFailureText(GrabFailure::NoActiveWindow));

    // Continuous capture from a hidden window still brings the window back to say why.
    w->BtnContinueCut2Click();
    w->hide();
    fakes.screen.refusal = GrabFailure::Refused;
    w->CaptureFullScreen();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->ChromeShown);
    EXPECT_EQ(w->PnlHint->text(), GrabFailureText(GrabFailure::Refused));

    fakes.screen.refusal = GrabFailure::NoService;
    w->StartRegionCapture();
    EXPECT_EQ(w->ToolMode, 0) << "no selection on a desktop that was never frozen";
    EXPECT_FALSE(w->borderless());
    EXPECT_FALSE(w->isFullScreen());

    fakes.screen.refusal = GrabFailure::WindowUnknowable;
    w->CaptureActiveClientArea();
    EXPECT_EQ(w->PnlHint->text(), GrabFailureText(GrabFailure::WindowUnknowable));
    EXPECT_TRUE(w->SbPicName->isVisible());

    EXPECT_EQ(QDir(pictureFolder()).entryList(QDir::Files), savedBefore);
    EXPECT_TRUE(fakes.clipboard.images.isEmpty());
}

TEST_F(CaptureFlow, HiddenWindowStaysHiddenInContinuousModeAndComesBackOtherwise)
{
    w->BtnContinueCut2Click();
    ASSERT_TRUE(w->ContinuousCapture());
    w->hide();
    w->CaptureFullScreen();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->ShownBeforeCapture);
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop);

    w->show();
    w->CaptureActiveWindow();
    EXPECT_TRUE(w->isVisible()) << "a window that was shown comes back";
    EXPECT_TRUE(w->borderless()) << "continuous window capture leaves the picture-only view";
    EXPECT_FALSE(w->SbLeft->isVisible());

    w->BtnContinueCut2Click();
    w->hide();
    w->CaptureFullScreen();
    EXPECT_TRUE(w->isVisible()) << "without continuous capture every capture ends shown";
    EXPECT_TRUE(w->SbLeft->isVisible());
    EXPECT_FALSE(w->borderless());
}

TEST_F(CaptureFlow, HotkeysDispatchByIdWhileCaptureModeIsOn)
{
    w->MnUDScreenCutClick();
    EXPECT_FALSE(w->isVisible()) << "custom capture hides the window once the hotkeys are in";
    ASSERT_EQ(fakes.hotkeys.active.size(), 5);

    fakes.hotkeys.press(2);
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(60, 50));
    EXPECT_TRUE(w->isVisible());
    fakes.hotkeys.press(1);
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(120, 90));
    for (int id : {0, 6, 99})
        w->HotkeyMessage(id);
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(120, 90));

    fakes.hotkeys.press(4);
    EXPECT_EQ(w->ToolMode, 5);
    EXPECT_TRUE(w->borderless());
    EXPECT_TRUE(w->Cover.covering());
    EXPECT_EQ(w->geometry().topLeft(), fakes.screen.desktopRect().topLeft()) << "the frozen desktop covers the screen";
    fakes.hotkeys.press(5);
    EXPECT_TRUE(fakes.hotkeys.active.isEmpty()) << "hotkey 5 leaves capture mode";
    EXPECT_FALSE(w->borderless());
    EXPECT_FALSE(w->Cover.covering());
    EXPECT_TRUE(w->ChromeShown);
    EXPECT_EQ(w->geometry().size(), QSize(w->SavedWidth, w->SavedHeight));
    EXPECT_EQ(w->ToolMode, 0) << "leaving capture mode ends the pending selection";
    fakes.hotkeys.press(1);  // no longer registered: nothing happens
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(120, 90));

    // The next region capture covers the screen again, although the window is now normal-sized.
    w->GrabMenuClick();
    EXPECT_TRUE(w->Cover.covering());
    EXPECT_EQ(w->geometry().topLeft(), fakes.screen.desktopRect().topLeft());
    EXPECT_TRUE(w->borderless());
    w->LeaveCaptureMode();
    EXPECT_EQ(w->geometry().size(), QSize(w->SavedWidth, w->SavedHeight));
}

TEST_F(CaptureFlow, RegionCaptureFreezesTheDesktopInThePictureOnlyView)
{
    w->GrabMenuClick();
    EXPECT_EQ(w->ToolMode, 5);
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->ChromeShown);
    for (QWidget *hidden : {static_cast<QWidget *>(w->SbLeft), static_cast<QWidget *>(w->SbPicName),
                            static_cast<QWidget *>(w->PnlHint), static_cast<QWidget *>(w->SbAvert),
                            w->WebBrowser1})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(w->WebBrowserTop->pos(), QPoint(-1000, -1000));

    // A second program holding Ctrl+Shift+A: the capture goes on and the hint says why.
    w->LeaveCaptureMode();
    fakes.hotkeys.takenByOthers.insert(fake::FakeHotkeys::combination(ModCtrl | ModShift, 'A'));
    w->GrabMenuClick();
    const auto *note = w->PnlHint->findChild<QLabel *>(QStringLiteral("HotkeyConflictNote"));
    EXPECT_TRUE(note && !note->isHidden() && note->text() == QStringLiteral("热键冲突，请单击按钮『热键设置』，修改热键"));
    EXPECT_EQ(w->ToolMode, 5);
    // A desktop that took the keys into its own shortcut settings has no conflict to tell of.
    w->LeaveCaptureMode();
    fakes.hotkeys.keysInDesktopSettings = true;
    w->GrabMenuClick();
    EXPECT_EQ(w->LbBindingHint->text(), HotkeysInDesktopSettingsText());
}

TEST_F(CaptureFlow, ALargeCaptureShowsFromItsTopLeftCorner)
{
    fakes.screen.desktop = pattern(2000, 1500);
    w->resize(786, 643);
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->pos(), QPoint(0, 0));
    EXPECT_EQ(w->PnlPic->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(w->PnlPic->verticalScrollBar()->value(), 0);
    EXPECT_EQ(w->PnlPicContent->size(), QSize(2000, 1500));
}

TEST_F(CaptureFlow, WithoutSystemWideKeysEachCaptureModeSaysHowToBindTheCommandLine)
{
    fakes.hotkeys.systemWideKeys = false;
    w->MnUDScreenCutClick();
    EXPECT_TRUE(w->isVisible()) << "the window stays to show how captures are started";
    const QString command = QCoreApplication::applicationFilePath() + QStringLiteral(" --capture full");
    const QLabel *line = w->LbBindingHint;
    const auto hintShown = [&] { return line->isVisible() && line->text().contains(command); };
    EXPECT_TRUE(hintShown()) << "with the program's full path: " << line->text().toStdString();
    for (bool conflict : w->Conflicts)
        EXPECT_FALSE(conflict);
    // The save message goes into the hint line; the binding hint stays on its own.
    w->CaptureFullScreen();
    EXPECT_TRUE(hintShown());
    w->LeaveCaptureMode();
    EXPECT_TRUE(line->isHidden());

    // Through a region: away under the frozen desktop, back once the region is saved.
    w->GrabMenuClick();
    EXPECT_FALSE(line->isVisible());
    dragOnCanvas(QPoint(10, 10), QPoint(50, 40));
    EXPECT_TRUE(w->PnlHint->text().contains(QFileInfo(w->CurrentPicturePath).fileName()));
    EXPECT_TRUE(hintShown()) << "said again, and no conflict reported";
}
