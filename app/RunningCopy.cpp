#include "app/RunningCopy.h"

#include "app/HandOver.h"
#include "app/PlainCommandLine.h"

#include <QFile>
#include <QLocalSocket>

namespace tiv {

namespace {

constexpr qint64 LongestMessage = 64;
// The activation token's line: its word, a space, the token and the line's end.
constexpr qint64 LongestTokenLine = qint64(ActivationTokenWord.size() + LongestActivationToken) + 2;

}  // namespace

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
    MakeSocketFolder(QFile::encodeName(socketPath_).toStdString());
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
    QString message = QString::fromUtf8(client->readLine(LongestMessage)).trimmed();
    // The starter writes its activation token's line together with the request (one small write
    // on a local socket arrives whole): it is there now or was never sent.
    if (client->canReadLine())
        message += QLatin1Char('\n') + QString::fromUtf8(client->readLine(LongestTokenLine + 1)).trimmed();
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
