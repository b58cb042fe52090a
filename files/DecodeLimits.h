#pragma once

#include <QtGlobal>

namespace tiv {

// The decoders refuse pictures beyond this many pixels (a 16384x16384 screen) instead of asking
// for gigabytes because a header says so.
constexpr qint64 kMaxDecodedPixels = qint64(1) << 28;

inline bool DecodableSize(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width * height <= kMaxDecodedPixels;
}

}  // namespace tiv
