#pragma once

#include "platform/ScreenGrabber.h"
#include "platform/x11/XcbConnection.h"

#include <xcb/shm.h>

namespace tiv::x11 {

// Reads the root window. The shared-memory segment is kept between grabs, since allocating and
// attaching one costs as much as the copy itself.
class X11ScreenGrabber : public ScreenGrabber {
public:
    explicit X11ScreenGrabber(XcbConnection &connection);
    ~X11ScreenGrabber() override;

    QRect desktopRect() override;
    std::optional<ForegroundWindow> foregroundWindow() override;
    QImage grab(const QRect &screenRect) override;

private:
    bool grabShm(const QRect &area, QImage &out, const QPoint &at);
    bool grabPlain(const QRect &area, QImage &out, const QPoint &at);
    bool ensureSegment(size_t bytes);
    void releaseSegment();
    xcb_window_t topLevelOf(xcb_window_t window);
    QRect rootRectOf(xcb_window_t window);

    XcbConnection &x_;
    bool shmAvailable_ = false;
    xcb_shm_seg_t segment_ = 0;
    int shmId_ = -1;
    void *shmData_ = nullptr;
    size_t shmSize_ = 0;
};

}  // namespace tiv::x11
