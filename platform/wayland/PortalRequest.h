#pragma once

#include <QDBusConnection>
#include <QEventLoop>
#include <QObject>
#include <QVariantMap>

namespace tiv::wayland {

// One call to a desktop portal method that answers through a Request object's Response signal.
// The call waits for that answer while the interface keeps painting, but takes no user input, so
// a capture cannot be started again from inside itself.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Answered, NoPortal, Cancelled, Failed, TimedOut };

    PortalRequest(QDBusConnection bus, QString interface, QString method);

    // `options` gets the handle token; the arguments are those before the options.
    Outcome call(const QVariantList &leadingArguments, QVariantMap options, int timeoutMs);
    const QVariantMap &results() const { return results_; }

private slots:
    void onResponse(uint response, const QVariantMap &results);

private:
    QString requestPath(const QString &token) const;

    QDBusConnection bus_;
    QString interface_;
    QString method_;
    QVariantMap results_;
    bool answered_ = false;
    uint response_ = 2;
    QEventLoop *waiting_ = nullptr;
};

}  // namespace tiv::wayland
