#include "platform/wayland/PortalHotkeyService.h"

#include "platform/wayland/PortalRequest.h"
#include "platform/wayland/PortalShortcut.h"

#include <QDBusMessage>
#include <QRandomGenerator>

namespace tiv::wayland {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// Binding may show the user a dialog to confirm or change the keys.
constexpr int BindTimeoutMs = 60000;
constexpr int SessionTimeoutMs = 5000;

const char *const Descriptions[] = {"", "全屏截屏", "当前窗口截屏", "当前窗口内容截屏", "区域截屏", "退出截屏"};

QString shortcutId(int id)
{
    return QStringLiteral("tiv-hotkey-%1").arg(id);
}

}  // namespace

PortalHotkeyService::PortalHotkeyService(QDBusConnection bus) : bus_(std::move(bus))
{
    RegisterPortalShortcutTypes();
}

// Asked on first use rather than at start, which a portal still starting up would hold up.
bool PortalHotkeyService::systemWide()
{
    if (served_)
        return *served_;
    QDBusMessage ask = QDBusMessage::createMethodCall(PortalService, PortalPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    ask.setArguments({ShortcutsInterface, QStringLiteral("version")});
    served_ = bus_.isConnected() && bus_.call(ask, QDBus::Block, SessionTimeoutMs).type() == QDBusMessage::ReplyMessage;
    if (*served_)
        bus_.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                     SLOT(onActivated(QDBusMessage)));
    return *served_;
}

PortalHotkeyService::~PortalHotkeyService()
{
    closeSession();
}

QString PortalHotkeyService::TriggerText(unsigned modifiers, unsigned virtualKey)
{
    QString key;
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        key = QChar(char16_t(virtualKey));
    else if (virtualKey >= 112 && virtualKey <= 123)
        key = QStringLiteral("F%1").arg(virtualKey - 111);
    else if (virtualKey == 27)
        key = QStringLiteral("Escape");
    else
        return {};
    QStringList parts;
    if (modifiers & ModCtrl)
        parts << QStringLiteral("CTRL");
    if (modifiers & ModAlt)
        parts << QStringLiteral("ALT");
    if (modifiers & ModShift)
        parts << QStringLiteral("SHIFT");
    if (modifiers & ModSuper)
        parts << QStringLiteral("LOGO");
    parts << key;
    return parts.join(QLatin1Char('+'));
}

bool PortalHotkeyService::openSession()
{
    if (!session_.isEmpty())
        return true;
    PortalRequest request(bus_, ShortcutsInterface, QStringLiteral("CreateSession"));
    const QString token = QStringLiteral("tiv%1").arg(QRandomGenerator::global()->generate());
    if (request.call({}, {{QStringLiteral("session_handle_token"), token}}, SessionTimeoutMs)
        != PortalRequest::Outcome::Answered)
        return false;
    session_ = request.results().value(QStringLiteral("session_handle")).toString();
    return !session_.isEmpty();
}

void PortalHotkeyService::closeSession()
{
    if (session_.isEmpty())
        return;
    bus_.call(QDBusMessage::createMethodCall(PortalService, session_, QStringLiteral("org.freedesktop.portal.Session"),
                                             QStringLiteral("Close")),
              QDBus::NoBlock);
    session_.clear();
}

bool PortalHotkeyService::registerHotkey(int id, unsigned modifiers, unsigned virtualKey)
{
    return registerHotkeys({{id, modifiers, virtualKey}}).front();
}

std::vector<bool> PortalHotkeyService::registerHotkeys(const std::vector<HotkeyWish> &wishes)
{
    std::vector<bool> accepted(wishes.size(), false);
    if (!systemWide() || !openSession())
        return accepted;
    for (const HotkeyWish &wish : wishes) {
        if (wish.id >= 1 && wish.id <= 5)
            wanted_.insert(wish.id, TriggerText(wish.modifiers, wish.virtualKey));
    }
    // Asked again only when the keys changed: a desktop may open its settings on every call.
    if (lastBound_ != wanted_ && !bind())
        return accepted;
    for (size_t i = 0; i < wishes.size(); ++i) {
        if (!wanted_.contains(wishes[i].id))
            continue;
        armed_.insert(wishes[i].id);
        accepted[i] = bound_.contains(wishes[i].id);
    }
    return accepted;
}

bool PortalHotkeyService::bind()
{
    QList<PortalShortcut> shortcuts;
    for (auto it = wanted_.cbegin(); it != wanted_.cend(); ++it) {
        PortalShortcut shortcut{shortcutId(it.key()), {{QStringLiteral("description"), QString::fromUtf8(Descriptions[it.key()])}}};
        if (!it.value().isEmpty())
            shortcut.properties.insert(QStringLiteral("preferred_trigger"), it.value());
        shortcuts << shortcut;
    }
    PortalRequest request(bus_, ShortcutsInterface, QStringLiteral("BindShortcuts"));
    const QVariantList arguments{QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), QString()};
    if (request.call(arguments, {}, BindTimeoutMs) != PortalRequest::Outcome::Answered)
        return false;
    lastBound_ = wanted_;
    bound_.clear();
    const auto given = qdbus_cast<QList<PortalShortcut>>(request.results().value(QStringLiteral("shortcuts")));
    for (const PortalShortcut &shortcut : given) {
        for (auto it = wanted_.cbegin(); it != wanted_.cend(); ++it) {
            if (shortcut.id == shortcutId(it.key())
                && !shortcut.properties.value(QStringLiteral("trigger_description")).toString().isEmpty())
                bound_.insert(it.key());
        }
    }
    // KDE Plasma 5.27 binds nothing and opens its shortcut settings instead.
    setInDesktopSettings_ = bound_.isEmpty();
    return true;
}

void PortalHotkeyService::unregisterHotkey(int id)
{
    // The session stays for the run; the keys it holds are only passed over.
    armed_.remove(id);
}

void PortalHotkeyService::onActivated(const QDBusMessage &signal)
{
    const QVariantList arguments = signal.arguments();
    if (arguments.size() < 2 || !handler_)
        return;
    const QString session = arguments[0].value<QDBusObjectPath>().path();
    const QString shortcut = arguments[1].toString();
    if (session != session_)
        return;
    for (int id : std::as_const(armed_)) {
        if (shortcut == shortcutId(id)) {
            handler_(id);
            return;
        }
    }
}

}  // namespace tiv::wayland
