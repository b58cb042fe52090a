#pragma once

#include "common/CanvasPicture.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <vector>

namespace tiv {

// The tools' pen mixes in not-xor mode: each pixel becomes NOT(pen XOR pixel). That shows the pen
// colour on white, inverts under a black pen, leaves everything alone under a white pen, and undoes
// itself when the same pixels are drawn again. Returns the bounding box of the pixels touched
// (empty when none were), the area a view has to repaint.
QRect ApplyNotXor(QImage &canvas, const std::vector<QPoint> &pixels, QRgb pen);

// Draws the outline of `mode` between the drag points on the canvas with the not-xor pen. Used for
// the committed shapes as well as for single band draws.
QRect DrawToolShape(QImage &canvas, int mode, QPoint start, QPoint end, QRgb pen);

// Makes the canvas ready for a tool: no picture yet gives a white picture the size of the canvas
// control; a bitmap is kept. False for a picture that cannot be drawn on, which is then untouched.
bool PrepareCanvasForTool(CanvasPicture &picture, QSize controlSize);

}  // namespace tiv
