#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <limits>

namespace tiv {

// Four snapshots of the canvas, each taken just before a text is drawn (and at every idle click),
// so slot k holds the canvas as it was before the k-th save. Slots are numbered 1 to 4; position 0
// means nothing to step back to.
class EditHistory {
public:
    static constexpr int SlotCount = 4;

    // Copies the top-left `area` of the canvas into the next slot and makes that area the one that
    // restores paint. With all four slots in use the oldest snapshot is dropped, so the latest four
    // are kept and stepping back right after a save always restores the canvas of that save.
    // False, with the history left exactly as it was, when the snapshot cannot be allocated.
    bool save(const QImage &canvas, QSize area);

    // Snapshots larger than this many bytes count as ones that cannot be allocated; tests lower it
    // to stand in for a machine that is out of memory.
    qsizetype snapshotByteLimit = std::numeric_limits<qsizetype>::max();

    // Paints the snapshot at the current position over the canvas and moves one down. False, with
    // nothing changed, when there is nothing to step back to.
    bool stepBack(QImage &canvas);

    // Moves one up and paints the snapshot found there. False, with nothing changed, once the
    // newest snapshot is reached.
    bool stepForward(QImage &canvas);

    int position() const { return position_; }
    int newest() const { return newest_; }

    // The area a restore paints, in the snapshot and on the canvas alike; restores never change
    // the picture's size. A picture-size change sets it to the new size.
    QRect restoreRect() const { return restoreRect_; }
    void setRestoreRect(QRect area) { restoreRect_ = area; }

private:
    bool paintSlot(int slot, QImage &canvas) const;

    std::array<QImage, SlotCount> slots_;
    int position_ = 0;
    int newest_ = 0;
    QRect restoreRect_;
};

}  // namespace tiv
