#pragma once

#include <QByteArray>
#include <QImage>

namespace tiv {

// A Windows BMP (BITMAPINFOHEADER, uncompressed, bottom-up) at the picture's own depth: 24-bit
// for an opaque picture such as a capture, 32-bit with the alpha byte for one with an alpha
// channel. Empty for a null image.
QByteArray EncodeBmp(const QImage &image);

// Reads uncompressed BMP files of 1, 4, 8, 16, 24 and 32 bits (bit fields included), bottom-up or
// top-down, into a Format_RGB32 image. Anything else, or a header that does not add up, gives a
// null image.
QImage DecodeBmp(const QByteArray &data);

}  // namespace tiv
