#include "platform/wayland/ToolkitRequests.h"

#include "platform/wayland/ToolkitSurfaces.h"

#include <QPointer>

#include <wayland-client.h>

namespace tiv::wayland {

namespace {

struct Waiting {
    wl_display *display;
    QPointer<QObject> context;
    std::function<void()> then;
    int roundTripsLeft;
};

void sync(Waiting *waiting);

// Runs in the toolkit's dispatch of its events, in their order: the answers to what the toolkit
// asked before the sync have been handled by now, and what it sent in turn precedes the next sync.
const wl_callback_listener syncListener{[](void *data, wl_callback *callback, uint32_t) {
    wl_callback_destroy(callback);
    auto *waiting = static_cast<Waiting *>(data);
    if (--waiting->roundTripsLeft > 0) {
        sync(waiting);
        return;
    }
    if (waiting->context)
        QMetaObject::invokeMethod(waiting->context, waiting->then, Qt::QueuedConnection);
    delete waiting;
}};

void sync(Waiting *waiting)
{
    wl_callback_add_listener(wl_display_sync(waiting->display), &syncListener, waiting);
    wl_display_flush(waiting->display);
}

}  // namespace

void AfterToolkitRequests(QObject *context, std::function<void()> then)
{
    wl_display *display = toolkitDisplay();
    if (!display) {
        QMetaObject::invokeMethod(context, std::move(then), Qt::QueuedConnection);
        return;
    }
    sync(new Waiting{display, context, std::move(then), 2});
}

}  // namespace tiv::wayland
