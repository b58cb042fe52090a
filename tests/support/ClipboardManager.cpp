// Test helper: a minimal clipboard manager. It owns CLIPBOARD_MANAGER, and when a program that
// is about to exit asks it to save the clipboard (SAVE_TARGETS), it fetches the clipboard's
// image/png into the file named on the command line, answers, and ends.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_connection_t *c;

xcb_atom_t atom(const char *name)
{
    auto *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

// Waits for the next event of one type on our window, handing nothing else on.
xcb_generic_event_t *waitFor(uint8_t type)
{
    while (xcb_generic_event_t *e = xcb_wait_for_event(c)) {
        if ((e->response_type & 0x7f) == type)
            return e;
        free(e);
    }
    return nullptr;
}

bool fetchPng(xcb_window_t window, xcb_atom_t clipboard, xcb_atom_t png, xcb_atom_t into, const char *path)
{
    xcb_convert_selection(c, window, clipboard, png, into, XCB_CURRENT_TIME);
    xcb_flush(c);
    auto *notify = reinterpret_cast<xcb_selection_notify_event_t *>(waitFor(XCB_SELECTION_NOTIFY));
    const bool converted = notify && notify->property != XCB_ATOM_NONE;
    free(notify);
    if (!converted)
        return false;
    auto *prop = xcb_get_property_reply(
        c, xcb_get_property(c, 1, window, into, XCB_GET_PROPERTY_TYPE_ANY, 0, 64 << 20), nullptr);
    if (!prop)
        return false;
    FILE *out = std::fopen(path, "wb");
    const int length = xcb_get_property_value_length(prop);
    const bool written = out && std::fwrite(xcb_get_property_value(prop), 1, size_t(length), out) == size_t(length);
    if (out)
        std::fclose(out);
    free(prop);
    return written && length > 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tiv_clipboard_manager OUT.png\n");
        return 2;
    }
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER"), saveTargets = atom("SAVE_TARGETS"),
                     clipboard = atom("CLIPBOARD"), png = atom("image/png"), into = atom("TIV_SAVED");
    xcb_set_selection_owner(c, window, manager, XCB_CURRENT_TIME);
    xcb_flush(c);
    std::printf("ready\n");
    std::fflush(stdout);

    while (auto *e = waitFor(XCB_SELECTION_REQUEST)) {
        auto *request = reinterpret_cast<xcb_selection_request_event_t *>(e);
        if (request->selection != manager || request->target != saveTargets) {
            free(e);
            continue;
        }
        const bool saved = fetchPng(window, clipboard, png, into, argv[1]);
        xcb_selection_notify_event_t answer{};
        answer.response_type = XCB_SELECTION_NOTIFY;
        answer.time = request->time;
        answer.requestor = request->requestor;
        answer.selection = request->selection;
        answer.target = request->target;
        answer.property = saved ? request->property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&answer));
        xcb_flush(c);
        free(e);
        std::printf(saved ? "saved\n" : "nothing saved\n");
        return saved ? 0 : 1;
    }
    return 1;
}
