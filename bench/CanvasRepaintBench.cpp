// Cost of one mouse move while a shape is dragged across a shown 4K canvas: erasing the old band,
// drawing the new one and repainting the control where the picture changed, as the canvas does it.
#include "common/CanvasPicture.h"
#include "bench/DesktopLikeCanvas.h"
#include "editing/DirtyTiles.h"
#include "editing/ImageControl.h"
#include "editing/RubberBand.h"
#include "editing/ToolMode.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

namespace {

void BM_CanvasBandRepaint(benchmark::State &state)
{
    tiv::ImageControl control;
    control.setPicture(tiv::CanvasPicture::bitmap(DesktopLikeCanvas()));
    control.sizeToPicture();
    control.show();
    QApplication::processEvents();
    const int mode = int(state.range(0));
    tiv::RubberBand band;
    band.begin(mode, {12, 9}, 0xffff0000u);
    int step = 0;
    for (auto _ : state) {
        // The drag wanders near the far corner, so every band spans nearly the whole canvas.
        const QPoint end(3820 - step % 17, 2140 - step % 13);
        // Unstretched at one device pixel a picture pixel, picture and control areas are the same.
        tiv::DirtyTiles changed;
        changed.add(band.pixels());
        band.moveTo(control.picture().image, end);
        changed.add(band.pixels());
        control.repaint(changed.region());
        ++step;
    }
    band.erase(control.picture().image);
}

}  // namespace

BENCHMARK(BM_CanvasBandRepaint)
    ->ArgName("mode")
    ->Arg(tiv::ToolRectangle)
    ->Arg(tiv::ToolEllipse)
    ->Arg(tiv::ToolRegionSelect)
    ->Arg(tiv::ToolDoubleArrow)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
