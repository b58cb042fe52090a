#pragma once

#include "codecs/DecodeLimits.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace tiv {

// Reads a number from a size edit whose mask shows empty digit places as blanks: leading blanks
// are skipped, then digits are read up to the first other character. No digits read as 0.
int ReadMaskedNumber(QStringView text);

struct PictureSizeCheck {
    bool ok = false;
    QString reason;  // for the hint line when the size is refused
};

// Whether a picture can be given this size: neither side 0, neither above MaxPictureSide, and its
// pixels within MaxPictureBytes.
PictureSizeCheck CheckPictureSize(int width, int height);

// The picture on a canvas of the new size: its pixels unscaled at the top-left, cut off at the
// right and bottom when smaller, white margins there when larger. A null image when the size is
// refused by CheckPictureSize or cannot be allocated.
QImage ResizeCanvas(const QImage &picture, QSize size);

}  // namespace tiv
