#include "platform/wayland/PortalHotkeyService.h"
#include "platform/wayland/PortalShortcut.h"
#include "PortalTestBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QScopeGuard>
#include <gtest/gtest.h>

using namespace tiv;
using namespace tiv::wayland;

namespace {

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SessionPath = QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/tiv");

// A desktop that serves GlobalShortcuts: it binds what it is asked for, except the shortcuts it
// leaves without keys, and answers each call through a Request's Response as the real portal does.
class StandInShortcuts : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    explicit StandInShortcuts(QDBusConnection bus) : bus_(std::move(bus)) {}
    uint version() const { return 1; }
    QSet<QString> leftWithoutKeys;
    bool bindsNothing = false;  // as KDE Plasma 5.27, which opens its shortcut settings instead
    QStringList preferredTriggers;
    int bindCalls = 0;

    void activate(const QString &id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(PortalPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
                                                         QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(SessionPath)) << id << qulonglong(0) << QVariantMap();
        bus_.send(signal);
    }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap &options, const QDBusMessage &call)
    {
        return answer(call, options, {{QStringLiteral("session_handle"), SessionPath}});
    }
    QDBusObjectPath BindShortcuts(const QDBusObjectPath &, const QList<tiv::wayland::PortalShortcut> &shortcuts, const QString &,
                                  const QVariantMap &options, const QDBusMessage &call)
    {
        ++bindCalls;
        QList<PortalShortcut> bound;
        for (PortalShortcut s : shortcuts) {
            if (bindsNothing)
                continue;
            preferredTriggers << s.properties.value(QStringLiteral("preferred_trigger")).toString();
            if (!leftWithoutKeys.contains(s.id))
                s.properties.insert(QStringLiteral("trigger_description"), QStringLiteral("keys"));
            bound << s;
        }
        return answer(call, options, {{QStringLiteral("shortcuts"), QVariant::fromValue(bound)}});
    }

private:
    QDBusObjectPath answer(const QDBusMessage &call, const QVariantMap &options, const QVariantMap &results)
    {
        const QString path = QStringLiteral("%1/request/%2/%3")
                                 .arg(PortalPath, call.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_')),
                                      options.value(QStringLiteral("handle_token")).toString());
        QTimer::singleShot(0, this, [this, path, results] {
            QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                               QStringLiteral("Response"));
            response << 0u << results;
            bus_.send(response);
        });
        return QDBusObjectPath(path);
    }
    QDBusConnection bus_;
};

}  // namespace

TEST(PortalHotkeyService, OffersTheKeysMarksThoseLeftUnboundAndDeliversActivations)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.start());
    RegisterPortalShortcutTypes();
    QDBusConnection desktop = QDBusConnection::connectToBus(bus.address, QStringLiteral("desktop"));
    QDBusConnection program = QDBusConnection::connectToBus(bus.address, QStringLiteral("program"));
    ASSERT_TRUE(desktop.isConnected() && program.isConnected());

    {
        PortalHotkeyService withoutPortal(program);
        EXPECT_FALSE(withoutPortal.systemWide());
        EXPECT_FALSE(withoutPortal.registerHotkey(1, ModCtrl | ModShift, 'F'));
    }

    // The desktop answers on a thread of its own, as the program's portal calls block.
    StandInShortcuts standIn(desktop);
    standIn.leftWithoutKeys = {QStringLiteral("tiv-hotkey-2")};
    QThread desktopThread;
    standIn.moveToThread(&desktopThread);
    desktopThread.start();
    const auto stopDesktop = qScopeGuard([&desktopThread] {
        desktopThread.quit();
        desktopThread.wait();
    });
    ASSERT_TRUE(desktop.registerObject(PortalPath, &standIn, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(desktop.registerService(Portal));

    PortalHotkeyService keys(program);
    QList<int> pressed;
    keys.setHandler([&pressed](int id) { pressed << id; });
    EXPECT_TRUE(keys.systemWide());
    const std::vector<HotkeyWish> wishes{{1, ModCtrl | ModShift, 'F'}, {2, ModCtrl | ModShift, 'W'}, {5, 0, 27}};
    EXPECT_EQ(keys.registerHotkeys(wishes), std::vector<bool>({true, false, true})) << "the desktop gave 2 no keys";
    EXPECT_EQ(standIn.preferredTriggers, QStringList({"CTRL+SHIFT+F", "CTRL+SHIFT+W", "Escape"}));
    EXPECT_FALSE(keys.keysSetInDesktopSettings());
    // Capture mode entered again asks nothing: the desktop may open its settings on each call.
    keys.unregisterHotkey(1);
    EXPECT_EQ(keys.registerHotkeys(wishes), std::vector<bool>({true, false, true}));
    EXPECT_EQ(standIn.bindCalls, 1);

    // A shortcut left without keys acts once the user gives it keys in the desktop's settings.
    standIn.activate(QStringLiteral("tiv-hotkey-2"));
    standIn.activate(QStringLiteral("tiv-hotkey-5"));
    ASSERT_TRUE(waitFor([&] { return pressed.size() >= 2; }));
    keys.unregisterHotkey(5);
    standIn.activate(QStringLiteral("tiv-hotkey-5"));
    standIn.activate(QStringLiteral("tiv-hotkey-1"));
    ASSERT_TRUE(waitFor([&] { return pressed.size() >= 3; }));
    EXPECT_EQ(pressed, QList<int>({2, 5, 1})) << "only registered shortcuts act";

    standIn.bindsNothing = true;
    PortalHotkeyService kde(program);
    EXPECT_EQ(kde.registerHotkeys(wishes), std::vector<bool>({false, false, false}));
    EXPECT_TRUE(kde.keysSetInDesktopSettings());
    EXPECT_EQ(standIn.bindCalls, 2);
}

#include "PortalHotkeyServiceTest.moc"
