#pragma once

#include "platform/WindowPlaces.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

namespace tiv::wayland {

// Puts the program's windows back and forward through sway's IPC: a window shown is looked for
// in sway's tree until sway maps it (a little after the toolkit shows it), then moved or focused
// by its container id.
class SwayWindowPlaces : public QObject, public WindowPlaces {
public:
    // The socket is the one sway names in SWAYSOCK; empty when this is no sway session.
    explicit SwayWindowPlaces(QString socketPath);

    void notePlace(const QString &title) override;
    void returnToPlace(const QString &title) override;
    void bringForward(const QString &title) override;

    struct Place {
        qint64 id = 0;
        QString workspace;
        bool fullscreen = false;
        bool focused = false;
    };
    // The window of process `pid` titled `title` in a get_tree answer: a tiled one before a
    // floating one, a full-screen one last.
    static std::optional<Place> placeInTree(const QByteArray &treeJson, qint64 pid, const QString &title);
    // The sway command for the window mapped at `now` once it was shown again: back to `noted`'s
    // workspace (the window itself, not the user's view), or to the front; empty when nothing is
    // to be done.
    static QByteArray returnCommand(const Place &now, const Place &noted);
    static QByteArray focusCommand(const Place &now);

private:
    enum class Goal { None, Return, Forward };
    void follow(const QString &title, Goal goal);
    void look();

    QString socketPath_;
    std::optional<Place> noted_;
    QString title_;
    Goal goal_ = Goal::None;
    // Whether the toolkit's requests for the window shown have reached sway (see look()); the
    // round counts the windows followed, so that an answer for an earlier one is told apart.
    bool settled_ = false;
    bool toolkitAsked_ = false;
    int round_ = 0;
    QTimer poll_;
    QElapsedTimer since_;
};

}  // namespace tiv::wayland
