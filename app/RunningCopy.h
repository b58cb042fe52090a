#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace tiv {

// One copy of the program per desktop holds the hotkeys and the settings file. Later starts hand
// their request to it over a local socket in the user's runtime folder and end (app/HandOver.h).
// Which process serves is settled by a lock beside the socket, taken before the toolkit starts:
// starts that come together never both serve, the others wait for the socket and hand over.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    explicit RunningCopy(QString socketPath);
    // False when the socket cannot be made; the program then simply runs without it.
    bool listen();

    // Serves one request now, or after the one being served: a capture lets the event loop run
    // while the window hides, and a request read then must not start inside it.
    void serve(const QString &message);

signals:
    void requested(const QString &message);

private:
    void readRequest(class QLocalSocket *client);

    QString socketPath_;
    QLocalServer server_;
    QStringList waiting_;
    bool serving_ = false;
};

}  // namespace tiv
