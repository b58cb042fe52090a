#include "capture/CursorOverlay.h"

#include <QPainter>

namespace tiv {

void BlendCursor(QImage &picture, const CursorImage &cursor, const QPoint &origin)
{
    if (!cursor.shown || cursor.image.isNull() || picture.isNull())
        return;
    const QPoint at = cursor.position - origin - cursor.hotSpot;
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(at, cursor.image);
}

}  // namespace tiv
