#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tiv {

// How the canvas control shows the picture. Zoom changes only this, never the picture's pixels.
struct CanvasView {
    QSize controlSize;
    bool stretch = false;   // the picture is stretched to the control's size
    bool autoSize = true;   // the control takes the picture's size whenever the picture changes
};

// One zoom step, 1.2 times larger or smaller, rounded to whole pixels at every step (so repeated
// steps compound: 100, 120, 144, 173, 208). There is no limit either way.
QSize ZoomInSize(QSize size);
QSize ZoomOutSize(QSize size);

// The picture changed its size: a self-sizing control follows it.
CanvasView FollowPicture(CanvasView view, QSize picture);

// Each zoom command switches stretching on and self-sizing off.
CanvasView ZoomIn(CanvasView view);
CanvasView ZoomOut(CanvasView view);
// 1:1 again, but the control keeps its size from now on until sized again.
CanvasView ActualSize(CanvasView view, QSize picture);
// The whole display area, aspect ratio not kept.
CanvasView BestFit(CanvasView view, QSize displayArea);

// The picture pixel under a control position, so that drawing lands where the user points also
// on a stretched picture; unstretched it is the position itself. Positions off the control map to
// positions off the picture in the same way.
QPoint ControlToPicture(QPoint position, const CanvasView &view, QSize picture);

// The control area that shows an area of picture pixels, with a pixel to spare around it, for
// repainting only what changed.
QRect PictureToControl(QRect area, const CanvasView &view, QSize picture);

}  // namespace tiv
