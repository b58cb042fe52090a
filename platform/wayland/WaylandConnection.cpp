#include "platform/wayland/WaylandConnection.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
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

}  // namespace

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
    if (!display_)
        return false;
    while (!done()) {
        while (wl_display_prepare_read(display_) != 0) {
            if (wl_display_dispatch_pending(display_) < 0)
                return false;
        }
        if (done()) {
            wl_display_cancel_read(display_);
            return true;
        }
        if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display_);
            return false;
        }
        pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(until.remainingTime()));
        if (ready <= 0) {
            wl_display_cancel_read(display_);
            if (ready < 0 && errno == EINTR)
                continue;
            return false;
        }
        if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0)
            return false;
    }
    return true;
}

bool WaylandConnection::roundtrip(const QDeadlineTimer &until)
{
    if (!display_)
        return false;
    bool done = false;
    static const wl_callback_listener listener{[](void *data, wl_callback *callback, uint32_t) {
        *static_cast<bool *>(data) = true;
        wl_callback_destroy(callback);
    }};
    wl_callback *callback = wl_display_sync(display_);
    wl_callback_add_listener(callback, &listener, &done);
    if (dispatchUntil([&] { return done; }, until))
        return true;
    if (!done)
        wl_callback_destroy(callback);
    return false;
}

}  // namespace tiv::wayland
