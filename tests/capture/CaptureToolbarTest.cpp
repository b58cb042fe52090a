#include "support/MainWindowFixture.h"

#include "capture/TFrmToolBar.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

using namespace tiv;

namespace {

struct CaptureToolbar : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        fakes.screen.desktop = pattern(120, 90);
        w->show();
        w->BtnContinueCut2Click();
    }
    TFrmToolBar *toolbar() const { return w->CaptureToolbar.get(); }

    QStringList entries() const
    {
        QStringList names;
        for (int i = 0; i < toolbar()->LbImgs->count(); ++i)
            names << toolbar()->LbImgs->item(i)->text();
        return names;
    }
    // A click on the preview as the desktop delivers it; the second click of a double-click
    // arrives as a double-click event between its press and its release.
    void clickPreview(bool twice = false)
    {
        const auto send = [this](QEvent::Type type, Qt::MouseButtons held) {
            QMouseEvent e(type, QPointF(5, 5), QPointF(toolbar()->ImgPreView->mapToGlobal(QPoint(5, 5))),
                          Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(toolbar()->ImgPreView, &e);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        if (twice) {
            send(QEvent::MouseButtonDblClick, Qt::LeftButton);
            send(QEvent::MouseButtonRelease, Qt::NoButton);
        }
    }
    QString saved(const char *name) const { return QDir(w->PictureFolder).filePath(QString::fromLatin1(name)); }
    bool capturing() const { return !fakes.hotkeys.active.isEmpty(); }
};

}  // namespace

TEST_F(CaptureToolbar, EverySaveIsListedAndPreviewedAlsoWhileHidden)
{
    w->GrabMenuClick();
    ASSERT_TRUE(toolbar());
    EXPECT_TRUE(toolbar()->isVisible());
    EXPECT_EQ(toolbar()->windowTitle(), QStringLiteral("TIVrevudu2.2"));
    EXPECT_TRUE(toolbar()->windowFlags() & Qt::WindowStaysOnTopHint);

    // Nothing listed yet: clicks on the list and the preview do nothing.
    toolbar()->LbImgsClick();
    toolbar()->ImgPreViewClick();
    EXPECT_TRUE(fakes.shell.openedPaths.isEmpty());
    EXPECT_TRUE(toolbar()->ImgPreView->picture().isEmpty());

    const QRect previewBox = toolbar()->ImgPreView->geometry();
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    const QString first = saved("1.jpg");
    EXPECT_FALSE(w->isVisible()) << "continuous region capture hides the window after the save";
    EXPECT_EQ(entries(), QStringList{QStringLiteral("1.jpg")});
    EXPECT_EQ(toolbar()->LblHint->text(), QStringLiteral("自动保存为：") + first);
    EXPECT_EQ(toolbar()->ImgPreView->picture().image.size(), QSize(30, 20));
    EXPECT_EQ(toolbar()->ImgPreView->geometry(), previewBox) << "the preview keeps its box";

    toolbar()->hide();
    w->CaptureFullScreen();
    const QString second = saved("2.jpg");
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("1.jpg"), QStringLiteral("2.jpg")}));
    EXPECT_EQ(toolbar()->ImgPreView->picture().image.size(), QSize(120, 90));

    // A double-click opens the picture the preview shows, once; a single click opens nothing.
    toolbar()->LbImgs->clearSelection();
    w->EdtPicPath->setText(home.filePath(QStringLiteral("elsewhere")));
    w->EnsurePictureFolder();
    clickPreview();
    EXPECT_TRUE(fakes.shell.openedPaths.isEmpty());
    clickPreview(true);
    EXPECT_EQ(fakes.shell.openedPaths, QStringList{second});
    // With no entry selected a list click shows the first; entries remember their folder.
    toolbar()->LbImgsClick();
    EXPECT_EQ(toolbar()->ImgPreView->picture().image.size(), QSize(30, 20));
    clickPreview(true);
    EXPECT_EQ(fakes.shell.openedPaths.value(1), first);
}

// A grab handed out with the padding byte of its pixels as the server left it is saved first and
// made opaque before the preview and the clipboard share it: never copied for that, never seen
// with a transparent pixel.
TEST_F(CaptureToolbar, PaddingLeftByTheGrabIsMadeOpaqueBeforeThePictureIsShared)
{
    fakes.screen.leavesPadding = true;
    w->ShowCaptureToolbar();
    ASSERT_TRUE(w->AutoClipboard());
    w->CaptureFullScreen();
    const QImage &canvas = w->ImgMain->picture().image;
    const auto opaque = [](const QImage &image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(reinterpret_cast<const QRgb *>(image.constScanLine(y))[x]) != 255)
                    return false;
        return !image.isNull();
    };
    EXPECT_TRUE(opaque(canvas));
    EXPECT_EQ(toolbar()->ImgPreView->picture().image.constBits(), canvas.constBits());
    ASSERT_FALSE(fakes.clipboard.images.isEmpty());
    EXPECT_TRUE(opaque(fakes.clipboard.images.last()));
    EXPECT_EQ(QImage(saved("1.jpg")).size(), canvas.size());
}

// Each window put away for a capture is handed over for blanking while still shown (a desktop
// may keep showing it a moment after it left); the one kept in the picture is not.
TEST_F(CaptureToolbar, WindowsPutAwayAreBlankedWhileStillShown)
{
    w->ShowCaptureToolbar();
    w->CaptureFullScreen();
    EXPECT_EQ(fakes.screen.blanked, (QList<QWindow *>{toolbar()->windowHandle(), w->windowHandle()}));
    fakes.screen.blanked.clear();
    w->CaptureFullScreen(toolbar());
    EXPECT_FALSE(fakes.screen.blanked.contains(toolbar()->windowHandle()));
}

TEST_F(CaptureToolbar, ClosingInAnyWayLeavesCaptureModeAndBringsTheWindowBack)
{
    w->GrabMenuClick();
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    ASSERT_FALSE(w->isVisible());
    ASSERT_TRUE(capturing());
    toolbar()->BtnCloseClick();
    EXPECT_FALSE(toolbar()->isVisible());
    EXPECT_FALSE(capturing());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->borderless());
    EXPECT_EQ(w->geometry().size(), QSize(w->SavedWidth, w->SavedHeight));

    w->GrabMenuClick();
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    toolbar()->close();
    EXPECT_FALSE(capturing());
    EXPECT_TRUE(w->isVisible());

    // Hotkey 5 leaves capture mode but keeps the toolbar, whose close then restores once more.
    w->GrabMenuClick();
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    fakes.hotkeys.press(5);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(toolbar()->isVisible());
    w->hide();
    toolbar()->close();
    EXPECT_TRUE(w->isVisible());
}

TEST_F(CaptureToolbar, ToolbarButtonsCaptureAndClosingAtExitLeavesTheWindowAlone)
{
    w->GrabMenuClick();
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    toolbar()->BtnMouseScreenCutClick();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ToolMode, 5);
    EXPECT_TRUE(toolbar()->isVisible());
    EXPECT_EQ(toolbar()->LblHint->text(), TxtRegionCaptureHelp);
    dragOnCanvas(QPoint(50, 50), QPoint(60, 70));
    toolbar()->BtnFullScreenClick();
    EXPECT_EQ(entries().size(), 3);

    w->close();
    toolbar()->close();
    EXPECT_FALSE(w->isVisible()) << "an ending program does not show its window again";
}

TEST_F(CaptureToolbar, HiddenWindowComesBackWhenNothingElseCould)
{
    // Hotkey 5 is held by another program, so custom capture keeps the window; a region capture
    // by hotkey 4 then must not hide it for good after the save.
    fakes.hotkeys.takenByOthers.insert(fake::FakeHotkeys::combination(0, 27));
    w->MnUDScreenCutClick();
    ASSERT_TRUE(w->isVisible());
    fakes.hotkeys.press(4);
    ASSERT_EQ(w->ToolMode, 5);
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    EXPECT_TRUE(QFileInfo::exists(saved("1.jpg")));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->borderless());
    EXPECT_EQ(w->ToolMode, 0) << "the selection is over";

    // With hotkey 5 registered the window stays hidden: that key brings it back.
    fakes.hotkeys.takenByOthers.clear();
    w->MnUDScreenCutClick();
    ASSERT_FALSE(w->isVisible());
    fakes.hotkeys.press(4);
    dragOnCanvas(QPoint(10, 10), QPoint(40, 30));
    EXPECT_FALSE(w->isVisible());
    fakes.hotkeys.press(5);
    EXPECT_TRUE(w->isVisible());
}
