// Measures the worst files of each hostile kind: `write KIND PATH` makes the file, `load PATH`
// opens it as a click in the picture list does and prints what came of it. Run the load under
// /usr/bin/time -v (bench/hostile-decode.sh does) for the peak memory of the whole process.
#include "codecs/JpegCodec.h"
#include "files/LoadPictureFile.h"
#include "support/HostilePictures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <functional>
#include <map>

using namespace tiv;
using namespace tiv::hostile;

namespace {

constexpr QSize kLargest(11585, 11585);  // the most pixels the canvas holds, square

QByteArray BlackJpeg(QSize size)
{
    QImage black(size, QImage::Format_RGB32);
    black.fill(Qt::black);
    return EncodeJpeg(black);
}

QByteArray Noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(14);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

const std::map<QString, std::function<QByteArray()>> kKinds = {
    {"png-chunk-claim", [] { return PngHugeChunkClaim("iCCP"); }},
    {"png-14MiB-text-chunk", [] { return PngWithChunk(QSize(1920, 1080), "tEXt", QByteArray(14 << 20, 'x')); }},
    {"png-largest-black", [] { return PngUniform(kLargest, qRgb(0, 0, 0), false); }},
    {"png-largest-translucent", [] { return PngUniform(kLargest, qRgba(200, 0, 0, 128), true); }},
    {"png-largest-16-bit-interlaced", [] { return PngUniform(kLargest, qRgba(200, 0, 0, 128), true, 16, true); }},
    {"jpeg-empty-scan", [] { return JpegEmptyScan(kLargest, false, false); }},
    {"jpeg-empty-progressive-scan", [] { return JpegEmptyScan(kLargest, true, true); }},
    {"jpeg-1000-scans", [] { return JpegManyScans(1000, QSize(800, 600)); }},
    {"jpeg-32-scans-3000x3000", [] { return JpegManyScans(32, QSize(3000, 3000)); }},
    {"jpeg-largest-black", [] { return BlackJpeg(kLargest); }},
    {"bmp-one-bit-16MiB", [] { return BmpOneBit(QSize(11585, 11554)); }},
    {"noise-16MiB", [] { return Noise(16 << 20); }},
};

int Write(const QString &kind, const QString &path)
{
    const auto found = kKinds.find(kind);
    QFile file(path);
    if (found == kKinds.end() || !file.open(QIODevice::WriteOnly))
        return 2;
    const QByteArray bytes = found->second();
    file.write(bytes);
    std::printf("%s: %lld bytes\n", qPrintable(kind), qlonglong(bytes.size()));
    return 0;
}

int Load(const QString &path)
{
    QElapsedTimer clock;
    clock.start();
    const CanvasPicture picture = LoadPictureFile(path);
    const double ms = clock.nsecsElapsed() / 1e6;
    if (picture.isEmpty())
        std::printf("refused in %.1f ms\n", ms);
    else
        std::printf("%dx%d in %.1f ms\n", picture.image.width(), picture.image.height(), ms);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"write")
        return Write(args[2], args[3]);
    if (args.size() == 3 && args[1] == u"load")
        return Load(args[2]);
    for (const auto &kind : kKinds)
        std::printf("%s\n", qPrintable(kind.first));
    return 2;
}
