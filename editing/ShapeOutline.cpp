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

// An ellipse filling a w x h box is sampled once per column and once per row, so that both its
// flat and its steep parts stay connected. Only samples from..to (clamped to the box) are visited,
// which keeps the work to the visible part of a huge shape.
template <typename Visit>
void EllipseColumns(int w, int h, int from, int to, Visit plot)
{
    for (int i = std::max(0, from); i <= std::min(w - 1, to); ++i) {
        const int k = EllipseInset(i, w, h);
        plot(i, k);
        plot(i, h - 1 - k);
    }
}

template <typename Visit>
void EllipseRows(int w, int h, int from, int to, Visit plot)
{
    for (int j = std::max(0, from); j <= std::min(h - 1, to); ++j) {
        const int k = EllipseInset(j, h, w);
        plot(k, j);
        plot(w - 1 - k, j);
    }
}

}  // namespace

ShapeOutline::ShapeOutline(QRect clip) : clip_(clip) {}

void ShapeOutline::put(std::int64_t x, std::int64_t y)
{
    if (x >= clip_.left() && x <= clip_.right() && y >= clip_.top() && y <= clip_.bottom())
        keys_.push_back(PackKey(int(x), int(y)));
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
    auto plot = [&](int px, int py) { put(box.left + px, box.top + py); };
    EllipseColumns(box.width, box.height, clip_.left() - box.left, clip_.right() - box.left, plot);
    EllipseRows(box.width, box.height, clip_.top() - box.top, clip_.bottom() - box.top, plot);
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
    auto plot = [&](int px, int py) {
        put(l + px + (2 * px >= cw ? shiftX : 0), t + py + (2 * py >= ch ? shiftY : 0));
    };
    for (int shift : {0, shiftX})
        EllipseColumns(cw, ch, clip_.left() - l - shift, clip_.right() - l - shift, plot);
    for (int shift : {0, shiftY})
        EllipseRows(cw, ch, clip_.top() - t - shift, clip_.bottom() - t - shift, plot);
    const int x1 = std::min(l + shiftX + cw / 2, clip_.right());
    for (int x = std::max(l + (cw - 1) / 2, clip_.left()); x <= x1; ++x) {
        put(x, t);
        put(x, btm);
    }
    const int y1 = std::min(t + shiftY + ch / 2, clip_.bottom());
    for (int y = std::max(t + (ch - 1) / 2, clip_.top()); y <= y1; ++y) {
        put(l, y);
        put(r, y);
    }
}

void ShapeOutline::line(QPoint from, QPoint to)
{
    // Pixel k steps once along the longer axis and follows the ideal line, rounded, on the other.
    // Working out each pixel on its own lets the walk skip everything outside the clip.
    const std::int64_t dx = std::int64_t(to.x()) - from.x(), dy = std::int64_t(to.y()) - from.y();
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::int64_t major = alongX ? dx : dy, minor = alongX ? dy : dx;
    const std::int64_t majorFrom = alongX ? from.x() : from.y();
    const std::int64_t lo = alongX ? clip_.left() : clip_.top();
    const std::int64_t hi = alongX ? clip_.right() : clip_.bottom();
    const int dir = major > 0 ? 1 : -1;
    // Steps whose major coordinate majorFrom + dir * k lies within lo..hi.
    const std::int64_t k0 = std::max<std::int64_t>(0, dir > 0 ? lo - majorFrom : majorFrom - hi);
    const std::int64_t k1 = std::min<std::int64_t>(steps - 1, dir > 0 ? hi - majorFrom : majorFrom - lo);
    const std::int64_t minorSize = std::abs(minor), minorDir = minor < 0 ? -1 : 1;
    for (std::int64_t k = k0; k <= k1; ++k) {
        const std::int64_t m = majorFrom + dir * k;
        const std::int64_t n = (alongX ? from.y() : from.x())
            + minorDir * ((2 * k * minorSize + steps) / (2 * steps));
        if (alongX)
            put(m, n);
        else
            put(n, m);
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
    case ToolMosaic:
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
