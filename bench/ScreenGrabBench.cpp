// Full-screen grab with the cursor blended in, as a capture does it, on whatever X display
// DISPLAY names (bench/run-grab.sh prepares a 1920x1080 one showing a desktop-like picture).
#include "capture/CursorOverlay.h"
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

void BM_FullScreenGrabWithCursor(benchmark::State &state)
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
        QImage picture = p.screen->grab(desk);
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
BENCHMARK(BM_FullScreenGrabWithCursor)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
