#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

namespace tiv::testbmp {

// BMP files in the forms our writer never makes, built byte by byte. Shared by the tests and the
// fuzzing seeds.

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3, AlphaBitfields = 6 };

// A bottom-up BMP with a 40-byte header, `palette` and `codes` as its run-length coded pixels
// (`bitsPerPixel` 8 for RLE8, 4 for RLE4). A negative height makes it top-down.
QByteArray Rle(int bitsPerPixel, QSize size, const QList<QRgb> &palette, const QByteArray &codes);

// A bottom-up 32-bit BMP of `pixels` (ARGB, stored B, G, R, A) with an info header of
// `headerSize` bytes (40, 56, 108 or 124); the masks say so, `alphaMask` among them.
QByteArray Argb32(const QImage &pixels, int headerSize, Compression compression, quint32 alphaMask = 0xff000000);

}  // namespace tiv::testbmp
