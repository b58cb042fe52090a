#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace tiv {

// How the mosaic tool hides what is under its rectangle.
enum class MosaicStyle { Pixelate, Blur };

// Larger blocks are made this size.
constexpr int MaxMosaicBlock = 256;

// The block edge that hides interface text on a picture of this size: large enough that a
// 16-pixel line of text becomes a few unreadable blocks, larger on large pictures.
int DefaultMosaicBlock(QSize picture);

// Replaces every block of `block` x `block` pixels inside `area` (blocks counted from the area's
// top-left; the last ones may be cut short) by its average colour, or, for Blur, by a smooth
// blend of the neighbouring averages. Either way every pixel written depends on the block
// averages alone, so nothing of the original can be read back from the result. Returns the part
// of the picture that changed (the area clipped to the picture). Pictures in other formats than
// 32-bit are converted to Format_RGB32 first.
QRect ApplyMosaic(QImage &image, QRect area, int block, MosaicStyle style);

}  // namespace tiv
