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

// How a translucent pixel looks laid over white, (c * a + 255 * (255 - a)) / 255 for each colour;
// both PNG readers use it. The division is done by shifts, exact for every value the sum can
// take, and every step fits 16 bits, so the compiler can work on eight colours at once: a picture
// of half a billion pixels would otherwise spend seconds here.
inline QRgb OverWhite(int r, int g, int b, int a)
{
    const auto over = [a](int c) {
        const auto x = quint16(c * a + 255 * (255 - a));
        return quint16(x + 1 + (x >> 8)) >> 8;
    };
    return qRgb(over(r), over(g), over(b));
}

}  // namespace tiv
