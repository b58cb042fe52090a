#pragma once

#include <QLocalServer>
#include <QObject>

namespace tiv {

// One copy of the program per desktop holds the hotkeys and the settings file. Later starts hand
// their request to it over a local socket in the user's runtime folder and end.
class RunningCopy : public QObject {
    Q_OBJECT
public:
    // The socket of this user's copy on this desktop (one per display, so parallel sessions and
    // test servers each keep their own).
    static QString socketPath();

    // True when a running copy took the message.
    static bool handOver(const QString &socketPath, const QString &message);

    explicit RunningCopy(QString socketPath);
    // False when the socket cannot be made; the program then simply runs without it.
    bool listen();

signals:
    void requested(const QString &message);

private:
    void readRequest(class QLocalSocket *client);

    QString socketPath_;
    QLocalServer server_;
};

}  // namespace tiv
