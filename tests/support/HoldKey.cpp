// Test helper: grabs Ctrl+Shift+<letter> on the root window, as another program holding that
// hotkey would, and keeps it until killed.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 2 || argv[1][0] < 'a' || argv[1][0] > 'z') {
        std::fprintf(stderr, "usage: tiv_hold_key LETTER\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_setup_t *setup = xcb_get_setup(c);
    xcb_screen_t *screen = xcb_setup_roots_iterator(setup).data;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count)), nullptr);
    if (!map)
        return 1;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    xcb_keycode_t code = 0;
    for (int i = 0; i < count && !code; ++i)
        if (syms[i * map->keysyms_per_keycode] == xcb_keysym_t(argv[1][0]))
            code = xcb_keycode_t(setup->min_keycode + i);
    free(map);
    const int locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    for (int lock : locks)
        xcb_grab_key(c, 1, screen->root, uint16_t(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | lock), code,
                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_flush(c);
    std::printf("holding\n");
    std::fflush(stdout);
    while (xcb_generic_event_t *event = xcb_wait_for_event(c))
        free(event);
    return 0;
}
