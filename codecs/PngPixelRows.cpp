#include "codecs/PngPixelRows.h"

#include <cstdlib>

namespace tiv::png {

namespace {

unsigned char Paeth(int left, int up, int upLeft)
{
    const int p = left + up - upLeft, pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    return static_cast<unsigned char>(pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft);
}

// libpng's rounding of a 16-bit sample to 8 bits, (v * 255 + 32895) >> 16, so both readers give
// the same picture; written so that every step fits 16 bits.
int ScaleTo8(int high, int low)
{
    const auto v = quint16(high << 8 | low);
    return quint16(v - high - (low >> 7) + 128) >> 8;
}

template <int Depth>
struct Samples {
    static int raw(const unsigned char *p, int k)
    {
        if constexpr (Depth == 8)
            return p[k];
        else
            return p[2 * k] << 8 | p[2 * k + 1];
    }
    static int value(const unsigned char *p, int k)
    {
        if constexpr (Depth == 8)
            return p[k];
        else
            return ScaleTo8(p[2 * k], p[2 * k + 1]);
    }
};

// Two loops, so the common case of consecutive pixels is one the compiler can vectorise.
template <int Bytes, typename Pixel>
void EachPixel(const unsigned char *row, size_t count, QRgb *out, size_t step, Pixel pixel)
{
    if (step == 1) {
        for (size_t i = 0; i < count; ++i)
            out[i] = pixel(row + i * Bytes);
    } else {
        for (size_t i = 0; i < count; ++i)
            out[i * step] = pixel(row + i * Bytes);
    }
}

template <int Depth>
void ConvertRowAt(const PixelKind &kind, const unsigned char *row, size_t count, QRgb *out, size_t step)
{
    using S = Samples<Depth>;
    constexpr int sample = Depth / 8;
    const QRgb white = qRgb(255, 255, 255);
    // libpng compares only the low byte of a key with 8-bit samples.
    const int mask = Depth == 8 ? 0xff : 0xffff;
    const std::array<int, 3> key = kind.key ? std::array<int, 3>{(*kind.key)[0] & mask, (*kind.key)[1] & mask,
                                                                  (*kind.key)[2] & mask}
                                            : std::array<int, 3>{-1, -1, -1};
    switch (kind.colour) {
    case Grey:
        EachPixel<sample>(row, count, out, step, [&](const unsigned char *p) {
            const int g = S::value(p, 0);
            return S::raw(p, 0) == key[0] ? white : qRgb(g, g, g);
        });
        break;
    case GreyAlpha:
        EachPixel<2 * sample>(row, count, out, step, [&](const unsigned char *p) {
            const int g = S::value(p, 0);
            return OverWhite(g, g, g, S::value(p, 1));
        });
        break;
    case Palette:
        EachPixel<1>(row, count, out, step, [&](const unsigned char *p) { return (*kind.palette)[p[0]]; });
        break;
    case Rgb:
        EachPixel<3 * sample>(row, count, out, step, [&](const unsigned char *p) {
            const bool keyed = S::raw(p, 0) == key[0] && S::raw(p, 1) == key[1] && S::raw(p, 2) == key[2];
            return keyed ? white : qRgb(S::value(p, 0), S::value(p, 1), S::value(p, 2));
        });
        break;
    default:
        EachPixel<4 * sample>(row, count, out, step, [&](const unsigned char *p) {
            return OverWhite(S::value(p, 0), S::value(p, 1), S::value(p, 2), S::value(p, 3));
        });
    }
}

}  // namespace

int Channels(int colour)
{
    switch (colour) {
    case Grey:
    case Palette:
        return 1;
    case GreyAlpha:
        return 2;
    case Rgb:
        return 3;
    case Rgba:
        return 4;
    default:
        return 0;
    }
}

bool Unfilter(int filter, unsigned char *row, const unsigned char *prior, size_t length, size_t bpp)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (size_t i = bpp; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + row[i - bpp]);
        return true;
    case 2:
        for (size_t i = 0; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + prior[i]);
        return true;
    case 3:
        for (size_t i = 0; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + (((i >= bpp ? row[i - bpp] : 0) + prior[i]) >> 1));
        return true;
    case 4:
        for (size_t i = 0; i < bpp && i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + prior[i]);
        for (size_t i = bpp; i < length; ++i)
            row[i] = static_cast<unsigned char>(row[i] + Paeth(row[i - bpp], prior[i], prior[i - bpp]));
        return true;
    default:
        return false;
    }
}

RowConverter::RowConverter(const PixelKind &kind, size_t width) : kind_(kind)
{
    if (kind.depth == 16)
        narrowed_.resize(width * size_t(Channels(kind.colour)));
}

void RowConverter::convert(const unsigned char *row, size_t count, QRgb *out, size_t step)
{
    if (kind_.depth != 16) {
        ConvertRowAt<8>(kind_, row, count, out, step);
        return;
    }
    // A transparent 16-bit colour is compared at full depth; otherwise the samples are scaled
    // first, which is far quicker than scaling them pixel by pixel.
    if (kind_.key) {
        ConvertRowAt<16>(kind_, row, count, out, step);
        return;
    }
    const size_t samples = count * size_t(Channels(kind_.colour));
    unsigned char *narrowed = narrowed_.data();
    for (size_t i = 0; i < samples; ++i)
        narrowed[i] = static_cast<unsigned char>(ScaleTo8(row[2 * i], row[2 * i + 1]));
    ConvertRowAt<8>(kind_, narrowed, count, out, step);
}

}  // namespace tiv::png
