#pragma once

#include <QIODevice>
#include <QImage>

#include <optional>

namespace tiv {

// Reads PNG pictures of 8 or 16 bits a sample, interlaced or not (grey, grey with alpha, RGB, RGBA,
// and 8-bit palette: all but the small kinds of fewer bits a pixel) without libpng: their image
// data goes through ISA-L's inflater, several times faster than zlib's on the large flat areas
// screens are made of.
// Nothing when the file is of another kind (nothing has been read then; libpng takes it);
// otherwise the Format_RGB32 picture, transparent parts laid over white, or a null image for a
// damaged file or one beyond the decode limits. Ancillary chunks other than tRNS are skipped unread.
std::optional<QImage> DecodePngDirectly(QIODevice &source);

}  // namespace tiv
