#include "app/TFrmMain.h"

#include "capture/GrabFailureText.h"

#include <QMessageBox>

namespace tiv {

bool TFrmMain::CapturePermitted()
{
    ScreenGrabber *screen = platform_.screen;
    if (!screen || !screen->permissionUnasked())
        return true;
    // The desktop puts its question only to the focused window, so the window is shown to ask,
    // and the capture proper is taken after, without it.
    PnlHint->setText(PermissionQuestionText());
    show();
    raise();
    activateWindow();
    if (screen->askPermission() == GrabFailure::None)
        return true;
    ReportFailedGrab();
    return false;
}

void TFrmMain::OfferToAskAgain()
{
    ScreenGrabber *screen = platform_.screen;
    if (!screen || screen->lastFailure() != GrabFailure::Refused || !screen->refusalRemembered())
        return;
    const auto answer = QMessageBox::question(this, windowTitle(), AskAgainQuestion());
    if (answer == QMessageBox::Yes && screen->forgetRefusal())
        PnlHint->setText(AskAgainPromised());
}

}  // namespace tiv
