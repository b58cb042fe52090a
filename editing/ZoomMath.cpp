#include "editing/ZoomMath.h"

#include <cmath>
#include <cstdint>

namespace tiv {

namespace {

constexpr double ZoomFactor = 1.2;

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

bool Scales(const CanvasView &view, QSize picture)
{
    return view.stretch && !view.controlSize.isEmpty() && !picture.isEmpty()
        && view.controlSize != picture;
}

CanvasView Zoomed(CanvasView view, QSize size)
{
    view.stretch = true;
    view.autoSize = false;
    view.controlSize = size;
    return view;
}

}  // namespace

QSize ZoomInSize(QSize size)
{
    return {RoundToInt(size.width() * ZoomFactor), RoundToInt(size.height() * ZoomFactor)};
}

QSize ZoomOutSize(QSize size)
{
    return {RoundToInt(size.width() / ZoomFactor), RoundToInt(size.height() / ZoomFactor)};
}

CanvasView FollowPicture(CanvasView view, QSize picture)
{
    if (view.autoSize)
        view.controlSize = picture;
    return view;
}

CanvasView ZoomIn(CanvasView view) { return Zoomed(view, ZoomInSize(view.controlSize)); }

CanvasView ZoomOut(CanvasView view) { return Zoomed(view, ZoomOutSize(view.controlSize)); }

CanvasView ActualSize(CanvasView view, QSize picture)
{
    view.controlSize = picture;
    view.stretch = false;
    return view;
}

CanvasView BestFit(CanvasView view, QSize displayArea) { return Zoomed(view, displayArea); }

QPoint ControlToPicture(QPoint position, const CanvasView &view, QSize picture)
{
    if (!Scales(view, picture))
        return position;
    const QSize c = view.controlSize;
    return QPoint(int(FloorDiv(std::int64_t(position.x()) * picture.width(), c.width())),
                  int(FloorDiv(std::int64_t(position.y()) * picture.height(), c.height())));
}

QRect PictureToControl(QRect area, const CanvasView &view, QSize picture)
{
    if (!Scales(view, picture) || area.isEmpty())
        return area;
    const QSize c = view.controlSize;
    const auto left = FloorDiv(std::int64_t(area.left()) * c.width(), picture.width());
    const auto top = FloorDiv(std::int64_t(area.top()) * c.height(), picture.height());
    const auto right = CeilDiv(std::int64_t(area.right() + 1) * c.width(), picture.width());
    const auto bottom = CeilDiv(std::int64_t(area.bottom() + 1) * c.height(), picture.height());
    // One control pixel more on each side: a smoothly stretched picture blends in its neighbours.
    return QRect(QPoint(int(left) - 1, int(top) - 1), QPoint(int(right), int(bottom)));
}

}  // namespace tiv
