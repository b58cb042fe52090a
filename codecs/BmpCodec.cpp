#include "codecs/BmpCodec.h"

#include "codecs/BmpRleReader.h"
#include "codecs/DecodeLimits.h"
#include "codecs/OverWhite.h"

#include <QBuffer>
#include <QtEndian>

#include <bit>
#include <cstring>

namespace tiv {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kCoreHeaderSize = 12;
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiRle8 = 1;
constexpr quint32 kBiRle4 = 2;
constexpr quint32 kBiBitfields = 3;
constexpr quint32 kBiAlphaBitfields = 6;
constexpr qint32 kPixelsPerMetre = 3780;  // 96 dpi

qint64 Stride(qint64 width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void PutHeaders(uchar *out, int width, int height, int bitsPerPixel, quint32 imageSize)
{
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(kFileHeaderSize + kInfoHeaderSize + imageSize, out + 2);
    qToLittleEndian<quint32>(0, out + 6);
    qToLittleEndian<quint32>(kFileHeaderSize + kInfoHeaderSize, out + 10);
    uchar *info = out + kFileHeaderSize;
    std::memset(info, 0, kInfoHeaderSize);
    qToLittleEndian<quint32>(kInfoHeaderSize, info);
    qToLittleEndian<qint32>(width, info + 4);
    qToLittleEndian<qint32>(height, info + 8);
    qToLittleEndian<quint16>(1, info + 12);
    qToLittleEndian<quint16>(quint16(bitsPerPixel), info + 14);
    qToLittleEndian<quint32>(imageSize, info + 20);
    qToLittleEndian<qint32>(kPixelsPerMetre, info + 24);
    qToLittleEndian<qint32>(kPixelsPerMetre, info + 28);
}

void PutRow(const QRgb *in, uchar *out, int width, bool withAlpha)
{
    for (int x = 0; x < width; ++x) {
        *out++ = uchar(qBlue(in[x]));
        *out++ = uchar(qGreen(in[x]));
        *out++ = uchar(qRed(in[x]));
        if (withAlpha)
            *out++ = uchar(qAlpha(in[x]));
    }
}

// What the headers say, once they have been checked against each other and the file size.
struct BmpLayout {
    qint64 width = 0;
    qint64 height = 0;  // rows, always positive
    bool topDown = false;
    int bitsPerPixel = 0;
    bool bitfields = false;
    quint32 masks[3] = {};
    quint32 alphaMask = 0;  // 0: the pixels are opaque
    bool rle = false;
    qint64 paletteOffset = 0;
    const uchar *palette = nullptr;
    int paletteEntrySize = 4;
    qint64 paletteSize = 0;
    qint64 pixelOffset = 0;
    qint64 stride = 0;
};

// Everything a BMP keeps before its pixels that the reader needs: the file header, the largest
// info header, three masks and a palette of 256 entries.
constexpr qint64 kMaxHeadSize = kFileHeaderSize + 124 + 12 + 256 * 4;

bool KnownInfoHeaderSize(quint32 size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool ReadDimensions(const uchar *info, quint32 headerSize, BmpLayout &bmp, quint32 &compression)
{
    qint64 height;
    int planes;
    if (headerSize == kCoreHeaderSize) {
        bmp.width = qFromLittleEndian<quint16>(info + 4);
        height = qFromLittleEndian<quint16>(info + 6);
        planes = qFromLittleEndian<quint16>(info + 8);
        bmp.bitsPerPixel = qFromLittleEndian<quint16>(info + 10);
        bmp.paletteEntrySize = 3;
        compression = kBiRgb;
    } else {
        bmp.width = qFromLittleEndian<qint32>(info + 4);
        height = qFromLittleEndian<qint32>(info + 8);
        planes = qFromLittleEndian<quint16>(info + 12);
        bmp.bitsPerPixel = qFromLittleEndian<quint16>(info + 14);
        compression = qFromLittleEndian<quint32>(info + 16);
    }
    bmp.topDown = height < 0;
    bmp.height = height < 0 ? -height : height;
    const int bpp = bmp.bitsPerPixel;
    const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    return planes == 1 && knownDepth && DecodableSize(bmp.width, bmp.height);
}

bool KnownCompression(quint32 compression, int bitsPerPixel)
{
    switch (compression) {
    case kBiRgb:
        return true;
    case kBiRle8:
        return bitsPerPixel == 8;
    case kBiRle4:
        return bitsPerPixel == 4;
    case kBiBitfields:
    case kBiAlphaBitfields:
        return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:
        return false;
    }
}

// The masks always start right after the 40 bytes every info header shares: inside the larger
// headers, or after a plain 40-byte one. Only the headers from 56 bytes on, and the 40-byte one
// with alpha bit fields, carry an alpha mask.
bool ReadMasks(const uchar *data, qint64 size, quint32 headerSize, quint32 compression, BmpLayout &bmp)
{
    if (!KnownCompression(compression, bmp.bitsPerPixel))
        return false;
    const uchar *masks = data + kFileHeaderSize + kInfoHeaderSize;
    const bool alphaBitfields = compression == kBiAlphaBitfields;
    const int masksAfterHeader = headerSize != kInfoHeaderSize ? 0 : compression == kBiBitfields ? 3 : alphaBitfields ? 4 : 0;
    const bool hasAlphaMask = headerSize >= 56 || (alphaBitfields && headerSize == kInfoHeaderSize);
    if (kFileHeaderSize + kInfoHeaderSize + 4 * qint64(masksAfterHeader) > size)
        return false;
    bmp.rle = compression == kBiRle8 || compression == kBiRle4;
    bmp.bitfields = compression == kBiBitfields || alphaBitfields;
    if (bmp.bitfields) {
        for (int i = 0; i < 3; ++i)
            bmp.masks[i] = qFromLittleEndian<quint32>(masks + 4 * i);
    } else if (bmp.bitsPerPixel == 16) {
        bmp.bitfields = true;
        bmp.masks[0] = 0x7c00, bmp.masks[1] = 0x03e0, bmp.masks[2] = 0x001f;
    }
    if (hasAlphaMask && bmp.bitsPerPixel >= 16 && bmp.bitsPerPixel != 24)
        bmp.alphaMask = qFromLittleEndian<quint32>(masks + 12);
    if (bmp.alphaMask != 0 && !bmp.bitfields) {
        // 32-bit pixels without bit fields keep blue, green and red in their first three bytes.
        bmp.bitfields = true;
        bmp.masks[0] = 0x00ff0000, bmp.masks[1] = 0x0000ff00, bmp.masks[2] = 0x000000ff;
    }
    bmp.paletteOffset = kFileHeaderSize + headerSize + 4 * masksAfterHeader;
    return true;
}

bool ReadPalette(const uchar *data, qint64 size, quint32 headerSize, BmpLayout &bmp, qint64 pixelOffset)
{
    if (bmp.bitsPerPixel > 8)
        return true;
    const qint64 maxEntries = qint64(1) << bmp.bitsPerPixel;
    const qint64 used = headerSize == kCoreHeaderSize ? 0 : qFromLittleEndian<quint32>(data + kFileHeaderSize + 32);
    if (used > maxEntries)
        return false;
    bmp.paletteSize = used == 0 ? maxEntries : used;
    bmp.palette = data + bmp.paletteOffset;
    return bmp.paletteOffset + bmp.paletteSize * bmp.paletteEntrySize <= qMin(size, pixelOffset);
}

// `head` holds the start of the file (all of it, or at least kMaxHeadSize bytes); `fileSize` is
// the size of the whole file.
bool ReadLayout(const QByteArray &head, qint64 fileSize, BmpLayout &bmp)
{
    const auto *data = reinterpret_cast<const uchar *>(head.constData());
    const qint64 size = head.size();
    if (size < kFileHeaderSize + kCoreHeaderSize || data[0] != 'B' || data[1] != 'M')
        return false;
    const qint64 pixelOffset = qFromLittleEndian<quint32>(data + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(data + kFileHeaderSize);
    if (headerSize != kCoreHeaderSize && !KnownInfoHeaderSize(headerSize))
        return false;
    if (kFileHeaderSize + qint64(headerSize) > size || pixelOffset < kFileHeaderSize + qint64(headerSize))
        return false;
    quint32 compression = 0;
    const uchar *info = data + kFileHeaderSize;
    if (!ReadDimensions(info, headerSize, bmp, compression) || !ReadMasks(data, size, headerSize, compression, bmp))
        return false;
    bmp.pixelOffset = pixelOffset;
    bmp.stride = Stride(bmp.width, bmp.bitsPerPixel);
    // Run-length coded pixels take what room they need; their rows are always stored bottom-up.
    if (bmp.rle ? bmp.topDown || pixelOffset >= fileSize : pixelOffset + bmp.stride * bmp.height > fileSize)
        return false;
    return ReadPalette(data, size, headerSize, bmp, pixelOffset);
}

int ChannelFromMask(quint32 pixel, quint32 mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const quint32 max = mask >> shift;
    return int((((pixel & mask) >> shift) * 255 + max / 2) / max);
}

QRgb PaletteColour(const BmpLayout &bmp, qint64 index)
{
    if (index >= bmp.paletteSize)
        return qRgb(0, 0, 0);
    const uchar *entry = bmp.palette + index * bmp.paletteEntrySize;
    return qRgb(entry[2], entry[1], entry[0]);
}

void DecodeRow(const BmpLayout &bmp, const uchar *in, QRgb *out)
{
    const int bpp = bmp.bitsPerPixel;
    for (qint64 x = 0; x < bmp.width; ++x) {
        if (bpp <= 8) {
            const qint64 bit = x * bpp;
            const int shift = 8 - bpp - int(bit % 8);
            out[x] = PaletteColour(bmp, (in[bit / 8] >> shift) & ((1 << bpp) - 1));
        } else if (bmp.bitfields) {
            const quint32 pixel = bpp == 16 ? qFromLittleEndian<quint16>(in + 2 * x) : qFromLittleEndian<quint32>(in + 4 * x);
            const int red = ChannelFromMask(pixel, bmp.masks[0]), green = ChannelFromMask(pixel, bmp.masks[1]),
                      blue = ChannelFromMask(pixel, bmp.masks[2]);
            out[x] = bmp.alphaMask != 0 ? OverWhite(red, green, blue, ChannelFromMask(pixel, bmp.alphaMask))
                                        : qRgb(red, green, blue);
        } else {
            const uchar *p = in + x * (bpp / 8);
            out[x] = qRgb(p[2], p[1], p[0]);
        }
    }
}

// Pixels the codes skip are transparent where the file is shown, so they come out white, as a
// transparent PNG pixel does.
bool DecodeRlePixels(QIODevice &source, const BmpLayout &bmp, QImage &image)
{
    std::array<QRgb, 256> colours;
    for (int index = 0; index < 256; ++index)
        colours[index] = PaletteColour(bmp, index);
    image.fill(Qt::white);
    const auto depth = bmp.bitsPerPixel == 8 ? BmpRleReader::Depth::Eight : BmpRleReader::Depth::Four;
    return BmpRleReader(source, depth, colours).read(image);
}

}  // namespace

QByteArray EncodeBmp(const QImage &image)
{
    if (image.isNull())
        return {};
    const bool withAlpha = image.hasAlphaChannel();
    const QImage pixels = image.convertToFormat(withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int bitsPerPixel = withAlpha ? 32 : 24;
    const qint64 stride = Stride(pixels.width(), bitsPerPixel);
    const qint64 imageSize = stride * pixels.height();
    if (kFileHeaderSize + kInfoHeaderSize + imageSize > qint64(UINT32_MAX))
        return {};
    QByteArray file(kFileHeaderSize + kInfoHeaderSize + imageSize, '\0');
    auto *out = reinterpret_cast<uchar *>(file.data());
    PutHeaders(out, pixels.width(), pixels.height(), bitsPerPixel, quint32(imageSize));
    uchar *rows = out + kFileHeaderSize + kInfoHeaderSize;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(pixels.height() - 1 - y));
        PutRow(in, rows + y * stride, pixels.width(), withAlpha);
    }
    return file;
}

QImage DecodeBmp(QIODevice &source)
{
    const qint64 start = source.pos();
    const QByteArray head = source.read(kMaxHeadSize);
    BmpLayout bmp;
    if (!ReadLayout(head, source.size() - start, bmp) || !source.seek(start + bmp.pixelOffset))
        return {};
    QImage image(int(bmp.width), int(bmp.height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (bmp.rle)
        return DecodeRlePixels(source, bmp, image) ? image : QImage();
    QByteArray row(bmp.stride, Qt::Uninitialized);
    for (qint64 line = 0; line < bmp.height; ++line) {
        if (source.read(row.data(), bmp.stride) != bmp.stride)
            return {};
        const qint64 y = bmp.topDown ? line : bmp.height - 1 - line;
        DecodeRow(bmp, reinterpret_cast<const uchar *>(row.constData()), reinterpret_cast<QRgb *>(image.scanLine(int(y))));
    }
    return image;
}

QImage DecodeBmp(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    return DecodeBmp(buffer);
}

}  // namespace tiv
