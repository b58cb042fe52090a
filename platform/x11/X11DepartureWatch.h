#pragma once

#include "platform/WindowDepartureWatch.h"
#include "platform/x11/XcbConnection.h"

#include <xcb/damage.h>

#include <QRect>
#include <QRegion>

#include <memory>
#include <vector>

namespace tiv::x11 {

// Watches the program's top-level windows leave the screen. The server reports when a window, or
// the frame a window manager put around it, is unmapped; a damage record on the root window then
// reports every drawing onto the screen, whoever draws: a program below repainting, the server
// filling in a background, a compositor's next frame. Without a compositor a window is gone once
// every part of it that showed has been drawn over after its unmap. A compositor may still send
// (all or part of) a frame it composed before it saw the unmap, so there it takes a second such
// drawing, or a few sampled rows of the window none of which still holds exactly what it showed.
// Once drawn over, the wait lasts until nothing more is drawn there for a moment (the program
// below drawing what it shows after the server filled in its background), within the ceiling;
// without a compositor it ends at once when every part over what another program draws (a client
// inside its manager's frame, whose decorations the server fills in from the backgrounds the
// manager set) has been drawn after the server's own fill, which is told apart by the sequence
// number of a round trip made when the unmap is seen.
// While a hidden window is known to be on the screen still, the wait goes past its ceiling, up to
// two seconds; once it has been drawn over, the ceiling holds.
class X11DepartureWatch : public WindowDepartureWatch {
public:
    // Null when the server keeps no damage records.
    static std::unique_ptr<X11DepartureWatch> create(XcbConnection &connection);
    ~X11DepartureWatch() override;

    void noteShownWindows() override;
    bool waitUntilGone(std::chrono::milliseconds ceiling) override;

private:
    struct Row {
        int y = 0;
        std::vector<uint32_t> pixels;
    };
    // One of the program's windows as it showed when noted.
    struct Shown {
        xcb_window_t client = XCB_WINDOW_NONE;
        xcb_window_t top = XCB_WINDOW_NONE;  // the child of the root: the frame, if one was put around it
        int stackIndex = 0;
        QRect rect;  // on the screen
        std::vector<Row> rows;
        bool hidden = false;
        bool unmapped = false;
        int drawnOver = 0;  // how many times all of it that showed has been drawn over since the unmap
        bool drawnSinceCheck = false;
        bool gone = false;
        QRegion undrawn;  // what is left to be drawn over this time
        uint32_t unmapSync = 0;  // the round trip made when its unmap was seen; 0 before
        QRegion awaitingPrograms;  // over other windows, and not yet drawn after that round trip
    };
    // Another top-level window when noted: what lies under it does not show, and what lies above
    // it is drawn once uncovered: inside a window manager's frame by the client's program, the
    // frame itself by the server from the backgrounds the manager set.
    struct Above {
        xcb_window_t window = XCB_WINDOW_NONE;
        int stackIndex = 0;
        QRect rect;
        QRect content;  // what a program draws of it: the client inside a frame, else all of it
    };

    X11DepartureWatch(XcbConnection &connection, uint8_t damageEventBase);
    std::vector<xcb_window_t> topLevelsOf(const std::vector<xcb_window_t> &windows);
    void noteStacking(const std::vector<xcb_window_t> &clients, const std::vector<xcb_window_t> &tops, size_t ours);
    std::vector<Row> readRows(const QRect &rect, const std::vector<int> &ys);
    void startWatching();
    void stopWatching();
    void markHidden();
    QRegion visibleArea(const Shown &window) const;
    QRegion overOtherWindows(const Shown &window) const;
    bool drawnByProgramsBelow() const;
    void handle(const xcb_generic_event_t *event);
    static bool barelyAny(const QRegion &area);
    bool checkDrawnOver();
    bool allDrawnOverOnce() const;
    bool everyRowChanged(const Shown &window);
    bool compositorRuns();

    XcbConnection &x_;
    uint8_t damageEventBase_;
    xcb_atom_t clientList_;
    xcb_damage_damage_t damage_ = XCB_NONE;
    bool compositing_ = false;
    std::chrono::steady_clock::time_point lastDrawn_;  // over any hidden window, after its unmap
    std::vector<Shown> shown_;
    std::vector<Above> above_;
};

}  // namespace tiv::x11
