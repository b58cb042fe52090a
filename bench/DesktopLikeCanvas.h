#pragma once

#include <QImage>

// A 3840x2160 canvas of blocks of varied colour, like a busy desktop, for the drag benchmarks.
inline QImage DesktopLikeCanvas()
{
    QImage img(3840, 2160, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            row[x] = 0xff000000u | (((x / 64 * 0x1f3d5b) ^ (y / 48 * 0x2b4f67)) & 0xffffffu);
    }
    return img;
}
