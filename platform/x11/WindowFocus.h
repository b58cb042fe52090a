#pragma once

#include "platform/x11/XcbConnection.h"

#include <QRect>

namespace tiv::x11 {

// Whether a window is one the user can mean by "the active window": still on the screen, not one
// of this program's own, not a part of the window manager or of the desktop itself, and more than
// a few pixels in size. Managers leave all of these in _NET_ACTIVE_WINDOW or the input focus when
// the window that had the focus goes away.
bool IsCapturableWindow(XcbConnection &x, xcb_window_t window, const QRect &onScreen);

// The keyboard focus of another program, taken before this program covers the desktop and given
// back once the cover goes: some managers (icewm, i3) leave the focus on the root window when an
// unmanaged window that had it is unmapped, and the user's program then gets no keys.
class FocusMemory {
public:
    explicit FocusMemory(XcbConnection &connection) : x_(connection) {}
    void remember();
    void giveBack();

private:
    bool viewable(xcb_window_t window);

    XcbConnection &x_;
    xcb_window_t focus_ = XCB_WINDOW_NONE;
    xcb_window_t active_ = XCB_WINDOW_NONE;
};

}  // namespace tiv::x11
