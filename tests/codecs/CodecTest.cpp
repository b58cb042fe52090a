#include "codecs/BmpCodec.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtEndian>

#include <zlib.h>

#include <cstring>
#include <utility>

using namespace tiv;

namespace {

// Smooth colour ramps with a hard-edged window, like a small desktop; pictures too small for the
// window are ramps only, since a few pixels of hard edges are beyond what 4:2:0 chroma can hold.
QImage TestPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool window = width >= 64 && x > width / 4 && x < width / 2 && y > height / 4;
            image.setPixel(x, y, window ? qRgb(240, 240, 240) : qRgb(x % 512 / 2, y % 512 / 2, 160));
        }
    }
    return image;
}

double MeanError(const QImage &a, const QImage &b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return total / (3.0 * a.width() * a.height());
}

const uchar *Bytes(const QByteArray &data)
{
    return reinterpret_cast<const uchar *>(data.constData());
}

// Stuffing keeps 0xFF 0xC2 out of the entropy-coded data, so its presence means progressive.
bool Baseline(const QByteArray &jpeg)
{
    return jpeg.contains("\xff\xc0") && !jpeg.contains("\xff\xc2");
}

struct PngFacts {
    int depth = 0, colourType = -1, interlace = -1;
    QByteArray inflated;
};

// Reads the PNG chunks and inflates the image data with zlib, leaving libpng out of it.
PngFacts InspectPng(const QByteArray &png, qsizetype expectedRaw)
{
    PngFacts facts;
    QByteArray idat;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(Bytes(png) + at);
        const QByteArray type = png.mid(at + 4, 4);
        if (type == "IHDR") {
            facts.depth = Bytes(png)[at + 16];
            facts.colourType = Bytes(png)[at + 17];
            facts.interlace = Bytes(png)[at + 20];
        } else if (type == "IDAT") {
            idat += png.mid(at + 8, length);
        }
        at += 12 + length;
    }
    facts.inflated.resize(expectedRaw + 1);
    uLongf size = uLongf(facts.inflated.size());
    if (uncompress(reinterpret_cast<Bytef *>(facts.inflated.data()), &size, Bytes(idat), uLong(idat.size())) != Z_OK)
        return {};
    facts.inflated.resize(qsizetype(size));
    return facts;
}

QByteArray QtEncoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void PutLe32(QByteArray &data, int at, quint32 value)
{
    qToLittleEndian<quint32>(value, reinterpret_cast<uchar *>(data.data()) + at);
}

}  // namespace

TEST(JpegCodec, BaselineColourRoundTrips)
{
    for (const QSize size : {QSize(1, 1), QSize(3, 5), QSize(333, 101), QSize(4000, 3000)}) {
        const QImage picture = TestPicture(size.width(), size.height());
        const QByteArray jpeg = EncodeJpeg(picture);
        ASSERT_FALSE(jpeg.isEmpty());
        EXPECT_TRUE(Baseline(jpeg)) << size.width();
        const QImage ours = DecodeJpeg(jpeg);
        const QImage qts = QImage::fromData(jpeg, "JPG");
        ASSERT_EQ(ours.size(), size);
        ASSERT_EQ(qts.size(), size);
        EXPECT_EQ(ours.format(), QImage::Format_RGB32);
        EXPECT_LT(MeanError(ours, picture), 2.0) << size.width();
        EXPECT_LT(MeanError(ours, qts.convertToFormat(QImage::Format_RGB32)), 0.5);
    }
    const QImage grey = TestPicture(40, 30).convertToFormat(QImage::Format_Grayscale8);
    const QByteArray greyJpeg = QtEncoded(grey, "JPG");
    EXPECT_EQ(DecodeJpeg(greyJpeg).size(), QSize(40, 30));
    EXPECT_TRUE(EncodeJpeg(QImage()).isEmpty());
}

// What djpeg makes of a file: its pixels as RGB bytes, empty when it cannot read it.
QByteArray DjpegRgb(const QByteArray &jpeg)
{
    QProcess djpeg;
    djpeg.start(QStringLiteral("djpeg"), {QStringLiteral("-ppm")});
    if (!djpeg.waitForStarted())
        return {};
    djpeg.write(jpeg);
    djpeg.closeWriteChannel();
    djpeg.waitForFinished(60000);
    const QByteArray ppm = djpeg.readAllStandardOutput();
    qsizetype pixels = 0;
    for (int line = 0; line < 3 && pixels >= 0; ++line)
        pixels = ppm.indexOf('\n', pixels) + 1;
    return djpeg.exitCode() == 0 && pixels > 0 ? ppm.mid(pixels) : QByteArray();
}

TEST(JpegCodec, StripesJoinedWithRestartMarkersDecodeAsOneFile)
{
    QImage picture = TestPicture(1203, 901);
    QRandomGenerator random(5);
    for (int i = 0; i < 20000; ++i)
        picture.setPixel(random.bounded(1203), random.bounded(901), random.generate() | 0xff000000);
    const QByteArray whole = EncodeJpeg(picture, 100, 1);
    const QByteArray wholeRgb = DjpegRgb(whole);
    ASSERT_EQ(wholeRgb.size(), 1203 * 901 * 3);
    for (const int stripes : {2, 3, 7}) {
        const QByteArray jpeg = EncodeJpeg(picture, 100, stripes);
        EXPECT_TRUE(jpeg.contains("\xff\xdd") && jpeg.contains("\xff\xd1") == (stripes > 2)) << stripes;
        EXPECT_TRUE(DjpegRgb(jpeg) == wholeRgb) << stripes;
        EXPECT_EQ(DecodeJpeg(jpeg), DecodeJpeg(whole)) << stripes;
        EXPECT_EQ(QImage::fromData(jpeg, "JPG"), QImage::fromData(whole, "JPG")) << stripes;
    }
    // A restart interval counts at most 65535 units of 16x16 pixels, so this picture takes two
    // stripes even when one is asked for.
    const QImage tall = TestPicture(4096, 4100);
    const QByteArray tallJpeg = EncodeJpeg(tall, 100, 1);
    EXPECT_TRUE(tallJpeg.contains("\xff\xdd"));
    const QImage decoded = DecodeJpeg(tallJpeg);
    ASSERT_EQ(decoded.size(), tall.size());
    EXPECT_LT(MeanError(decoded, tall), 2.0);
    EXPECT_EQ(DjpegRgb(tallJpeg).size(), 4096 * 4100 * 3);
}

TEST(JpegCodec, CmykFilesReadPixelForPixelAsDjpegReadsThem)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    TestPicture(203, 77).save(&buffer, "PNG");
    QProcess convert;
    convert.start(QStringLiteral("convert"), {QStringLiteral("png:-"), QStringLiteral("-colorspace"),
                                              QStringLiteral("CMYK"), QStringLiteral("jpg:-")});
    ASSERT_TRUE(convert.waitForStarted());
    convert.write(png);
    convert.closeWriteChannel();
    convert.waitForFinished(60000);
    const QByteArray ycck = convert.readAllStandardOutput();
    const qsizetype adobe = ycck.indexOf("\xff\xee");
    ASSERT_GT(adobe, 0);
    ASSERT_EQ(ycck[adobe + 15], 2);  // the marker's transform: YCCK
    QByteArray cmyk = ycck;
    cmyk[adobe + 15] = 0;
    QByteArray unmarked = ycck;
    unmarked.remove(adobe, 2 + qFromBigEndian<quint16>(ycck.constData() + adobe + 2));
    const std::pair<const char *, QByteArray> files[] = {{"YCCK", ycck}, {"CMYK", cmyk}, {"no marker", unmarked}};
    for (const auto &[name, jpeg] : files) {
        const QImage ours = DecodeJpeg(jpeg);
        ASSERT_EQ(ours.size(), QSize(203, 77));
        const QImage rgb = ours.convertToFormat(QImage::Format_RGB888);
        QByteArray rgbBytes;
        for (int y = 0; y < rgb.height(); ++y)
            rgbBytes.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
        EXPECT_TRUE(rgbBytes == DjpegRgb(jpeg)) << name;
    }
}

TEST(PngCodec, FilterSubNonInterlacedRgb)
{
    for (const QSize size : {QSize(1, 1), QSize(3, 5), QSize(333, 101), QSize(4000, 3000)}) {
        const QImage picture = TestPicture(size.width(), size.height());
        const QByteArray png = EncodePng(picture);
        const qsizetype rowBytes = 1 + 3 * qsizetype(size.width());
        const PngFacts facts = InspectPng(png, rowBytes * size.height());
        EXPECT_EQ(facts.depth, 8);
        EXPECT_EQ(facts.colourType, 2);
        EXPECT_EQ(facts.interlace, 0);
        ASSERT_EQ(facts.inflated.size(), rowBytes * size.height());
        bool allSub = true, pixelsMatch = true;
        for (int y = 0; y < size.height(); ++y) {
            const uchar *row = Bytes(facts.inflated) + y * rowBytes;
            allSub = allSub && row[0] == 1;
            for (int x = 0; x < size.width(); ++x) {
                const QRgb p = picture.pixel(x, y), left = x > 0 ? picture.pixel(x - 1, y) : 0;
                const uchar *rgb = row + 1 + 3 * x;
                pixelsMatch = pixelsMatch && rgb[0] == uchar(qRed(p) - qRed(left)) &&
                              rgb[1] == uchar(qGreen(p) - qGreen(left)) && rgb[2] == uchar(qBlue(p) - qBlue(left));
            }
        }
        EXPECT_TRUE(allSub) << size.width();
        EXPECT_TRUE(pixelsMatch) << size.width();
        EXPECT_EQ(DecodePng(png), picture);
    }
}

TEST(PngCodec, ReadsOtherWritersAndAlpha)
{
    QImage translucent(2, 1, QImage::Format_ARGB32);
    translucent.setPixel(0, 0, qRgba(0, 0, 0, 0));
    translucent.setPixel(1, 0, qRgba(200, 0, 0, 255));
    const QImage overWhite = DecodePng(EncodePng(translucent));
    EXPECT_EQ(overWhite.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(overWhite.pixel(1, 0), qRgb(200, 0, 0));

    const QImage picture = TestPicture(37, 21);
    for (const QImage::Format format : {QImage::Format_Indexed8, QImage::Format_Grayscale8, QImage::Format_RGBA64}) {
        const QImage converted = picture.convertToFormat(format);
        EXPECT_EQ(DecodePng(QtEncoded(converted, "PNG")), converted.convertToFormat(QImage::Format_RGB32)) << format;
    }
}

// What ImageMagick makes of a file: its pixels as RGB bytes, empty when it cannot read it.
QByteArray ImageMagickRgb(const QByteArray &png)
{
    QProcess convert;
    convert.start(QStringLiteral("convert"), {QStringLiteral("png:-"), QStringLiteral("-depth"), QStringLiteral("8"),
                                              QStringLiteral("rgb:-")});
    if (!convert.waitForStarted())
        return {};
    convert.write(png);
    convert.closeWriteChannel();
    convert.waitForFinished(60000);
    return convert.exitCode() == 0 ? convert.readAllStandardOutput() : QByteArray();
}

TEST(PngCodec, DataDeflatedInPiecesIsOneStreamEveryReaderReads)
{
    QImage picture = TestPicture(1200, 900);
    QRandomGenerator random(9);
    for (int i = 0; i < 20000; ++i)
        picture.setPixel(random.bounded(1200), random.bounded(900), random.generate() | 0xff000000);
    QImage translucent = picture.convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < 1200; ++x)
        translucent.setPixel(x, x % 900, qRgba(x % 256, 0, 255, x % 256));
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const QByteArray rgbBytes(reinterpret_cast<const char *>(rgb.constBits()), rgb.sizeInBytes());
    const QByteArray single = EncodePng(picture, 1);
    for (const int pieces : {1, 2, 3, 7}) {
        const QByteArray png = EncodePng(picture, pieces);
        if (pieces > 1) {
            EXPECT_NE(png, single) << pieces;
        }
        const qsizetype rowBytes = 1 + 3 * 1200;
        const PngFacts facts = InspectPng(png, rowBytes * 900);  // zlib checks the combined checksum
        ASSERT_EQ(facts.inflated.size(), rowBytes * 900) << pieces;
        bool allSub = true;
        for (int y = 0; y < 900; ++y)
            allSub = allSub && facts.inflated[y * rowBytes] == 1;
        EXPECT_TRUE(allSub) << pieces;
        EXPECT_EQ(png.mid(png.indexOf("IDAT") + 4, 2), QByteArray("\x78\x01", 2)) << pieces;  // fastest level
        EXPECT_EQ(DecodePng(png), picture) << pieces;
        EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), picture) << pieces;
        EXPECT_EQ(ImageMagickRgb(png), rgbBytes) << pieces;
        const QImage qtTranslucent = QImage::fromData(EncodePng(translucent, pieces), "PNG");
        EXPECT_EQ(qtTranslucent.convertToFormat(QImage::Format_ARGB32), translucent) << pieces;
    }
}

TEST(BmpCodec, RoundTripsAtOwnDepthBothWays)
{
    for (const QSize size : {QSize(1, 1), QSize(3, 5), QSize(333, 101), QSize(4000, 3000)}) {
        const QImage picture = TestPicture(size.width(), size.height());
        const QByteArray bmp = EncodeBmp(picture);
        EXPECT_EQ(qFromLittleEndian<quint16>(Bytes(bmp) + 28), 24);
        EXPECT_EQ(bmp.size(), 54 + (size.width() * 3 + 3) / 4 * 4 * size.height());
        EXPECT_EQ(DecodeBmp(bmp), picture) << size.width();
        EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), picture);
    }
    QImage translucent = TestPicture(5, 3).convertToFormat(QImage::Format_ARGB32);
    translucent.setPixel(0, 0, qRgba(1, 2, 3, 4));
    const QByteArray bmp32 = EncodeBmp(translucent);
    EXPECT_EQ(qFromLittleEndian<quint16>(Bytes(bmp32) + 28), 32);
    EXPECT_EQ(Bytes(bmp32)[54 + 2 * 5 * 4 + 3], 4);  // bottom-up: the top row comes last
    EXPECT_EQ(DecodeBmp(bmp32), translucent.convertToFormat(QImage::Format_RGB32));
}

TEST(BmpCodec, ReadsPaletteBitfieldAndTopDownFiles)
{
    const QImage picture = TestPicture(13, 7);
    for (const QImage::Format format : {QImage::Format_Indexed8, QImage::Format_Mono}) {
        const QImage converted = picture.convertToFormat(format);
        EXPECT_EQ(DecodeBmp(QtEncoded(converted, "BMP")), converted.convertToFormat(QImage::Format_RGB32)) << format;
    }

    // 2x2 top-down, 16-bit 5-6-5 bit fields: red, green / blue, white.
    QByteArray f565(54 + 12 + 8, '\0');
    f565[0] = 'B', f565[1] = 'M';
    PutLe32(f565, 10, 66);
    PutLe32(f565, 14, 40);
    PutLe32(f565, 18, 2);
    PutLe32(f565, 22, quint32(-2));
    f565[26] = 1, f565[28] = 16;
    PutLe32(f565, 30, 3);
    PutLe32(f565, 54, 0xf800), PutLe32(f565, 58, 0x07e0), PutLe32(f565, 62, 0x001f);
    const quint16 pixels[] = {0xf800, 0x07e0, 0x001f, 0xffff};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian<quint16>(pixels[i], reinterpret_cast<uchar *>(f565.data()) + 66 + 2 * i);
    const QImage decoded = DecodeBmp(f565);
    ASSERT_EQ(decoded.size(), QSize(2, 2));
    EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(decoded.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(decoded.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(decoded.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(BmpCodec, RejectsBadHeadersAndTruncation)
{
    const QByteArray good = EncodeBmp(TestPicture(5, 3));
    ASSERT_FALSE(DecodeBmp(good).isNull());
    struct Mutation {
        int offset;
        int size;  // 2 or 4 bytes
        quint32 value;
    } mutations[] = {
        {0, 2, 0x4d42 ^ 0x0101}, {14, 4, 41},  {14, 4, 0x7fffffff}, {26, 2, 2},      {28, 2, 7},
        {30, 4, 1},              {30, 4, 3},   {18, 4, 0},          {18, 4, quint32(-3)},
        {22, 4, 0},              {22, 4, 0x80000000}, {10, 4, 0},   {10, 4, 10000},  {10, 4, 0xffffffff},
        {18, 4, 65535},          {22, 4, 65535},
    };
    for (const Mutation &m : mutations) {
        QByteArray bad = good;
        if (m.size == 2)
            qToLittleEndian<quint16>(quint16(m.value), reinterpret_cast<uchar *>(bad.data()) + m.offset);
        else
            PutLe32(bad, m.offset, m.value);
        EXPECT_TRUE(DecodeBmp(bad).isNull()) << m.offset << " " << m.value;
    }
    QByteArray tooManyColours = QtEncoded(TestPicture(4, 4).convertToFormat(QImage::Format_Indexed8), "BMP");
    PutLe32(tooManyColours, 46, 300);
    EXPECT_TRUE(DecodeBmp(tooManyColours).isNull());
    for (qsizetype length = 0; length < good.size(); ++length)
        EXPECT_TRUE(DecodeBmp(good.left(length)).isNull()) << length;
}

TEST(Decoders, TruncatedOrDamagedInputNeverCrashes)
{
    const QImage picture = TestPicture(64, 48);
    const QByteArray jpeg = EncodeJpeg(picture), png = EncodePng(picture), bmp = EncodeBmp(picture);
    for (int eighth = 0; eighth < 8; ++eighth) {
        EXPECT_TRUE(DecodeJpeg(jpeg.left(jpeg.size() * eighth / 8)).isNull()) << eighth;
        EXPECT_TRUE(DecodePng(png.left(png.size() * eighth / 8)).isNull()) << eighth;
    }
    EXPECT_TRUE(DecodeJpeg(png).isNull());
    EXPECT_TRUE(DecodePng(jpeg).isNull());
    EXPECT_TRUE(DecodeBmp(jpeg).isNull());
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        for (QByteArray data : {jpeg, png, bmp}) {
            for (int flip = 0; flip < 4; ++flip)
                data[random.bounded(int(data.size()))] = char(random.bounded(256));
            DecodeJpeg(data);
            DecodePng(data);
            DecodeBmp(data);
        }
    }
}
