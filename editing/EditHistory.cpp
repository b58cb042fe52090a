#include "editing/EditHistory.h"

#include <QPainter>

#include <algorithm>

namespace tiv {

bool EditHistory::save(const QImage &canvas, QSize area)
{
    if (qsizetype(area.width()) * area.height() * 4 > snapshotByteLimit)
        return false;
    // A fresh slot starts white, like any new bitmap; the canvas only fills the part it covers.
    QImage snapshot(area, QImage::Format_RGB32);
    if (snapshot.isNull() && !area.isEmpty())
        return false;
    snapshot.fill(Qt::white);
    const QRect covered(QPoint(0, 0), area);
    if (!snapshot.isNull() && !canvas.isNull()) {
        QPainter p(&snapshot);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), canvas, covered & canvas.rect());
    }
    if (position_ == SlotCount)
        std::rotate(slots_.begin(), slots_.begin() + 1, slots_.end());
    else
        ++position_;
    newest_ = position_;
    restoreRect_ = covered;
    slots_[position_ - 1] = std::move(snapshot);
    return true;
}

bool EditHistory::paintSlot(int slot, QImage &canvas) const
{
    if (slot < 1 || slot > SlotCount || canvas.isNull())
        return false;
    const QImage &snapshot = slots_[slot - 1];
    if (snapshot.isNull())
        return false;
    const QRect area = restoreRect_ & snapshot.rect() & canvas.rect();
    if (!area.isEmpty()) {
        QPainter p(&canvas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(area.topLeft(), snapshot, area);
    }
    return true;
}

bool EditHistory::stepBack(QImage &canvas)
{
    if (!paintSlot(position_, canvas))
        return false;
    --position_;
    return true;
}

bool EditHistory::stepForward(QImage &canvas)
{
    if (position_ >= newest_ || !paintSlot(position_ + 1, canvas))
        return false;
    ++position_;
    return true;
}

}  // namespace tiv
