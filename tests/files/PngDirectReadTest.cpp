// The common PNG kinds are read without libpng; they must come out exactly as libpng (behind
// Qt's reader) gives them, laid over white, and fail where libpng fails.
#include "files/PngCodec.h"
#include "support/HostilePictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include <png.h>
#include <zlib.h>

using namespace tiv;
using tiv::hostile::PngChunk;

namespace {

// Gradients, where the predicting filters win, beside noise, where they lose: libpng's adaptive
// filtering then uses every filter type somewhere. Alpha runs through every value.
QImage MixedPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    quint32 noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int n = int(noise >> 16) & 255;
            const bool noisy = (x / 32 + y / 16) % 2 == 1;
            image.setPixel(x, y, noisy ? qRgba(n, (n * 7) & 255, (n * 13) & 255, (x + y) & 255)
                                       : qRgba(x & 255, y * 3 & 255, (x + y) & 255, x < width / 2 ? 255 : x & 255));
        }
    }
    return image;
}

QByteArray QtPng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// libpng's own writer, for grey with alpha, which Qt never writes.
QByteArray GreyAlphaPng(const QImage &source)
{
    QByteArray pixels;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            pixels += QByteArray{char(qGray(source.pixel(x, y))), char(qAlpha(source.pixel(x, y)))};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(source.width());
    image.height = png_uint_32(source.height());
    image.format = PNG_FORMAT_GA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.constData(), 0, nullptr);
    QByteArray png(qsizetype(size), '\0');
    png_image_write_to_memory(&image, png.data(), &size, 0, pixels.constData(), 0, nullptr);
    return png.left(qsizetype(size));
}

// What libpng reads, laid over white with plain integer division.
QImage LibpngOverWhite(const QByteArray &png)
{
    const QImage read = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32);
    QImage out(read.size(), QImage::Format_RGB32);
    for (int y = 0; y < read.height(); ++y) {
        for (int x = 0; x < read.width(); ++x) {
            const QRgb p = read.pixel(x, y);
            const int a = qAlpha(p), white = 255 * (255 - a);
            out.setPixel(x, y, qRgb((qRed(p) * a + white) / 255, (qGreen(p) * a + white) / 255,
                                    (qBlue(p) * a + white) / 255));
        }
    }
    return out;
}

QByteArray BeforeImageData(const QByteArray &png, const QByteArray &chunk)
{
    const qsizetype idat = png.indexOf("IDAT") - 4;
    return png.left(idat) + chunk + png.mid(idat);
}

// A one-row-per-line PNG made by hand: `rows` are the raw filtered rows, filter bytes included.
QByteArray HandMadePng(int width, int height, int colour, const QByteArray &rows)
{
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = 8;
    header[9] = char(colour);
    uLongf size = compressBound(uLong(rows.size()));
    QByteArray deflated(qsizetype(size), '\0');
    compress(reinterpret_cast<Bytef *>(deflated.data()), &size, reinterpret_cast<const Bytef *>(rows.constData()),
             uLong(rows.size()));
    deflated.resize(qsizetype(size));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", deflated) +
           PngChunk("IEND", {});
}

}  // namespace

TEST(PngDirectRead, EveryKindReadsAsLibpngReadsIt)
{
    const QImage mixed = MixedPicture(301, 67);
    struct Kind {
        const char *name;
        QByteArray png;
        int colour;
    };
    const Kind kinds[] = {
        {"grey", QtPng(mixed.convertToFormat(QImage::Format_Grayscale8)), 0},
        {"rgb", QtPng(mixed.convertToFormat(QImage::Format_RGB32)), 2},
        {"palette with transparency", QtPng(mixed.convertToFormat(QImage::Format_Indexed8)), 3},
        {"grey with alpha", GreyAlphaPng(mixed), 4},
        {"rgba", QtPng(mixed), 6},
    };
    for (const Kind &kind : kinds) {
        ASSERT_EQ(kind.png.at(24), 8) << kind.name;  // 8 bits a sample, so not libpng's to read
        ASSERT_EQ(kind.png.at(25), kind.colour) << kind.name;
        EXPECT_TRUE(DecodePng(kind.png) == LibpngOverWhite(kind.png)) << kind.name;
    }
    const QByteArray palette = kinds[2].png;
    EXPECT_TRUE(palette.contains("tRNS"));

    // One transparent colour (or grey) shows white; its neighbours keep their colour.
    QImage rgb(3, 1, QImage::Format_RGB32);
    rgb.setPixel(0, 0, qRgb(10, 20, 30));
    rgb.setPixel(1, 0, qRgb(10, 20, 31));
    rgb.setPixel(2, 0, qRgb(10, 20, 30));
    const QByteArray keyed = BeforeImageData(EncodePng(rgb), PngChunk("tRNS", QByteArray("\0\x0a\0\x14\0\x1e", 6)));
    EXPECT_TRUE(DecodePng(keyed) == LibpngOverWhite(keyed));
    EXPECT_EQ(DecodePng(keyed).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(DecodePng(keyed).pixel(1, 0), qRgb(10, 20, 31));
    const QByteArray grey = QtPng(mixed.convertToFormat(QImage::Format_Grayscale8));
    const QByteArray greyKeyed = BeforeImageData(grey, PngChunk("tRNS", QByteArray("\0\x4d", 2)));
    EXPECT_TRUE(DecodePng(greyKeyed) == LibpngOverWhite(greyKeyed));

    // Kinds the direct reader leaves to libpng still read.
    const QByteArray deep = QtPng(mixed.convertToFormat(QImage::Format_RGBA64));
    ASSERT_EQ(deep.at(24), 16);
    EXPECT_TRUE(DecodePng(deep) == LibpngOverWhite(deep));
}

TEST(PngDirectRead, DamagedFilesFailAsWithLibpng)
{
    const QByteArray good = QtPng(MixedPicture(64, 40).convertToFormat(QImage::Format_RGB32));
    const QImage expected = DecodePng(good);
    ASSERT_FALSE(expected.isNull());

    QByteArray damaged = good;
    damaged[good.indexOf("IDAT") + 20] = char(damaged[good.indexOf("IDAT") + 20] ^ 0x40);
    EXPECT_TRUE(DecodePng(damaged).isNull()) << "image data that fails its CRC";
    EXPECT_TRUE(DecodePng(good.left(good.size() - 12)).isNull()) << "no IEND";
    QByteArray header = good;
    header[18] = char(header[18] ^ 1);
    EXPECT_TRUE(DecodePng(header).isNull()) << "a header that fails its CRC";
    EXPECT_TRUE(DecodePng(BeforeImageData(good, PngChunk("XYZW", "x"))).isNull()) << "unknown critical chunk";
    EXPECT_EQ(DecodePng(BeforeImageData(good, PngChunk("xyZw", "x"))), expected) << "unknown ancillary chunk";
    EXPECT_EQ(DecodePng(BeforeImageData(good, PngChunk("tRNS", QByteArray(300, 'x')))), expected)
        << "a tRNS that does not fit is ignored";

    const QByteArray row("\0\x01\x02\x03\x04\x05\x06", 7);
    EXPECT_FALSE(DecodePng(HandMadePng(2, 2, 2, row + row)).isNull());
    EXPECT_EQ(DecodePng(HandMadePng(2, 2, 2, row + row + row)), DecodePng(HandMadePng(2, 2, 2, row + row)))
        << "data beyond the last row is ignored";
    EXPECT_TRUE(DecodePng(HandMadePng(2, 2, 2, row)).isNull()) << "too few rows";
    EXPECT_TRUE(DecodePng(HandMadePng(2, 2, 2, row + QByteArray("\x05\x01\x02\x03\x04\x05\x06", 7))).isNull())
        << "filter type 5";
    EXPECT_TRUE(DecodePng(HandMadePng(6, 1, 3, row)).isNull()) << "a palette picture without a palette";
    EXPECT_TRUE(DecodePng(HandMadePng(0, 1, 2, QByteArray(1, '\0'))).isNull()) << "no pixels";
}
