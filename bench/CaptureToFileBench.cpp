// From the capture command to the closed picture file, through the main window's own path
// (grab, cursor, automatic name, encoder, safe write), on the X display DISPLAY names.
// Continuous capture is on so the window is neither shown nor hidden between captures.
#include "app/TFrmMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

void captureToFile(benchmark::State &state, int formatIndex)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QString error;
    auto backend = tiv::createNativePlatform(&error);
    if (!backend) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    tiv::TFrmMain window(backend->services(), home.filePath(QStringLiteral("defualt.ini")));
    window.CbPicFomat->setCurrentIndex(formatIndex);
    window.BtnContinueCut2Click();
    window.BtnSaveToCBClick();  // no clipboard copy: the peers do not make one either
    // Nor the page opened when the window goes: its browser launcher would run beside the next
    // repetition.
    window.AnnouncementEnabled = false;
    window.EnsurePictureFolder();
    for (auto _ : state)
        window.CaptureFullScreen();
    const int saved = int(QDir(window.PictureFolder).entryList(QDir::Files).size());
    if (saved != int(state.iterations()))
        state.SkipWithError("not every capture was saved");
}

void BM_CaptureToJpegFile(benchmark::State &state) { captureToFile(state, 0); }
void BM_CaptureToPngFile(benchmark::State &state) { captureToFile(state, 6); }
BENCHMARK(BM_CaptureToJpegFile)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_CaptureToPngFile)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)->ReportAggregatesOnly(true)->UseRealTime();

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
