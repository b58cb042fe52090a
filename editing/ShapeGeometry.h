#pragma once

#include <QPoint>
#include <QSize>

#include <optional>

namespace tiv {

struct DragPoints {
    QPoint start;
    QPoint end;
};

// The drag as it is committed at mouse-up. Boxes (text box, rectangle, ellipse, region, rounded
// rectangle) are spanned from the mouse-down point to the release point and come back with
// start <= end on both axes. Lines and arrows keep start and the last moved end point; the release
// point is not used for them.
DragPoints NormaliseDrag(int mode, QPoint start, QPoint lastEnd, QPoint release);

// Size of the corner ellipse of a rounded rectangle: a fifth of the box, truncated toward zero, so
// it is negative while the box is dragged up or to the left.
QSize RoundRectCorner(QPoint start, QPoint end);

struct ArrowWings {
    QPoint a;
    QPoint b;
};

// End points of the two wings of an arrow head whose shaft comes from `from` and ends at `tip`.
// Each wing is about 11.18 pixels long, 26.57 degrees off the shaft, whatever the shaft length.
// No head when the two points coincide.
std::optional<ArrowWings> ArrowHeadWings(QPoint from, QPoint tip);

}  // namespace tiv
