#pragma once

#include "platform/wayland/SwayWindowFinder.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWindow>

namespace tiv::wayland {

// A window just hidden may still be on the screen the compositor shows, and in its picture. The
// wait after hiding lasts no longer than the fixed wait it replaces, CeilingMs from the hide,
// unless sway is known to keep showing it longer (see layoutStalled()).
class HiddenWindowWait : public QObject {
public:
    static constexpr int CeilingMs = 150;
    // sway lays tiled windows out anew once each window it resized has drawn itself at its new
    // size, or after this long (its own fixed timeout), showing the old layout until then.
    static constexpr int SwayLayoutTimeoutMs = 200;
    // How long after that timeout the frame of the new layout is looked for.
    static constexpr int AfterLayoutTimeoutMs = 100;

    explicit HiddenWindowWait(const SwayWindowFinder &windows);
    // What is left of the wait since a window of ours was last hidden; 0 long after.
    int remainingMs() const;
    // Where sway tells which windows it holds: waits until it no longer holds one the toolkit
    // hid (from then on it also tells the active window without ours), and, where its layout
    // stalls, until its timeout has passed. False elsewhere.
    bool settle();
    // Whether a window hidden since the last wait was tiled beside other windows on a screen
    // shown, which are now laid out anew: sway draws the screen without it only once they have
    // redrawn. Otherwise the screen's next frame is already without it.
    bool othersRedrawing() const { return othersRedrawing_; }
    // Whether two of our windows tiled side by side were both hidden: sway resized the one that
    // left second for the first one's leaving and waits for it to redraw, which it never does.
    bool layoutStalled() const;
    // Waits the rest out, for a desktop that tells nothing.
    void waitOut();
    // Notes that `window`, about to be hidden, was blanked first (see blankToolkitWindow()): it
    // shows nothing for as long as the desktop keeps showing it, until it is shown again.
    void noteBlanked(QWindow *window);
    // Whether every window hidden since the last wait (menus and tips aside) had been blanked.
    bool onlyBlankedHidden() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether every window of ours sway holds is one the toolkit still shows.
    bool compositorCaughtUp() const;

    const SwayWindowFinder &windows_;
    QElapsedTimer sinceHide_;
    // Since the first of the windows hidden one after the other.
    QElapsedTimer sinceFirstHide_;
    bool othersRedrawing_ = false;
    // Whether sway showed any window hidden since the last wait (or did not tell).
    bool anyShown_ = false;
    QStringList hidden_;
    QList<QPointer<QWindow>> hiddenWindows_;
    QList<QPointer<QWindow>> blanked_;
    QStringList ownNeighbours_;
};

}  // namespace tiv::wayland
