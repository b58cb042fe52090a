#pragma once

#include <functional>
#include <vector>

namespace tiv {

// Modifier bits of the program's own hotkey numbering; other bits are ignored.
enum HotkeyModifier : unsigned {
    ModAlt = 1,
    ModCtrl = 2,
    ModShift = 4,
    ModSuper = 8,
};

// One hotkey of a registration pass.
struct HotkeyWish {
    int id;
    unsigned modifiers;
    unsigned virtualKey;
};

// System-wide hotkeys. Key codes are the program's virtual-key numbers (Esc 27, 'A'..'Z', '0'..'9',
// F1..F12 = 112..123, numeric pad 96..105, ...).
class HotkeyService {
public:
    using Handler = std::function<void(int id)>;
    virtual ~HotkeyService() = default;
    // False when the system refuses the combination (another program holds it, or the key is unknown).
    // Registering an id this program holds again gives it the new combination; the combination it
    // already has is accepted as it stands. Each press fires once, however long the key is held.
    virtual bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual void unregisterHotkey(int id) = 0;
    // A whole pass at once, for desktops that confirm all of a program's keys together; whether
    // each was accepted, in order.
    virtual std::vector<bool> registerHotkeys(const std::vector<HotkeyWish> &wishes)
    {
        std::vector<bool> accepted;
        for (const HotkeyWish &wish : wishes)
            accepted.push_back(registerHotkey(wish.id, wish.modifiers, wish.virtualKey));
        return accepted;
    }
    // True where the desktop bound none of the keys itself but took them into its own shortcut
    // settings, where the user sets them; they act from there once set.
    virtual bool keysSetInDesktopSettings() { return false; }
    // Called on the interface thread with the id of each activated hotkey.
    virtual void setHandler(Handler handler) = 0;
    // False where the desktop lets no program take keys system-wide; the user then binds the
    // program's command line to keys in the desktop's own settings instead.
    virtual bool systemWide() = 0;
};

}  // namespace tiv
