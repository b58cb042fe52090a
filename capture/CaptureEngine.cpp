#include "app/TFrmMain.h"

#include "app/VirtualKey.h"
#include "capture/CursorOverlay.h"
#include "capture/DelayedCapture.h"
#include "capture/GrabFailureText.h"
#include "capture/KeepCapture.h"
#include "capture/PrecisePointer.h"
#include "capture/TFrmShortcutSet.h"
#include "common/CatchAll.h"
#include "common/OpaquePixels.h"
#include "editing/ImageControl.h"
#include "platform/WindowDepartureWatch.h"
#include "text/InterfaceText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace tiv {

bool TFrmMain::GrabScreen(QImage &bitmap, int mode, bool withCursor)
{
    bool grabbed = false;
    CapturePaddingLeft = false;
    CatchAll([&] {
        ScreenGrabber *screen = platform_.screen;
        if (!screen)
            return;
        QRect area;
        if (mode == GrabDesktop) {
            area = screen->desktopRect();
        } else if (mode == GrabForegroundWindow || mode == GrabForegroundClient) {
            if (screen->userPicksWindow())
                PnlHint->setText(WindowChooserText());
            if (auto picture = screen->activeWindowPicture(mode == GrabForegroundWindow)) {
                if (picture->isNull())
                    return;
                bitmap = std::move(*picture);
                grabbed = true;
                return;
            }
            const auto window = screen->foregroundWindow();
            if (!window)
                return;
            area = mode == GrabForegroundWindow ? window->frame : window->client;
        } else {
            return;
        }
        if (platform_.cursor && withCursor)
            platform_.cursor->askAhead();
        // Where the desktop draws the pointer into its pictures itself (screencopy).
        screen->setPointerInPictures(withCursor);
        bool paddingLeft = false;
        QImage pixels = screen->grabLeavingPadding(area, paddingLeft);
        if (pixels.isNull())
            return;
        bitmap = std::move(pixels);
        CapturePaddingLeft = paddingLeft;
        grabbed = true;
        if (withCursor)
            DrawCursorOverlay(bitmap, area.x(), area.y());
    });
    return grabbed;
}

void TFrmMain::SettleCapturePadding()
{
    if (!CapturePaddingLeft)
        return;
    CapturePaddingLeft = false;
    MakeOpaque(ImgMain->picture().image);
}

void TFrmMain::ReportFailedGrab()
{
    // The window comes back whatever it showed before, or the reason would go unseen.
    PresentCapture(false);
    show();
    PnlHint->setText(GrabFailureText(platform_.screen ? platform_.screen->lastFailure() : GrabFailure::NoService));
    OfferToAskAgain();
}

void TFrmMain::DrawCursorOverlay(QImage &bitmap, int originX, int originY)
{
    CatchAll([&] {
        if (!platform_.cursor)
            return;
        if (const auto cursor = platform_.cursor->currentCursor())
            BlendCursor(bitmap, *cursor, QPoint(originX, originY));
    });
}

QPointF TFrmMain::CanvasMousePosition(const QMouseEvent &event) const
{
    const qreal ratio = ImgMain->devicePixelRatioF();
    if (ratio == 1.0 || !platform_.cursor)
        return event.position();
    return PrecisePosition(event, ratio, platform_.cursor->pointerPosition());
}

void TFrmMain::HideForCapture(const QWidget *keptInPicture)
{
    // The program's other windows would be grabbed with the desktop; the watermark settings
    // close as for a region capture.
    HideWatermarkSettings();
    ShownBeforeCapture = isVisible();
    // The window leaves the screen only once the server has the request and the programs below
    // have repainted; grabbing at once would put our own window into the picture. A Wayland
    // grabber waits for the compositor itself.
    const bool grabberWaits = platform_.screen && !platform_.screen->placesWindows();
    HideAndWaitUntilGone(platform_.departures, [this, keptInPicture] {
        const bool othersHidden = OtherWindows.hide({this, keptInPicture}, [this](QWidget &window) { BlankBeforeHiding(window); });
        if (!ShownBeforeCapture && !othersHidden)
            return false;
        if (ShownBeforeCapture && platform_.places)
            platform_.places->notePlace(windowTitle());
        BlankBeforeHiding(*this);
        hide();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }, grabberWaits ? 0 : HideSettleMilliseconds);
}

void TFrmMain::BlankBeforeHiding(QWidget &window)
{
    if (platform_.screen && window.isVisible())
        platform_.screen->blankBeforeHiding(window.windowHandle());
}

void TFrmMain::RestoreAfterCapture()
{
    // Done by now unless the capture stopped short of its save.
    SettleCapturePadding();
    if (ShownBeforeCapture)
        show();
    ReturnToOwnPlace();
    BringBackOwnWindows();
}

void TFrmMain::HideBeforeRegionGrab()
{
    // As for the other captures, a Wayland grabber waits for the compositor itself.
    const bool grabberWaits = platform_.screen && !platform_.screen->placesWindows();
    HideAndWaitUntilGone(platform_.departures, [this] {
        OtherWindows.hide({this}, [this](QWidget &window) { BlankBeforeHiding(window); });
        BlankBeforeHiding(*this);
        hide();
        QCoreApplication::processEvents();
        return true;
    }, grabberWaits ? 0 : SettleMilliseconds);
}

namespace {

// Grabs into the canvas picture. A failed grab keeps the picture it had and is reported, so that
// the old picture is never saved as if it were the new capture.
bool grabInto(TFrmMain &w, int mode, bool withCursor)
{
    QImage bitmap = w.ImgMain->picture().image;
    if (!w.GrabScreen(bitmap, mode, withCursor)) {
        w.ReportFailedGrab();
        return false;
    }
    w.ImgMain->setPicture(CanvasPicture::bitmap(std::move(bitmap)));
    w.PnlPic->horizontalScrollBar()->setValue(0);
    w.PnlPic->verticalScrollBar()->setValue(0);
    return true;
}

}  // namespace

void TFrmMain::CaptureFullScreen(const QWidget *keptInPicture)
{
    const QScopedValueRollback underway(CaptureUnderway, true);
    CatchAll([&] {
        if (!PictureFolderUsable() || !CapturePermitted())
            return;
        AbandonDrag();
        HideForCapture(keptInPicture);
        if (!grabInto(*this, GrabDesktop, true))
            return;
        ApplyAutoWatermark(ImgMain);
        // The file first: laying out and showing the picture can wait until it is on disk.
        KeepCapture(*this);
        ImgMain->sizeToPicture();
        if (!ContinuousCapture()) {
            hide();
            SbPicName->hide();
            ShowPicturePanel();
            show();
            SbPicName->show();
            PresentCapture(true);
        }
    });
    CatchAll([&] { RestoreAfterCapture(); });
}

namespace {

void finishWindowCapture(TFrmMain &w)
{
    w.ApplyAutoWatermark(w.ImgMain);
    KeepCapture(w);
    w.ImgMain->sizeToPicture();
    if (!w.ContinuousCapture()) {
        w.ShowPicturePanel();
        w.show();
        w.SbPicName->show();
        w.PresentCapture(true);
    }
}

}  // namespace

void TFrmMain::CaptureActiveWindow()
{
    const QScopedValueRollback underway(CaptureUnderway, true);
    CatchAll([&] {
        if (!PictureFolderUsable() || !CapturePermitted())
            return;
        AbandonDrag();
        HideForCapture();
        EnterPictureOnlyView();
        if (grabInto(*this, GrabForegroundWindow, true))
            finishWindowCapture(*this);
    });
    CatchAll([&] { RestoreAfterCapture(); });
}

void TFrmMain::CaptureActiveClientArea()
{
    const QScopedValueRollback underway(CaptureUnderway, true);
    CatchAll([&] {
        if (!PictureFolderUsable() || !CapturePermitted())
            return;
        AbandonDrag();
        HideForCapture();
        hide();
        SbPicName->hide();
        if (grabInto(*this, GrabForegroundClient, true))
            finishWindowCapture(*this);
    });
    CatchAll([&] { RestoreAfterCapture(); });
}

void TFrmMain::StartRegionCapture(bool withPointer)
{
    const QScopedValueRollback underway(CaptureUnderway, true);
    CatchAll([&] {
        if (!PictureFolderUsable() || !CapturePermitted())
            return;
        AbandonDrag();
        // Asked before the cover takes the keyboard, which would then be the focus.
        if (!Cover.shown() && platform_.screen)
            platform_.screen->rememberFocus();
        HideWatermarkSettings();
        // Taken while the window still has its frame and state; the cover gives them back.
        if (!Cover.covering() && isVisible() && platform_.places)
            platform_.places->notePlace(windowTitle());
        Cover.rememberPlace();
        HideBeforeRegionGrab();
        // The user sees the pointer where it was when the desktop froze, unless the region is to
        // be read or pinned, where it would only hide what lies below it.
        if (!grabInto(*this, GrabDesktop, withPointer))
            return;
        // Shown at once, so nothing waits for a save here.
        SettleCapturePadding();
        ImgMain->sizeToPicture();
        ImgMain->show();
        ToolMode = 5;
        EnterPictureOnlyView();
        CoverScreen();
        BringBackOwnWindows();
    });
}

void TFrmMain::EnterPictureOnlyView()
{
    WebBrowser1->hide();
    ChromeShown = false;
    for (QWidget *w : {static_cast<QWidget *>(SbLeft), static_cast<QWidget *>(Splitter3),
                       static_cast<QWidget *>(SplitterTop), static_cast<QWidget *>(SbPicName),
                       static_cast<QWidget *>(PnlTop), static_cast<QWidget *>(ImgLeft),
                       static_cast<QWidget *>(ImgRight), static_cast<QWidget *>(MemoText),
                       static_cast<QWidget *>(PnlBottom), static_cast<QWidget *>(PnlHint),
                       static_cast<QWidget *>(LbBindingHint)})
        w->hide();
    PnlPic->setFrameShape(QFrame::NoFrame);
    SbAvert->hide();
    HideWatermarkSettings();
    // A modal dialog left open would take every click meant for the frozen desktop.
    if (FrmShortcutSet)
        FrmShortcutSet->hide();
    setBorderless(true);
}

void TFrmMain::LeaveCaptureMode()
{
    UnregisterCaptureHotkeys();
    // Leaving capture mode ends a pending selection, also when the Esc release that would have
    // done so went to the desktop's grab instead of to this window.
    EndPendingTool();
    // The normal bounds below replace whatever the frozen desktop covered.
    Cover.forget();
    BringBackOwnWindows();
    // A manager still busy un-maximising a shown window drops the bounds asked for meanwhile
    // and puts back a size of its own; a hidden window is mapped afresh with both.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        hide();
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    setBorderless(false);
    if (windowFlags() & Qt::WindowStaysOnTopHint)
        setWindowFlag(Qt::WindowStaysOnTopHint, false);
    RestoreNormalBounds();
    show();
    PresentCapture(false);
    ReturnToOwnPlace();
}

void TFrmMain::CoverScreen()
{
    Cover.setKeyHandler([this](const QKeyEvent &key) { return FrozenDesktopKey(key); });
    // Settled once the hide is done: the crop of a continuous run leaves the window hidden, the
    // other paths show it again.
    Cover.setHiddenHandler([this] {
        QTimer::singleShot(0, this, [this] { CatchAll([&] { CoverLeftScreen(); }); });
    });
    if (platform_.screen && !platform_.screen->placesWindows())
        Cover.coverEachScreen(*ImgMain);
    else
        Cover.cover(platform_.screen ? platform_.screen->desktopRect() : QRect());
    KeepToolbarAbove();
}

bool TFrmMain::FrozenDesktopKey(const QKeyEvent &key)
{
    const int modifiers = (key.modifiers() & Qt::ControlModifier ? int(ModCtrl) : 0) |
                          (key.modifiers() & Qt::ShiftModifier ? int(ModShift) : 0) |
                          (key.modifiers() & Qt::AltModifier ? int(ModAlt) : 0);
    const int id = HotkeyIdOfKey(Hotkeys, Conflicts, unsigned(VirtualKeyOf(key)), modifiers);
    if (key.key() == Qt::Key_Escape && id != HotkeyLeave) {
        // Esc always leads out of the frozen desktop. Unless it is also the leave hotkey, capture
        // mode stays on for the other hotkeys.
        EndPendingTool();
        PresentCapture(false);
        return true;
    }
    if (!id)
        return false;
    HotkeyMessage(id);
    return true;
}

void TFrmMain::UncoverScreen()
{
    Cover.uncover();
    ReturnToOwnPlace();
    BringBackOwnWindows();
}

void TFrmMain::ReturnToOwnPlace()
{
    // Shown again after a capture: on its own workspace, not among the windows the user looks at.
    if (isVisible() && platform_.places)
        platform_.places->returnToPlace(windowTitle());
}

void TFrmMain::CoverLeftScreen()
{
    if (CaptureUnderway || Cover.shown() || Ending())
        return;
    BringBackOwnWindows();
    if (!isVisible() && platform_.screen)
        platform_.screen->giveFocusBack();
}

void TFrmMain::RestoreNormalBounds()
{
    move(SavedLeft, SavedTop);
    resize(SavedWidth, SavedHeight);
}

void TFrmMain::GrabMenuClick()
{
    if (!EnsurePictureFolder())
        return;
    // A refusal is told by the note it leaves in the hint line, which the save messages of the
    // captures to come do not replace.
    RegisterCaptureHotkeys();
    StartRegionCapture();
    if (ContinuousCapture())
        ShowCaptureToolbar();
    WebBrowserTop->move(-1000, -1000);
}

void TFrmMain::MnUDScreenCutClick()
{
    ShowPicturePanel();
    // Without system-wide keys the window stays, showing how to capture from the desktop's keys.
    if (RegisterCaptureHotkeys() && platform_.hotkeys->systemWide())
        hide();
    WebBrowserTop->move(-1000, -1000);
}

void TFrmMain::BtnFullScreenCutClick()
{
    CaptureFullScreen();
}

void TFrmMain::FullScreenMenuItemClick()
{
    // Acts only in a picture full-screen view, which no command enters.
}

void TFrmMain::HotkeyMessage(int id)
{
    // Esc pressed in one of the program's own dialogs is meant for that dialog, hotkey or not.
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (dialog && dialog->isActiveWindow() && id >= 1 && id <= HotkeyCount &&
        HotkeyKeyCode(Hotkeys[id - 1]) == VkEscape && HotkeyModifiers(Hotkeys[id - 1]) == 0) {
        dialog->reject();
        return;
    }
    CatchAll([&] {
        switch (id) {
        case 1: CaptureFullScreen(); break;
        case 2: CaptureActiveWindow(); break;
        case 3: CaptureActiveClientArea(); break;
        case 4: StartRegionCapture(); break;
        case 5: LeaveCaptureMode(); break;
        case HotkeyCancelDelay: CancelDelayedCapture(); break;
        default: break;
        }
    });
}

void TFrmMain::ShowPicturePanel()
{
    // Showing the panel brings it in front of the empty web view that shares its place.
    PnlPic->show();
    PnlPic->raise();
}

bool TFrmMain::borderless() const
{
    return windowFlags() & Qt::FramelessWindowHint;
}

void TFrmMain::setBorderless(bool on)
{
    // The frozen desktop where windows are not placed (Wayland) is full-screen, without a frame
    // anyway; changing the frame would re-create the native window for every capture.
    const bool coverWithoutFrame = Cover.covering() && platform_.screen && !platform_.screen->placesWindows();
    if (borderless() == on || (on && coverWithoutFrame))
        return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, on);
    // Changing the frame re-creates the native window, which hides it.
    if (wasVisible)
        show();
}

}  // namespace tiv
