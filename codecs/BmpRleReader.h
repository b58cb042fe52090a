#pragma once

#include <QImage>
#include <QIODevice>

#include <array>

namespace tiv {

// Expands the run-length coded pixels of an RLE8 or RLE4 BMP from the device's current position
// into `image`, whose rows are filled bottom-up as the file stores them; `colours` maps every
// index a run can name. Pixels the codes skip (delta and early end-of-line) are left as the
// image holds them. Some writers code whole stored rows, padding included, so a run may reach
// into the padding (those pixels are dropped). False for a run or a move that would go past that,
// or past the last row, and for data that ends before the end-of-picture code.
class BmpRleReader {
public:
    enum class Depth { Eight, Four };

    BmpRleReader(QIODevice &source, Depth depth, const std::array<QRgb, 256> &colours);
    bool read(QImage &image);

private:
    bool nextByte(uchar &byte);
    bool writeRun(QImage &image, int count, uchar value);
    bool writeLiteral(QImage &image, int count);
    bool fits(const QImage &image, int count) const;
    QRgb *pixelAt(QImage &image) const;

    QIODevice &source_;
    Depth depth_;
    const std::array<QRgb, 256> &colours_;
    QByteArray buffer_;
    qsizetype bufferUsed_ = 0;
    qsizetype bufferFilled_ = 0;
    qint64 storedWidth_ = 0;  // the row's pixels with its padding to whole 32-bit words
    qint64 x_ = 0;
    qint64 y_ = 0;  // rows counted from the bottom, as the file counts them
};

}  // namespace tiv
