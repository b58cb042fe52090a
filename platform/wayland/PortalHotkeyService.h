#pragma once

#include "platform/HotkeyService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QMap>
#include <QSet>
#include <optional>

namespace tiv::wayland {

// System-wide keys through the desktop portal's GlobalShortcuts interface (KDE Plasma, GNOME 48
// and later, Hyprland). The configured keys are offered as preferred triggers, all in one call
// and in one session for the whole run, since a desktop may show its settings on each call; the
// desktop decides, and a shortcut it leaves without a trigger counts as refused. Such a shortcut
// still acts once the user gives it keys in the desktop's settings.
class PortalHotkeyService : public QObject, public HotkeyService {
    Q_OBJECT
public:
    explicit PortalHotkeyService(QDBusConnection bus);
    ~PortalHotkeyService() override;

    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    std::vector<bool> registerHotkeys(const std::vector<HotkeyWish> &wishes) override;
    void unregisterHotkey(int id) override;
    bool keysSetInDesktopSettings() override { return setInDesktopSettings_; }
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
    bool bind();

    QDBusConnection bus_;
    std::optional<bool> served_;
    QString session_;
    // What the session was asked to bind (id to preferred trigger), and what the desktop bound.
    QMap<int, QString> wanted_;
    std::optional<QMap<int, QString>> lastBound_;
    QSet<int> bound_;
    // The ids the program wants to act on now.
    QSet<int> armed_;
    bool setInDesktopSettings_ = false;
    Handler handler_;
};

}  // namespace tiv::wayland
