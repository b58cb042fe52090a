// The main window's side of the capture toolbar and of the two settings dialogs.
#include "app/TFrmMain.h"

#include "capture/TFrmToolBar.h"
#include "common/CatchAll.h"
#include "common/HandlerWiring.h"
#include "editing/ImageControl.h"
#include "text/InterfaceText.h"

#include <QLabel>

namespace tiv {

void TFrmMain::ShowCaptureToolbar()
{
    CatchAll([&] {
        if (!CaptureToolbar) {
            CaptureToolbar = std::make_unique<TFrmToolBar>(*this);
            AddToolbarFeatureButtons();
        }
        CaptureToolbar->LeaveOnClose = true;
        CaptureToolbar->LblHint->setText(TxtRegionCaptureHelp);
        // Its kind is settled before it is mapped; changing it on a window the manager is still
        // taking on can leave the window unmapped.
        KeepToolbarAbove();
        CaptureToolbar->show();
        CaptureToolbar->raise();
    });
}

void TFrmMain::KeepToolbarAbove()
{
    // Kept from the window manager only while the frozen desktop is shown; between the captures
    // of a continuous run the manager may move and close it like any window.
    if (CaptureToolbar)
        CaptureToolbar->StayAbove(Cover.shown(), platform_.screen && !platform_.screen->placesWindows() ? this : nullptr);
}

void TFrmMain::BringBackOwnWindows()
{
    // The toolbar's kind is settled before it is mapped again, and it is raised once it is.
    KeepToolbarAbove();
    if (!Cover.shown())
        OtherWindows.restore();
    else if (CaptureToolbar)
        OtherWindows.restore(CaptureToolbar.get());
    KeepToolbarAbove();
}

void TFrmMain::ShowSavedPictureOnToolbar(const QString &path)
{
    if (CaptureToolbar)
        CaptureToolbar->ShowSavedPicture(path, ImgMain->picture());
}

void TFrmMain::KeepWayBack()
{
    if (Ending() || isVisible() || LeaveHotkeyArmed || (CaptureToolbar && CaptureToolbar->isVisible()))
        return;
    ToolMode = 0;
    LeaveCaptureMode();
}

void TFrmMain::wireCaptureWindows()
{
    const auto on = [this](QObject *control, void (TFrmMain::*handler)()) { WireHandler(this, control, handler); };
    const auto onItem = on;
    on(BtnAddWatermark, &TFrmMain::BtnAddWatermarkClick);
    onItem(N23, &TFrmMain::BtnAddWatermarkClick);
    on(BtnWatermarkSet, &TFrmMain::BtnWatermarkSetClick);
    onItem(N22, &TFrmMain::BtnWatermarkSetClick);
    on(BtnSetHotkey, &TFrmMain::BtnSetHotkeyClick);
    onItem(N19, &TFrmMain::BtnSetHotkeyClick);
}

}  // namespace tiv
