// The mosaic tool over a whole 3840x2160 capture, pixelated with the default block and blurred,
// beside a plain reference in the same run: QImage's own smooth downscale and nearest upscale,
// the usual way to pixelate with the toolkit alone.
#include "editing/EditHistory.h"
#include "editing/Mosaic.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

QImage Capture(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 7) & 255, (y * 5) & 255, (x + y) & 255);
    }
    return img;
}

void Mosaic(benchmark::State &state)
{
    const QImage original = Capture(3840, 2160);
    const int block = tiv::DefaultMosaicBlock(original.size());
    const auto style = state.range(0) ? tiv::MosaicStyle::Blur : tiv::MosaicStyle::Pixelate;
    QImage picture = original;
    // Its own pixels from the start, as the canvas's are: the copy is not what is measured.
    picture.bits();
    for (auto _ : state)
        benchmark::DoNotOptimize(tiv::ApplyMosaic(picture, picture.rect(), block, style));
    state.SetLabel(state.range(0) ? "blur" : "pixelate");
    state.counters["block"] = block;
}
BENCHMARK(Mosaic)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the tool does at mouse-up: the snapshot for the history (the one full copy it needs), then
// the mosaic over the whole frame.
void MosaicWithSnapshot(benchmark::State &state)
{
    QImage picture = Capture(3840, 2160);
    const int block = tiv::DefaultMosaicBlock(picture.size());
    tiv::EditHistory history;
    // After the history's four slots are taken, as after a few edits; each new slot's memory is
    // first touched by its copy, which costs about as much again on this machine.
    for (int i = 0; i < tiv::EditHistory::SlotCount; ++i)
        history.save(picture, picture.size());
    for (auto _ : state) {
        history.save(picture, picture.size());
        benchmark::DoNotOptimize(tiv::ApplyMosaic(picture, picture.rect(), block, tiv::MosaicStyle::Pixelate));
    }
}
BENCHMARK(MosaicWithSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

void ToolkitScaling(benchmark::State &state)
{
    const QImage original = Capture(3840, 2160);
    const int block = tiv::DefaultMosaicBlock(original.size());
    for (auto _ : state) {
        const QImage small = original.scaled(original.size() / block, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(small.scaled(original.size()));
    }
}
BENCHMARK(ToolkitScaling)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
