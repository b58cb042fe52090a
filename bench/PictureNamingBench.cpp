// The next automatic name in picture folders of 1,000 to 100,000 files. The folders are made once
// under $TIV_BENCH_DIR (default: the system's temporary folder), so the file system is the one
// the pictures would live on.
#include "files/FindFolderFiles.h"
#include "files/NextPictureName.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>

namespace {

std::map<int, QString> gFolders;

// Mostly numbered JPEGs, with the odd BMP, prefixed name and note among them, as a busy folder has.
QString MakeFolder(const QTemporaryDir &root, int count)
{
    const QString folder = root.filePath(QString::number(count));
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i) {
        const QString name = i % 10 == 0 ? QStringLiteral("%1.bmp").arg(i)
                           : i % 25 == 1 ? QStringLiteral("PIC%1.jpg").arg(i)
                           : i % 101 == 0 ? QStringLiteral("note%1.txt").arg(i)
                                          : QStringLiteral("%1.jpg").arg(i);
        QFile(folder + u'/' + name).open(QIODevice::WriteOnly);
    }
    return folder;
}

void BM_NextPictureName(benchmark::State &state)
{
    const QString &folder = gFolders.at(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tiv::NextPictureName(folder, QString(), QStringLiteral("jpg")));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FindFolderFilesAll(benchmark::State &state)
{
    const QString folder = gFolders.at(int(state.range(0))) + u'/';
    for (auto _ : state) {
        QStringList list;
        tiv::FindFolderFiles(folder, QStringLiteral(".*"), list);
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_NextPictureName)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFolderFilesAll)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const QString base = qEnvironmentVariable("TIV_BENCH_DIR", QDir::tempPath());
    QTemporaryDir root(base + QStringLiteral("/tiv-naming-XXXXXX"));
    for (int count : {1000, 10000, 100000})
        gFolders[count] = MakeFolder(root, count);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
