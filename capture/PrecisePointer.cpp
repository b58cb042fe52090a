#include "capture/PrecisePointer.h"

#include <QMouseEvent>

#include <cmath>

namespace tiv {

QPointF PrecisePosition(QPointF position, QPointF globalPosition, qreal ratio, std::optional<QPoint> pointerOnScreen)
{
    if (!pointerOnScreen || ratio == 1.0 || ratio <= 0)
        return position;
    // The widget's origin lies on a whole logical pixel, so the offset between the two logical
    // positions is exact.
    const QPointF origin = globalPosition - position;
    const QPointF precise = QPointF(*pointerOnScreen) / ratio - origin;
    constexpr qreal kHalf = 0.5 + 1e-9;
    if (std::abs(precise.x() - position.x()) > kHalf || std::abs(precise.y() - position.y()) > kHalf)
        return position;
    return precise;
}

QPointF PrecisePosition(const QMouseEvent &event, qreal ratio, std::optional<QPoint> pointerOnScreen)
{
    return PrecisePosition(event.position(), event.globalPosition(), ratio, pointerOnScreen);
}

}  // namespace tiv
