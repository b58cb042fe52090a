#include "editing/EditHistory.h"

#include <QPainter>

#include <algorithm>

namespace tiv {

void EditHistory::save(const QImage &canvas, QSize area)
{
    if (position_ == SlotCount)
        std::rotate(slots_.begin(), slots_.begin() + 1, slots_.end());
    else
        ++position_;
    newest_ = position_;
    restoreRect_ = QRect(QPoint(0, 0), area);
    // A fresh slot starts white, like any new bitmap; the canvas only fills the part it covers.
    QImage snapshot(area, QImage::Format_RGB32);
    snapshot.fill(Qt::white);
    if (!snapshot.isNull() && !canvas.isNull()) {
        QPainter p(&snapshot);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), canvas, restoreRect_ & canvas.rect());
    }
    slots_[position_ - 1] = snapshot;
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
