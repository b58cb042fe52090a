#pragma once

#include <QtGlobal>

#include <cstdint>

namespace tiv {

// Largest width or height a picture may be given. It is also the most that painting on a picture
// handles reliably.
constexpr int MaxPictureSide = 32767;
// Most bytes the pixels of one picture may take (32 bits a pixel): 512 MiB. The canvas is copied
// into history snapshots and the resize goes through a scratch file, so several pictures of this
// size exist at once; beyond it the machine runs out of memory rather than giving a useful picture.
constexpr std::int64_t MaxPictureBytes = std::int64_t(512) * 1024 * 1024;

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
