#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace tiv::wayland {

// One entry of the GlobalShortcuts portal's shortcut lists, D-Bus type (sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;  // description, preferred_trigger; trigger_description in answers
};

void RegisterPortalShortcutTypes();

}  // namespace tiv::wayland

Q_DECLARE_METATYPE(tiv::wayland::PortalShortcut)
Q_DECLARE_METATYPE(QList<tiv::wayland::PortalShortcut>)

QDBusArgument &operator<<(QDBusArgument &argument, const tiv::wayland::PortalShortcut &shortcut);
const QDBusArgument &operator>>(const QDBusArgument &argument, tiv::wayland::PortalShortcut &shortcut);
