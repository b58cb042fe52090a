#include "editing/ShapeOutline.h"

#include "editing/ShapeGeometry.h"
#include "editing/ToolMode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tiv {

namespace {

// Dash-dot-dot for a one-pixel pen: on and off run lengths along the outline.
constexpr int DashPattern[] = {12, 4, 4, 4, 4, 4};
constexpr int DashPeriod = 32;

bool DashIsOn(int index)
{
    int pos = index % DashPeriod;
    for (int i = 0; i < 6; ++i) {
        if (pos < DashPattern[i])
            return i % 2 == 0;
        pos -= DashPattern[i];
    }
    return false;
}

// Keys sort like (y, x) for signed coordinates.
std::uint64_t PackKey(int x, int y)
{
    const std::uint64_t ky = static_cast<std::uint32_t>(y) ^ 0x80000000u;
    const std::uint64_t kx = static_cast<std::uint32_t>(x) ^ 0x80000000u;
    return (ky << 32) | kx;
}

QPoint UnpackKey(std::uint64_t key)
{
    const auto y = static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 32) ^ 0x80000000u);
    const auto x = static_cast<std::int32_t>(static_cast<std::uint32_t>(key) ^ 0x80000000u);
    return {x, y};
}

struct Box {
    int left, top, width, height;
};

Box SpanBox(QPoint a, QPoint b)
{
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()),
            std::abs(b.y() - a.y())};
}

// Offset of the curve from the box edge at a sample `i` of `count` samples, for an ellipse whose
// extent across the samples is `across`. Mirrored samples give mirrored offsets, so the outline is
// exactly symmetric.
int EllipseInset(int i, int count, int across)
{
    const double half = (count - 1) / 2.0;
    const double u = half > 0 ? (i - half) / half : 0.0;
    const double depth = (across - 1) / 2.0;
    return static_cast<int>(std::lround(depth * (1.0 - std::sqrt(std::max(0.0, 1.0 - u * u)))));
}

// Visits an ellipse filling a w x h box, sampled once per column and once per row so that both its
// flat and its steep parts stay connected. Columns outside [colFrom, colTo] and rows outside
// [rowFrom, rowTo] are skipped.
template <typename Visit>
void EllipsePixels(int w, int h, int colFrom, int colTo, int rowFrom, int rowTo, Visit plot)
{
    for (int i = std::max(0, colFrom); i <= std::min(w - 1, colTo); ++i) {
        const int k = EllipseInset(i, w, h);
        plot(i, k);
        plot(i, h - 1 - k);
    }
    for (int j = std::max(0, rowFrom); j <= std::min(h - 1, rowTo); ++j) {
        const int k = EllipseInset(j, h, w);
        plot(k, j);
        plot(w - 1 - k, j);
    }
}

}  // namespace

ShapeOutline::ShapeOutline(QRect clip) : clip_(clip) {}

void ShapeOutline::put(int x, int y)
{
    if (clip_.contains(x, y))
        keys_.push_back(PackKey(x, y));
}

void ShapeOutline::rectangle(QPoint a, QPoint b, bool dashDotDot)
{
    const Box box = SpanBox(a, b);
    if (box.width == 0 || box.height == 0)
        return;
    const int l = box.left, t = box.top, r = l + box.width - 1, btm = t + box.height - 1;
    // Walked clockwise from the top-left corner; `index` is the distance along that walk, which
    // keeps the dash pattern running round the corners.
    auto visit = [&](int x, int y, int index) {
        if (!dashDotDot || DashIsOn(index))
            put(x, y);
    };
    const int x0 = std::max(l, clip_.left()), x1 = std::min(r, clip_.right());
    const int y0 = std::max(t + 1, clip_.top()), y1 = std::min(btm, clip_.bottom());
    const int w = box.width, h = box.height;
    for (int x = x0; x <= x1; ++x)
        visit(x, t, x - l);
    for (int y = y0; y <= y1; ++y)
        visit(r, y, w + (y - t - 1));
    if (h > 1) {
        for (int x = std::min(r - 1, x1); x >= x0; --x)
            visit(x, btm, w + h - 1 + (r - 1 - x));
    }
    if (w > 1) {
        for (int y = std::min(btm - 1, y1); y >= y0; --y)
            visit(l, y, 2 * w + h - 2 + (btm - 1 - y));
    }
}

void ShapeOutline::ellipse(QPoint a, QPoint b)
{
    const Box box = SpanBox(a, b);
    if (box.width == 0 || box.height == 0)
        return;
    EllipsePixels(box.width, box.height, clip_.left() - box.left, clip_.right() - box.left,
                  clip_.top() - box.top, clip_.bottom() - box.top,
                  [&](int px, int py) { put(box.left + px, box.top + py); });
}

void ShapeOutline::roundRect(QPoint a, QPoint b, QSize corner)
{
    const Box box = SpanBox(a, b);
    const int cw = std::min(std::abs(corner.width()), box.width);
    const int ch = std::min(std::abs(corner.height()), box.height);
    if (cw == 0 || ch == 0) {
        rectangle(a, b);
        return;
    }
    const int l = box.left, t = box.top, r = l + box.width - 1, btm = t + box.height - 1;
    // One corner ellipse, its quarters pushed out to the four corners of the box.
    const int shiftX = box.width - cw, shiftY = box.height - ch;
    EllipsePixels(cw, ch, 0, cw - 1, 0, ch - 1, [&](int px, int py) {
        put(l + px + (2 * px >= cw ? shiftX : 0), t + py + (2 * py >= ch ? shiftY : 0));
    });
    for (int x = l + (cw - 1) / 2; x <= l + shiftX + cw / 2; ++x) {
        put(x, t);
        put(x, btm);
    }
    for (int y = t + (ch - 1) / 2; y <= t + shiftY + ch / 2; ++y) {
        put(l, y);
        put(r, y);
    }
}

void ShapeOutline::line(QPoint from, QPoint to)
{
    int x = from.x(), y = from.y();
    const int tx = to.x(), ty = to.y();
    const std::int64_t dx = std::abs(std::int64_t(tx) - x), dy = -std::abs(std::int64_t(ty) - y);
    const int sx = x < tx ? 1 : -1, sy = y < ty ? 1 : -1;
    std::int64_t err = dx + dy;
    while (x != tx || y != ty) {
        put(x, y);
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void ShapeOutline::arrowHead(QPoint from, QPoint tip)
{
    if (const auto wings = ArrowHeadWings(from, tip)) {
        line(tip, wings->a);
        line(tip, wings->b);
        // A wing leaves out its far end like every line, but never its tip, which it shares with
        // the shaft's end point.
        put(tip.x(), tip.y());
    }
}

std::vector<QPoint> ShapeOutline::takePixels()
{
    std::sort(keys_.begin(), keys_.end());
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
    std::vector<QPoint> pixels;
    pixels.reserve(keys_.size());
    for (std::uint64_t k : keys_)
        pixels.push_back(UnpackKey(k));
    keys_.clear();
    return pixels;
}

std::vector<QPoint> ToolOutline(int mode, QPoint start, QPoint end, QRect clip)
{
    ShapeOutline o(clip);
    switch (mode) {
    case ToolTextBox:
    case ToolRectangle:
    case ToolRegionSelect:
        o.rectangle(start, end, mode == ToolRegionSelect);
        break;
    case ToolEllipse:
        o.ellipse(start, end);
        break;
    case ToolRoundRect:
        o.roundRect(start, end, RoundRectCorner(start, end));
        break;
    case ToolLine:
    case ToolSingleArrow:
    case ToolDoubleArrow:
        o.line(start, end);
        if (mode != ToolLine)
            o.arrowHead(end, start);
        if (mode == ToolDoubleArrow)
            o.arrowHead(start, end);
        break;
    default:
        break;
    }
    return o.takePixels();
}

}  // namespace tiv
