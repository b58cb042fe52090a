#include "codecs/BmpRleReader.h"

#include <algorithm>

namespace tiv {

namespace {

constexpr qsizetype kChunkSize = 64 * 1024;

enum Escape : uchar { EndOfLine = 0, EndOfPicture = 1, Delta = 2 };

}  // namespace

BmpRleReader::BmpRleReader(QIODevice &source, Depth depth, const std::array<QRgb, 256> &colours)
    : source_(source), depth_(depth), colours_(colours), buffer_(kChunkSize, Qt::Uninitialized)
{
}

bool BmpRleReader::read(QImage &image)
{
    const int pixelsPerWord = depth_ == Depth::Eight ? 4 : 8;
    storedWidth_ = (qint64(image.width()) + pixelsPerWord - 1) / pixelsPerWord * pixelsPerWord;
    for (;;) {
        uchar count, value;
        if (!nextByte(count) || !nextByte(value))
            return false;
        if (count != 0) {
            if (!writeRun(image, count, value))
                return false;
            continue;
        }
        switch (value) {
        case EndOfLine:
            if (y_ >= image.height())
                return false;
            x_ = 0;
            ++y_;
            break;
        case EndOfPicture:
            return true;
        case Delta: {
            uchar right, up;
            if (!nextByte(right) || !nextByte(up) || x_ + right > storedWidth_ || y_ + up > image.height())
                return false;
            x_ += right;
            y_ += up;
            break;
        }
        default:
            if (!writeLiteral(image, value))
                return false;
        }
    }
}

bool BmpRleReader::nextByte(uchar &byte)
{
    if (bufferUsed_ == bufferFilled_) {
        bufferFilled_ = source_.read(buffer_.data(), buffer_.size());
        bufferUsed_ = 0;
        if (bufferFilled_ <= 0)
            return false;
    }
    byte = uchar(buffer_[bufferUsed_++]);
    return true;
}

bool BmpRleReader::fits(const QImage &image, int count) const
{
    return y_ < image.height() && x_ + count <= storedWidth_;
}

QRgb *BmpRleReader::pixelAt(QImage &image) const
{
    const qint64 row = image.height() - 1 - y_;
    return reinterpret_cast<QRgb *>(image.bits() + row * image.bytesPerLine()) + qMin<qint64>(x_, image.width());
}

// A run repeats one byte: RLE8 repeats its index, RLE4 alternates its two nibbles.
bool BmpRleReader::writeRun(QImage &image, int count, uchar value)
{
    if (!fits(image, count))
        return false;
    QRgb *out = pixelAt(image);
    const int shown = int(std::clamp<qint64>(image.width() - x_, 0, count));
    if (depth_ == Depth::Eight) {
        std::fill(out, out + shown, colours_[value]);
    } else {
        const QRgb pair[2] = {colours_[value >> 4], colours_[value & 0x0f]};
        for (int i = 0; i < shown; ++i)
            out[i] = pair[i & 1];
    }
    x_ += count;
    return true;
}

// Literal indices follow the code, padded to a whole number of 16-bit words.
bool BmpRleReader::writeLiteral(QImage &image, int count)
{
    if (!fits(image, count))
        return false;
    QRgb *out = pixelAt(image);
    const int shown = int(std::clamp<qint64>(image.width() - x_, 0, count));
    const int bytes = depth_ == Depth::Eight ? count : (count + 1) / 2;
    uchar byte = 0;
    for (int i = 0; i < count; ++i) {
        if (depth_ == Depth::Eight) {
            if (!nextByte(byte))
                return false;
            if (i < shown)
                out[i] = colours_[byte];
        } else {
            if (i % 2 == 0 && !nextByte(byte))
                return false;
            if (i < shown)
                out[i] = colours_[i % 2 == 0 ? byte >> 4 : byte & 0x0f];
        }
    }
    if (bytes % 2 != 0 && !nextByte(byte))
        return false;
    x_ += count;
    return true;
}

}  // namespace tiv
