#include "platform/x11/WindowFocus.h"

#include <unistd.h>

#include <algorithm>
#include <utility>

namespace tiv::x11 {

namespace {

// A manager's stand-in for "no window" is a window of a pixel or a few (icewm 1x1, xfwm4 5x5).
constexpr int kFewPixels = 10;

bool holdsAny(const std::vector<uint32_t> &values, std::initializer_list<xcb_atom_t> wanted)
{
    return std::any_of(values.begin(), values.end(), [&](uint32_t v) {
        return std::find(wanted.begin(), wanted.end(), v) != wanted.end();
    });
}

}  // namespace

bool IsCapturableWindow(XcbConnection &x, xcb_window_t window, const QRect &onScreen)
{
    if (window == XCB_WINDOW_NONE || window == x.root())
        return false;
    if (onScreen.width() < kFewPixels || onScreen.height() < kFewPixels)
        return false;
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x.get(), xcb_get_window_attributes(x.get(), window), nullptr));
    // Gone, hidden (our own main window, just unmapped) or kept away from the manager (menus, tips).
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || attributes->override_redirect)
        return false;
    const auto pid = x.cardinalProperty(window, x.atom("_NET_WM_PID"), 1);
    if (!pid.empty() && pid[0] == uint32_t(getpid()))
        return false;
    const auto check = x.cardinalProperty(x.root(), x.atom("_NET_SUPPORTING_WM_CHECK"), 1);
    if (!check.empty() && check[0] == window)
        return false;
    const auto types = x.cardinalProperty(window, x.atom("_NET_WM_WINDOW_TYPE"), 8);
    return !holdsAny(types, {x.atom("_NET_WM_WINDOW_TYPE_DOCK"), x.atom("_NET_WM_WINDOW_TYPE_DESKTOP")});
}

bool FocusMemory::viewable(xcb_window_t window)
{
    if (window == XCB_WINDOW_NONE || window == x_.root())
        return false;
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x_.get(), xcb_get_window_attributes(x_.get(), window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

void FocusMemory::remember()
{
    focus_ = active_ = XCB_WINDOW_NONE;
    Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr));
    if (focus && focus->focus > XCB_INPUT_FOCUS_POINTER_ROOT && focus->focus != x_.root())
        focus_ = focus->focus;
    const auto active = x_.cardinalProperty(x_.root(), x_.atom("_NET_ACTIVE_WINDOW"), 1);
    if (!active.empty())
        active_ = active[0];
}

void FocusMemory::giveBack()
{
    const xcb_window_t focus = std::exchange(focus_, XCB_WINDOW_NONE);
    const xcb_window_t active = std::exchange(active_, XCB_WINDOW_NONE);
    if (viewable(active)) {
        // Asked of the manager as a pager would, so that it also takes the window for the active
        // one; managers refuse an application's request more readily.
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = active;
        message.type = x_.atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 2;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x_.get(), 0, x_.root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char *>(&message));
    }
    // Also without a manager, or one that ignores the request.
    if (viewable(focus))
        xcb_set_input_focus(x_.get(), XCB_INPUT_FOCUS_PARENT, focus, XCB_CURRENT_TIME);
    xcb_flush(x_.get());
}

}  // namespace tiv::x11
