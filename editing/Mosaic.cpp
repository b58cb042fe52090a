#include "editing/Mosaic.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace tiv {

namespace {

// Work below this many pixels is not worth a second thread.
constexpr qsizetype ParallelThreshold = 512 * 512;

// Sums the four channels of each block of one block row and returns their averages, one QRgb
// per block.
void AverageBlockRow(const QImage &image, QRect area, int top, int rows, int block, QRgb *averages)
{
    const int blocks = (area.width() + block - 1) / block;
    std::vector<std::uint32_t> sums(std::size_t(blocks) * 4, 0);
    for (int y = top; y < top + rows; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y)) + area.left();
        for (int b = 0; b < blocks; ++b) {
            const int from = b * block;
            const int to = std::min(from + block, area.width());
            // Two channels at a time, 16 bits apart: a row of one block (at most 257 pixels) cannot
            // carry one channel's sum into the next.
            std::uint32_t blueRed = 0, greenAlpha = 0;
            for (int x = from; x < to; ++x) {
                const QRgb p = line[x];
                blueRed += p & 0x00FF00FFu;
                greenAlpha += (p >> 8) & 0x00FF00FFu;
            }
            std::uint32_t *s = &sums[std::size_t(b) * 4];
            s[0] += greenAlpha >> 16;
            s[1] += blueRed >> 16;
            s[2] += greenAlpha & 0xFFFFu;
            s[3] += blueRed & 0xFFFFu;
        }
    }
    for (int b = 0; b < blocks; ++b) {
        const int width = std::min(block, area.width() - b * block);
        const std::uint32_t n = std::uint32_t(width) * std::uint32_t(rows);
        const std::uint32_t *s = &sums[std::size_t(b) * 4];
        // Rounded to the nearest value, so a block of one colour keeps exactly that colour.
        averages[b] = qRgba(int((s[1] + n / 2) / n), int((s[2] + n / 2) / n), int((s[3] + n / 2) / n),
                            int((s[0] + n / 2) / n));
    }
}

// The averages of every block of the area, block rows in [firstRow, lastRow).
void AverageBlocks(const QImage &image, QRect area, int block, int firstRow, int lastRow, QImage &averages)
{
    for (int row = firstRow; row < lastRow; ++row) {
        const int top = area.top() + row * block;
        const int rows = std::min(block, area.bottom() + 1 - top);
        AverageBlockRow(image, area, top, rows, block, reinterpret_cast<QRgb *>(averages.scanLine(row)));
    }
}

// `bits` and `stride`: the picture's pixels, taken once before the threads start, since asking a
// QImage for writable lines may copy it and must not happen on two threads at once.
void FillBlocks(uchar *bits, qsizetype stride, QRect area, int block, int firstRow, int lastRow, const QImage &averages)
{
    for (int row = firstRow; row < lastRow; ++row) {
        const auto *avg = reinterpret_cast<const QRgb *>(averages.constScanLine(row));
        const int top = area.top() + row * block;
        const int bottom = std::min(top + block, area.bottom() + 1);
        auto *first = reinterpret_cast<QRgb *>(bits + top * stride) + area.left();
        for (int from = 0, b = 0; from < area.width(); from += block, ++b)
            std::fill_n(first + from, std::min(block, area.width() - from), avg[b]);
        for (int y = top + 1; y < bottom; ++y)
            std::copy_n(first, area.width(), reinterpret_cast<QRgb *>(bits + y * stride) + area.left());
    }
}

// Runs `work(firstRow, lastRow)` over the block rows, split between two threads when the area is
// large; the halves touch disjoint rows of the picture.
template <typename Work>
void OverBlockRows(int blockRows, qsizetype pixels, Work work)
{
    if (pixels < ParallelThreshold || blockRows < 2 || std::thread::hardware_concurrency() < 2) {
        work(0, blockRows);
        return;
    }
    const int half = blockRows / 2;
    std::thread other([&] { work(half, blockRows); });
    work(0, half);
    other.join();
}

// a and b mixed in the proportion (256 - w) : w, two channels at a time, 16 bits apart.
inline QRgb Mix(QRgb a, QRgb b, std::uint32_t w)
{
    const std::uint32_t v = 256 - w;
    const std::uint32_t blueRed = ((a & 0x00FF00FFu) * v + (b & 0x00FF00FFu) * w) >> 8;
    const std::uint32_t alphaGreen = ((a >> 8) & 0x00FF00FFu) * v + ((b >> 8) & 0x00FF00FFu) * w;
    return (blueRed & 0x00FF00FFu) | (alphaGreen & 0xFF00FF00u);
}

// Where the centre of pixel `i` of `length` falls among `cells` evenly spread cells, in 1/256 of
// a cell from the first cell's centre, kept between the first and last centres.
inline int CellPosition(int i, int length, int cells)
{
    const qint64 at = (qint64(2 * i + 1) * cells * 128) / length - 128;
    return int(std::clamp<qint64>(at, 0, qint64(cells - 1) * 256));
}

// The blur: one row of the area's width per block row, blended across between the block centres,
// then every pixel row blended between the two rows around it. Built from the averages alone.
void BlendRows(const QImage &averages, int width, int firstRow, int lastRow, std::vector<QRgb> &rows)
{
    const int columns = averages.width();
    for (int row = firstRow; row < lastRow; ++row) {
        const auto *avg = reinterpret_cast<const QRgb *>(averages.constScanLine(row));
        QRgb *out = rows.data() + std::size_t(row) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            const int at = CellPosition(x, width, columns);
            const int i = at >> 8;
            out[x] = Mix(avg[i], avg[std::min(i + 1, columns - 1)], std::uint32_t(at & 255));
        }
    }
}

void BlendDown(uchar *bits, qsizetype stride, QRect area, int blockRows, int firstY, int lastY,
               const std::vector<QRgb> &rows)
{
    const std::size_t width = std::size_t(area.width());
    for (int y = firstY; y < lastY; ++y) {
        const int at = CellPosition(y, area.height(), blockRows);
        const int i = at >> 8;
        const QRgb *above = rows.data() + std::size_t(i) * width;
        const QRgb *below = rows.data() + std::size_t(std::min(i + 1, blockRows - 1)) * width;
        const auto w = std::uint32_t(at & 255);
        auto *out = reinterpret_cast<QRgb *>(bits + (area.top() + y) * stride) + area.left();
        for (std::size_t x = 0; x < width; ++x)
            out[x] = Mix(above[x], below[x], w);
    }
}

}  // namespace

int DefaultMosaicBlock(QSize picture)
{
    const int shortSide = std::min(picture.width(), picture.height());
    return std::clamp(shortSide / 64, 8, 48);
}

QRect ApplyMosaic(QImage &image, QRect area, int block, MosaicStyle style)
{
    area = area.normalized() & image.rect();
    if (area.isEmpty() || block < 1)
        return {};
    block = std::min(block, MaxMosaicBlock);
    if (image.depth() != 32 || image.format() == QImage::Format_RGBA8888
        || image.format() == QImage::Format_RGBX8888 || image.format() == QImage::Format_RGBA8888_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    const int columns = (area.width() + block - 1) / block;
    const int blockRows = (area.height() + block - 1) / block;
    QImage averages(columns, blockRows, image.format());
    if (averages.isNull())
        return {};
    const qsizetype pixels = qsizetype(area.width()) * area.height();
    OverBlockRows(blockRows, pixels, [&](int from, int to) { AverageBlocks(image, area, block, from, to, averages); });
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    if (style == MosaicStyle::Pixelate) {
        OverBlockRows(blockRows, pixels,
                      [&](int from, int to) { FillBlocks(bits, stride, area, block, from, to, averages); });
        return area;
    }
    // The blend is drawn from the averages only: a blur of the original pixels could be undone.
    std::vector<QRgb> rows(std::size_t(blockRows) * std::size_t(area.width()));
    OverBlockRows(blockRows, pixels, [&](int from, int to) { BlendRows(averages, area.width(), from, to, rows); });
    OverBlockRows(area.height(), pixels,
                  [&](int from, int to) { BlendDown(bits, stride, area, blockRows, from, to, rows); });
    return area;
}

}  // namespace tiv
