#include "platform/wayland/PortalShortcut.h"

#include <QDBusMetaType>

namespace tiv::wayland {

void RegisterPortalShortcutTypes()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

}  // namespace tiv::wayland

QDBusArgument &operator<<(QDBusArgument &argument, const tiv::wayland::PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, tiv::wayland::PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}
