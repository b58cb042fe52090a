#include "editing/Watermark.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace tiv;

namespace {

QImage filled(int width, int height, QRgb colour)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// The colour a pixel of picture colour `p` takes under a 4x4 mark of colour `m`.
QRgb blended(QRgb p, QRgb m, int transparent)
{
    QImage target = filled(20, 20, p);
    BlendWatermark(target, filled(4, 4, m), transparent);
    return target.pixel(8, 8);
}

}  // namespace

TEST(Watermark, BlendTruncatesTheWeightedSumOfEachChannel)
{
    // Red: white under black; green: black under white; blue: 200 under 100.
    EXPECT_EQ(blended(qRgb(255, 0, 200), qRgb(0, 255, 100), 8), qRgb(50, 204, 119));
    EXPECT_EQ(blended(qRgb(255, 0, 200), qRgb(0, 255, 100), 5), qRgb(127, 127, 150));
    EXPECT_EQ(blended(qRgb(255, 0, 200), qRgb(0, 255, 100), 1), qRgb(229, 25, 189));
    EXPECT_EQ(blended(qRgb(17, 99, 250), qRgb(201, 3, 64), 10), qRgb(201, 3, 64));

    // Steps from a hand-edited settings file are taken as the nearest end of 1..10.
    EXPECT_EQ(blended(qRgb(255, 0, 200), qRgb(0, 255, 100), 0), blended(qRgb(255, 0, 200), qRgb(0, 255, 100), 1));
    EXPECT_EQ(blended(qRgb(255, 0, 200), qRgb(0, 255, 100), -40), qRgb(229, 25, 189));
    EXPECT_EQ(blended(qRgb(17, 99, 250), qRgb(201, 3, 64), 15), qRgb(201, 3, 64));
    EXPECT_FLOAT_EQ(WatermarkWeight(8), 0.8f);
}

TEST(Watermark, MarkSitsTenPixelsInFromTheBottomRightAndTouchesNothingElse)
{
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    QImage target = filled(50, 40, black);
    EXPECT_EQ(BlendWatermark(target, filled(10, 6, white), 10), QRect(30, 24, 10, 6));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(target.pixel(x, y), QRect(30, 24, 10, 6).contains(x, y) ? white : black) << x << "," << y;

    // A mark larger than the picture (a small region crop): only the overlap is blended, from
    // the mark's matching part, and nothing outside the picture is written.
    QImage mark(20, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            mark.setPixel(x, y, qRgb(x * 10, y * 10, 7));
    QImage small = filled(25, 15, black);
    EXPECT_EQ(BlendWatermark(small, mark, 10), QRect(0, 0, 15, 5));
    EXPECT_EQ(small.pixel(0, 0), mark.pixel(5, 15));
    EXPECT_EQ(small.pixel(14, 4), mark.pixel(19, 19));
    EXPECT_EQ(small.pixel(15, 4), black);
    EXPECT_EQ(small.pixel(14, 5), black);

    // A mark that lands wholly outside (its corner is still 10 pixels in), and no mark at all,
    // change nothing.
    QImage tiny = filled(3, 2, black);
    EXPECT_TRUE(BlendWatermark(tiny, filled(400, 300, white), 10).isEmpty());
    EXPECT_EQ(tiny, filled(3, 2, black));
    EXPECT_TRUE(BlendWatermark(tiny, QImage(), 10).isEmpty());
    EXPECT_EQ(tiny, filled(3, 2, black));
}

TEST(Watermark, TextMarkIsAWhiteBoxWithMarginsAroundTheText)
{
    const QString text = QStringLiteral("TIV 2026");
    const QFontMetrics metrics(WatermarkFont());
    const int textWidth = metrics.horizontalAdvance(text), textHeight = metrics.height();
    const QImage mark = TextWatermark(text);
    ASSERT_EQ(mark.size(), QSize(textWidth + 20, textHeight + 5));

    // Fully opaque on black, the box shows as a white frame around dark text.
    QImage target = filled(300, 120, qRgb(0, 0, 0));
    BlendWatermark(target, mark, 10);
    const int left = 300 - textWidth - 30, top = 120 - textHeight - 15;
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    EXPECT_EQ(target.pixel(left, top), white);
    EXPECT_EQ(target.pixel(left - 1, top), black);
    EXPECT_EQ(target.pixel(left, top - 1), black);
    EXPECT_EQ(target.pixel(left + textWidth + 19, top + textHeight + 4), white);
    EXPECT_EQ(target.pixel(left + textWidth + 20, top + textHeight + 4), black);
    EXPECT_EQ(target.pixel(left + textWidth + 19, top + textHeight + 5), black);
    int dark = 0;
    for (int y = top + 5; y < top + textHeight + 5; ++y)
        for (int x = left + 10; x < left + 10 + textWidth; ++x)
            dark += qGray(target.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20) << "the text is drawn inside its margins";
    for (int x = left; x < left + 10; ++x)
        ASSERT_EQ(target.pixel(x, top + textHeight / 2), white) << "left margin";
}
