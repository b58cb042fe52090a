#pragma once

#include "platform/CursorSource.h"
#include "platform/x11/XcbConnection.h"

#include <xcb/xfixes.h>

namespace tiv::x11 {

// The cursor image with its hot spot, as XFixes hands it out.
class X11CursorSource : public CursorSource {
public:
    explicit X11CursorSource(XcbConnection &connection);
    std::optional<CursorImage> currentCursor() override;
    void askAhead() override;
    std::optional<QPoint> pointerPosition() override;

private:
    XcbConnection &x_;
    bool available_ = false;
    std::optional<xcb_xfixes_get_cursor_image_cookie_t> asked_;
};

}  // namespace tiv::x11
