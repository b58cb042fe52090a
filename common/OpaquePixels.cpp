#include "common/OpaquePixels.h"

namespace tiv {

void MakeOpaque(QImage &picture)
{
    if (picture.format() != QImage::Format_RGB32)
        return;
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] |= 0xff000000u;
    }
}

}  // namespace tiv
