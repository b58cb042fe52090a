#include "editing/ShapePainter.h"

#include "editing/ShapeOutline.h"

#include <algorithm>
#include <climits>

namespace tiv {

QRect ApplyNotXor(QImage &canvas, const std::vector<QPoint> &pixels, QRgb pen)
{
    if (pixels.empty() || canvas.isNull())
        return {};
    if (canvas.depth() != 32)
        canvas.convertTo(QImage::Format_RGB32);
    const QRect bounds = canvas.rect();
    uchar *bits = canvas.bits();
    const qsizetype stride = canvas.bytesPerLine();
    const QRgb colour = pen & 0x00ffffffu;
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const QPoint &p : pixels) {
        if (!bounds.contains(p))
            continue;
        auto *px = reinterpret_cast<QRgb *>(bits + p.y() * stride) + p.x();
        // The alpha byte is kept: Format_RGB32 needs it opaque.
        *px = (~(colour ^ *px) & 0x00ffffffu) | (*px & 0xff000000u);
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    if (minX > maxX)
        return {};
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

QRect DrawToolShape(QImage &canvas, int mode, QPoint start, QPoint end, QRgb pen)
{
    return ApplyNotXor(canvas, ToolOutline(mode, start, end, canvas.rect()), pen);
}

bool PrepareCanvasForTool(CanvasPicture &picture, QSize controlSize)
{
    if (picture.isBitmap())
        return true;
    if (!picture.isEmpty() || controlSize.isEmpty())
        return false;
    QImage white(controlSize, QImage::Format_RGB32);
    if (white.isNull())
        return false;
    white.fill(Qt::white);
    picture = CanvasPicture::bitmap(std::move(white));
    return true;
}

}  // namespace tiv
