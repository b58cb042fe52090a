#include "app/TFrmMain.h"

#include "app/CommandLine.h"

namespace tiv {

void TFrmMain::RunRequest(const CommandLineRequest &request)
{
    if (request.action == CommandLineRequest::Usage)
        return;
    if (request.action == CommandLineRequest::Capture && request.delaySeconds) {
        StartDelayedCapture(request.captureKind, request.delaySeconds);
        return;
    }
    if (request.action == CommandLineRequest::Capture
        && (request.captureKind == QLatin1String("text") || request.captureKind == QLatin1String("pin"))) {
        RunCaptureKind(request.captureKind);
        return;
    }
    if (const int id = HotkeyIdOf(request)) {
        // The same commands the hotkeys run, whether or not capture mode is on: a key bound to
        // the command line in the desktop's settings is always there.
        HotkeyMessage(id);
        return;
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    // The toolkit asks the desktop to activate the window only with a token from a user's input
    // to it; a second start from the desktop's launcher passes the launcher's token on where it
    // had one, and sway is told through its IPC in any case.
    if (platform_.activation && !request.activationToken.isEmpty())
        platform_.activation->activate(windowHandle(), request.activationToken);
    if (platform_.places)
        platform_.places->bringForward(windowTitle());
}

}  // namespace tiv
