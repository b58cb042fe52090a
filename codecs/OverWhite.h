#pragma once

#include <QColor>

namespace tiv {

// How a translucent pixel looks laid over white, (c * a + 255 * (255 - a)) / 255 for each colour;
// every reader of pictures with transparency uses it, so a picture looks the same whatever format
// it came in. The division is done by shifts, exact for every value the sum can take, and every
// step fits 16 bits, so the compiler can work on eight colours at once: a picture of half a
// billion pixels would otherwise spend seconds here.
inline QRgb OverWhite(int r, int g, int b, int a)
{
    const auto over = [a](int c) {
        const auto x = quint16(c * a + 255 * (255 - a));
        return quint16(x + 1 + (x >> 8)) >> 8;
    };
    return qRgb(over(r), over(g), over(b));
}

}  // namespace tiv
