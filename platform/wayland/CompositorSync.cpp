#include "platform/wayland/CompositorSync.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <poll.h>
#include <wayland-client.h>

namespace tiv::wayland {

namespace {

void onDone(void *data, wl_callback *, uint32_t)
{
    *static_cast<bool *>(data) = true;
}

const wl_callback_listener DoneListener = {onDone};

}  // namespace

bool compositorReadEarlierRequests(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool done = false;
    wl_callback *callback = wl_display_sync(display);
    wl_callback_add_listener(callback, &DoneListener, &done);
    bool broken = false;
    while (!done && !broken && !deadline.hasExpired()) {
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                broken = true;
        }
        if (done || broken) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            break;
        }
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        if (poll(&fd, 1, int(deadline.remainingTime())) <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        broken = wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0;
    }
    wl_callback_destroy(callback);
    wl_display_disconnect(display);
    return done;
}

}  // namespace tiv::wayland
