#include "platform/wayland/WaylandConnection.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace tiv::wayland {

namespace {

const wl_registry_listener registryListener{
    [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
        auto &take = *static_cast<std::function<void(const WaylandConnection::Global &)> *>(data);
        if (take)
            take(WaylandConnection::Global{registry, name, interface, version});
    },
    [](void *, wl_registry *, uint32_t) {},
};

const wl_callback_listener doneListener{[](void *data, wl_callback *, uint32_t) { *static_cast<bool *>(data) = true; }};

}  // namespace

bool DispatchUntil(wl_display *display, wl_event_queue *queue, const std::function<bool()> &done, const QDeadlineTimer &until)
{
    const auto prepareRead = [&] { return queue ? wl_display_prepare_read_queue(display, queue) : wl_display_prepare_read(display); };
    const auto dispatchPending = [&] {
        return queue ? wl_display_dispatch_queue_pending(display, queue) : wl_display_dispatch_pending(display);
    };
    while (!done()) {
        while (prepareRead() != 0) {
            if (dispatchPending() < 0)
                return false;
        }
        if (done()) {
            wl_display_cancel_read(display);
            return true;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return false;
        }
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(until.remainingTime()));
        if (ready <= 0) {
            wl_display_cancel_read(display);
            if (ready < 0 && errno == EINTR)
                continue;
            return false;
        }
        if (wl_display_read_events(display) < 0 || dispatchPending() < 0)
            return false;
    }
    return true;
}

bool RoundTrip(wl_display *display, wl_event_queue *queue, const QDeadlineTimer &until)
{
    wl_callback *callback = nullptr;
    if (queue) {
        auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
        callback = wl_display_sync(wrapper);
        wl_proxy_wrapper_destroy(wrapper);
    } else {
        callback = wl_display_sync(display);
    }
    bool answered = false;
    wl_callback_add_listener(callback, &doneListener, &answered);
    const bool done = DispatchUntil(display, queue, [&answered] { return answered; }, until);
    wl_callback_destroy(callback);
    return done;
}

wl_buffer *TransparentBuffer(wl_shm *shm, int width, int height)
{
    const qint64 stride = qint64(width) * 4;
    const qint64 bytes = stride * height;
    if (width <= 0 || height <= 0 || bytes > INT_MAX)
        return nullptr;
    // A fresh memory file reads as zeros, which in premultiplied ARGB is transparent black.
    const int fd = memfd_create("tivrevudu-transparent", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    wl_buffer *buffer = nullptr;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0) {
        wl_shm_pool *pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(bytes));
        buffer = wl_shm_pool_create_buffer(pool, 0, width, height, static_cast<int32_t>(stride), WL_SHM_FORMAT_ARGB8888);
        wl_shm_pool_destroy(pool);
    }
    close(fd);
    return buffer;
}

bool WaylandConnection::Global::is(const wl_interface &kind) const
{
    return std::strcmp(interface, kind.name) == 0;
}

void *WaylandConnection::Global::bindAt(const wl_interface &kind, uint32_t version) const
{
    return wl_registry_bind(registry, name, &kind, version);
}

WaylandConnection::WaylandConnection() : display_(wl_display_connect(nullptr))
{
}

WaylandConnection::~WaylandConnection()
{
    if (registry_)
        wl_registry_destroy(registry_);
    if (display_)
        wl_display_disconnect(display_);
}

bool WaylandConnection::takeGlobals(std::function<void(const Global &)> take, const QDeadlineTimer &until)
{
    if (!display_ || registry_)
        return false;
    take_ = std::move(take);
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, &take_);
    const bool answered = roundtrip(until);
    // Globals the compositor adds later are not wanted.
    take_ = nullptr;
    return answered;
}

bool WaylandConnection::dispatchUntil(const std::function<bool()> &done, const QDeadlineTimer &until)
{
    return display_ && DispatchUntil(display_, nullptr, done, until);
}

bool WaylandConnection::roundtrip(const QDeadlineTimer &until)
{
    return display_ && RoundTrip(display_, nullptr, until);
}

}  // namespace tiv::wayland
