#include "platform/wayland/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>

namespace tiv::wayland {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

}  // namespace

PortalRequest::PortalRequest(QDBusConnection bus, QString interface, QString method)
    : bus_(std::move(bus)), interface_(std::move(interface)), method_(std::move(method))
{
}

QString PortalRequest::requestPath(const QString &token) const
{
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

PortalRequest::Outcome PortalRequest::call(const QVariantList &leadingArguments, QVariantMap options, int timeoutMs)
{
    if (!bus_.isConnected())
        return Outcome::NoPortal;
    answered_ = false;
    results_.clear();
    const QString token = QStringLiteral("tiv%1").arg(QRandomGenerator::global()->generate());
    options.insert(QStringLiteral("handle_token"), token);
    // Listening starts before the call: a quick portal may answer before the call returns.
    QString path = requestPath(token);
    bus_.connect(PortalService, path, RequestInterface, QStringLiteral("Response"), this,
                 SLOT(onResponse(uint, QVariantMap)));

    QDBusMessage message = QDBusMessage::createMethodCall(PortalService, PortalPath, interface_, method_);
    message.setArguments(QVariantList(leadingArguments) << options);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        bus_.disconnect(PortalService, path, RequestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
        return Outcome::NoPortal;
    }
    // Old portals choose the request path themselves.
    const QString given = reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (!given.isEmpty() && given != path) {
        bus_.disconnect(PortalService, path, RequestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
        path = given;
        bus_.connect(PortalService, path, RequestInterface, QStringLiteral("Response"), this,
                     SLOT(onResponse(uint, QVariantMap)));
    }
    if (!answered_) {
        QEventLoop loop;
        waiting_ = &loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        waiting_ = nullptr;
    }
    bus_.disconnect(PortalService, path, RequestInterface, QStringLiteral("Response"), this,
                    SLOT(onResponse(uint, QVariantMap)));
    if (!answered_) {
        // The portal may still be working on it; closing the request tells it nobody waits.
        bus_.asyncCall(QDBusMessage::createMethodCall(PortalService, path, RequestInterface, QStringLiteral("Close")));
        return Outcome::TimedOut;
    }
    switch (response_) {
    case 0: return Outcome::Answered;
    case 1: return Outcome::Cancelled;
    default: return Outcome::Failed;
    }
}

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    answered_ = true;
    response_ = response;
    results_ = results;
    if (waiting_)
        waiting_->quit();
}

}  // namespace tiv::wayland
