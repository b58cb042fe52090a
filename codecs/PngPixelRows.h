#pragma once

#include "codecs/OverWhite.h"

#include <QImage>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace tiv::png {

enum Colour { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

// Samples a pixel of the colour type has; 0 for a type PNG does not know.
int Channels(int colour);

// Undoes a row's filter in place; `prior` is the unfiltered row above in the same pass (zeros for
// the first). False for a filter type PNG does not know.
bool Unfilter(int filter, unsigned char *row, const unsigned char *prior, size_t length, size_t bytesPerPixel);

// What the pixels of an unfiltered row are: 8 or 16 bits a sample, the palette of a palette
// picture (already laid over white), and the one transparent grey or RGB value a tRNS chunk gives.
struct PixelKind {
    int colour = Rgb;
    int depth = 8;
    const std::array<QRgb, 256> *palette = nullptr;
    std::optional<std::array<int, 3>> key;
};

// Turns the pixels of unfiltered rows into RGB32 pixels laid over white. 16-bit samples are
// scaled to 8 bits exactly as libpng scales them.
class RowConverter {
public:
    RowConverter(const PixelKind &kind, size_t width);
    // `count` pixels of `row`, written `step` pixels apart (interlaced passes fill every second,
    // fourth or eighth pixel).
    void convert(const unsigned char *row, size_t count, QRgb *out, size_t step);

private:
    PixelKind kind_;
    std::vector<unsigned char> narrowed_;  // a 16-bit row scaled to 8 bits
};

}  // namespace tiv::png
