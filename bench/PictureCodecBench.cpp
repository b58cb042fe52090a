// Our JPEG and PNG writers beside plain libjpeg (cjpeg's settings) and plain libpng with the same
// settings, on desktop-like pictures. The pictures come from $TIV_DESKTOP_DIR
// (desktop-WxH.png) or are drawn at start by make-desktop.sh ($TIV_MAKE_DESKTOP). With
// $TIV_DUMP_DIR set, the exact pixels (desktop-WxH.ppm) and our JPEG of them (ours-WxH.jpg) are
// left there, so cjpeg can be run on the same input and its output compared byte for byte.
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "files/SavePictureFile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

struct Desktop {
    QImage rgb32;  // what the canvas holds
    QImage rgb888;  // what cjpeg reads from a PPM
};

std::map<QString, Desktop> gDesktops;
QTemporaryDir *gScratch = nullptr;

// What cjpeg -quality 100 does with RGB input, minus the file reading.
std::vector<unsigned char> PlainJpeg(const QImage &rgb)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = rgb.width();
    cinfo.image_height = rgb.height();
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<unsigned char> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

void AppendPng(png_structp png, png_bytep data, size_t length)
{
    auto *out = static_cast<std::vector<unsigned char> *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// libpng with RGB rows, filter None, zlib's default level.
std::vector<unsigned char> PlainPng(const QImage &rgb)
{
    std::vector<unsigned char> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendPng, nullptr);
    png_set_IHDR(png, info, rgb.width(), rgb.height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_DEFAULT_COMPRESSION);
    png_write_info(png, info);
    for (int y = 0; y < rgb.height(); ++y)
        png_write_row(png, rgb.constScanLine(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

template <typename Encode>
void Run(benchmark::State &state, const QString &size, Encode encode)
{
    const Desktop &desktop = gDesktops.at(size);
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = encode(desktop);
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["output_kB"] = double(bytes) / 1024.0;
    state.SetItemsProcessed(state.iterations() * desktop.rgb32.width() * desktop.rgb32.height());
}

qint64 SavedSize(const QString &path, const tiv::CanvasPicture &picture)
{
    return QFileInfo(tiv::SavePictureFile(path, picture).path).size();
}

QImage LoadDesktop(const QString &size)
{
    const QString name = QStringLiteral("desktop-%1.png").arg(size);
    QString dir = qEnvironmentVariable("TIV_DESKTOP_DIR");
    if (dir.isEmpty() || !QFile::exists(dir + u'/' + name)) {
        dir = gScratch->path();
        const QString script = qEnvironmentVariable("TIV_MAKE_DESKTOP", QStringLiteral(TIV_SHARED_DIR "/bench/make-desktop.sh"));
        QProcess::execute(script, {dir + u'/' + name, size});
    }
    QFile file(dir + u'/' + name);
    file.open(QIODevice::ReadOnly);
    return tiv::DecodePng(file.readAll());
}

void Register(const QString &size)
{
    const QImage rgb32 = LoadDesktop(size);
    if (rgb32.isNull()) {
        std::fprintf(stderr, "no desktop picture of %s\n", qPrintable(size));
        std::exit(1);
    }
    gDesktops[size] = {rgb32, rgb32.convertToFormat(QImage::Format_RGB888)};
    const QString dump = qEnvironmentVariable("TIV_DUMP_DIR");
    if (!dump.isEmpty()) {
        rgb32.save(QStringLiteral("%1/desktop-%2.ppm").arg(dump, size), "PPM");
        QFile jpeg(QStringLiteral("%1/ours-%2.jpg").arg(dump, size));
        if (jpeg.open(QIODevice::WriteOnly))
            jpeg.write(tiv::EncodeJpeg(rgb32));
    }
    const std::string tag = size.toStdString();
    const QString target = gScratch->filePath(QStringLiteral("saved-%1").arg(size));
    // The JPEG writer runs a stripe a free core, so its figures are wall-clock time.
    benchmark::RegisterBenchmark(("jpeg/ours/" + tag).c_str(), [size](benchmark::State &s) {
        Run(s, size, [](const Desktop &d) { return tiv::EncodeJpeg(d.rgb32).size(); });
    })->UseRealTime();
    benchmark::RegisterBenchmark(("jpeg/ours-one-stripe/" + tag).c_str(), [size](benchmark::State &s) {
        Run(s, size, [](const Desktop &d) { return tiv::EncodeJpeg(d.rgb32, 100, 1).size(); });
    })->UseRealTime();
    benchmark::RegisterBenchmark(("jpeg/plain-libjpeg/" + tag).c_str(), [size](benchmark::State &s) {
        Run(s, size, [](const Desktop &d) { return qint64(PlainJpeg(d.rgb888).size()); });
    })->UseRealTime();
    benchmark::RegisterBenchmark(("jpeg/ours-saved-to-file/" + tag).c_str(), [size, target](benchmark::State &s) {
        const tiv::CanvasPicture picture = tiv::CanvasPicture::bitmap(gDesktops.at(size).rgb32);
        Run(s, size, [&](const Desktop &) { return SavedSize(target + ".jpg", picture); });
    })->UseRealTime();
    // The PNG writer runs on several threads, so its figures are wall-clock time.
    benchmark::RegisterBenchmark(("png/ours/" + tag).c_str(), [size](benchmark::State &s) {
        Run(s, size, [](const Desktop &d) { return tiv::EncodePng(d.rgb32).size(); });
    })->UseRealTime();
    benchmark::RegisterBenchmark(("png/ours-one-piece/" + tag).c_str(), [size](benchmark::State &s) {
        Run(s, size, [](const Desktop &d) { return tiv::EncodePng(d.rgb32, 1).size(); });
    })->UseRealTime();
    benchmark::RegisterBenchmark(("png/plain-libpng/" + tag).c_str(), [size](benchmark::State &s) {
        Run(s, size, [](const Desktop &d) { return qint64(PlainPng(d.rgb888).size()); });
    })->UseRealTime();
    benchmark::RegisterBenchmark(("png/ours-saved-to-file/" + tag).c_str(), [size, target](benchmark::State &s) {
        const tiv::CanvasPicture picture = tiv::CanvasPicture::bitmap(gDesktops.at(size).rgb32);
        Run(s, size, [&](const Desktop &) { return SavedSize(target + ".png", picture); });
    })->UseRealTime();
}

}  // namespace

int main(int argc, char **argv)
{
    QTemporaryDir scratch;
    gScratch = &scratch;
    Register(QStringLiteral("1920x1080"));
    Register(QStringLiteral("3840x2160"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
