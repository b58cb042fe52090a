// The whole list refresh of the main window on a real folder: folder check, listing, order and
// the list control's fill. Runs offscreen on the recording fakes.
#include "app/TFrmMain.h"
#include "platform/fake/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

void FillPictureList(benchmark::State &state)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    const QString folder = home.filePath(QStringLiteral("pics"));
    QDir().mkpath(folder);
    for (int i = 1; i <= state.range(0); ++i)
        QFile(folder + QStringLiteral("/%1.jpg").arg(i)).open(QIODevice::WriteOnly);
    tiv::fake::FakePlatform fakes;
    tiv::TFrmMain window(fakes.services(), home.filePath(QStringLiteral("defualt.ini")));
    window.EdtPicPath->setText(folder);
    window.CurrentPicturePath = folder + QStringLiteral("/%1.jpg").arg(state.range(0) / 2);
    for (auto _ : state)
        window.FillPictureList();
    if (window.BitmapListModel->rowCount() != state.range(0))
        state.SkipWithError("the list is incomplete");
}
BENCHMARK(FillPictureList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
