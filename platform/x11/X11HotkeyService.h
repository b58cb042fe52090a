#pragma once

#include "platform/HotkeyService.h"
#include "platform/x11/XcbConnection.h"

#include <QMap>
#include <memory>

class QSocketNotifier;

namespace tiv::x11 {

// Global hotkeys as key grabs on the root window, on a connection of their own so that key
// events never mix with the replies of screen grabs.
class X11HotkeyService : public HotkeyService {
public:
    explicit X11HotkeyService(std::unique_ptr<XcbConnection> connection);
    ~X11HotkeyService() override;

    bool registerHotkey(int id, unsigned modifiers, unsigned virtualKey) override;
    void unregisterHotkey(int id) override;
    void setHandler(Handler handler) override { handler_ = std::move(handler); }
    bool systemWide() override { return true; }

private:
    struct Grab {
        xcb_keycode_t keycode;
        uint16_t modifiers;
    };
    xcb_keycode_t keycodeFor(uint32_t keysym);
    uint16_t modifierMaskOf(uint32_t keysym);
    bool grabAllLockVariants(const Grab &grab);
    void ungrabAllLockVariants(const Grab &grab);
    void readEvents();

    std::unique_ptr<XcbConnection> x_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMap<int, Grab> grabs_;
    // Server time of the last release of each key code seen through our grabs.
    QMap<xcb_keycode_t, xcb_timestamp_t> lastRelease_;
    Handler handler_;
    uint16_t numLockMask_ = 0;
    uint16_t superMask_ = 0;
};

}  // namespace tiv::x11
