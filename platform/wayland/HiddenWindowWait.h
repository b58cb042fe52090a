#pragma once

#include "platform/wayland/SwayWindowFinder.h"

#include <QElapsedTimer>
#include <QObject>

namespace tiv::wayland {

// A window just hidden may still be on the screen the compositor shows, and in its picture. The
// wait after hiding lasts no longer than the fixed wait it replaces, CeilingMs from the hide.
class HiddenWindowWait : public QObject {
public:
    static constexpr int CeilingMs = 150;

    explicit HiddenWindowWait(const SwayWindowFinder &windows);
    // What is left of CeilingMs since a window of ours was last hidden; 0 long after.
    int remainingMs() const;
    // Where sway tells which windows it holds: waits until it no longer holds one the toolkit
    // hid (from then on it also tells the active window without ours). False elsewhere.
    bool settle();
    // Whether a window hidden since the last wait was tiled beside other programs' windows on a
    // screen shown, which are now laid out anew: sway draws the screen without it only once they
    // have redrawn. Otherwise the screen's next frame is already without it.
    bool othersRedrawing() const { return othersRedrawing_; }
    // Waits the rest of CeilingMs out, for a desktop that tells nothing.
    void waitOut();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether every window of ours sway holds is one the toolkit still shows.
    bool compositorCaughtUp() const;

    const SwayWindowFinder &windows_;
    QElapsedTimer sinceHide_;
    bool othersRedrawing_ = false;
};

}  // namespace tiv::wayland
