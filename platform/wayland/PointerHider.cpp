#include "platform/wayland/PointerHider.h"

#include "platform/wayland/WaylandConnection.h"

#include <vector>
#include <wayland-client.h>

// The protocol names an argument "namespace", a keyword here.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace

namespace tiv::wayland {

namespace {

// The compositor answers at once (a bound all the same: the capture waits); the pointer enters
// the new surfaces when it lays them out.
constexpr int AnswerTimeoutMs = 1000;
constexpr int EnterTimeoutMs = 150;

struct Cover {
    wl_surface *surface = nullptr;
    zwlr_layer_surface_v1 *layer = nullptr;
    uint32_t serial = 0, width = 0, height = 0;
    bool configured = false;
};

}  // namespace

struct PointerHider::Connection {
    WaylandConnection wayland;
    wl_compositor *compositor = nullptr;
    wl_shm *shm = nullptr;
    wl_seat *seat = nullptr;
    wl_pointer *pointer = nullptr;
    zwlr_layer_shell_v1 *layerShell = nullptr;
    std::vector<wl_output *> outputs;
    std::vector<Cover> covers;
    bool pointerOffered = false;
    bool entered = false;

    void take(const WaylandConnection::Global &global)
    {
        if (global.is(wl_compositor_interface))
            compositor = global.bind<wl_compositor>(wl_compositor_interface, 4);
        else if (global.is(wl_shm_interface))
            shm = global.bind<wl_shm>(wl_shm_interface, 1);
        else if (global.is(wl_seat_interface) && !seat)
            seat = global.bind<wl_seat>(wl_seat_interface, 5);
        else if (global.is(zwlr_layer_shell_v1_interface))
            layerShell = global.bind<zwlr_layer_shell_v1>(zwlr_layer_shell_v1_interface, 1);
        else if (global.is(wl_output_interface))
            outputs.push_back(global.bind<wl_output>(wl_output_interface, 1));
    }
};

namespace {

const wl_seat_listener seatListener{
    [](void *data, wl_seat *, uint32_t capabilities) {
        static_cast<PointerHider::Connection *>(data)->pointerOffered = capabilities & WL_SEAT_CAPABILITY_POINTER;
    },
    [](void *, wl_seat *, const char *) {},
};

const wl_pointer_listener pointerListener{
    [](void *data, wl_pointer *pointer, uint32_t serial, wl_surface *, wl_fixed_t, wl_fixed_t) {
        wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
        static_cast<PointerHider::Connection *>(data)->entered = true;
    },
    [](void *, wl_pointer *, uint32_t, wl_surface *) {},
    [](void *, wl_pointer *, uint32_t, wl_fixed_t, wl_fixed_t) {},
    [](void *, wl_pointer *, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void *, wl_pointer *, uint32_t, uint32_t, wl_fixed_t) {},
    [](void *, wl_pointer *) {},
    [](void *, wl_pointer *, uint32_t) {},
    [](void *, wl_pointer *, uint32_t, uint32_t) {},
    [](void *, wl_pointer *, uint32_t, int32_t) {},
    [](void *, wl_pointer *, uint32_t, int32_t) {},
};

const zwlr_layer_surface_v1_listener layerListener{
    [](void *data, zwlr_layer_surface_v1 *, uint32_t serial, uint32_t width, uint32_t height) {
        auto *cover = static_cast<Cover *>(data);
        *cover = Cover{cover->surface, cover->layer, serial, width, height, true};
    },
    [](void *, zwlr_layer_surface_v1 *) {},
};

}  // namespace

PointerHider::PointerHider() : connection_(std::make_unique<Connection>())
{
    Connection &c = *connection_;
    const QDeadlineTimer until(AnswerTimeoutMs);
    if (!c.wayland.takeGlobals([&c](const WaylandConnection::Global &global) { c.take(global); }, until) || !c.compositor
        || !c.shm || !c.seat || !c.layerShell || c.outputs.empty())
        return;
    wl_seat_add_listener(c.seat, &seatListener, &c);
    if (!c.wayland.roundtrip(until) || !c.pointerOffered)
        return;
    c.pointer = wl_seat_get_pointer(c.seat);
    wl_pointer_add_listener(c.pointer, &pointerListener, &c);
    c.covers.resize(c.outputs.size());
    for (size_t i = 0; i < c.outputs.size(); ++i) {
        Cover &cover = c.covers[i];
        cover.surface = wl_compositor_create_surface(c.compositor);
        cover.layer = zwlr_layer_shell_v1_get_layer_surface(c.layerShell, cover.surface, c.outputs[i],
                                                            ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "tivrevudu-pointer");
        zwlr_layer_surface_v1_add_listener(cover.layer, &layerListener, &cover);
        zwlr_layer_surface_v1_set_anchor(cover.layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM
                                                          | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_exclusive_zone(cover.layer, -1);
        wl_surface_commit(cover.surface);
    }
    if (!c.wayland.roundtrip(until))
        return;
    for (Cover &cover : c.covers) {
        if (!cover.configured)
            continue;
        zwlr_layer_surface_v1_ack_configure(cover.layer, cover.serial);
        if (wl_buffer *buffer = TransparentBuffer(c.shm, static_cast<int>(cover.width), static_cast<int>(cover.height))) {
            wl_surface_attach(cover.surface, buffer, 0, 0);
            wl_surface_damage(cover.surface, 0, 0, static_cast<int32_t>(cover.width), static_cast<int32_t>(cover.height));
        }
        wl_surface_commit(cover.surface);
    }
    // The image left unset is drawn by the compositor's next frame.
    if (c.wayland.dispatchUntil([&c] { return c.entered; }, QDeadlineTimer(EnterTimeoutMs)))
        c.wayland.roundtrip(until);
}

PointerHider::~PointerHider() = default;

}  // namespace tiv::wayland
