// The automatic watermark on a fresh 3840x2160 capture, as every capture runs it: a text mark
// and a 400x300 picture mark. Only the mark's area is read and written.
#include "app/TFrmMain.h"
#include "editing/ImageControl.h"
#include "editing/TFrmWaterMarkSet.h"
#include "editing/Watermark.h"
#include "platform/fake/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

QImage Capture(int width, int height, int seed)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 7 + seed) & 255, (y * 5 + seed) & 255, (x + y) & 255);
    }
    return img;
}

void ApplyAutoWatermark(benchmark::State &state)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    tiv::fake::FakePlatform fakes;
    tiv::TFrmMain window(fakes.services(), home.filePath(QStringLiteral("defualt.ini")));
    window.WatermarkType = int(state.range(0));
    window.WatermarkText = QStringLiteral("TIVrevudu 2026-12-09");
    window.FrmWaterMarkSet->ImgWatermark->setPicture(tiv::CanvasPicture::bitmap(Capture(400, 300, 31)));
    window.ImgMain->setPicture(tiv::CanvasPicture::bitmap(Capture(3840, 2160, 0)));
    for (auto _ : state)
        window.ApplyAutoWatermark(window.ImgMain);
    if (window.ImgMain->picture().image.size() != QSize(3840, 2160))
        state.SkipWithError("the capture changed size");
    state.SetLabel(state.range(0) == tiv::WatermarkTextMark ? "text mark" : "400x300 picture mark");
}
BENCHMARK(ApplyAutoWatermark)
    ->Arg(tiv::WatermarkTextMark)
    ->Arg(tiv::WatermarkPictureMark)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
