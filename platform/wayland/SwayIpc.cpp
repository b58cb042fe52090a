#include "platform/wayland/SwayIpc.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

namespace tiv::wayland {

namespace {

constexpr QByteArrayView Magic("i3-ipc");
constexpr int AnswerTimeoutMs = 2000;

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

std::optional<QByteArray> AskSway(const QString &socketPath, SwayRequest request, const QByteArray &payload)
{
    if (socketPath.isEmpty())
        return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return std::nullopt;
    QByteArray message(Magic.data(), Magic.size());
    message.append(8, '\0');
    qToUnaligned<quint32>(quint32(payload.size()), message.data() + Magic.size());
    qToUnaligned<quint32>(quint32(request), message.data() + Magic.size() + 4);
    socket.write(message + payload);
    QByteArray header, answer;
    if (!socket.waitForBytesWritten(AnswerTimeoutMs) || !readExactly(socket, Magic.size() + 8, header)
        || !header.startsWith(Magic.toByteArray()))
        return std::nullopt;
    const quint32 length = qFromUnaligned<quint32>(header.constData() + Magic.size());
    if (!readExactly(socket, length, answer))
        return std::nullopt;
    return answer;
}

std::optional<QByteArray> SwayTreeThisPass(const QString &socketPath)
{
    struct Answer {
        QString socketPath;
        QByteArray tree;
    };
    static std::optional<Answer> kept;
    if (kept && kept->socketPath == socketPath)
        return kept->tree;
    auto tree = AskSway(socketPath, SwayRequest::GetTree);
    if (tree && QCoreApplication::instance()) {
        kept = Answer{socketPath, *tree};
        QTimer::singleShot(0, QCoreApplication::instance(), [] { kept.reset(); });
    }
    return tree;
}

}  // namespace tiv::wayland
