#pragma once

#include <QDeadlineTimer>

#include <algorithm>
#include <cstdint>
#include <functional>

struct wl_buffer;
struct wl_display;
struct wl_event_queue;
struct wl_interface;
struct wl_registry;
struct wl_shm;

namespace tiv::wayland {

// Dispatches the events of `queue` (the display's default queue where null) until `done` holds;
// false on a broken connection or past `until`. Reads in turn with any other thread reading the
// same display, as the toolkit's own does on its connection.
bool DispatchUntil(wl_display *display, wl_event_queue *queue, const std::function<bool()> &done, const QDeadlineTimer &until);
// Until the compositor has answered every request sent on `display` before, the answer coming on
// `queue` (the default queue where null).
bool RoundTrip(wl_display *display, wl_event_queue *queue, const QDeadlineTimer &until);

// A buffer of `width` x `height` fully transparent pixels; null where it could not be made.
wl_buffer *TransparentBuffer(wl_shm *shm, int width, int height);

// A short connection to the compositor of its own, for a protocol the toolkit does not speak
// (and for X clients of a Wayland desktop, which have no connection of the toolkit's). Every wait
// on it is bounded. The compositor forgets every object of the connection once it ends with this.
class WaylandConnection {
public:
    WaylandConnection();
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection &) = delete;
    WaylandConnection &operator=(const WaylandConnection &) = delete;

    // Null when no compositor answered.
    wl_display *display() const { return display_; }

    // A global the compositor announced.
    struct Global {
        wl_registry *registry;
        uint32_t name;
        const char *interface;
        uint32_t version;

        bool is(const wl_interface &kind) const;
        // Bound at the version announced, at most `highest`.
        template <typename Proxy>
        Proxy *bind(const wl_interface &kind, uint32_t highest) const
        {
            return static_cast<Proxy *>(bindAt(kind, std::min(version, highest)));
        }

    private:
        void *bindAt(const wl_interface &kind, uint32_t version) const;
    };
    // Hands each global to `take` as the compositor lists them, in one round trip.
    bool takeGlobals(std::function<void(const Global &)> take, const QDeadlineTimer &until);

    // Dispatches events until `done` holds; false on a broken connection or past `until`.
    bool dispatchUntil(const std::function<bool()> &done, const QDeadlineTimer &until);
    // Until the compositor has answered every request sent before.
    bool roundtrip(const QDeadlineTimer &until);

private:
    wl_display *display_ = nullptr;
    wl_registry *registry_ = nullptr;
    std::function<void(const Global &)> take_;
};

}  // namespace tiv::wayland
