#include "platform/wayland/SwayWindowPlaces.h"

#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/ToolkitRequests.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWindow>

#include <functional>

namespace tiv::wayland {

namespace {

// How often and how long a shown window is looked for: sway maps it once the toolkit has drawn it.
constexpr int LookEveryMs = 10;
constexpr int LookForMs = 3000;

QByteArray quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return '"' + escaped.toUtf8() + '"';
}

}  // namespace

SwayWindowPlaces::SwayWindowPlaces(QString socketPath) : socketPath_(std::move(socketPath))
{
    poll_.setInterval(LookEveryMs);
    connect(&poll_, &QTimer::timeout, this, [this] { look(); });
}

std::optional<SwayWindowPlaces::Place> SwayWindowPlaces::placeInTree(const QByteArray &treeJson, qint64 pid, const QString &title)
{
    // The capture toolbar has the main window's title, but floats at its fixed size; the frozen
    // desktop is the main window made full-screen.
    std::optional<Place> found;
    int foundRank = -1;
    const std::function<void(const QJsonObject &, const QString &)> walk = [&](const QJsonObject &node, QString workspace) {
        if (node.value(QLatin1String("type")).toString() == QLatin1String("workspace"))
            workspace = node.value(QLatin1String("name")).toString();
        if (node.value(QLatin1String("pid")).toInteger() == pid && node.value(QLatin1String("name")).toString() == title) {
            const Place place{node.value(QLatin1String("id")).toInteger(), workspace,
                              node.value(QLatin1String("fullscreen_mode")).toInt() != 0,
                              node.value(QLatin1String("focused")).toBool()};
            const bool floating = node.value(QLatin1String("type")).toString() == QLatin1String("floating_con");
            const int rank = place.fullscreen ? 0 : floating ? 1 : 2;
            if (rank > foundRank) {
                found = place;
                foundRank = rank;
            }
        }
        for (const char *children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue &child : node.value(QLatin1String(children)).toArray())
                walk(child.toObject(), workspace);
        }
    };
    walk(QJsonDocument::fromJson(treeJson).object(), QString());
    return found;
}

QByteArray SwayWindowPlaces::returnCommand(const Place &now, const Place &noted)
{
    // "__i3_scratch" holds the scratchpad, no place to put a window back to.
    if (noted.workspace.isEmpty() || noted.workspace.startsWith(QLatin1String("__")) || now.workspace == noted.workspace)
        return {};
    return QByteArray("[con_id=%1] move container to workspace ").replace("%1", QByteArray::number(now.id)) + quoted(noted.workspace);
}

QByteArray SwayWindowPlaces::focusCommand(const Place &now)
{
    return QByteArray("[con_id=%1] focus").replace("%1", QByteArray::number(now.id));
}

void SwayWindowPlaces::notePlace(const QString &title)
{
    // Hidden again before sway mapped it and it was put back: wherever sway holds it meanwhile,
    // its own place is still the one noted before.
    if (goal_ == Goal::Return && noted_ && title == title_) {
        poll_.stop();
        goal_ = Goal::None;
        return;
    }
    noted_.reset();
    if (const auto tree = SwayTreeThisPass(socketPath_))
        noted_ = placeInTree(*tree, QGuiApplication::applicationPid(), title);
}

void SwayWindowPlaces::returnToPlace(const QString &title)
{
    if (noted_)
        follow(title, Goal::Return);
}

void SwayWindowPlaces::bringForward(const QString &title)
{
    follow(title, Goal::Forward);
}

void SwayWindowPlaces::follow(const QString &title, Goal goal)
{
    if (socketPath_.isEmpty())
        return;
    title_ = title;
    goal_ = goal;
    settled_ = toolkitAsked_ = false;
    ++round_;
    since_.start();
    look();
    if (goal_ != Goal::None)
        poll_.start();
}

void SwayWindowPlaces::look()
{
    if (goal_ == Goal::None)
        return;
    // Another window's place was noted meanwhile: this one has none to go back to.
    if (goal_ == Goal::Return && !noted_) {
        poll_.stop();
        goal_ = Goal::None;
        return;
    }
    const auto tree = AskSway(socketPath_, SwayRequest::GetTree);
    const auto now = tree ? placeInTree(*tree, QGuiApplication::applicationPid(), title_) : std::nullopt;
    // The container noted was the window before it was hidden; a full-screen one is the frozen desktop.
    const bool mapped = now && !now->fullscreen && !(noted_ && goal_ == Goal::Return && now->id == noted_->id);
    if (!mapped) {
        if (!tree || since_.elapsed() > LookForMs) {
            if (goal_ == Goal::Return)
                noted_.reset();
            poll_.stop();
            goal_ = Goal::None;
        }
        return;
    }
    const QByteArray command = goal_ == Goal::Return ? returnCommand(*now, *noted_) : focusCommand(*now);
    if (goal_ == Goal::Return && !command.isEmpty() && !settled_) {
        // sway gives the window it maps the focus, and the toolkit, once it has taken it, asks
        // sway to activate the window with a token of its own (Qt 6.4 does on every change of its
        // focus object). Handled after the move, that activation would have sway follow the
        // window to its workspace and take the user there; the move waits until sway has it.
        const QWindow *focus = QGuiApplication::focusWindow();
        if (now->focused && !(focus && focus->title() == title_) && since_.elapsed() <= LookForMs)
            return;
        poll_.stop();
        if (!toolkitAsked_) {
            toolkitAsked_ = true;
            AfterToolkitRequests(this, [this, round = round_] {
                if (round != round_)
                    return;
                settled_ = true;
                look();
            });
        }
        return;
    }
    if (goal_ == Goal::Return)
        noted_.reset();
    poll_.stop();
    goal_ = Goal::None;
    if (!command.isEmpty())
        AskSway(socketPath_, SwayRequest::RunCommand, command);
}

}  // namespace tiv::wayland
