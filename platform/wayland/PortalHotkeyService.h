#pragma once

#include "platform/HotkeyService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QSet>
#include <optional>

namespace tiv::wayland {

// System-wide keys through the desktop portal's GlobalShortcuts interface (KDE Plasma, GNOME 48
// and later, Hyprland). The configured keys are offered as preferred triggers; the desktop decides,
// and a shortcut it leaves without a trigger counts as refused.
class PortalHotkeyService : public QObject, public HotkeyService {
    Q_OBJECT
public:
    explicit PortalHotkeyService(QDBusConnection bus);
    ~PortalHotkeyService() override;

    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    void unregisterHotkey(int id) override;
    void setHandler(Handler handler) override { handler_ = std::move(handler); }
    bool systemWide() override;

    // The desktop's way of writing a key combination, e.g. CTRL+SHIFT+F; empty for keys it has
    // no common name for, which the desktop then lets the user choose.
    static QString TriggerText(unsigned modifiers, unsigned virtualKey);

private slots:
    // Activated(o session, s shortcut, t timestamp, a{sv} options)
    void onActivated(const QDBusMessage &signal);

private:
    bool openSession();
    void closeSession();

    QDBusConnection bus_;
    std::optional<bool> served_;
    QString session_;
    QSet<int> active_;
    Handler handler_;
};

}  // namespace tiv::wayland
