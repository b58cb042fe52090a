#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace tiv {

// Collects the pixels of a one-pixel pen outline, each pixel once. A pixel that two strokes share
// (a rectangle's corner, an arrow's tip) must be listed once: the not-xor pen inverts twice-drawn
// pixels back to what they were, which would punch holes into bands and committed shapes.
class ShapeOutline {
public:
    // Pixels outside `clip` are dropped as they are made.
    explicit ShapeOutline(QRect clip);

    // Box outlines cover the columns and rows from the smaller coordinate up to, not including, the
    // larger one, so a drag of 50 x 20 pixels outlines exactly 50 x 20 pixels. An empty box draws
    // nothing; lines leave out their end point, and a line to its own start draws nothing.
    void rectangle(QPoint a, QPoint b, bool dashDotDot = false);
    void ellipse(QPoint a, QPoint b);
    void roundRect(QPoint a, QPoint b, QSize corner);
    void line(QPoint from, QPoint to);
    void arrowHead(QPoint from, QPoint tip);

    // The pixels gathered so far, sorted by row then column, without repeats.
    std::vector<QPoint> takePixels();

private:
    void put(std::int64_t x, std::int64_t y);

    QRect clip_;
    std::vector<std::uint64_t> keys_;
};

// The outline that a tool draws between the two drag points: the rubber band while dragging, the
// committed shape at mouse-up (modes 2-4 and 6-8). Region selection is dash-dot-dot.
std::vector<QPoint> ToolOutline(int mode, QPoint start, QPoint end, QRect clip);

}  // namespace tiv
