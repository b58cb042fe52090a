#include "support/BmpFiles.h"

#include <QtEndian>

namespace tiv::testbmp {

namespace {

void Put32(QByteArray &data, qsizetype at, quint32 value)
{
    qToLittleEndian<quint32>(value, reinterpret_cast<uchar *>(data.data()) + at);
}

// The file header and the 40 bytes every info header starts with; the rest is zeros.
QByteArray Headers(int headerSize, int extra, QSize size, int bitsPerPixel, Compression compression,
                   qsizetype pixelBytes)
{
    const qsizetype pixelOffset = 14 + headerSize + extra;
    QByteArray file(pixelOffset + pixelBytes, '\0');
    file[0] = 'B', file[1] = 'M';
    Put32(file, 2, quint32(file.size()));
    Put32(file, 10, quint32(pixelOffset));
    Put32(file, 14, quint32(headerSize));
    Put32(file, 18, quint32(size.width()));
    Put32(file, 22, quint32(size.height()));
    file[26] = 1;
    file[28] = char(bitsPerPixel);
    Put32(file, 30, compression);
    Put32(file, 34, quint32(pixelBytes));
    return file;
}

}  // namespace

QByteArray Rle(int bitsPerPixel, QSize size, const QList<QRgb> &palette, const QByteArray &codes)
{
    QByteArray file = Headers(40, int(palette.size()) * 4, size, bitsPerPixel, bitsPerPixel == 8 ? Rle8 : Rle4,
                              codes.size());
    Put32(file, 46, quint32(palette.size()));
    for (qsizetype i = 0; i < palette.size(); ++i)
        Put32(file, 54 + 4 * i, palette[i] & 0x00ffffff);
    file.replace(file.size() - codes.size(), codes.size(), codes);
    return file;
}

QByteArray Argb32(const QImage &pixels, int headerSize, Compression compression, quint32 alphaMask)
{
    const QImage argb = pixels.convertToFormat(QImage::Format_ARGB32);
    const qsizetype stride = qsizetype(argb.width()) * 4;
    const int masksAfter = headerSize == 40 ? (compression == AlphaBitfields ? 16 : compression == Bitfields ? 12 : 0) : 0;
    QByteArray file = Headers(headerSize, masksAfter, argb.size(), 32, compression, stride * argb.height());
    const quint32 masks[] = {0x00ff0000, 0x0000ff00, 0x000000ff, alphaMask};
    const int maskCount = headerSize == 40 ? masksAfter / 4 : headerSize >= 56 ? 4 : 3;
    for (int i = 0; i < maskCount; ++i)
        Put32(file, 54 + 4 * i, masks[i]);
    if (headerSize >= 108)
        Put32(file, 14 + 56, 0x73524742);  // 'sRGB'
    const qsizetype pixelOffset = file.size() - stride * argb.height();
    for (int y = 0; y < argb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(argb.height() - 1 - y));
        for (int x = 0; x < argb.width(); ++x)
            Put32(file, pixelOffset + y * stride + 4 * x, row[x]);
    }
    return file;
}

}  // namespace tiv::testbmp
