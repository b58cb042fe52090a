#include "support/HostilePictures.h"

#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <zlib.h>

#include <iterator>
#include <vector>

namespace tiv::hostile {

namespace {

QByteArray BigEndian32(quint32 value)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(value, out.data());
    return out;
}

QByteArray PngHeader(QSize size, bool alpha = false, int depth = 8, bool interlaced = false)
{
    QByteArray ihdr = BigEndian32(quint32(size.width())) + BigEndian32(quint32(size.height()));
    // RGB or RGBA, deflate, the one filter set
    const char rest[] = {char(depth), char(alpha ? 6 : 2), 0, 0, char(interlaced ? 1 : 0)};
    ihdr += QByteArray(rest, sizeof rest);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr);
}

// Picks the pieces of a JPEG apart: where each marker segment starts.
qsizetype FindMarker(const QByteArray &jpeg, uchar marker, qsizetype from = 2)
{
    const char pattern[] = {char(0xFF), char(marker)};
    return jpeg.indexOf(QByteArray(pattern, 2), from);
}

qsizetype LastMarker(const QByteArray &jpeg, uchar marker)
{
    const char pattern[] = {char(0xFF), char(marker)};
    return jpeg.lastIndexOf(QByteArray(pattern, 2));
}

int SegmentLength(const QByteArray &jpeg, qsizetype marker)
{
    return qFromBigEndian<quint16>(jpeg.constData() + marker + 2);
}

QByteArray ProgressiveJpeg(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPG");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(90);
    writer.write(picture);
    return bytes;
}

const QByteArray kEndOfImage("\xFF\xD9", 2);

}  // namespace

QByteArray PngChunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray typed = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()));
    return BigEndian32(quint32(data.size())) + typed + BigEndian32(quint32(crc));
}

QImage TestDesktop(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const bool window = x > size.width() / 4 && x < size.width() / 2 && y > size.height() / 4;
            row[x] = window ? qRgb(240, 240, 240) : qRgb(x % 512 / 2, y % 512 / 2, (x ^ y) & 0xff);
        }
    }
    return image;
}

QByteArray PngWithChunk(QSize size, const QByteArray &type, const QByteArray &payload)
{
    const QByteArray plain = EncodePng(TestDesktop(size));
    const qsizetype afterHeader = 8 + 25;
    return plain.left(afterHeader) + PngChunk(type, payload) + plain.mid(afterHeader);
}

QByteArray PngHugeChunkClaim(const QByteArray &type)
{
    return PngHeader(QSize(4, 4)) + BigEndian32(0x7ffffff0) + type.left(4);
}

QByteArray PngUniform(QSize size, QRgb colour, bool alpha)
{
    return PngUniform(size, colour, alpha, 8, false);
}

QByteArray PngUniform(QSize size, QRgb colour, bool alpha, int depth, bool interlaced)
{
    const int channels = alpha ? 4 : 3;
    QByteArray pixel;
    for (const int value : {qRed(colour), qGreen(colour), qBlue(colour), qAlpha(colour)})
        pixel += QByteArray(depth / 8, char(value));
    pixel.truncate(channels * depth / 8);
    z_stream stream{};
    deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    QByteArray compressed;
    QByteArray out(64 * 1024, Qt::Uninitialized);
    const auto feed = [&](const QByteArray &in, bool last) {
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
        stream.avail_in = uInt(in.size());
        do {
            stream.next_out = reinterpret_cast<Bytef *>(out.data());
            stream.avail_out = uInt(out.size());
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(out.constData(), out.size() - qsizetype(stream.avail_out));
        } while (stream.avail_out == 0);
    };
    // Each pass of an interlaced picture is a small picture of its own: first column and row, steps.
    const int adam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const int whole[1][4] = {{0, 0, 1, 1}};
    for (const auto &pass : interlaced ? std::vector<const int *>(std::begin(adam7), std::end(adam7))
                                       : std::vector<const int *>{whole[0]}) {
        const int width = size.width() > pass[0] ? (size.width() - pass[0] + pass[2] - 1) / pass[2] : 0;
        const int height = size.height() > pass[1] ? (size.height() - pass[1] + pass[3] - 1) / pass[3] : 0;
        if (width == 0)
            continue;
        const QByteArray row = QByteArray(1, '\0') + pixel.repeated(width);
        for (int y = 0; y < height; ++y)
            feed(row, false);
    }
    feed({}, true);
    deflateEnd(&stream);
    return PngHeader(size, alpha, depth, interlaced) + PngChunk("IDAT", compressed) + PngChunk("IEND", {});
}

QByteArray JpegEmptyScan(QSize size, bool progressive, bool fullColour)
{
    const QImage seed = TestDesktop(QSize(16, 16));
    QByteArray jpeg = progressive ? ProgressiveJpeg(seed) : EncodeJpeg(seed);
    const qsizetype frame = FindMarker(jpeg, progressive ? 0xC2 : 0xC0);
    const qsizetype scan = FindMarker(jpeg, 0xDA);
    if (frame < 0 || scan < 0)
        return {};
    qToBigEndian<quint16>(quint16(size.height()), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(size.width()), jpeg.data() + frame + 7);
    const int components = uchar(jpeg[frame + 9]);
    for (int c = 0; fullColour && c < components; ++c)
        jpeg[frame + 10 + 3 * c + 1] = char(0x11);
    return jpeg.left(scan + 2 + SegmentLength(jpeg, scan)) + kEndOfImage;
}

QByteArray JpegManyScans(int scans, QSize size)
{
    const QByteArray jpeg = ProgressiveJpeg(TestDesktop(size));
    const qsizetype end = LastMarker(jpeg, 0xD9), last = LastMarker(jpeg, 0xDA);
    int present = 0;
    for (qsizetype at = FindMarker(jpeg, 0xDA); at >= 0; at = FindMarker(jpeg, 0xDA, at + 2))
        ++present;
    if (end < 0 || last < 0)
        return {};
    return jpeg.left(end) + jpeg.mid(last, end - last).repeated(qMax(0, scans - present)) + kEndOfImage;
}

QByteArray JpegCutScan()
{
    const QByteArray jpeg = EncodeJpeg(TestDesktop(QSize(64, 48)));
    const qsizetype scan = FindMarker(jpeg, 0xDA), end = LastMarker(jpeg, 0xD9);
    const qsizetype data = scan + 2 + SegmentLength(jpeg, scan);
    return jpeg.left(data + (end - data) / 2) + kEndOfImage;
}

QByteArray IconWithPng(const QByteArray &png)
{
    QByteArray icon(22, '\0');
    auto *out = reinterpret_cast<uchar *>(icon.data());
    qToLittleEndian<quint16>(1, out + 2);  // an icon, not a cursor
    qToLittleEndian<quint16>(1, out + 4);  // one picture
    qToLittleEndian<quint16>(1, out + 6 + 4);  // planes
    qToLittleEndian<quint16>(32, out + 6 + 6);  // bits per pixel
    qToLittleEndian<quint32>(quint32(png.size()), out + 6 + 8);
    qToLittleEndian<quint32>(22, out + 6 + 12);
    return icon + png;
}

QByteArray BmpOneBit(QSize size)
{
    const qint64 stride = (qint64(size.width()) + 31) / 32 * 4;
    const qint64 pixelOffset = 14 + 40 + 8;
    QByteArray bmp(pixelOffset + stride * size.height(), '\0');
    auto *out = reinterpret_cast<uchar *>(bmp.data());
    out[0] = 'B', out[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size()), out + 2);
    qToLittleEndian<quint32>(quint32(pixelOffset), out + 10);
    qToLittleEndian<quint32>(40, out + 14);
    qToLittleEndian<qint32>(size.width(), out + 18);
    qToLittleEndian<qint32>(size.height(), out + 22);
    qToLittleEndian<quint16>(1, out + 26);
    qToLittleEndian<quint16>(1, out + 28);
    qToLittleEndian<quint32>(2, out + 46);
    qToLittleEndian<quint32>(0x00ffffff, out + 58);  // palette: black, white
    for (qint64 y = 0; y < size.height(); ++y)
        out[pixelOffset + y * stride] = uchar(0x55 << (y & 1));
    return bmp;
}

}  // namespace tiv::hostile
