#include "app/RunningCopy.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tiv {

namespace {

constexpr int AnswerTimeoutMs = 3000;
constexpr qint64 LongestMessage = 64;
// How long a start waits for a copy that holds the lock to open its socket (a loaded machine
// may take a few seconds to start the toolkit).
constexpr int StartingCopyTimeoutMs = 30000;

QString ownFolder(const QString &socketPath)
{
    const QString folder = QFileInfo(socketPath).absolutePath();
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder;
}

// Takes the lock of the serving copy, held until this process ends (the descriptor is left
// open on purpose, and not handed to programs started from here).
bool takeLock(const QString &socketPath)
{
    ownFolder(socketPath);
    const QByteArray lockPath = QFile::encodeName(socketPath + QStringLiteral(".lock"));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    ::close(fd);
    return false;
}

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
    // The running copy closes once it has the request, so this process ends after it has been
    // read. A copy busy for longer still finds the request in the socket: trying again, or
    // starting another copy, would serve it twice.
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(AnswerTimeoutMs);
    return true;
}

RunningCopy::Start RunningCopy::handOverOrClaim(const QString &socketPath, const QString &message)
{
    const QDeadlineTimer deadline(StartingCopyTimeoutMs);
    for (;;) {
        if (handOver(socketPath, message))
            return Start::HandedOver;
        if (takeLock(socketPath))
            return Start::Serve;
        if (deadline.hasExpired())
            return Start::NoAnswer;
        QThread::msleep(20);
    }
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
    ownFolder(socketPath_);
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
    serve(message);
}

void RunningCopy::serve(const QString &message)
{
    waiting_ += message;
    if (serving_)
        return;
    serving_ = true;
    while (!waiting_.isEmpty())
        emit requested(waiting_.takeFirst());
    serving_ = false;
}

}  // namespace tiv
