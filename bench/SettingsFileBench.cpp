// Reading the settings file at start and merging it at exit, for 100 MB files of four shapes:
// many unknown keys in the program's own section, bytes that are no text at all, a file carried
// over from Windows in GB18030, and many keys with CR line ends. Counters give the file's size and the memory the step
// took at its peak, in multiples of the file's size.
#include "settings/AppSettings.h"
#include "settings/IniFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <fstream>
#include <random>
#include <string>

namespace {

constexpr qsizetype FileBytes = 100 << 20;

QByteArray manyKeys(const QByteArray &lineEnd)
{
    QByteArray text = "[default]" + lineEnd + "PicPath=/home/u/pics" + lineEnd;
    for (int i = 0; text.size() < FileBytes; ++i)
        text += "Unknown" + QByteArray::number(i) + "=some value left by another program" + lineEnd;
    return text + "[font]" + lineEnd + "FontSize=12" + lineEnd;
}

QByteArray noise()
{
    QByteArray bytes(FileBytes, '\0');
    std::mt19937 random(1);
    for (char &c : bytes)
        c = char(random());
    return bytes;
}

QByteArray legacy()
{
    QStringEncoder gb18030("GB18030");
    QString text = QStringLiteral("[default]\r\nPicPath=D:\\截图\r\n");
    while (text.size() < FileBytes / 2)
        text += QStringLiteral("说明%1=这是一个很长的中文值，用来填满文件\r\n").arg(text.size());
    return gb18030(text);
}

// Kilobytes from /proc/self/status.
long statusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return 0;
}

// Starts a new peak: the kernel's high-water mark of resident memory falls back to what is in use.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Files {
    QTemporaryDir dir;
    QString paths[4];
    Files()
    {
        for (int i = 0; i < 4; ++i) {
            paths[i] = dir.filePath(QStringLiteral("defualt%1.ini").arg(i));
            QFile file(paths[i]);
            if (file.open(QIODevice::WriteOnly))
                file.write(i == 0 ? manyKeys("\r\n") : i == 1 ? noise() : i == 2 ? legacy() : manyKeys("\r"));
        }
    }
};

Files &files()
{
    static Files f;
    return f;
}

template <typename Step>
void measure(benchmark::State &state, Step step)
{
    const QString path = files().paths[state.range(0)];
    double peak = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = statusKb("VmRSS:");
        step(path);
        peak = std::max(peak, double(statusKb("VmHWM:") - before));
    }
    const double size = double(QFile(path).size());
    state.counters["file_MB"] = size / (1 << 20);
    state.counters["peak_x_file"] = peak * 1024 / size;
}

void BM_SettingsRead(benchmark::State &state)
{
    measure(state, [](const QString &path) {
        const tiv::IniFile ini(path);
        benchmark::DoNotOptimize(tiv::LoadSettings(ini, true, QStringLiteral("/opt/tiv")));
    });
}

void BM_SettingsExitMerge(benchmark::State &state)
{
    const QString copy = files().dir.filePath(QStringLiteral("merged.ini"));
    QFile::remove(copy);
    QFile::copy(files().paths[state.range(0)], copy);
    measure(state, [&](const QString &) {
        tiv::IniFile ini(copy);
        tiv::AppSettings s;
        s.PicPath = QStringLiteral("/home/u/其他");
        tiv::SaveSettings(s, ini);
        benchmark::DoNotOptimize(ini.save());
    });
}

}  // namespace

// 0 many keys, 1 noise, 2 GB18030, 3 many keys with the CR line ends of old Macintosh files.
BENCHMARK(BM_SettingsRead)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SettingsExitMerge)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
