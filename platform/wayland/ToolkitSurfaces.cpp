#include "platform/wayland/ToolkitSurfaces.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
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

void onDone(void *data, wl_callback *, uint32_t)
{
    *static_cast<bool *>(data) = true;
}

const wl_callback_listener DoneListener = {onDone};

// A round trip whose answer comes on a queue of its own: the toolkit's reading thread and its
// own dispatching go on untouched meanwhile, and the events of proxies on that queue that came
// before the answer have been dispatched once it is there.
bool roundTripOn(wl_display *display, wl_event_queue *queue, int timeoutMs)
{
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
    wl_callback *callback = wl_display_sync(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    bool done = false;
    wl_callback_add_listener(callback, &DoneListener, &done);
    const QDeadlineTimer deadline(timeoutMs);
    while (!done) {
        if (wl_display_prepare_read_queue(display, queue) != 0) {
            if (wl_display_dispatch_queue_pending(display, queue) < 0)
                break;
            continue;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            break;
        }
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || poll(&fd, 1, int(left)) <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_read_events(display) < 0)
            break;
    }
    wl_callback_destroy(callback);
    return done;
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
    roundTripOn(display, queue, ShmLookupMs);
    wl_registry_destroy(registry);
    // Its pool and buffers are never listened to; the queue goes.
    if (shm)
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(shm), nullptr);
    wl_event_queue_destroy(queue);
    return shm;
}

// A buffer of `width` x `height` transparent pixels: a fresh memory file reads as zeros, which in
// premultiplied ARGB is transparent black.
wl_buffer *transparentBuffer(wl_shm *shm, int width, int height)
{
    const int stride = width * 4;
    const off_t bytes = off_t(stride) * height;
    const int fd = memfd_create("tivrevudu-blank", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    wl_buffer *buffer = nullptr;
    if (ftruncate(fd, bytes) == 0) {
        wl_shm_pool *pool = wl_shm_create_pool(shm, fd, int32_t(bytes));
        buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
        wl_shm_pool_destroy(pool);
    }
    close(fd);
    return buffer;
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
    if (size.isEmpty() || qint64(size.width()) * size.height() * 4 > INT_MAX)
        return false;
    wl_buffer *buffer = transparentBuffer(shm, size.width(), size.height());
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
    const bool done = roundTripOn(display, queue, timeoutMs);
    wl_event_queue_destroy(queue);
    return done;
}

}  // namespace tiv::wayland
