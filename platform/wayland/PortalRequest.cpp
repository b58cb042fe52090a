#include "platform/wayland/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QList>
#include <QRandomGenerator>
#include <QTimer>

namespace tiv::wayland {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// The requests waiting now, innermost last; a capture command that comes while one waits may
// start another inside it.
QList<PortalRequest *> &waitingRequests()
{
    static QList<PortalRequest *> requests;
    return requests;
}

}  // namespace

PortalRequest::PortalRequest(QDBusConnection bus, QString interface, QString method)
    : bus_(std::move(bus)), interface_(std::move(interface)), method_(std::move(method))
{
}

PortalRequest::~PortalRequest()
{
    waitingRequests().removeAll(this);
}

QString PortalRequest::ownRequestPath(const QString &token) const
{
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

void PortalRequest::listen(bool on)
{
    if (on)
        bus_.connect(PortalService, path_, RequestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    else
        bus_.disconnect(PortalService, path_, RequestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
}

void PortalRequest::AbandonAll()
{
    for (PortalRequest *request : std::as_const(waitingRequests())) {
        request->abandoned_ = true;
        // Closed at once: a wait started inside this one would keep it open until that ends.
        request->close();
        if (request->waiting_)
            request->waiting_->quit();
    }
}

PortalRequest::Outcome PortalRequest::call(const QVariantList &leadingArguments, QVariantMap options, int timeoutMs,
                                           bool takeInput)
{
    if (!bus_.isConnected())
        return Outcome::NoPortal;
    answered_ = portalGone_ = abandoned_ = closed_ = false;
    results_.clear();
    const QString token = QStringLiteral("tiv%1").arg(QRandomGenerator::global()->generate());
    options.insert(QStringLiteral("handle_token"), token);
    // Listening starts before the call: a quick portal may answer before the call returns.
    path_ = ownRequestPath(token);
    listen(true);
    QDBusServiceWatcher watcher(PortalService, bus_, QDBusServiceWatcher::WatchForUnregistration);
    connect(&watcher, &QDBusServiceWatcher::serviceUnregistered, this, &PortalRequest::onPortalGone);

    QDBusMessage message = QDBusMessage::createMethodCall(PortalService, PortalPath, interface_, method_);
    message.setArguments(QVariantList(leadingArguments) << options);
    // The call itself returns at once; only the answer may take the user's time.
    const QDBusMessage reply = bus_.call(message, QDBus::Block, timeoutMs > 0 ? timeoutMs : 25000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        listen(false);
        return Outcome::NoPortal;
    }
    // Old portals choose the request path themselves.
    const QString given = reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (!given.isEmpty() && given != path_) {
        listen(false);
        path_ = given;
        listen(true);
    }
    if (!answered_) {
        QEventLoop loop;
        waiting_ = &loop;
        waitingRequests().append(this);
        if (timeoutMs > 0)
            QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec(takeInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        waitingRequests().removeAll(this);
        waiting_ = nullptr;
    }
    if (!answered_ && !portalGone_ && onAbandoned_)
        onAbandoned_(path_);
    listen(false);
    if (portalGone_ && !answered_)
        return Outcome::NoPortal;
    if (!answered_) {
        close();
        return abandoned_ ? Outcome::Abandoned : Outcome::TimedOut;
    }
    switch (response_) {
    case 0: return Outcome::Answered;
    case 1: return Outcome::Cancelled;
    default: return Outcome::Failed;
    }
}

void PortalRequest::close()
{
    // The portal may still be working on it (a dialog open); closing the request takes the
    // question back.
    if (closed_)
        return;
    closed_ = true;
    bus_.send(QDBusMessage::createMethodCall(PortalService, path_, RequestInterface, QStringLiteral("Close")));
}

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    // An answer that comes after the wait was abandoned is left to whoever listens for late ones.
    if (abandoned_)
        return;
    answered_ = true;
    response_ = response;
    results_ = results;
    if (waiting_)
        waiting_->quit();
}

void PortalRequest::onPortalGone()
{
    portalGone_ = true;
    if (waiting_)
        waiting_->quit();
}

}  // namespace tiv::wayland
