#pragma once

#include <QPoint>
#include <QRegion>

#include <cstdint>
#include <vector>

namespace tiv {

// The squares of a fixed grid that a set of changed pixels touches. A band's bounding box covers
// nearly the whole picture while its pixels are a thin outline; repainting only the touched squares
// keeps a drag on a large picture smooth.
class DirtyTiles {
public:
    static constexpr int TileSide = 32;

    void add(const std::vector<QPoint> &pixels);
    // The touched squares, as a region of picture pixels.
    QRegion region();

private:
    std::vector<std::uint64_t> keys_;
};

}  // namespace tiv
