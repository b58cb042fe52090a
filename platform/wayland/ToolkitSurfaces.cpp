#include "platform/wayland/ToolkitSurfaces.h"

#include "platform/wayland/WaylandConnection.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <cstring>
#include <wayland-client.h>

namespace tiv::wayland {

namespace {

// The toolkit hands out its connection and surfaces by name (no public way before Qt 6.5).
QPlatformNativeInterface *toolkitNative()
{
    return qGuiApp && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
               ? qGuiApp->platformNativeInterface()
               : nullptr;
}

void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    if (std::strcmp(interface, wl_shm_interface.name) == 0)
        *static_cast<wl_shm **>(data) = static_cast<wl_shm *>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
}

void onGlobalRemoved(void *, wl_registry *, uint32_t) {}

const wl_registry_listener RegistryListener = {onGlobal, onGlobalRemoved};

constexpr int ShmLookupMs = 1000;

// The toolkit does not hand out its shared-memory interface: bound once on its connection.
wl_shm *toolkitShm(wl_display *display)
{
    static wl_display *lookedOn = nullptr;
    static wl_shm *shm = nullptr;
    if (lookedOn == display)
        return shm;
    lookedOn = display;
    wl_event_queue *queue = wl_display_create_queue(display);
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(registry, &RegistryListener, &shm);
    RoundTrip(display, queue, QDeadlineTimer(ShmLookupMs));
    wl_registry_destroy(registry);
    // Its pool and buffers are never listened to; the queue goes.
    if (shm)
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(shm), nullptr);
    wl_event_queue_destroy(queue);
    return shm;
}

}  // namespace

wl_display *toolkitDisplay()
{
    QPlatformNativeInterface *native = toolkitNative();
    return native ? static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display")) : nullptr;
}

bool blankToolkitWindow(QWindow *window)
{
    QPlatformNativeInterface *native = toolkitNative();
    if (!native || !window || !window->isVisible() || window->surfaceType() != QSurface::RasterSurface)
        return false;
    wl_display *display = toolkitDisplay();
    wl_shm *shm = display ? toolkitShm(display) : nullptr;
    auto *surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window));
    if (!shm || !surface)
        return false;
    // The surface holds the toolkit's frame around the window, in whole buffer pixels per point.
    const int scale = qMax(1, qRound(window->devicePixelRatio()));
    const QSize frame = window->frameGeometry().size();
    const QSize size = frame * scale;
    wl_buffer *buffer = TransparentBuffer(shm, size.width(), size.height());
    if (!buffer)
        return false;
    wl_surface_attach(surface, buffer, 0, 0);
    // Nothing of it covers what lies below any more.
    wl_surface_set_opaque_region(surface, nullptr);
    // Its own area only (in the surface's points): the desktop need redraw no more than it covered.
    wl_surface_damage(surface, 0, 0, frame.width(), frame.height());
    wl_surface_commit(surface);
    // Its memory is never written again, so the compositor keeps what it shows without it.
    wl_buffer_destroy(buffer);
    return true;
}

bool toolkitRoundTrip(int timeoutMs)
{
    wl_display *display = toolkitDisplay();
    if (!display)
        return false;
    wl_event_queue *queue = wl_display_create_queue(display);
    const bool done = RoundTrip(display, queue, QDeadlineTimer(timeoutMs));
    wl_event_queue_destroy(queue);
    return done;
}

}  // namespace tiv::wayland
