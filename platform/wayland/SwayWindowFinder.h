#pragma once

#include "platform/ScreenGrabber.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tiv::wayland {

// Asks sway over its IPC socket (native byte order) which window has the focus.
class SwayWindowFinder {
public:
    // The socket is the one sway names in SWAYSOCK; empty when this is no sway session.
    explicit SwayWindowFinder(QString socketPath);

    bool available() const { return !socketPath_.isEmpty(); }
    // `failure` says why there is none: sway did not answer, or no window has the focus.
    std::optional<ForegroundWindow> focusedWindow(GrabFailure *failure) const;

    // The focused window of a get_tree answer. Sway's rectangles leave the title bar out; the
    // frame takes it back in.
    static std::optional<ForegroundWindow> focusedWindowInTree(const QByteArray &treeJson);

    // The titles of the process's windows sway holds (mapped, on any workspace); none when sway
    // did not answer. A window no longer held is in no frame sway draws from then on.
    std::optional<QStringList> windowTitlesOf(qint64 pid) const;
    static QStringList windowTitlesInTree(const QByteArray &treeJson, qint64 pid);

    // Where the process's window `title` is tiled on a workspace shown: whether other windows
    // (its own process's included) share the workspace, which are laid out anew when it leaves,
    // sway drawing the screen without it only once they have redrawn; and the titles of those
    // that are the process's own. Nothing beside it where it floats or its workspace is not
    // shown; none when sway holds no such window or did not answer. `shown`: whether sway shows
    // the window at all, tiled or floating; one not shown is in no frame sway draws.
    struct TiledNeighbours {
        bool shown = false;
        bool any = false;
        QStringList own;
    };
    std::optional<TiledNeighbours> tiledNeighbours(qint64 pid, const QString &title) const;
    static std::optional<TiledNeighbours> tiledNeighboursInTree(const QByteArray &treeJson, qint64 pid, const QString &title);

private:
    std::optional<QByteArray> tree() const;

    QString socketPath_;
};

}  // namespace tiv::wayland
