#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace tiv {

// Copies the `source` area of the canvas onto the canvas itself with its top-left at `target`.
// Overlapping areas are copied as if through a scratch copy. Whatever falls outside the canvas,
// on either side, is left out.
void CopyWithinCanvas(QImage &canvas, QRect source, QPoint target);

// The area picked by a region-selection drag from `start` to the release point: the same whichever
// way it was dragged, covering the pixels from the smaller coordinate up to, not including, the
// larger one.
QRect SelectionRect(QPoint start, QPoint release);

// Keeps only the selected part of the canvas (clipped to the canvas). A selection with no width or
// no height keeps nothing, so it is refused: the canvas is untouched and the caller lets the user
// drag again.
bool CropToSelection(QImage &canvas, QRect selection);

}  // namespace tiv
