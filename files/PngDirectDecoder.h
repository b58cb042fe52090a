#pragma once

#include <QIODevice>
#include <QImage>

#include <optional>

namespace tiv {

// Reads the PNG pictures nearly every program writes (8 bits a sample, not interlaced: grey,
// grey with alpha, palette, RGB, RGBA) without libpng: their image data goes through ISA-L's
// inflater, several times faster than zlib's on the large flat areas screens are made of.
// Nothing when the file is of another kind (nothing has been read then; libpng takes it);
// otherwise the Format_RGB32 picture, transparent parts laid over white, or a null image for a
// damaged file or one beyond the decode limits. Ancillary chunks other than tRNS are skipped unread.
std::optional<QImage> DecodePngDirectly(QIODevice &source);

// How a translucent pixel looks laid over white, (c * a + 255 * (255 - a)) / 255 for each colour;
// both PNG readers use it. The division is done by shifts, exact for every value the sum can
// take, since a picture of half a billion pixels would otherwise spend seconds on it.
inline QRgb OverWhite(int r, int g, int b, int a)
{
    const int white = 255 * (255 - a);
    const auto over = [&](int c) {
        const int x = c * a + white;
        return (x + 1 + (x >> 8)) >> 8;
    };
    return qRgb(over(r), over(g), over(b));
}

}  // namespace tiv
