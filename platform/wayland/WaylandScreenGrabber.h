#pragma once

#include "platform/ScreenGrabber.h"
#include "platform/wayland/DesktopLayout.h"
#include "platform/wayland/HiddenWindowWait.h"
#include "platform/wayland/GnomeScreenshotPermission.h"
#include "platform/wayland/KWinScreenShot.h"
#include "platform/wayland/PortalScreenshot.h"
#include "platform/wayland/SwayWindowFinder.h"

#include <QDBusConnection>

namespace tiv::wayland {

// Takes the desktop's pixels from the compositor itself where it offers screencopy (the wlroots
// desktops), else through the desktop portal's Screenshot call, which GNOME, KDE and the wlroots
// desktops serve without asking the user each time. Either way the whole desktop comes as one
// picture, laid out as the portal lays it out; the areas are cut from it.
class WaylandScreenGrabber : public ScreenGrabber {
public:
    WaylandScreenGrabber(QDBusConnection bus, SwayWindowFinder windows);

    QRect desktopRect() override;
    std::optional<ForegroundWindow> foregroundWindow() override;
    QImage grab(const QRect &screenRect) override;
    GrabFailure lastFailure() const override { return failure_; }
    void setPointerInPictures(bool shown) override { pointerShown_ = shown; }
    bool placesWindows() const override;
    std::optional<QImage> activeWindowPicture(bool withFrame) override;
    bool userPicksWindow() override;
    bool permissionUnasked() override;
    GrabFailure askPermission() override;
    bool refusalRemembered() override;
    bool forgetRefusal() override;
    void blankBeforeHiding(QWindow *window) override;

private:
    // The whole desktop's picture, and where its top left lies in screen coordinates.
    QImage desktopPicture(QPoint *origin);
    DesktopLayout layout();
    QImage portalScreenshot(bool interactive);
    void explainPortalFailure();

    QDBusConnection bus_;
    SwayWindowFinder windows_;
    HiddenWindowWait hiddenWait_;
    PortalScreenshot portal_;
    GnomeScreenshotPermission permission_;
    KWinScreenShot kwin_;
    GrabFailure failure_ = GrabFailure::None;
    bool pointerShown_ = true;
    // GNOME paints the picture of its portal from what the screen holds as the call reaches it,
    // where a window just hidden stays until its closing transition has run (with animations off
    // it still runs for 1 ms, over the next two frames): the program's windows are blanked first.
    bool blanksWindows_ = false;
    std::optional<DesktopLayout> layout_;
    QString layoutScreens_;
};

}  // namespace tiv::wayland
