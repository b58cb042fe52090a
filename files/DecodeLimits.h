#pragma once

#include "editing/PictureSize.h"

#include <QtGlobal>

namespace tiv {

// The decoders refuse pictures the canvas could not hold (a side over MaxPictureSide, or more
// pixels than MaxPictureBytes at 32 bits each) instead of asking for gigabytes because a header
// says so.
constexpr qint64 kMaxDecodedPixels = MaxPictureBytes / 4;

inline bool DecodableSize(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= kMaxDecodedPixels;
}

// Files larger than this are not opened as pictures at all: 513 MiB, the largest picture the
// canvas holds stored as an uncompressed 32-bit BMP, with room to spare for its headers. A video
// or disk image in the picture folder then costs nothing when it is clicked.
constexpr qint64 kMaxPictureFileBytes = MaxPictureBytes + (qint64(1) << 20);

// Memory a decoder and the picture it fills may take together. libjpeg keeps every coefficient of
// a progressive file until its last scan; it gets what the picture leaves of this.
constexpr qint64 kMaxDecodeWorkingBytes = 640 * (qint64(1) << 20);

}  // namespace tiv
