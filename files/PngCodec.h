#pragma once

#include <QByteArray>
#include <QImage>

namespace tiv {

// Non-interlaced 8-bit PNG, every row with filter None, deflated at zlib's default level: RGB for
// an opaque picture, RGBA for one with an alpha channel. Empty on failure.
QByteArray EncodePng(const QImage &image);

// A Format_RGB32 image (transparent parts laid over white), or a null image for anything
// undecodable, truncated data included.
QImage DecodePng(const QByteArray &data);

}  // namespace tiv
