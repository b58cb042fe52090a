// Full-screen grab with the cursor blended in, as a capture does it, on whatever X display
// DISPLAY names (bench/run-capture.sh prepares a 1920x1080 one showing a desktop-like picture),
// beside the bare shared-memory grab of the root window that any grabber needs at the least.
#include "capture/CursorOverlay.h"
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <sys/shm.h>

#include <cstdlib>

namespace {

// One shared-memory image request of the whole root window into a segment made once: no
// picture, no copy, no cursor. The reference the grab is measured against.
void BM_BareSharedMemoryGrab(benchmark::State &state)
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        state.SkipWithError("no X display");
        xcb_disconnect(x);
        return;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const size_t bytes = size_t(screen->width_in_pixels) * screen->height_in_pixels * 4;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    void *memory = shmat(id, nullptr, 0);
    shmctl(id, IPC_RMID, nullptr);
    const xcb_shm_seg_t segment = xcb_generate_id(x);
    xcb_shm_attach(x, segment, uint32_t(id), 0);
    for (auto _ : state) {
        auto cookie = xcb_shm_get_image(x, screen->root, 0, 0, screen->width_in_pixels, screen->height_in_pixels,
                                        ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP, segment, 0);
        free(xcb_shm_get_image_reply(x, cookie, nullptr));
        benchmark::DoNotOptimize(memory);
    }
    xcb_shm_detach(x, segment);
    shmdt(memory);
    xcb_disconnect(x);
}
BENCHMARK(BM_BareSharedMemoryGrab)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// As a full-screen capture grabs: the padding byte of the pixels is left for after the save
// (leavePadding), or made opaque at once, as for the frozen desktop of a region capture.
void grabWithCursor(benchmark::State &state, bool leavePadding)
{
    QString error;
    auto backend = tiv::createNativePlatform(&error);
    if (!backend) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    tiv::Platform p = backend->services();
    const QRect desk = p.screen->desktopRect();
    for (auto _ : state) {
        p.cursor->askAhead();
        bool paddingLeft = false;
        QImage picture = leavePadding ? p.screen->grabLeavingPadding(desk, paddingLeft) : p.screen->grab(desk);
        if (picture.size() != desk.size()) {
            state.SkipWithError("the grab failed");
            return;
        }
        if (const auto cursor = p.cursor->currentCursor())
            tiv::BlendCursor(picture, *cursor, desk.topLeft());
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["width"] = desk.width();
    state.counters["height"] = desk.height();
}
void BM_FullScreenGrabWithCursor(benchmark::State &state) { grabWithCursor(state, true); }
void BM_FullScreenGrabWithCursorOpaque(benchmark::State &state) { grabWithCursor(state, false); }
BENCHMARK(BM_FullScreenGrabWithCursor)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FullScreenGrabWithCursorOpaque)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
