#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace tiv {

class ImageControl;
class ScreenPane;

// Lays a window over the whole desktop, every monitor one to one, above every other window, and
// gives it back exactly the place, size, state and frame it had before.
//
// The covering window is kept away from the window manager: managers keep a full-screen window
// to one monitor, stack their own windows over everything else, and hand a re-framed window back
// at a place of their choosing. While it covers, the window holds the keyboard, so that Esc
// reaches it even when another program has taken that key; the key handler then stands in for
// the desktop's hotkeys, which see nothing while the keyboard is held.
//
// Where windows cannot be placed (Wayland), the window is made full-screen on the first screen
// instead, and every screen gets a pane showing its part of the canvas picture, each screen at its
// own scale; the other screens' panes are windows of their own, shown and hidden with the window.
class DesktopCover : public QObject {
public:
    explicit DesktopCover(QWidget &window);
    ~DesktopCover() override;

    bool covering() const { return covering_; }
    // Whether the frozen desktop is on the screen now, not only its place remembered.
    bool shown() const;
    // Sees each key pressed on the covering window; true takes the key, release included.
    void setKeyHandler(std::function<bool(const QKeyEvent &)> handler) { onKey_ = std::move(handler); }
    // Told when the covering window is hidden while it still covers (between the captures of a
    // continuous run): then the window may or may not come back.
    void setHiddenHandler(std::function<void()> handler) { onHidden_ = std::move(handler); }

    // Remembers the window's place, unless one is remembered already; until it is given back,
    // the first place is kept.
    void rememberPlace();
    // `desktop` is in device pixels; the place is remembered first, as above.
    void cover(const QRect &desktop);
    // Covers each screen with its part of the canvas's picture, a picture of the whole desktop.
    void coverEachScreen(ImageControl &canvas);
    // Gives the remembered place back; the window is shown again only if it was shown.
    void uncover();
    // Drops the remembered place and leaves the window hidden: it is given other bounds instead.
    void forget();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setCoverFlags(bool on);
    void show();
    void showPanes(bool shown);
    void dropPanes();
    void release();
    bool coverWindow(QObject *watched) const;

    QWidget &window_;
    std::function<bool(const QKeyEvent &)> onKey_;
    std::function<void()> onHidden_;
    bool covering_ = false;
    bool fullScreened_ = false;  // by coverEachScreen(), which leaves the window's flags as they are
    // Dropped panes go later: the last one may be dropped from its own mouse handler.
    std::vector<QPointer<ScreenPane>> panes_;
    int takenKey_ = 0;  // its release is taken too, also when it comes after the cover is gone
    QRect bounds_;
    QRect normalBounds_;
    Qt::WindowStates state_;
};

}  // namespace tiv
