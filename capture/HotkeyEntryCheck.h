#pragma once

#include "capture/HotkeyTable.h"

namespace tiv {

// Whether two entries press the same keys, however they are written.
bool SameHotkey(const HotkeyEntry &a, const HotkeyEntry &b);

// What keeps entry `index` from working as a hotkey of its own: no key, a text that names no key or
// no modifier, or the keys of an earlier entry (the earlier one would take every press).
enum class HotkeyProblem { None, NoKey, UnknownKey, UnknownModifier, SameAsEarlier };
HotkeyProblem HotkeyEntryProblem(const HotkeyTable &table, int index);

}  // namespace tiv
