#include "platform/wayland/GnomeScreenshotPermission.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QMap>
#include <QStringList>

namespace tiv::wayland {

namespace {

const QString StoreService = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
const QString StorePath = QStringLiteral("/org/freedesktop/impl/portal/PermissionStore");
const QString Table = QStringLiteral("screenshot");
constexpr int StoreTimeoutMs = 3000;

QDBusMessage storeCall(const QString &method, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(StoreService, StorePath, StoreService, method);
    message.setArguments(arguments);
    return message;
}

}  // namespace

GnomeScreenshotPermission::GnomeScreenshotPermission(QDBusConnection bus) : bus_(std::move(bus)) {}

bool GnomeScreenshotPermission::Applies()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    return desktops.contains(QLatin1String("GNOME"), Qt::CaseInsensitive);
}

GnomeScreenshotPermission::State GnomeScreenshotPermission::state() const
{
    // Lookup(s table, s id) -> (a{sas} permissions, v data); an entry never written is an error.
    const QDBusMessage reply = bus_.call(storeCall(QStringLiteral("Lookup"), {Table, Table}), QDBus::Block, StoreTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return State::NotAsked;
    QMap<QString, QStringList> permissions;
    const QDBusArgument argument = reply.arguments().constFirst().value<QDBusArgument>();
    argument >> permissions;
    const QStringList answer = permissions.value(QString());
    if (answer.contains(QLatin1String("yes")))
        return State::Allowed;
    if (answer.contains(QLatin1String("no")))
        return State::Refused;
    return State::NotAsked;
}

bool GnomeScreenshotPermission::forget() const
{
    return bus_.call(storeCall(QStringLiteral("DeletePermission"), {Table, Table, QString()}), QDBus::Block, StoreTimeoutMs)
               .type()
           == QDBusMessage::ReplyMessage;
}

}  // namespace tiv::wayland
