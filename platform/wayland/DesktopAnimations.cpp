#include "platform/wayland/DesktopAnimations.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace tiv::wayland {

namespace {

constexpr int SettingsTimeoutMs = 1000;

// The portal's Read answers a variant; older portals wrap the value in a second one.
QVariant portalSetting(const QDBusConnection &bus, const QString &group, const QString &key)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
    message.setArguments({group, key});
    const QDBusMessage reply = bus.call(message, QDBus::Block, SettingsTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    QVariant value = reply.arguments().constFirst();
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

}  // namespace

DesktopAnimations::DesktopAnimations(QDBusConnection bus) : bus_(std::move(bus)) {}

bool DesktopAnimations::on() const
{
    const QVariant gnome = portalSetting(bus_, QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-animations"));
    if (gnome.isValid())
        return gnome.toBool();
    const QVariant kde = portalSetting(bus_, QStringLiteral("org.kde.kdeglobals.KDE"), QStringLiteral("AnimationDurationFactor"));
    if (kde.isValid())
        return kde.toDouble() != 0.0;
    return true;
}

}  // namespace tiv::wayland
