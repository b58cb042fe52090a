#include "files/PictureListOrder.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <algorithm>
#include <random>

namespace {

// A picture folder as the program leaves it: mostly numbered captures in enumeration order, some
// prefixed ones and the odd file the list leaves out.
QStringList folderNames(int count)
{
    std::mt19937 random(1);
    QStringList names;
    names.reserve(count);
    for (int i = 1; i <= count; ++i) {
        switch (random() % 20) {
        case 0: names << QStringLiteral("PIC%1.png").arg(i); break;
        case 1: names << QStringLiteral("notes%1.txt").arg(i); break;
        default: names << QStringLiteral("%1.jpg").arg(i);
        }
    }
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

void BuildSortedPictureList(benchmark::State &state)
{
    const QStringList names = folderNames(int(state.range(0)));
    const QString current = QStringLiteral("%1.jpg").arg(state.range(0) / 2);
    for (auto _ : state) {
        tiv::PictureList list = tiv::BuildPictureList(names, current, 0);
        benchmark::DoNotOptimize(list);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BuildSortedPictureList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
