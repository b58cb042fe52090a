#pragma once

#include <QDBusConnection>

namespace tiv::wayland {

// Whether the desktop animates windows as they leave the screen. A window just hidden may fade
// out for a moment, and a picture taken meanwhile still shows it; where the desktop's animations
// are off, it is gone once the compositor has read the request to hide it.
class DesktopAnimations {
public:
    explicit DesktopAnimations(QDBusConnection bus);

    // False only where the desktop says so through the portal's settings: GNOME's
    // enable-animations off, KDE's animation speed factor 0.
    bool on() const;

private:
    QDBusConnection bus_;
};

}  // namespace tiv::wayland
