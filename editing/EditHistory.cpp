#include "editing/EditHistory.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace tiv {

bool EditHistory::save(const QImage &canvas, QSize area)
{
    if (qsizetype(area.width()) * area.height() * 4 > snapshotByteLimit)
        return false;
    // The snapshot about to be dropped lends its memory when it has the size: a 4K snapshot is
    // 33 MB, and fresh memory costs more to take than the copy itself.
    QImage &dropped = slots_[position_ == SlotCount ? 0 : position_];
    QImage snapshot;
    if (dropped.size() == area && dropped.format() == QImage::Format_RGB32 && !area.isEmpty())
        snapshot = std::move(dropped);
    else
        snapshot = QImage(area, QImage::Format_RGB32);
    if (snapshot.isNull() && !area.isEmpty())
        return false;
    const QRect covered(QPoint(0, 0), area);
    const QRect copied = covered & canvas.rect();
    // A fresh slot starts white, like any new bitmap; the canvas only fills the part it covers.
    if (copied != covered)
        snapshot.fill(Qt::white);
    if (!copied.isEmpty() && canvas.format() == QImage::Format_RGB32) {
        const std::size_t bytes = std::size_t(copied.width()) * 4;
        for (int y = 0; y < copied.height(); ++y)
            std::memcpy(snapshot.scanLine(y), canvas.constScanLine(y), bytes);
    } else if (!copied.isEmpty()) {
        QPainter p(&snapshot);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), canvas, copied);
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
