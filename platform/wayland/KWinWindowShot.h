#pragma once

#include <QDBusConnection>
#include <QImage>
#include <optional>

namespace tiv::wayland {

// The active window's own pixels from KWin's ScreenShot2 interface, which KWin offers to the
// programs whose installed desktop entry lists it under X-KDE-DBUS-Restricted-Interfaces.
class KWinWindowShot {
public:
    explicit KWinWindowShot(QDBusConnection bus);

    // Whether the desktop is KDE Plasma, whose compositor serves the interface.
    static bool Applies();
    // The window with or without its frame; a null image when KWin refused or failed.
    QImage activeWindow(bool withFrame);
    bool refused() const { return refused_; }

private:
    QDBusConnection bus_;
    bool refused_ = false;
};

}  // namespace tiv::wayland
