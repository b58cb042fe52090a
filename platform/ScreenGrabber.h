#pragma once

#include <QImage>
#include <QRect>
#include <optional>

class QWindow;

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
    PermissionNeeded,  // the desktop asks the user first, and only for the program's focused window
    Abandoned,         // the wait for the desktop was given up (Esc, or another capture command)
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
    // The same, except that the padding byte of each pixel may be left as the desktop handed it
    // over (`paddingLeft` says whether it was); MakeOpaque must then run before anything but the
    // picture writers, which never read that byte, takes the pixels. A capture thus writes its
    // file before that pass over every pixel.
    virtual QImage grabLeavingPadding(const QRect &screenRect, bool &paddingLeft)
    {
        paddingLeft = false;
        return grab(screenRect);
    }
    virtual GrabFailure lastFailure() const = 0;
    // Whether the pictures grabbed from now on carry the mouse pointer where the desktop draws it
    // into them itself (wlroots' screencopy). X draws it into none: the program lays the
    // CursorSource's image over them.
    virtual void setPointerInPictures(bool /*shown*/) {}
    // Whether a window may be put anywhere on the desktop, over every other window (X). Where it
    // may not (Wayland), a window is laid over a screen by making it full-screen there, and a
    // desktop of several screens takes one window each.
    virtual bool placesWindows() const { return true; }
    // Notes which window of another program has the keyboard focus, before this program takes it
    // to cover the desktop; giveFocusBack() returns it there if that window is still shown.
    virtual void rememberFocus() {}
    virtual void giveFocusBack() {}
    // Called right before the program hides one of its windows for a capture. Where the desktop
    // keeps showing a window's last picture for a while after it left, the grabber may empty that
    // picture first, so that the grab need not wait until the desktop lets go of the window.
    virtual void blankBeforeHiding(QWindow * /*window*/) {}

    // Where the desktop hands out the active window's own pictures (KDE), that window with or
    // without its frame: std::nullopt where it does not, a null image when it failed.
    virtual std::optional<QImage> activeWindowPicture(bool /*withFrame*/) { return std::nullopt; }
    // Whether that picture is of a window the user picks in the desktop's own chooser.
    virtual bool userPicksWindow() { return false; }
    // Where the desktop asks the user once before giving a program pixels (GNOME), and asks only
    // for a program whose window has the focus: whether it has not been asked yet, and the
    // question itself, put while the program's window is shown. None once allowed.
    virtual bool permissionUnasked() { return false; }
    virtual GrabFailure askPermission() { return GrabFailure::None; }
    // Whether the desktop remembers a refusal, and forgetting it so that the next capture asks.
    virtual bool refusalRemembered() { return false; }
    virtual bool forgetRefusal() { return false; }
};

}  // namespace tiv
