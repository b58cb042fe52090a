// Text recognition on interface-like pictures this benchmark draws itself with the desktop's
// fonts: twelve lines of Chinese and English at 11 to 24 px on light and dark grounds, and the program's
// own menu. Ours (the linked engine with the region prepared) against the plain `tesseract`
// program on the same pictures with the same models, in the same run.
//
// Counters: cer = character error rate of the text as delivered (line breaks and blanks count),
// cer_ns = the same with all white space left out of both texts, ms = wall time per picture.
#include "ocr/OcrEngine.h"
#include "text/FeatureTexts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <vector>

namespace {

struct Sample {
    QImage picture;
    QString truth;
};

const QStringList ChineseLines = {
    QStringLiteral("截图已保存到图片文件夹"),       QStringLiteral("请选择一个合法的文件夹名称"),
    QStringLiteral("自动保存的增量前缀和增量号"),   QStringLiteral("此桌面不让程序占用全局热键"),
    QStringLiteral("图片列表中只显示选定格式"),     QStringLiteral("连续截图时工具栏保持在最上层"),
};
const QStringList EnglishLines = {
    QStringLiteral("Save the picture as PNG"),      QStringLiteral("Open the folder in the file manager"),
    QStringLiteral("Capture the active window"),    QStringLiteral("Settings were written at exit"),
    QStringLiteral("Copy the text to the clipboard"), QStringLiteral("Region 1280x800 at 40, 120"),
};

QFont InterfaceFont(int pixelSize)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    return font;
}

Sample DrawLines(const QStringList &lines, int pixelSize, bool dark)
{
    const QFont font = InterfaceFont(pixelSize);
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int step = metrics.height() + pixelSize / 2;
    QImage picture(width + 2 * pixelSize, step * int(lines.size()) + pixelSize, QImage::Format_RGB32);
    picture.fill(dark ? QColor(40, 42, 46) : QColor(245, 250, 254));
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(dark ? QColor(220, 220, 220) : QColor(20, 20, 20));
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(pixelSize, pixelSize / 2 + i * step + metrics.ascent(), lines[i]);
    return {picture, lines.join(u'\n')};
}

// The lines of one picture: every Chinese and English line once, alternating, in an order that
// turns with the size so pictures differ. Fewer lines left most sizes with no error on either side.
QStringList LinesFor(int pixelSize, bool dark)
{
    const int k = pixelSize + (dark ? 3 : 0);
    QStringList lines;
    for (int i = 0; i < 6; ++i)
        lines << ChineseLines[(k + i) % 6] << EnglishLines[(k + 5 * i + 1) % 6];
    return lines;
}

Sample ProgramMenu()
{
    QMenu menu;
    menu.setFont(InterfaceFont(13));
    QStringList truth;
    for (const QString &item : {tiv::TxtDelayMenu, tiv::TxtPinCanvas, tiv::TxtPinRegion, tiv::TxtOcrCanvas,
                                tiv::TxtOcrRegion, tiv::TxtMosaicBlur, tiv::TxtPinCopy}) {
        menu.addAction(item);
        truth << item;
    }
    menu.adjustSize();
    return {menu.grab().toImage().convertToFormat(QImage::Format_RGB32), truth.join(u'\n')};
}

QString Normalised(const QString &text, bool dropSpace)
{
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        QString l = line.simplified();
        if (dropSpace)
            l.remove(u' ');
        if (!l.isEmpty())
            lines << l;
    }
    return lines.join(u'\n');
}

double ErrorRate(const QString &truth, const QString &read, bool dropSpace)
{
    const QString a = Normalised(truth, dropSpace), b = Normalised(read, dropSpace);
    std::vector<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return a.isEmpty() ? 0.0 : double(row[b.size()]) / double(a.size());
}

tiv::OcrEngine &Engine()
{
    static tiv::OcrEngine engine;
    static const bool loaded = engine.load(nullptr);
    if (!loaded)
        qFatal("the recognition models are missing: %s", qPrintable(tiv::OcrEngine::MissingModelPackage(tiv::OcrEngine::ModelFolder())));
    return engine;
}

QString PlainProgram(const QImage &picture, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("sample.png"));
    picture.save(path);
    QProcess tesseract;
    tesseract.start(QStringLiteral("tesseract"), {path, QStringLiteral("stdout"), QStringLiteral("-l"),
                                                  QString::fromLatin1(tiv::OcrEngine::Languages)});
    tesseract.waitForFinished(120000);
    return QString::fromUtf8(tesseract.readAllStandardOutput());
}

void Measure(benchmark::State &state, const std::vector<Sample> &samples, bool ours)
{
    QTemporaryDir dir;
    double cer = 0, cerNoSpace = 0, ms = 0;
    for (auto _ : state) {
        cer = cerNoSpace = ms = 0;
        for (const Sample &s : samples) {
            QElapsedTimer clock;
            clock.start();
            const QString read = ours ? Engine().recognise(s.picture).text : PlainProgram(s.picture, dir);
            ms += double(clock.nsecsElapsed()) / 1e6;
            // TIV_OCR_SHOW=1 prints what each side read, to see where the errors are.
            if (qEnvironmentVariableIsSet("TIV_OCR_SHOW"))
                qInfo("--- %s\n%s", ours ? "ours" : "plain", qPrintable(read));
            cer += ErrorRate(s.truth, read, false);
            cerNoSpace += ErrorRate(s.truth, read, true);
        }
    }
    const double n = double(samples.size());
    state.counters["cer"] = cer / n;
    state.counters["cer_ns"] = cerNoSpace / n;
    state.counters["ms"] = ms / n;
    state.counters["pictures"] = n;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Loaded before any timing: the figures are for a warm engine, as in the running program.
    Engine();
    static std::map<QString, std::vector<Sample>> groups;
    for (int size : {11, 12, 13, 14, 16, 20, 24})
        for (bool dark : {false, true})
            groups[QStringLiteral("%1px").arg(size, 2, 10, QLatin1Char('0'))].push_back(
                DrawLines(LinesFor(size, dark), size, dark));
    groups[QStringLiteral("menu")].push_back(ProgramMenu());
    for (const auto &[name, samples] : groups)
        for (bool ours : {true, false})
            benchmark::RegisterBenchmark(
                QStringLiteral("%1/%2").arg(ours ? QStringLiteral("ours") : QStringLiteral("plain"), name).toUtf8().constData(),
                [&samples = samples, ours](benchmark::State &state) { Measure(state, samples, ours); })
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    // A 1000x300 region of interface text, as a user drags one out.
    static QImage region(1000, 300, QImage::Format_RGB32);
    region.fill(QColor(245, 250, 254));
    {
        QPainter p(&region);
        p.setFont(InterfaceFont(14));
        p.setPen(QColor(20, 20, 20));
        for (int i = 0; i < 12; ++i)
            p.drawText(12, 22 + i * 23, (i % 2 ? EnglishLines : ChineseLines)[i % 6] + QStringLiteral("  ") + EnglishLines[(i + 1) % 6]);
    }
    benchmark::RegisterBenchmark("ours/region-1000x300", [](benchmark::State &state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(Engine().recognise(region));
    })->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
    // What the first request waits for on the worker thread (never at start-up): a second engine
    // loading the same models, the first one's files already in the page cache.
    benchmark::RegisterBenchmark("ours/load-models", [](benchmark::State &state) {
        for (auto _ : state) {
            tiv::OcrEngine engine;
            benchmark::DoNotOptimize(engine.load(nullptr));
        }
    })->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
