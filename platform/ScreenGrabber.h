#pragma once

#include <QImage>
#include <QRect>
#include <optional>

namespace tiv {

// Screen rectangles of the window that has the input focus, in device pixels.
struct ForegroundWindow {
    QRect frame;   // the whole window, window-manager frame and title bar included
    QRect client;  // the client area only
};

// Reads pixels off the desktop. All rectangles are screen coordinates in device pixels.
class ScreenGrabber {
public:
    virtual ~ScreenGrabber() = default;
    virtual QRect desktopRect() = 0;
    virtual std::optional<ForegroundWindow> foregroundWindow() = 0;
    // Pixels of the screen area, Format_RGB32; parts outside the screen come back black.
    // A null image means the grab failed.
    virtual QImage grab(const QRect &screenRect) = 0;
};

}  // namespace tiv
