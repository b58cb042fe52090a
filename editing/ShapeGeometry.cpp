#include "editing/ShapeGeometry.h"

#include "editing/ToolMode.h"

#include <cmath>
#include <cstdint>

namespace tiv {

namespace {

// Spans one axis from the mouse-down coordinate to the release coordinate, lower value first.
void SpanAxis(int &start, int &end, int release)
{
    if (start < release) {
        end = release;
    } else {
        end = start;
        start = release;
    }
}

int TruncToInt(double v) { return static_cast<int>(std::trunc(v)); }

}  // namespace

DragPoints NormaliseDrag(int mode, QPoint start, QPoint lastEnd, QPoint release)
{
    if (KeepsDirection(mode))
        return {start, lastEnd};
    DragPoints d{start, lastEnd};
    SpanAxis(d.start.rx(), d.end.rx(), release.x());
    SpanAxis(d.start.ry(), d.end.ry(), release.y());
    return d;
}

QSize RoundRectCorner(QPoint start, QPoint end)
{
    // C++ integer division truncates toward zero, which is the rounding wanted here.
    return {(end.x() - start.x()) / 5, (end.y() - start.y()) / 5};
}

std::optional<ArrowWings> ArrowHeadWings(QPoint from, QPoint tip)
{
    const int dx = from.x() - tip.x();
    const int dy = from.y() - tip.y();
    // The sum of squares is an integer; 64 bits keep it exact for drags that run far off the
    // canvas, and give the same value as 32 bits for every drag that fits on one.
    const std::int64_t squares = std::int64_t(dx) * dx + std::int64_t(dy) * dy;
    const double length = std::sqrt(static_cast<double>(squares));
    if (length <= 0)
        return std::nullopt;
    const double tx = tip.x();
    const double ty = tip.y();
    ArrowWings w;
    w.a = {TruncToInt(tx + 10 * (dx + dy / 2.0) / length), TruncToInt(ty + 10 * (dy - dx / 2.0) / length)};
    w.b = {TruncToInt(tx + 10 * (dx - dy / 2.0) / length), TruncToInt(ty + 10 * (dy + dx / 2.0) / length)};
    return w;
}

}  // namespace tiv
