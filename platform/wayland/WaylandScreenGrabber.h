#pragma once

#include "platform/ScreenGrabber.h"
#include "platform/wayland/HiddenWindowWait.h"
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
    bool placesWindows() const override;

    // How long the portal may take, a first-use permission question on some desktops included.
    static constexpr int AnswerTimeoutMs = 20000;

private:
    // The whole desktop's picture, and where its top left lies in screen coordinates.
    QImage desktopPicture(QPoint *origin);
    QImage portalScreenshot();

    QDBusConnection bus_;
    SwayWindowFinder windows_;
    HiddenWindowWait hiddenWait_;
    GrabFailure failure_ = GrabFailure::None;
};

}  // namespace tiv::wayland
