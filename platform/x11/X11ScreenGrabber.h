#pragma once

#include "platform/ScreenGrabber.h"
#include "platform/x11/SegmentShelf.h"
#include "platform/x11/WindowFocus.h"
#include "platform/x11/XcbConnection.h"

#include <memory>

namespace tiv::x11 {

// Reads the root window. The server writes the pixels straight into the picture's memory, a
// shared segment that goes back to the shelf when the picture goes and is reused from there,
// since making and attaching a new one costs as much as the grab itself.
class X11ScreenGrabber : public ScreenGrabber {
public:
    explicit X11ScreenGrabber(XcbConnection &connection);
    ~X11ScreenGrabber() override;

    QRect desktopRect() override;
    std::optional<ForegroundWindow> foregroundWindow() override;
    QImage grab(const QRect &screenRect) override;
    QImage grabLeavingPadding(const QRect &screenRect, bool &paddingLeft) override;
    GrabFailure lastFailure() const override { return failure_; }
    void rememberFocus() override { focus_.remember(); }
    void giveFocusBack() override { focus_.giveBack(); }

private:
    std::optional<ForegroundWindow> findForegroundWindow();
    QImage grabArea(const QRect &screenRect, bool leavePadding, bool &paddingLeft);
    QImage grabShared(const QRect &area, bool opaque);
    bool grabPlain(const QRect &area, QImage &out, const QPoint &at);
    xcb_window_t topLevelOf(xcb_window_t window);
    QRect rootRectOf(xcb_window_t window);

    XcbConnection &x_;
    std::shared_ptr<SegmentShelf> shelf_;  // null when the server offers no shared memory
    GrabFailure failure_ = GrabFailure::None;
    FocusMemory focus_;
};

}  // namespace tiv::x11
