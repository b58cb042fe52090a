#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>

namespace tiv {

// How many pieces EncodePng deflates by default: four a free core (FreeCores), at most 8; one
// when no second core is free.
int DefaultPngPieces();

// Non-interlaced 8-bit PNG, every row with filter Sub, deflated at the fastest level: RGB for
// an opaque picture, RGBA for one with an alpha channel. The image data is deflated in up to
// `pieces` independent pieces in parallel (fewer for a small picture) joined into one standard
// zlib stream. Empty on failure.
QByteArray EncodePng(const QImage &image, int pieces = DefaultPngPieces());

// A Format_RGB32 image (transparent parts laid over white), or a null image for anything
// undecodable, truncated data and pictures beyond the decode limits included. Text, colour
// profile and other ancillary chunks are skipped unread. Reads the device from its current
// position.
QImage DecodePng(QIODevice &source);
QImage DecodePng(const QByteArray &data);

}  // namespace tiv
