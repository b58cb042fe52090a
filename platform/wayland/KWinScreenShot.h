#pragma once

#include <QDBusConnection>
#include <QImage>
#include <QVariantMap>

namespace tiv::wayland {

// Pictures straight from KWin's ScreenShot2 interface, which KWin offers to the programs whose
// installed desktop entry lists it under X-KDE-DBUS-Restricted-Interfaces. Its raw pixels come
// through a pipe, without the PNG file the desktop portal writes and reads back.
class KWinScreenShot {
public:
    explicit KWinScreenShot(QDBusConnection bus);

    // Whether the desktop is KDE Plasma, whose compositor serves the interface.
    static bool Applies();
    // The active window with or without its frame; a null image when KWin refused or failed.
    QImage activeWindow(bool withFrame);
    // All screens in one picture at their own pixels; a null image when KWin refused or failed.
    QImage workspace(bool withPointer);
    bool refused() const { return refused_; }

private:
    QImage capture(const QString &method, const QVariantMap &options);

    QDBusConnection bus_;
    bool refused_ = false;
};

}  // namespace tiv::wayland
