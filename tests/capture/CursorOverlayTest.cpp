#include "capture/CursorOverlay.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cstdlib>

namespace tiv {
namespace {

// The blend written out by hand must give what the toolkit's painter gives, on pixels as the
// grab leaves them (padding byte zero), with the cursor hanging over two edges of the picture.
TEST(CursorOverlay, BlendsLikeThePainterAndStaysInsideThePicture)
{
    QImage grabbed(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < grabbed.height(); ++y)
        for (int x = 0; x < grabbed.width(); ++x)
            reinterpret_cast<uint32_t *>(grabbed.scanLine(y))[x] = uint32_t(x * 6) << 16 | uint32_t(y * 8) << 8 | 200;
    CursorImage cursor;
    cursor.image = QImage(12, 12, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            cursor.image.setPixelColor(x, y, QColor::fromRgb(250, 20 * x, 10 * y, (y * 12 + x) * 255 / 143));
    cursor.hotSpot = QPoint(2, 3);

    for (const QPoint &position : {QPoint(0, 0), QPoint(37, 28), QPoint(15, 10)}) {
        cursor.position = position + QPoint(5, 7);
        QImage ours = grabbed.copy();
        BlendCursor(ours, cursor, QPoint(5, 7));
        QImage painted = grabbed.copy();
        QPainter(&painted).drawImage(position - cursor.hotSpot, cursor.image);
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x) {
                const QRgb got = ours.pixel(x, y), want = painted.pixel(x, y);
                ASSERT_LE(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                              std::abs(qBlue(got) - qBlue(want)), 2) << x << "," << y;
                const bool under = QRect(position - cursor.hotSpot, cursor.image.size()).contains(x, y);
                const uint32_t raw = reinterpret_cast<const uint32_t *>(ours.constScanLine(y))[x];
                // Pixels the cursor leaves alone keep their bytes, padding included.
                if (!under || cursor.image.pixel(x - position.x() + 2, y - position.y() + 3) >> 24 == 0)
                    ASSERT_EQ(raw, reinterpret_cast<const uint32_t *>(grabbed.constScanLine(y))[x]);
                else
                    ASSERT_EQ(raw >> 24, 0xffu);
            }
    }
}

}  // namespace
}  // namespace tiv
