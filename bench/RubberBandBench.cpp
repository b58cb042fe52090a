// Cost of one mouse move while a shape is dragged across a 4K canvas: erasing the old band,
// drawing the new one and working out the area to repaint. The widget's own repaint is not in it.
#include "bench/DesktopLikeCanvas.h"
#include "editing/RubberBand.h"
#include "editing/ToolMode.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

void BM_RubberBandMove(benchmark::State &state)
{
    static QImage canvas = DesktopLikeCanvas();
    const int mode = int(state.range(0));
    tiv::RubberBand band;
    band.begin(mode, {12, 9}, 0xffff0000u);
    int step = 0;
    for (auto _ : state) {
        // The drag wanders near the far corner, so every band spans nearly the whole canvas.
        const QPoint end(3820 - step % 17, 2140 - step % 13);
        benchmark::DoNotOptimize(band.moveTo(canvas, end));
        ++step;
    }
    band.erase(canvas);
}

}  // namespace

BENCHMARK(BM_RubberBandMove)
    ->ArgName("mode")
    ->Arg(tiv::ToolRectangle)
    ->Arg(tiv::ToolEllipse)
    ->Arg(tiv::ToolRegionSelect)
    ->Arg(tiv::ToolRoundRect)
    ->Arg(tiv::ToolDoubleArrow)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
