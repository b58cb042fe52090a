#include "editing/CropRegion.h"

#include "editing/ShapeGeometry.h"
#include "editing/ToolMode.h"

#include <cstring>

namespace tiv {

void CopyWithinCanvas(QImage &canvas, QRect source, QPoint target)
{
    const QRect bounds = canvas.rect();
    QRect src = source & bounds;
    const QPoint shiftedTarget = target + (src.topLeft() - source.topLeft());
    const QRect dst = QRect(shiftedTarget, src.size()) & bounds;
    if (dst.isEmpty())
        return;
    src = QRect(src.topLeft() + (dst.topLeft() - shiftedTarget), dst.size());
    if (canvas.depth() < 8)
        canvas.convertTo(QImage::Format_RGB32);
    const int bytesPerPixel = canvas.depth() / 8;
    const qsizetype stride = canvas.bytesPerLine();
    uchar *bits = canvas.bits();
    const size_t rowBytes = size_t(src.width()) * bytesPerPixel;
    // Moving down, the lower rows must go first so that no source row is overwritten before it is
    // read; within a row memmove takes care of the overlap.
    const bool bottomUp = dst.top() > src.top();
    for (int i = 0; i < src.height(); ++i) {
        const int row = bottomUp ? src.height() - 1 - i : i;
        std::memmove(bits + (dst.top() + row) * stride + dst.left() * bytesPerPixel,
                     bits + (src.top() + row) * stride + src.left() * bytesPerPixel, rowBytes);
    }
}

QRect SelectionRect(QPoint start, QPoint release)
{
    const DragPoints d = NormaliseDrag(ToolRegionSelect, start, start, release);
    return QRect(d.start, QSize(d.end.x() - d.start.x(), d.end.y() - d.start.y()));
}

bool CropToSelection(QImage &canvas, QRect selection)
{
    const QRect kept = selection & canvas.rect();
    if (kept.isEmpty())
        return false;
    CopyWithinCanvas(canvas, kept, QPoint(0, 0));
    canvas = canvas.copy(0, 0, kept.width(), kept.height());
    return true;
}

}  // namespace tiv
