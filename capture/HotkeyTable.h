#pragma once

#include <QString>

#include <array>
#include <functional>

namespace tiv {

class HotkeyService;

// Hotkey ids as registered with the desktop and stored in the settings file; the numbers are stable.
enum HotkeyId : int {
    HotkeyFullScreen = 1,
    HotkeyActiveWindow = 2,
    HotkeyActiveClientArea = 3,
    HotkeyRegion = 4,
    HotkeyLeave = 5,
};
constexpr int HotkeyCount = 5;

// The texts as the user or the defaults wrote them; nothing is normalised when stored.
struct HotkeyEntry {
    QString Modifier1;
    QString Modifier2;
    QString Key;
    bool operator==(const HotkeyEntry &) const = default;
};

// Both arrays are indexed by hotkey id - 1: entry 0 is HotkeyFullScreen, entry 4 HotkeyLeave.
using HotkeyTable = std::array<HotkeyEntry, HotkeyCount>;
// A flag is set when the last registration of that hotkey was refused.
using HotkeyConflicts = std::array<bool, HotkeyCount>;

// Modifier bits (Ctrl 2, Shift 4, Alt 1) and key codes (ESC 27, F1..F12 112..123) of the names, after
// upper-casing a..z and stripping control characters and blanks at both ends; 0 for anything else.
int ParseHotkeyName(const QString &text);
int HotkeyModifiers(const HotkeyEntry &entry);
// The key code registered for an entry: 27 for "ESC", 112..123 for "F1".."F12", the letter key for
// a letter of either case, a single character's own code otherwise; 0 when the text names no key.
// Blanks and control characters around the text are ignored.
unsigned HotkeyKeyCode(const HotkeyEntry &entry);

// The id of the hotkey that a key with these modifier bits presses, among those not refused; 0 for none.
int HotkeyIdOfKey(const HotkeyTable &table, const HotkeyConflicts &conflicts, unsigned keyCode, int modifiers);

void ResetHotkeyDefaults(HotkeyTable &table);
HotkeyTable DefaultHotkeyTable();

// Registers hotkeys 1 to 5 in order, logging "id,Modifier1,Modifier2,Key" for each, and records in
// `conflicts` which ones the desktop refused. An entry without a key counts as refused. True when
// nothing was refused. Hotkeys still registered from an earlier pass are not released first.
bool RegisterCaptureHotkeys(const HotkeyTable &table, HotkeyConflicts &conflicts,
                            HotkeyService &service, const std::function<void(const QString &)> &logLine);
void UnregisterCaptureHotkeys(HotkeyService &service);

}  // namespace tiv
