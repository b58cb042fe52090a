#include "platform/x11/X11HotkeyService.h"

#include "platform/x11/VirtualKeyTable.h"

#include <X11/keysym.h>

#include <QSocketNotifier>

namespace tiv::x11 {

namespace {

constexpr uint16_t kLockMask = XCB_MOD_MASK_LOCK;

}  // namespace

X11HotkeyService::X11HotkeyService(std::unique_ptr<XcbConnection> connection) : x_(std::move(connection))
{
    numLockMask_ = modifierMaskOf(XK_Num_Lock);
    superMask_ = modifierMaskOf(XK_Super_L);
    if (!superMask_)
        superMask_ = XCB_MOD_MASK_4;
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(x_->get()), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
}

X11HotkeyService::~X11HotkeyService()
{
    for (const Grab &g : std::as_const(grabs_))
        ungrabAllLockVariants(g);
    xcb_flush(x_->get());
}

xcb_keycode_t X11HotkeyService::keycodeFor(uint32_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(x_->get());
    const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
    Reply<xcb_get_keyboard_mapping_reply_t> map(xcb_get_keyboard_mapping_reply(
        x_->get(), xcb_get_keyboard_mapping(x_->get(), xcb_keycode_t(first), uint8_t(count)), nullptr));
    if (!map)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map.get());
    const int perCode = map->keysyms_per_keycode;
    // Prefer a key that gives the symbol without shift, then any level.
    for (int level = 0; level < perCode; ++level)
        for (int i = 0; i < count; ++i)
            if (syms[i * perCode + level] == keysym)
                return xcb_keycode_t(first + i);
    return 0;
}

uint16_t X11HotkeyService::modifierMaskOf(uint32_t keysym)
{
    const xcb_keycode_t code = keycodeFor(keysym);
    if (!code)
        return 0;
    Reply<xcb_get_modifier_mapping_reply_t> mods(xcb_get_modifier_mapping_reply(
        x_->get(), xcb_get_modifier_mapping(x_->get()), nullptr));
    if (!mods)
        return 0;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(mods.get());
    const int perMod = mods->keycodes_per_modifier;
    for (int mod = 0; mod < 8; ++mod)
        for (int k = 0; k < perMod; ++k)
            if (codes[mod * perMod + k] == code)
                return uint16_t(1u << mod);
    return 0;
}

bool X11HotkeyService::grabAllLockVariants(const Grab &grab)
{
    // Caps Lock and Num Lock are part of the key state in X: grab every combination of them so the
    // hotkey works whichever of them is on.
    const uint16_t locks[] = {0, kLockMask, numLockMask_, uint16_t(kLockMask | numLockMask_)};
    xcb_void_cookie_t cookies[4];
    for (int i = 0; i < 4; ++i)
        cookies[i] = xcb_grab_key_checked(x_->get(), 1, x_->root(), grab.modifiers | locks[i], grab.keycode,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    bool ok = true;
    for (auto &cookie : cookies) {
        if (xcb_generic_error_t *err = xcb_request_check(x_->get(), cookie)) {
            ok = false;  // BadAccess: another client holds the combination
            free(err);
        }
    }
    if (!ok)
        ungrabAllLockVariants(grab);
    return ok;
}

void X11HotkeyService::ungrabAllLockVariants(const Grab &grab)
{
    const uint16_t locks[] = {0, kLockMask, numLockMask_, uint16_t(kLockMask | numLockMask_)};
    for (uint16_t lock : locks)
        xcb_ungrab_key(x_->get(), grab.keycode, x_->root(), grab.modifiers | lock);
}

bool X11HotkeyService::registerHotkey(int id, unsigned modifiers, unsigned virtualKey)
{
    const uint32_t keysym = keysymForVirtualKey(virtualKey);
    const xcb_keycode_t code = keysym ? keycodeFor(keysym) : 0;
    if (!code)
        return false;
    uint16_t mask = 0;
    if (modifiers & ModAlt)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & ModCtrl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & ModShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & ModSuper)
        mask |= superMask_;
    const Grab grab{code, mask};
    // Starting capture mode again asks for the keys this program already holds: they stay held.
    if (const auto held = grabs_.constFind(id); held != grabs_.cend()) {
        if (held->keycode == code && held->modifiers == mask)
            return true;
        unregisterHotkey(id);
    }
    for (const Grab &g : std::as_const(grabs_))
        if (g.keycode == code && g.modifiers == mask)
            return false;  // two of our own hotkeys on one combination: only one could ever fire
    if (!grabAllLockVariants(grab))
        return false;
    grabs_.insert(id, grab);
    xcb_flush(x_->get());
    return true;
}

void X11HotkeyService::unregisterHotkey(int id)
{
    auto it = grabs_.find(id);
    if (it == grabs_.end())
        return;
    ungrabAllLockVariants(*it);
    grabs_.erase(it);
    xcb_flush(x_->get());
}

void X11HotkeyService::readEvents()
{
    const uint16_t ignored = kLockMask | numLockMask_;
    while (xcb_generic_event_t *event = xcb_poll_for_event(x_->get())) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_KEY_RELEASE) {
            const auto *key = reinterpret_cast<xcb_key_release_event_t *>(event);
            lastRelease_.insert(key->detail, key->time);
        } else if (type == XCB_KEY_PRESS) {
            const auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
            // A held key repeats as a release and a new press stamped with the same time; only a
            // press after a real release is a new use of the hotkey.
            const auto released = lastRelease_.constFind(key->detail);
            if (released != lastRelease_.cend() && *released == key->time) {
                free(event);
                continue;
            }
            const uint16_t state = key->state & uint16_t(~ignored) & 0xff;
            for (auto it = grabs_.cbegin(); it != grabs_.cend(); ++it) {
                if (it->keycode == key->detail && it->modifiers == state && handler_) {
                    const int id = it.key();
                    free(event);
                    event = nullptr;
                    handler_(id);
                    break;
                }
            }
        }
        free(event);
    }
}

}  // namespace tiv::x11
