#include "support/LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <memory>

LoopbackHttpServer::LoopbackHttpServer()
{
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
                *request += socket->readAll();
                if (!request->contains("\r\n\r\n"))
                    return;
                const QList<QByteArray> firstLine = request->left(request->indexOf("\r\n")).split(' ');
                request->clear();
                const QByteArray target = firstLine.value(1).split('?').first();
                answer(socket, QString::fromUtf8(target).mid(1));
            });
        }
    });
}

QString LoopbackHttpServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort());
}

void LoopbackHttpServer::route(const QString &path, const Reply &reply)
{
    routes_[path] = reply;
}

void LoopbackHttpServer::page(const QString &path, const QByteArray &bodyHtml)
{
    Reply reply;
    reply.body = "<html><head><meta charset=\"utf-8\"></head><body>" + bodyHtml + "</body></html>";
    route(path, reply);
}

quint16 LoopbackHttpServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

void LoopbackHttpServer::answer(QTcpSocket *socket, const QString &path)
{
    ++hits_[path];
    const Reply reply = routes_.value(path, Reply{404, {}, {}, 0, false});
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n"
                      "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n";
    if (!reply.location.isEmpty())
        head += "Location: " + reply.location + "\r\n";
    if (reply.never) {
        socket->write(head + "Content-Length: 100000\r\n\r\n<html><body>");
        return;
    }
    const QByteArray whole = head + "Content-Length: " + QByteArray::number(reply.body.size()) +
                             "\r\nConnection: close\r\n\r\n" + reply.body;
    const auto send = [socket = QPointer<QTcpSocket>(socket), whole] {
        if (!socket)
            return;
        socket->write(whole);
        socket->disconnectFromHost();
    };
    if (reply.delayMs > 0)
        QTimer::singleShot(reply.delayMs, this, send);
    else
        send();
}

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}
