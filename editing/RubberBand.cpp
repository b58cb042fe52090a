#include "editing/RubberBand.h"

#include "editing/ShapeOutline.h"
#include "editing/ShapePainter.h"

namespace tiv {

void RubberBand::begin(int mode, QPoint start, QRgb pen)
{
    mode_ = mode;
    start_ = end_ = start;
    pen_ = pen;
    drawn_.clear();
}

QRect RubberBand::moveTo(QImage &canvas, QPoint end)
{
    const QRect erased = erase(canvas);
    end_ = end;
    drawn_ = ToolOutline(mode_, start_, end_, canvas.rect());
    return erased | ApplyNotXor(canvas, drawn_, pen_);
}

QRect RubberBand::erase(QImage &canvas)
{
    const QRect changed = ApplyNotXor(canvas, drawn_, pen_);
    drawn_.clear();
    return changed;
}

}  // namespace tiv
