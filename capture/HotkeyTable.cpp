#include "capture/HotkeyTable.h"

#include "platform/HotkeyService.h"

namespace tiv {

namespace {

QString normalisedName(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    QString name = text.mid(begin, end - begin);
    for (QChar &c : name) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return name;
}

constexpr int EscapeKey = 27;
constexpr int F1Key = 112;

}  // namespace

int ParseHotkeyName(const QString &text)
{
    const QString name = normalisedName(text);
    if (name == u"CTRL")
        return ModCtrl;
    if (name == u"SHIFT")
        return ModShift;
    if (name == u"ALT")
        return ModAlt;
    if (name == u"ESC")
        return EscapeKey;
    for (int f = 1; f <= 12; ++f) {
        if (name == u'F' + QString::number(f))
            return F1Key + f - 1;
    }
    return 0;
}

int HotkeyIdOfKey(const HotkeyTable &table, const HotkeyConflicts &conflicts, unsigned keyCode, int modifiers)
{
    if (keyCode == 0)
        return 0;
    for (int id = 1; id <= HotkeyCount; ++id) {
        const HotkeyEntry &entry = table[size_t(id - 1)];
        if (!conflicts[size_t(id - 1)] && HotkeyKeyCode(entry) == keyCode && HotkeyModifiers(entry) == modifiers)
            return id;
    }
    return 0;
}

int HotkeyModifiers(const HotkeyEntry &entry)
{
    return ParseHotkeyName(entry.Modifier1) | ParseHotkeyName(entry.Modifier2);
}

unsigned HotkeyKeyCode(const HotkeyEntry &entry)
{
    const QString name = normalisedName(entry.Key);
    if (name == u"ESC")
        return EscapeKey;
    for (int f = 1; f <= 12; ++f) {
        if (name == u'F' + QString::number(f))
            return F1Key + f - 1;
    }
    // One character names its own key; a lower-case letter means its letter key, not the key
    // whose code its character happens to have.
    QChar key;
    if (name.size() == 1)
        key = name[0];
    else if (name.isEmpty() && !entry.Key.isEmpty())
        key = entry.Key[0];  // a lone blank is the space bar, as in files written elsewhere
    // Key codes are single bytes; a longer text is no key name, and 0 makes the registration fail
    // visibly instead of binding the key of its first character.
    return key.unicode() <= 0xFF ? key.unicode() : 0;
}

void ResetHotkeyDefaults(HotkeyTable &table)
{
    const QString ctrl = QStringLiteral("Ctrl"), shift = QStringLiteral("Shift");
    table[HotkeyFullScreen - 1] = {ctrl, shift, QStringLiteral("F")};
    table[HotkeyActiveWindow - 1] = {ctrl, shift, QStringLiteral("W")};
    table[HotkeyActiveClientArea - 1] = {ctrl, shift, QStringLiteral("C")};
    table[HotkeyRegion - 1] = {ctrl, shift, QStringLiteral("A")};
    table[HotkeyLeave - 1] = {QString(), QString(), QStringLiteral("ESC")};
}

HotkeyTable DefaultHotkeyTable()
{
    HotkeyTable table;
    ResetHotkeyDefaults(table);
    return table;
}

bool RegisterCaptureHotkeys(const HotkeyTable &table, HotkeyConflicts &conflicts,
                            HotkeyService &service, const std::function<void(const QString &)> &logLine)
{
    std::vector<HotkeyWish> wishes;
    for (int id = 1; id <= HotkeyCount; ++id) {
        const HotkeyEntry &e = table[id - 1];
        if (logLine)
            logLine(QString::number(id) + u',' + e.Modifier1 + u',' + e.Modifier2 + u',' + e.Key);
        // An entry without a key must not stop the pass: the hotkeys after it would silently stay
        // unregistered while the result still claimed success.
        conflicts[id - 1] = true;
        if (const unsigned key = HotkeyKeyCode(e))
            wishes.push_back({id, unsigned(HotkeyModifiers(e)), key});
    }
    const std::vector<bool> accepted = service.registerHotkeys(wishes);
    for (size_t i = 0; i < wishes.size() && i < accepted.size(); ++i)
        conflicts[wishes[i].id - 1] = !accepted[i];
    bool refused = false;
    for (int id = 1; id <= HotkeyCount; ++id)
        refused = refused || conflicts[id - 1];
    return !refused;
}

void UnregisterCaptureHotkeys(HotkeyService &service)
{
    for (int id = 1; id <= HotkeyCount; ++id)
        service.unregisterHotkey(id);
}

}  // namespace tiv
