#pragma once

#include "platform/CursorSource.h"
#include "platform/x11/XcbConnection.h"

namespace tiv::x11 {

// The cursor image with its hot spot, as XFixes hands it out.
class X11CursorSource : public CursorSource {
public:
    explicit X11CursorSource(XcbConnection &connection);
    std::optional<CursorImage> currentCursor() override;
    std::optional<QPoint> pointerPosition() override;

private:
    XcbConnection &x_;
    bool available_ = false;
};

}  // namespace tiv::x11
