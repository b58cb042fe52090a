#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>

namespace tiv {

// A Windows BMP (BITMAPINFOHEADER, uncompressed, bottom-up) at the picture's own depth: 24-bit
// for an opaque picture such as a capture, 32-bit with the alpha byte for one with an alpha
// channel. Empty for a null image.
QByteArray EncodeBmp(const QImage &image);

// Reads BMP files of 1, 4, 8, 16, 24 and 32 bits (bit fields included), bottom-up or top-down, and
// RLE8 and RLE4 files into a Format_RGB32 image. Pixels with an alpha mask in the header are laid
// over white, as are the pixels run-length codes skip. Anything else, a header or a run that does
// not add up, or a picture beyond the decode limits gives a null image. Reads the device from its
// current position, the headers first and then the pixels row by row.
QImage DecodeBmp(QIODevice &source);
QImage DecodeBmp(const QByteArray &data);

}  // namespace tiv
