#pragma once

#include "editing/ToolMode.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <vector>

namespace tiv {

// The band shown while a shape is dragged, drawn with the not-xor pen straight onto the picture's
// own pixels. It remembers exactly which pixels it inverted, so erasing gives the picture back bit
// for bit; every draw must be erased before the picture is changed in any other way.
class RubberBand {
public:
    // A new drag from `start`; nothing is drawn until the mouse moves.
    void begin(int mode, QPoint start, QRgb pen);

    // Erases the band drawn last and draws the band from the start to `end`. Returns the area of
    // the canvas whose pixels changed (old and new band together).
    QRect moveTo(QImage &canvas, QPoint end);

    // Erases the band drawn last, leaving the canvas as it was at begin(). Returns the area changed.
    QRect erase(QImage &canvas);

    // The pixels the band now covers.
    const std::vector<QPoint> &pixels() const { return drawn_; }
    int mode() const { return mode_; }
    QPoint start() const { return start_; }
    QPoint end() const { return end_; }

private:
    int mode_ = ToolNone;
    QPoint start_;
    QPoint end_;
    QRgb pen_ = 0;
    std::vector<QPoint> drawn_;
};

}  // namespace tiv
