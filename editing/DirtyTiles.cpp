#include "editing/DirtyTiles.h"

#include <algorithm>

namespace tiv {

namespace {

// Row first, so that sorted keys run through the grid row by row, left to right.
std::uint64_t Key(QPoint p)
{
    const auto row = std::uint32_t(p.y() / DirtyTiles::TileSide);
    const auto column = std::uint32_t(p.x() / DirtyTiles::TileSide);
    return (std::uint64_t(row) << 32) | column;
}

}  // namespace

void DirtyTiles::add(const std::vector<QPoint> &pixels)
{
    std::uint64_t last = ~std::uint64_t(0);
    for (const QPoint &p : pixels) {
        // Pixels come in runs along the outline, so most repeat the previous square.
        if (p.x() < 0 || p.y() < 0)
            continue;
        const std::uint64_t key = Key(p);
        if (key != last)
            keys_.push_back(key);
        last = key;
    }
}

QRegion DirtyTiles::region()
{
    std::sort(keys_.begin(), keys_.end());
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
    std::vector<QRect> rects;
    rects.reserve(keys_.size());
    for (const std::uint64_t key : keys_) {
        const int row = int(key >> 32), column = int(key & 0xffffffffu);
        const QRect tile(column * TileSide, row * TileSide, TileSide, TileSide);
        // Neighbours in a row merge into one rectangle.
        if (!rects.empty() && rects.back().top() == tile.top() && rects.back().right() + 1 == tile.left())
            rects.back().setRight(tile.right());
        else
            rects.push_back(tile);
    }
    QRegion region;
    // Sorted by row, then left to right, and never overlapping: the order the region keeps itself in.
    region.setRects(rects.data(), int(rects.size()));
    keys_.clear();
    return region;
}

}  // namespace tiv
