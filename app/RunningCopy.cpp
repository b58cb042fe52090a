#include "app/RunningCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

namespace tiv {

namespace {

constexpr int AnswerTimeoutMs = 3000;
constexpr qint64 LongestMessage = 64;

}  // namespace

QString RunningCopy::socketPath()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/TIVrevudu/copy-%1.socket").arg(display);
}

bool RunningCopy::handOver(const QString &socketPath, const QString &message)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return false;
    socket.write(message.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(AnswerTimeoutMs))
        return false;
    // The running copy closes once it has the request; only then may this process end.
    return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(AnswerTimeoutMs);
}

RunningCopy::RunningCopy(QString socketPath) : socketPath_(std::move(socketPath))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *client = server_.nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] { readRequest(client); });
        }
    });
}

bool RunningCopy::listen()
{
    const QString folder = QFileInfo(socketPath_).absolutePath();
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (server_.listen(socketPath_))
        return true;
    // Left over from a copy that did not end cleanly: nobody answered on it.
    QLocalServer::removeServer(socketPath_);
    return server_.listen(socketPath_);
}

void RunningCopy::readRequest(QLocalSocket *client)
{
    if (!client->canReadLine()) {
        if (client->bytesAvailable() > LongestMessage)
            client->disconnectFromServer();
        return;
    }
    const QString message = QString::fromUtf8(client->readLine(LongestMessage)).trimmed();
    client->disconnectFromServer();
    emit requested(message);
}

}  // namespace tiv
