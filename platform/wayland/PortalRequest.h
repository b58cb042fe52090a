#pragma once

#include <QDBusConnection>
#include <QEventLoop>
#include <QObject>
#include <QVariantMap>
#include <functional>

namespace tiv::wayland {

// One call to a desktop portal method that answers through a Request object's Response signal.
// The call waits for that answer while the interface keeps painting, but takes no user input
// unless asked to, so a capture cannot be started again from inside itself by a click.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    // Cancelled is the portal's response 1 (the user or the desktop said no), Failed its
    // response 2 (the desktop could not do it); Abandoned by AbandonAll, TimedOut by the timeout.
    enum class Outcome { Answered, NoPortal, Cancelled, Failed, Abandoned, TimedOut };

    PortalRequest(QDBusConnection bus, QString interface, QString method);
    ~PortalRequest() override;

    // `options` gets the handle token; the arguments are those before the options. A timeout of 0
    // waits for as long as the portal works on it (a question to the user included): until it
    // answers, leaves the bus, or the wait is abandoned.
    Outcome call(const QVariantList &leadingArguments, QVariantMap options, int timeoutMs, bool takeInput = false);
    const QVariantMap &results() const { return results_; }

    // Called with the Request object's path when the wait is abandoned, while this still
    // listens to it, so that whoever takes over misses no answer.
    void setOnAbandoned(std::function<void(const QString &requestPath)> handler) { onAbandoned_ = std::move(handler); }

    // Ends every wait in progress with Outcome::Abandoned; the portal is told nobody waits.
    static void AbandonAll();

private slots:
    void onResponse(uint response, const QVariantMap &results);
    void onPortalGone();

private:
    QString ownRequestPath(const QString &token) const;
    void listen(bool on);
    void close();

    QDBusConnection bus_;
    QString interface_;
    QString method_;
    QString path_;
    QVariantMap results_;
    bool answered_ = false;
    bool portalGone_ = false;
    bool abandoned_ = false;
    bool closed_ = false;
    uint response_ = 2;
    QEventLoop *waiting_ = nullptr;
    std::function<void(const QString &)> onAbandoned_;
};

}  // namespace tiv::wayland
