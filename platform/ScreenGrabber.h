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

// Why the last grab or foreground-window query came back empty.
enum class GrabFailure {
    None,
    Failed,            // the desktop answered, but with no picture
    NoService,         // nothing on this desktop hands programs its pixels
    Refused,           // the desktop or the user said no
    NoActiveWindow,    // no window has the focus
    WindowUnknowable,  // this desktop does not tell programs which window is active
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
    virtual GrabFailure lastFailure() const = 0;
    // Whether a window may be put anywhere on the desktop, over every other window (X). Where it
    // may not (Wayland), a window is laid over a screen by making it full-screen there, and a
    // desktop of several screens takes one window each.
    virtual bool placesWindows() const { return true; }
    // Notes which window of another program has the keyboard focus, before this program takes it
    // to cover the desktop; giveFocusBack() returns it there if that window is still shown.
    virtual void rememberFocus() {}
    virtual void giveFocusBack() {}
};

}  // namespace tiv
