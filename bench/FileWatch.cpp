// Presses a key combination through the X server's test extension, from this process that is
// already running (so no program start is inside the figure), and prints how many milliseconds
// pass from the press until a complete picture file arrives in a folder: renamed into it, or
// linked in under its own name (the program's safe write does either, after the data is
// written). What a user sees of a capture saved, without calling into the program. One line per
// press; the presses are PAUSE milliseconds apart.
// usage: bench_file_watch FOLDER PRESSES PAUSE KEY...   (KEY: ctrl, shift, alt or a letter)
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string_view>
#include <thread>
#include <vector>

namespace {

xcb_keysym_t keysymOf(std::string_view name)
{
    if (name == "ctrl")
        return 0xffe3;  // Control_L
    if (name == "shift")
        return 0xffe1;  // Shift_L
    if (name == "alt")
        return 0xffe9;  // Alt_L
    return name.size() == 1 && name[0] >= 'a' && name[0] <= 'z' ? xcb_keysym_t(name[0]) : 0;
}

xcb_keycode_t keycodeOf(xcb_connection_t *c, xcb_keysym_t sym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count)), nullptr);
    if (!map)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    xcb_keycode_t code = 0;
    for (int i = 0; i < count && !code; ++i)
        if (syms[i * map->keysyms_per_keycode] == sym)
            code = xcb_keycode_t(setup->min_keycode + i);
    free(map);
    return code;
}

// A temporary file created to be renamed later carries a suffix after the picture's extension.
bool isPicture(std::string_view name)
{
    for (std::string_view extension : {".png", ".jpg", ".jpeg", ".bmp"})
        if (name.size() > extension.size() && name.substr(name.size() - extension.size()) == extension)
            return true;
    return false;
}

// Whether a complete picture arrived among the events waiting; waits up to `timeoutMs` for them.
bool pictureArrived(int watch, int timeoutMs)
{
    pollfd readable{watch, POLLIN, 0};
    if (poll(&readable, 1, timeoutMs) <= 0)
        return false;
    alignas(inotify_event) char buffer[4096];
    const ssize_t got = read(watch, buffer, sizeof buffer);
    bool arrived = false;
    for (ssize_t at = 0; at < got;) {
        const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
        arrived = arrived || (event->mask & IN_MOVED_TO) || (event->len && isPicture(event->name));
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    return arrived;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s FOLDER PRESSES PAUSE KEY...\n", argv[0]);
        return 2;
    }
    const int presses = std::atoi(argv[2]), pauseMs = std::atoi(argv[3]);
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    std::vector<xcb_keycode_t> keys;
    for (int i = 4; i < argc; ++i) {
        const xcb_keycode_t code = keycodeOf(c, keysymOf(argv[i]));
        if (!code) {
            std::fprintf(stderr, "no key for %s\n", argv[i]);
            return 2;
        }
        keys.push_back(code);
    }
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, argv[1], IN_MOVED_TO | IN_CREATE) < 0) {
        std::perror(argv[1]);
        return 2;
    }
    int failed = 0;
    for (int press = 0; press < presses; ++press) {
        while (pictureArrived(watch, 0)) {
        }
        const auto start = std::chrono::steady_clock::now();
        for (xcb_keycode_t key : keys)
            xcb_test_fake_input(c, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, root, 0, 0, 0);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            xcb_test_fake_input(c, XCB_KEY_RELEASE, *key, XCB_CURRENT_TIME, root, 0, 0, 0);
        xcb_flush(c);
        bool arrived = false;
        while (!arrived && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
            arrived = pictureArrived(watch, 10000);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (arrived)
            std::printf("%.1f\n", ms);
        else
            ++failed;
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    xcb_disconnect(c);
    return failed ? 1 : 0;
}
