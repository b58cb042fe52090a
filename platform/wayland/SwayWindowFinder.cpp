#include "platform/wayland/SwayWindowFinder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QtEndian>

#include <functional>

namespace tiv::wayland {

namespace {

constexpr QByteArrayView Magic("i3-ipc");
constexpr quint32 GetTree = 4;
constexpr int AnswerTimeoutMs = 2000;

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

bool readExactly(QLocalSocket &socket, qint64 size, QByteArray &out)
{
    out.clear();
    while (out.size() < size) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(AnswerTimeoutMs))
            return false;
        out += socket.read(size - out.size());
    }
    return true;
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
    if (socketPath_.isEmpty())
        return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return std::nullopt;
    QByteArray request(Magic.data(), Magic.size());
    request.append(8, '\0');
    qToUnaligned<quint32>(0, request.data() + Magic.size());
    qToUnaligned<quint32>(GetTree, request.data() + Magic.size() + 4);
    socket.write(request);
    QByteArray header, payload;
    if (!socket.waitForBytesWritten(AnswerTimeoutMs) || !readExactly(socket, Magic.size() + 8, header)
        || !header.startsWith(Magic.toByteArray()))
        return std::nullopt;
    const quint32 length = qFromUnaligned<quint32>(header.constData() + Magic.size());
    if (!readExactly(socket, length, payload))
        return std::nullopt;
    return payload;
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

std::optional<QStringList> SwayWindowFinder::windowTitlesOf(qint64 pid) const
{
    const auto payload = tree();
    if (!payload)
        return std::nullopt;
    return windowTitlesInTree(*payload, pid);
}

}  // namespace tiv::wayland
