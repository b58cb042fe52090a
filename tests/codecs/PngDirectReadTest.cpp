// The common PNG kinds are read without libpng; they must come out exactly as libpng (behind
// Qt's reader) gives them, laid over white, and fail where libpng fails.
#include "codecs/PngCodec.h"
#include "support/HostilePictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include <png.h>
#include <zlib.h>

#include <vector>

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

void AppendSample(QByteArray &row, int value, int depth, int low)
{
    row += char(value);
    if (depth == 16)
        row += char(low);  // varied low bytes check the rounding to 8 bits
}

// libpng's own writer, for the kinds Qt never writes: grey with alpha, 16 bits a sample,
// interlaced. Adaptive filtering, as libpng chooses by default.
QByteArray LibpngPng(const QImage &source, int colour, int depth, bool interlaced)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    QByteArray out;
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t n) {
            static_cast<QByteArray *>(png_get_io_ptr(p))->append(reinterpret_cast<const char *>(data), qsizetype(n));
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(source.width()), png_uint_32(source.height()), depth, colour,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<QByteArray> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < source.height(); ++y) {
        QByteArray row;
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = source.pixel(x, y);
            const int low = (x * 37 + y * 11) & 0xff;
            const bool grey = !(colour & PNG_COLOR_MASK_COLOR);
            for (const int value : grey ? std::vector<int>{qGray(p)} : std::vector<int>{qRed(p), qGreen(p), qBlue(p)})
                AppendSample(row, value, depth, low);
            if (colour & PNG_COLOR_MASK_ALPHA)
                AppendSample(row, qAlpha(p), depth, 255 - low);
        }
        rows.push_back(row);
    }
    for (QByteArray &row : rows)
        pointers.push_back(reinterpret_cast<png_bytep>(row.data()));
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
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

// A PNG made by hand: `rows` are the raw filtered rows, filter bytes included; `split` bytes of the
// zlib stream go in a first IDAT chunk of their own; `damage` changes the stream's second byte.
QByteArray HandMadePng(int width, int height, int colour, const QByteArray &rows, int split = 0, int damage = 0)
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
    deflated[1] = char(deflated[1] + damage);
    const QByteArray data = split ? PngChunk("IDAT", deflated.left(split)) + PngChunk("IDAT", deflated.mid(split))
                                  : PngChunk("IDAT", deflated);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + data + PngChunk("IEND", {});
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
        {"grey with alpha", LibpngPng(mixed, 4, 8, false), 4},
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

    // 16 bits a sample and interlacing, at sizes that leave some of the seven passes empty.
    for (const QSize size : {QSize(301, 67), QSize(3, 2), QSize(1, 1), QSize(9, 5)}) {
        const QImage picture = MixedPicture(size.width(), size.height());
        for (const int colour : {0, 2, 4, 6})
            for (const int depth : {8, 16})
                for (const bool interlaced : {false, true}) {
                    const QByteArray png = LibpngPng(picture, colour, depth, interlaced);
                    EXPECT_TRUE(DecodePng(png) == LibpngOverWhite(png))
                        << size.width() << "x" << size.height() << " colour " << colour << " depth " << depth
                        << (interlaced ? " interlaced" : "");
                }
    }
    // A 16-bit key matches all 16 bits (Qt's reader garbles this kind, so the values stand here).
    const QByteArray deepKeyed =
        BeforeImageData(LibpngPng(rgb, 2, 16, true), PngChunk("tRNS", QByteArray("\x0a\x4a\x14\x4a\x1e\x4a", 6)));
    const QImage deepKeyedRead = DecodePng(deepKeyed);
    EXPECT_EQ(deepKeyedRead.pixel(0, 0), qRgb(10, 20, 30)) << "only the high bytes match";
    EXPECT_EQ(deepKeyedRead.pixel(1, 0), qRgb(10, 20, 31));
    EXPECT_EQ(deepKeyedRead.pixel(2, 0), qRgb(255, 255, 255));

    // Kinds the direct reader leaves to libpng still read.
    const QByteArray fewBits = QtPng(mixed.convertToFormat(QImage::Format_Mono));
    ASSERT_EQ(fewBits.at(24), 1);
    EXPECT_TRUE(DecodePng(fewBits) == LibpngOverWhite(fewBits));
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
    EXPECT_EQ(DecodePng(HandMadePng(2, 2, 2, row + row, 1)), DecodePng(HandMadePng(2, 2, 2, row + row)))
        << "a zlib header split over two chunks";
    EXPECT_TRUE(DecodePng(HandMadePng(2, 2, 2, row + row, 0, 1)).isNull()) << "a zlib header that fails its check";
    EXPECT_TRUE(DecodePng(HandMadePng(2, 2, 2, row + QByteArray("\x05\x01\x02\x03\x04\x05\x06", 7))).isNull())
        << "filter type 5";
    EXPECT_TRUE(DecodePng(HandMadePng(6, 1, 3, row)).isNull()) << "a palette picture without a palette";
    EXPECT_TRUE(DecodePng(HandMadePng(0, 1, 2, QByteArray(1, '\0'))).isNull()) << "no pixels";
}

// Pictures of 32 MiB and more have their pages faulted in by another thread while they decode.
TEST(PngDirectRead, LargePicturesDecodeWhileTheirPagesAreFaultedIn)
{
    const QSize size(4096, 2100);
    const QImage direct = DecodePng(hostile::PngUniform(size, qRgba(200, 0, 0, 128), true, 16, true));
    ASSERT_EQ(direct.size(), size);
    EXPECT_EQ(direct.pixel(0, 0), qRgb(227, 127, 127));
    EXPECT_EQ(direct.pixel(4095, 2099), qRgb(227, 127, 127));

    QImage mono(size, QImage::Format_Mono);
    mono.fill(1);
    mono.setPixel(17, 2000, 0);
    const QImage viaLibpng = DecodePng(QtPng(mono));
    ASSERT_EQ(viaLibpng.size(), size);
    EXPECT_EQ(viaLibpng.pixel(17, 2000), mono.convertToFormat(QImage::Format_RGB32).pixel(17, 2000));
    EXPECT_EQ(viaLibpng.pixel(18, 2000), mono.convertToFormat(QImage::Format_RGB32).pixel(18, 2000));
    EXPECT_NE(viaLibpng.pixel(17, 2000), viaLibpng.pixel(18, 2000));
}
