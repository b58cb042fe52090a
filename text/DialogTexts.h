#pragma once

#include <QString>

// Texts of the hotkey dialog and the folder chooser, Simplified Chinese only.
namespace tiv {

// In the order of the hotkey ids: full screen, window, client area, region, leaving capture mode.
extern const QString TxtHotkeyRowCaptions[5];
extern const QString TxtHotkeyConflictMark, TxtHotkeyKeyMissing, TxtHotkeyKeyUnknown, TxtHotkeyModifierUnknown,
    TxtHotkeyRepeated, TxtHotkeyNotSaved, TxtFolderNotWritable, TxtFolderDiskFull;

}  // namespace tiv
