// Runs a command (such as an xdotool click) and prints how many milliseconds pass until a window
// of the given size is mapped at the screen's top-left corner: what a user sees of a window that
// appears, without calling into the program. usage: bench_map_watch WIDTH HEIGHT COMMAND [ARG...]
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {

bool coversAt(xcb_connection_t *c, xcb_window_t window, int width, int height)
{
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &free);
    return g && g->x == 0 && g->y == 0 && g->width == width && g->height == height;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    if (fork() == 0) {
        // The figure alone goes to the standard output, which the command may outlast.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    bool mapped = false;
    // A command that opens nothing is given up on after ten seconds.
    pollfd readable{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!mapped && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                break;
            poll(&readable, 1, 100);
            continue;
        }
        const int type = event->response_type & 0x7f;
        xcb_window_t window = XCB_NONE;
        if (type == XCB_MAP_NOTIFY)
            window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
        else if (type == XCB_CONFIGURE_NOTIFY)
            window = reinterpret_cast<xcb_configure_notify_event_t *>(event)->window;
        free(event);
        if (window == XCB_NONE || !coversAt(c, window, width, height))
            continue;
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&free)> a(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr), &free);
        mapped = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    xcb_disconnect(c);
    if (!mapped)
        return 1;
    // Not waited for: a capture tool's command may stay until the window it opened is closed.
    std::printf("%.1f\n", ms);
    return 0;
}
