// Cost of one mouse move while a shape is dragged across a 4K canvas: erasing the old band,
// drawing the new one and working out the area to repaint. The widget's own repaint is not in it.
#include "editing/RubberBand.h"
#include "editing/ToolMode.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

QImage DesktopLikeCanvas()
{
    QImage img(3840, 2160, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            row[x] = 0xff000000u | (((x / 64 * 0x1f3d5b) ^ (y / 48 * 0x2b4f67)) & 0xffffffu);
    }
    return img;
}

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
