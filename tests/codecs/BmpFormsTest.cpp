#include "codecs/BmpCodec.h"
#include "codecs/PngCodec.h"
#include "support/BmpFiles.h"
#include "support/HostilePictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QtEndian>

using namespace tiv;
using namespace tiv::testbmp;

namespace {

const QList<QRgb> kPalette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(10, 20, 30)};
constexpr QRgb W = 0xffffffff, R = 0xffff0000, G = 0xff00ff00, B = 0xff0000ff, C = 0xff0a141e;

QImage Expected(int width, const QList<QRgb> &topDownPixels)
{
    QImage image(width, int(topDownPixels.size()) / width, QImage::Format_RGB32);
    for (qsizetype i = 0; i < topDownPixels.size(); ++i)
        image.setPixel(int(i % width), int(i / width), topDownPixels[i]);
    return image;
}

QByteArray Codes(std::initializer_list<int> bytes)
{
    QByteArray codes;
    for (const int byte : bytes)
        codes.append(char(byte));
    return codes;
}

// ImageMagick turns `input` into `format` (or the picture's RGB bytes for "rgb:-").
QByteArray ImageMagick(const QByteArray &input, const QStringList &arguments)
{
    QProcess convert;
    convert.start(QStringLiteral("convert"), arguments);
    if (!convert.waitForStarted())
        return {};
    convert.write(input);
    convert.closeWriteChannel();
    convert.waitForFinished(60000);
    return convert.exitCode() == 0 ? convert.readAllStandardOutput() : QByteArray();
}

QByteArray RgbBytes(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    return bytes;
}

}  // namespace

TEST(BmpRle, ReadsRunsLiteralsDeltasAndLineEnds)
{
    // Bottom row first: a run and an odd literal (padded), a row ended early, a delta over the
    // rest of row 2 into row 3, a run there.
    const QByteArray rle8 = Rle(8, QSize(6, 4), kPalette,
                                Codes({3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 2, 0, 0, 0, 2, 1, 1, 4, 3, 0, 1}));
    EXPECT_EQ(DecodeBmp(rle8), Expected(6, {W, B, B, B, B, W,  //
                                            W, W, W, W, W, W,  //
                                            G, G, W, W, W, W,  //
                                            R, R, R, G, B, C}));
    // A run alternates its two nibbles; an odd literal of five takes three bytes and a pad.
    const QByteArray rle4 = Rle(4, QSize(5, 2), kPalette, Codes({5, 0x12, 0, 0, 0, 5, 0x31, 0x23, 0x10, 0, 0, 1}));
    EXPECT_EQ(DecodeBmp(rle4), Expected(5, {B, R, G, B, R, R, G, R, G, R}));
    // Some writers code the stored row, padding included; what lies past the picture is dropped.
    EXPECT_EQ(DecodeBmp(Rle(8, QSize(6, 1), kPalette, Codes({5, 1, 0, 3, 2, 3, 4, 0, 0, 1}))),
              Expected(6, {R, R, R, R, R, G}));
    EXPECT_EQ(DecodeBmp(Rle(4, QSize(3, 1), kPalette, Codes({8, 0x12, 0, 1}))), Expected(3, {R, G, R}));
    // Read from the middle of a device, as the picture loader does.
    QBuffer device;
    device.setData("junk" + rle4);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly) && device.seek(4));
    EXPECT_EQ(DecodeBmp(device), DecodeBmp(rle4));

    // A desktop-like picture as another program writes it in RLE8.
    const QByteArray png = EncodePng(hostile::TestDesktop(QSize(701, 297)));
    const QByteArray imageMagickRle = ImageMagick(png, {"png:-", "-colors", "200", "-compress", "RLE", "bmp3:-"});
    ASSERT_EQ(qFromLittleEndian<quint32>(imageMagickRle.constData() + 30), quint32(Rle8));
    const QImage decoded = DecodeBmp(imageMagickRle);
    EXPECT_EQ(RgbBytes(decoded), ImageMagick(imageMagickRle, {"bmp:-", "-depth", "8", "rgb:-"}));
    EXPECT_EQ(decoded, QImage::fromData(imageMagickRle, "BMP").convertToFormat(QImage::Format_RGB32));
}

TEST(BmpRle, RefusesRunsLeavingTheirRowOrThePictureAndCutData)
{
    const QSize size(6, 4);
    const QByteArray endOfLines = Codes({0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(DecodeBmp(Rle(8, size, kPalette, endOfLines + Codes({0, 1}))).isNull());
    // Rows of six 8-bit pixels are stored as eight.
    const QByteArray refused[] = {
        Codes({9, 1, 0, 1}),                                 // a run longer than the stored row
        Codes({4, 1, 5, 1, 0, 1}),                           // a run past the stored row's end
        Codes({2, 1, 0, 7, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1}),   // a literal past it
        Codes({0, 2, 9, 0, 0, 1}),                           // a delta past it
        Codes({0, 2, 0, 5, 0, 1}),                           // a delta past the last row
        endOfLines + Codes({0, 0, 0, 1}),                    // a line end past the last row
        endOfLines + Codes({1, 1, 0, 1}),                    // a run past the last row
        Codes({3, 1}),                                       // no end-of-picture code
    };
    for (const QByteArray &codes : refused)
        EXPECT_TRUE(DecodeBmp(Rle(8, size, kPalette, codes)).isNull()) << codes.toHex().constData();
    EXPECT_TRUE(DecodeBmp(Rle(4, QSize(3, 1), kPalette, Codes({0, 9, 0x12, 0x12, 0x12, 0x12, 0x10, 0, 0, 1}))).isNull());
    EXPECT_TRUE(DecodeBmp(Rle(8, QSize(6, -4), kPalette, endOfLines + Codes({0, 1}))).isNull());
    QByteArray rle8AtFourBits = Rle(8, size, kPalette, Codes({0, 1}));
    rle8AtFourBits[28] = 4;
    EXPECT_TRUE(DecodeBmp(rle8AtFourBits).isNull());

    const QByteArray good = Rle(4, QSize(5, 2), kPalette, Codes({5, 0x12, 0, 0, 0, 5, 0x31, 0x23, 0x10, 0, 0, 1}));
    for (qsizetype length = 0; length < good.size(); ++length)
        EXPECT_TRUE(DecodeBmp(good.left(length)).isNull()) << length;
}

TEST(BmpAlpha, PixelsWithAnAlphaMaskAreLaidOverWhiteAsPngsAre)
{
    QImage translucent(4, 2, QImage::Format_ARGB32);
    const QRgb pixels[] = {qRgba(255, 0, 0, 255), qRgba(0, 255, 0, 128), qRgba(0, 0, 255, 0),   qRgba(10, 20, 30, 77),
                           qRgba(200, 100, 50, 1), qRgba(1, 2, 3, 254),  qRgba(90, 90, 90, 200), qRgba(255, 255, 255, 9)};
    for (int i = 0; i < 8; ++i)
        translucent.setPixel(i % 4, i / 4, pixels[i]);
    const QImage asPng = DecodePng(EncodePng(translucent));
    ASSERT_NE(asPng.pixel(2, 0), qRgb(0, 0, 255));
    const struct {
        int headerSize;
        Compression compression;
    } forms[] = {{124, Bitfields}, {108, Rgb}, {56, Bitfields}, {40, AlphaBitfields}};
    for (const auto &form : forms)
        EXPECT_EQ(DecodeBmp(Argb32(translucent, form.headerSize, form.compression)), asPng) << form.headerSize;
    // Without an alpha mask the fourth byte means nothing.
    const QImage opaque = translucent.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(DecodeBmp(Argb32(translucent, 124, Bitfields, 0)), opaque);
    EXPECT_EQ(DecodeBmp(Argb32(translucent, 40, Rgb)), opaque);

    const QByteArray png = EncodePng(translucent.scaled(57, 31));
    const QByteArray imageMagickBmp = ImageMagick(png, {"png:-", "bmp:-"});
    ASSERT_GE(qFromLittleEndian<quint32>(imageMagickBmp.constData() + 14), 108u);
    EXPECT_EQ(DecodeBmp(imageMagickBmp), DecodePng(png));
}
