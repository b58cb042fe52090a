// Writes the seed corpus of the picture, settings, integer and comma-text harnesses into the folder
// given: a few small pictures of each kind the readers know, the hostile files the tests build,
// settings files, integer texts and announcement pages. The three seeds of the deflate harness
// are written by hand.
// Regenerate with: fuzz_make_seeds tests/fuzz/corpus
#include "codecs/BmpCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "support/BmpFiles.h"
#include "support/HostilePictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QStringEncoder>

using namespace tiv;
using namespace tiv::hostile;

namespace {

QDir gRoot;

void Seed(const char *harness, const QString &name, const QByteArray &bytes)
{
    gRoot.mkpath(harness);
    QFile file(gRoot.filePath(QString::fromLatin1(harness) + u'/' + name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray QtEncoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// The loader's harness takes the extension from the first byte: 0 .jpg, 1 .JPEG, 2 .bmp, 3 .png,
// 4 .gif, 5 .ico, 6 .ppm, 7 none.
void PictureSeed(const char *harness, const QString &name, const QByteArray &bytes, char extension)
{
    Seed(harness, name, bytes);
    Seed("load_picture_file", name, extension + bytes);
}

void PictureSeeds()
{
    const QImage desktop = TestDesktop(QSize(24, 16));
    QImage translucent = desktop.convertToFormat(QImage::Format_ARGB32);
    translucent.setPixel(1, 1, qRgba(10, 20, 30, 40));
    PictureSeed("jpeg", "baseline.jpg", EncodeJpeg(desktop), 0);
    PictureSeed("jpeg", "progressive.jpg", QtEncoded(desktop, "JPG", true), 1);
    PictureSeed("jpeg", "grey.jpg", QtEncoded(desktop.convertToFormat(QImage::Format_Grayscale8), "JPG"), 0);
    PictureSeed("jpeg", "empty-scan.jpg", JpegEmptyScan(QSize(64, 64), false, false), 0);
    PictureSeed("jpeg", "empty-progressive-scan.jpg", JpegEmptyScan(QSize(64, 64), true, true), 1);
    PictureSeed("jpeg", "cut-scan.jpg", JpegCutScan(), 0);
    PictureSeed("jpeg", "many-scans.jpg", JpegManyScans(40), 0);
    PictureSeed("png", "rgb.png", EncodePng(desktop), 3);
    PictureSeed("png", "rgba.png", EncodePng(translucent), 3);
    PictureSeed("png", "palette.png", QtEncoded(desktop.convertToFormat(QImage::Format_Indexed8), "PNG"), 3);
    PictureSeed("png", "grey16.png", QtEncoded(desktop.convertToFormat(QImage::Format_Grayscale16), "PNG"), 3);
    PictureSeed("png", "rgba64.png", QtEncoded(translucent.convertToFormat(QImage::Format_RGBA64), "PNG"), 3);
    PictureSeed("png", "text.png", PngWithChunk(QSize(8, 8), "tEXt", QByteArray("Comment\0seed", 12)), 3);
    PictureSeed("png", "profile.png", PngWithChunk(QSize(8, 8), "iCCP", QByteArray("icc\0\0", 5) + "x"), 3);
    PictureSeed("png", "huge-text-claim.png", PngHugeChunkClaim("zTXt"), 3);
    PictureSeed("png", "uniform-alpha.png", PngUniform(QSize(40, 30), qRgba(1, 2, 3, 100), true), 3);
    PictureSeed("bmp", "rgb24.bmp", EncodeBmp(desktop), 2);
    PictureSeed("bmp", "argb32.bmp", EncodeBmp(translucent), 2);
    PictureSeed("bmp", "indexed8.bmp", QtEncoded(desktop.convertToFormat(QImage::Format_Indexed8), "BMP"), 2);
    PictureSeed("bmp", "mono.bmp", QtEncoded(desktop.convertToFormat(QImage::Format_Mono), "BMP"), 2);
    PictureSeed("bmp", "one-bit.bmp", BmpOneBit(QSize(33, 9)), 2);
    const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
    // Runs, an odd literal, an early line end and a delta, then the end of the picture.
    static const char rle8[] = "\x03\x01\x00\x03\x02\x03\x04\x00\x00\x00\x02\x02\x00\x00\x00\x02\x01\x01\x04\x03\x00\x01";
    PictureSeed("bmp", "rle8.bmp", testbmp::Rle(8, QSize(6, 4), palette, QByteArray(rle8, sizeof rle8 - 1)), 2);
    static const char rle4[] = "\x05\x12\x00\x00\x00\x05\x31\x23\x10\x00\x00\x00\x00\x02\x01\x00\x02\x40\x00\x01";
    PictureSeed("bmp", "rle4.bmp", testbmp::Rle(4, QSize(5, 3), palette, QByteArray(rle4, sizeof rle4 - 1)), 2);
    PictureSeed("bmp", "v5-alpha.bmp", testbmp::Argb32(translucent, 124, testbmp::Bitfields), 2);
    PictureSeed("bmp", "v4-alpha-rgb.bmp", testbmp::Argb32(translucent, 108, testbmp::Rgb), 2);
    PictureSeed("bmp", "alpha-bitfields.bmp", testbmp::Argb32(translucent, 40, testbmp::AlphaBitfields), 2);
    Seed("load_picture_file", "icon.ico", char(5) + QtEncoded(desktop, "ICO"));
    Seed("load_picture_file", "pixmap.ppm", char(6) + QtEncoded(desktop, "PPM"));
    Seed("load_picture_file", "bitmap.xbm", char(7) + QtEncoded(desktop, "XBM"));
}

void TextSeeds()
{
    const QString settings = QStringLiteral(
        "[default]\nPicPath=/home/user/TIVSoft/ZevazoRUV/IMG\nPicFormat=6\nautoSaveToCB=1\n"
        "CurPicName=/home/user/TIVSoft/ZevazoRUV/IMG/3.png\n; comment\n[font]\nFontName=宋体\nFontColor=0x0000FF\n"
        "[hotkey]\nhotkey1_1=Ctrl\nhotkey1_3=F\n");
    Seed("ini_file", "utf8.ini", settings.toUtf8());
    Seed("ini_file", "windows.ini", QString(settings).replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toUtf8());
    QStringEncoder gb18030("GB18030");
    Seed("ini_file", "gb18030-marked.ini", QByteArray("\x84\x31\x95\x33") + gb18030(settings));
    Seed("ini_file", "writes.ini", settings.toUtf8() + '\0' + "font/FontName/黑体\ndefault/New/ padded \nx/y/a=b\n");
    const char *integers[] = {"123", "  -0x1F", "$FFFFFFFF", "+42", "x10", "2147483648", "-2147483648", "0X7fffffff"};
    int n = 0;
    for (const char *text : integers)
        Seed("parse_integer", QStringLiteral("n%1").arg(++n), text);
    // The comma-text harness reads two cap bytes first, then the page.
    const QString pages[] = {
        QStringLiteral("<html><body>tivrollaver_ 新版本已发布 ,\"a, \"\"quoted\"\" entry\",http://127.0.0.1/x,,"
                       "last _tivrollaver tivexitpop_ http://127.0.0.1/bye _tivexitpop</body></html>"),
        QStringLiteral("only the end marker, here _tivrollaver"),
        QStringLiteral("\t one two\tthree,\"unclosed"),
        QStringLiteral("a\x7f\x7f\"b c\"\x7f,\x7f 中文"),
        QStringLiteral("<p>HTTP 404 Not Found</p>"),
    };
    n = 0;
    for (const QString &page : pages)
        Seed("comma_text", QStringLiteral("page%1").arg(++n), QByteArray("\x03\x05") + page.toUtf8());
    static const char latin1[] = "\x02\x02tivrollaver_\xe9t\xe9,\xa0x\0y _tivrollaver";
    Seed("comma_text", QStringLiteral("latin1"), QByteArray(latin1, sizeof latin1 - 1));
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    gRoot = QDir(QString::fromLocal8Bit(argv[1]));
    PictureSeeds();
    TextSeeds();
    return 0;
}
