#pragma once

#include <QDBusConnection>

namespace tiv::wayland {

// GNOME asks the user once whether a program may take screenshots and keeps the answer in the
// portal's permission store (table and entry "screenshot"; programs outside a sandbox share the
// empty application id). Other desktops keep nothing there.
class GnomeScreenshotPermission {
public:
    enum class State { NotAsked, Allowed, Refused };

    explicit GnomeScreenshotPermission(QDBusConnection bus);

    // Whether the desktop is GNOME, whose portal asks first.
    static bool Applies();
    State state() const;
    // Removes the stored answer, so that the next capture asks again.
    bool forget() const;

private:
    QDBusConnection bus_;
};

}  // namespace tiv::wayland
