#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace tiv {

// Largest width or height a picture may be given. It is also the most that painting on a picture
// handles reliably.
constexpr int MaxPictureSide = 32767;
// Most bytes the pixels of one picture may take (32 bits a pixel): 512 MiB. The canvas is copied
// into history snapshots and the resize goes through a scratch file, so several pictures of this
// size exist at once; beyond it the machine runs out of memory rather than giving a useful picture.
constexpr std::int64_t MaxPictureBytes = std::int64_t(512) * 1024 * 1024;

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
