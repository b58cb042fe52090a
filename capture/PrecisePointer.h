#pragma once

#include <QPoint>
#include <QPointF>

#include <optional>

class QMouseEvent;

namespace tiv {

// Qt on X hands out mouse positions in whole logical pixels: at a device pixel ratio of 2 every
// odd device pixel is rounded to an even one, at 4 all but one in four are. The pointer's device
// position, asked of the desktop when the event is handled, gives the logical position back its
// fraction. The pointer may have moved on since the event; a position that no longer rounds to
// the event's is not taken, and the event's own is kept.
QPointF PrecisePosition(QPointF position, QPointF globalPosition, qreal ratio, std::optional<QPoint> pointerOnScreen);
QPointF PrecisePosition(const QMouseEvent &event, qreal ratio, std::optional<QPoint> pointerOnScreen);

}  // namespace tiv
