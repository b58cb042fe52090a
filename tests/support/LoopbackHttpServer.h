#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <functional>

// A small HTTP server on 127.0.0.1 at a port chosen at run time, answering each path as a test
// tells it to and counting the requests per path. Paths nobody set answer 404 with an empty body.
class LoopbackHttpServer : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray location;  // a redirect's target
        int delayMs = 0;       // answer only after this long
        bool never = false;    // start the answer and never finish it
    };

    LoopbackHttpServer();
    // "http://127.0.0.1:PORT/"
    QString base() const;
    // `path` without the leading slash, as the program's addresses are written.
    void route(const QString &path, const Reply &reply);
    void page(const QString &path, const QByteArray &bodyHtml);
    int hits(const QString &path) const { return hits_.value(path); }

    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void answer(class QTcpSocket *socket, const QString &path);

    QTcpServer server_;
    QHash<QString, Reply> routes_;
    QHash<QString, int> hits_;
};

// Runs the event loop until `done` holds or `ms` pass; tells whether it holds.
bool waitUntil(const std::function<bool()> &done, int ms = 20000);
