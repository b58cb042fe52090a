#include "capture/HotkeyEntryCheck.h"

namespace tiv {

bool SameHotkey(const HotkeyEntry &a, const HotkeyEntry &b)
{
    return HotkeyKeyCode(a) == HotkeyKeyCode(b) && HotkeyModifiers(a) == HotkeyModifiers(b);
}

HotkeyProblem HotkeyEntryProblem(const HotkeyTable &table, int index)
{
    const HotkeyEntry &entry = table[size_t(index)];
    if (entry.Key.isEmpty())
        return HotkeyProblem::NoKey;
    if (HotkeyKeyCode(entry) == 0)
        return HotkeyProblem::UnknownKey;
    // A modifier text that names nothing would silently leave the bare key to be taken from every
    // program on the desktop.
    for (const QString &modifier : {entry.Modifier1, entry.Modifier2}) {
        if (!modifier.trimmed().isEmpty() && ParseHotkeyName(modifier) == 0)
            return HotkeyProblem::UnknownModifier;
    }
    for (int earlier = 0; earlier < index; ++earlier) {
        if (HotkeyKeyCode(table[size_t(earlier)]) != 0 && SameHotkey(table[size_t(earlier)], entry))
            return HotkeyProblem::SameAsEarlier;
    }
    return HotkeyProblem::None;
}

}  // namespace tiv
