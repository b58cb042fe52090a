#include "platform/wayland/SwayWindowFinder.h"

#include "platform/wayland/SwayIpc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <functional>

namespace tiv::wayland {

namespace {

QRect rectOf(const QJsonValue &value)
{
    const QJsonObject r = value.toObject();
    return QRect(r.value(QLatin1String("x")).toInt(), r.value(QLatin1String("y")).toInt(),
                 r.value(QLatin1String("width")).toInt(), r.value(QLatin1String("height")).toInt());
}

// Depth first through tiled and floating children; the focused node is a window or a workspace.
std::optional<QJsonObject> focusedNode(const QJsonObject &node)
{
    if (node.value(QLatin1String("focused")).toBool())
        return node;
    for (const char *children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue &child : node.value(QLatin1String(children)).toArray()) {
            if (auto found = focusedNode(child.toObject()))
                return found;
        }
    }
    return std::nullopt;
}

bool isWindow(const QJsonObject &node)
{
    const QString type = node.value(QLatin1String("type")).toString();
    return (type == QLatin1String("con") || type == QLatin1String("floating_con"))
        && node.value(QLatin1String("nodes")).toArray().isEmpty()
        && !node.value(QLatin1String("pid")).isUndefined();
}

}  // namespace

SwayWindowFinder::SwayWindowFinder(QString socketPath) : socketPath_(std::move(socketPath))
{
}

std::optional<ForegroundWindow> SwayWindowFinder::focusedWindowInTree(const QByteArray &treeJson)
{
    const auto node = focusedNode(QJsonDocument::fromJson(treeJson).object());
    if (!node || !isWindow(*node))
        return std::nullopt;
    const QRect rect = rectOf(node->value(QLatin1String("rect")));
    const QRect content = rectOf(node->value(QLatin1String("window_rect"))).translated(rect.topLeft());
    const int titleBar = rectOf(node->value(QLatin1String("deco_rect"))).height();
    if (rect.isEmpty() || content.isEmpty())
        return std::nullopt;
    return ForegroundWindow{rect.adjusted(0, -titleBar, 0, 0), content};
}

std::optional<QByteArray> SwayWindowFinder::tree() const
{
    return AskSway(socketPath_, SwayRequest::GetTree);
}

std::optional<ForegroundWindow> SwayWindowFinder::focusedWindow(GrabFailure *failure) const
{
    *failure = GrabFailure::WindowUnknowable;
    const auto payload = tree();
    if (!payload)
        return std::nullopt;
    auto window = focusedWindowInTree(*payload);
    *failure = window ? GrabFailure::None : GrabFailure::NoActiveWindow;
    return window;
}

QStringList SwayWindowFinder::windowTitlesInTree(const QByteArray &treeJson, qint64 pid)
{
    QStringList titles;
    const std::function<void(const QJsonObject &)> collect = [&](const QJsonObject &node) {
        if (isWindow(node) && node.value(QLatin1String("pid")).toInteger() == pid)
            titles += node.value(QLatin1String("name")).toString();
        for (const char *children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue &child : node.value(QLatin1String(children)).toArray())
                collect(child.toObject());
        }
    };
    collect(QJsonDocument::fromJson(treeJson).object());
    return titles;
}

std::optional<SwayWindowFinder::TiledNeighbours> SwayWindowFinder::tiledNeighboursInTree(const QByteArray &treeJson, qint64 pid,
                                                                                      const QString &title)
{
    const auto ours = [&](const QJsonObject &window) { return window.value(QLatin1String("pid")).toInteger() == pid; };
    const auto named = [&](const QJsonObject &window) { return ours(window) && window.value(QLatin1String("name")).toString() == title; };
    // Tiled windows sit in "nodes" below their workspace, floating ones, laid out by nobody, in
    // its "floating_nodes".
    const std::function<void(const QJsonObject &, QList<QJsonObject> &, const char *)> windowsBelow =
        [&](const QJsonObject &node, QList<QJsonObject> &out, const char *children) {
            if (isWindow(node))
                out += node;
            for (const QJsonValue &child : node.value(QLatin1String(children)).toArray())
                windowsBelow(child.toObject(), out, "nodes");
        };
    std::optional<TiledNeighbours> found;
    const std::function<void(const QJsonObject &)> walk = [&](const QJsonObject &node) {
        if (node.value(QLatin1String("type")).toString() != QLatin1String("workspace")) {
            for (const QJsonValue &child : node.value(QLatin1String("nodes")).toArray())
                walk(child.toObject());
            return;
        }
        QList<QJsonObject> tiled, floating;
        windowsBelow(node, tiled, "nodes");
        windowsBelow(node, floating, "floating_nodes");
        const auto window = std::find_if(tiled.begin(), tiled.end(), named);
        if (window != tiled.end()) {
            // sway tells of each window, not of its workspace, whether it is shown.
            found = TiledNeighbours{};
            if (!window->value(QLatin1String("visible")).toBool())
                return;
            found->shown = true;
            found->any = tiled.size() > 1;
            for (auto other = tiled.begin(); other != tiled.end(); ++other) {
                if (other != window && ours(*other))
                    found->own += other->value(QLatin1String("name")).toString();
            }
        } else if (const auto floater = std::find_if(floating.begin(), floating.end(), named); !found && floater != floating.end()) {
            found = TiledNeighbours{};
            found->shown = floater->value(QLatin1String("visible")).toBool();
        }
    };
    walk(QJsonDocument::fromJson(treeJson).object());
    return found;
}

std::optional<SwayWindowFinder::TiledNeighbours> SwayWindowFinder::tiledNeighbours(qint64 pid, const QString &title) const
{
    const auto payload = SwayTreeThisPass(socketPath_);
    if (!payload)
        return std::nullopt;
    return tiledNeighboursInTree(*payload, pid, title);
}

std::optional<QStringList> SwayWindowFinder::windowTitlesOf(qint64 pid) const
{
    const auto payload = tree();
    if (!payload)
        return std::nullopt;
    return windowTitlesInTree(*payload, pid);
}

}  // namespace tiv::wayland
