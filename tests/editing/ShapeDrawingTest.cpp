#include "editing/DirtyTiles.h"
#include "editing/RubberBand.h"
#include "editing/ShapeGeometry.h"
#include "editing/ShapeOutline.h"
#include "editing/ShapePainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace tiv;

namespace {

const QRect Clip(-1000, -1000, 3000, 3000);

bool Has(const std::vector<QPoint> &pixels, QPoint p)
{
    return std::count(pixels.begin(), pixels.end(), p) == 1;
}

bool EightConnected(const std::vector<QPoint> &pixels)
{
    std::set<std::pair<int, int>> left;
    for (const QPoint &p : pixels)
        left.insert({p.x(), p.y()});
    std::vector<std::pair<int, int>> todo{*left.begin()};
    left.erase(left.begin());
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (int d = 0; d < 9; ++d)
            if (left.erase({x + d % 3 - 1, y + d / 3 - 1}))
                todo.push_back({x + d % 3 - 1, y + d / 3 - 1});
    }
    return left.empty();
}

}  // namespace

TEST(ShapeGeometry, DragNormalisationCornersAndArrowWings)
{
    for (int mode = 1; mode <= 8; ++mode) {
        const DragPoints d = NormaliseDrag(mode, {50, 40}, {10, 10}, {20, 30});
        const bool line = mode == 4 || mode == 7 || mode == 8;
        EXPECT_EQ(d.start, line ? QPoint(50, 40) : QPoint(20, 30)) << mode;
        EXPECT_EQ(d.end, line ? QPoint(10, 10) : QPoint(50, 40)) << mode;
    }
    EXPECT_EQ(RoundRectCorner({0, 0}, {50, 20}), QSize(10, 4));
    EXPECT_EQ(RoundRectCorner({50, 20}, {0, 0}), QSize(-10, -4));
    EXPECT_EQ(RoundRectCorner({0, 0}, {-9, 4}), QSize(-1, 0));

    struct Case {
        QPoint from, tip, a, b;
    } cases[] = {
        {{100, 50}, {50, 50}, {60, 45}, {60, 55}},
        {{0, 0}, {0, 30}, {-5, 20}, {5, 20}},
        {{10, 10}, {0, 0}, {10, 3}, {3, 10}},
        {{0, 0}, {10, 10}, {0, 6}, {6, 0}},  // 10 - 10.61 truncates to 0, not -1
    };
    for (const Case &c : cases) {
        const auto w = ArrowHeadWings(c.from, c.tip);
        ASSERT_TRUE(w.has_value());
        EXPECT_EQ(w->a, c.a) << c.from.x() << "," << c.from.y();
        EXPECT_EQ(w->b, c.b) << c.from.x() << "," << c.from.y();
    }
    EXPECT_FALSE(ArrowHeadWings({7, 7}, {7, 7}).has_value());
}

TEST(ShapeOutline, OutlinesCoverEachPixelOnceAndStayConnected)
{
    // A 50 x 20 drag outlines exactly its 136 border pixels, corners included.
    const auto rect = ToolOutline(ToolRectangle, {60, 30}, {10, 10}, Clip);
    EXPECT_EQ(rect.size(), 136u);
    for (const QPoint &p : rect)
        EXPECT_TRUE(p.x() == 10 || p.x() == 59 || p.y() == 10 || p.y() == 29);
    EXPECT_LT(ToolOutline(ToolRegionSelect, {60, 30}, {10, 10}, Clip).size(), 136u * 3 / 4);

    for (QSize s : {QSize(1, 1), QSize(2, 2), QSize(5, 3), QSize(40, 10), QSize(10, 40), QSize(101, 77)}) {
        const QPoint a(5, 5), b = a + QPoint(s.width(), s.height());
        const auto e = ToolOutline(ToolEllipse, a, b, Clip);
        EXPECT_EQ(e, ToolOutline(ToolEllipse, b, a, Clip));
        EXPECT_TRUE(EightConnected(e)) << s.width() << "x" << s.height();
        EXPECT_TRUE(EightConnected(ToolOutline(ToolRoundRect, a, b, Clip))) << s.width();
        QRect span;
        for (const QPoint &p : e)
            span |= QRect(p, QSize(1, 1));
        EXPECT_EQ(span, QRect(a, s));
    }
    // The 10 x 4 corner ellipses cut the corners of a 50 x 20 rounded rectangle.
    const auto rr = ToolOutline(ToolRoundRect, {0, 0}, {50, 20}, Clip);
    EXPECT_FALSE(Has(rr, {0, 0}) || Has(rr, {49, 19}));
    EXPECT_TRUE(Has(rr, {25, 0}) && Has(rr, {0, 10}) && Has(rr, {49, 10}) && Has(rr, {25, 19}));

    // Drags far off the canvas cost no more than the part that shows.
    const QRect small(0, 0, 50, 10);
    EXPECT_EQ(ToolOutline(ToolDoubleArrow, {-1000000000, 5}, {1000000000, 5}, small).size(), 50u);
    for (int mode : {ToolRectangle, ToolEllipse, ToolRoundRect})
        EXPECT_TRUE(ToolOutline(mode, {-100000000, -100000000}, {100000000, 100000000}, small).empty());

    // A click without a drag draws nothing, arrow heads included.
    for (int mode = 1; mode <= 8; ++mode)
        EXPECT_TRUE(ToolOutline(mode, {9, 9}, {9, 9}, Clip).empty()) << mode;
    // Shaft and two wings meet at each tip; the tip is still drawn, once.
    const auto dbl = ToolOutline(ToolDoubleArrow, {10, 10}, {40, 10}, Clip);
    EXPECT_TRUE(Has(dbl, {10, 10}) && Has(dbl, {40, 10}));
    // The single head sits where the drag began.
    for (const QPoint &p : ToolOutline(ToolSingleArrow, {10, 10}, {40, 10}, Clip))
        EXPECT_TRUE(p.y() == 10 || p.x() <= 20) << p.x() << "," << p.y();
}

TEST(ShapePainter, NotXorPenOnWhiteAndBlack)
{
    struct Case {
        QRgb pen, onWhite, onBlack;
    } cases[] = {{0xffffffffu, 0xffffffffu, 0xff000000u},
                 {0xff000000u, 0xff000000u, 0xffffffffu},
                 {0xffff0000u, 0xffff0000u, 0xff00ffffu}};
    for (const Case &c : cases) {
        QImage img(20, 10, QImage::Format_RGB32);
        img.fill(Qt::white);
        for (int y = 0; y < 10; ++y)
            for (int x = 10; x < 20; ++x)
                img.setPixel(x, y, 0xff000000u);
        EXPECT_EQ(DrawToolShape(img, ToolLine, {0, 5}, {20, 5}, c.pen), QRect(0, 5, 20, 1));
        EXPECT_EQ(img.pixel(3, 5), c.onWhite);
        EXPECT_EQ(img.pixel(15, 5), c.onBlack);
        EXPECT_EQ(img.pixel(3, 4), 0xffffffffu);
    }
    CanvasPicture none;
    ASSERT_TRUE(PrepareCanvasForTool(none, QSize(30, 20)));
    EXPECT_EQ(none.image.size(), QSize(30, 20));
    EXPECT_EQ(none.image.pixel(29, 19), 0xffffffffu);
}

TEST(ShapePainter, BandDrawnTwiceRestoresThePictureExactly)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-20, 90);
    QImage original(71, 53, QImage::Format_RGB32);
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x)
            original.setPixel(x, y, 0xff000000u | rng());
    QImage img = original;
    int visible = 0;
    for (int round = 0; round < 200; ++round) {
        const int mode = 1 + round % 8;
        const QPoint a(coord(rng), coord(rng)), b(coord(rng), coord(rng));
        const QRgb pen = 0xff000000u | rng();
        DrawToolShape(img, mode, a, b, pen);
        visible += img != original;
        DrawToolShape(img, mode, a, b, pen);
        ASSERT_EQ(img, original) << "mode " << mode << " round " << round;
    }
    EXPECT_GT(visible, 120);

    // A whole drag: each move erases the last band and reports every pixel it changed.
    RubberBand band;
    band.begin(ToolDoubleArrow, {30, 30}, 0xffff0000u);
    for (int i = 0; i < 50; ++i) {
        const QImage before = img;
        const QRect dirty = band.moveTo(img, {coord(rng), coord(rng)});
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_TRUE(img.pixel(x, y) == before.pixel(x, y) || dirty.contains(x, y));
    }
    band.erase(img);
    EXPECT_EQ(img, original);
}

TEST(DirtyTiles, RepaintCoversEveryChangedPixelAndLittleElse)
{
    QImage canvas(3840, 2160, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    RubberBand band;
    for (int mode : {ToolRectangle, ToolEllipse, ToolRegionSelect, ToolDoubleArrow}) {
        band.begin(mode, {12, 9}, 0xffff0000u);
        band.moveTo(canvas, {3000, 2000});
        const std::vector<QPoint> before = band.pixels();
        DirtyTiles changed;
        changed.add(before);
        band.moveTo(canvas, {3820, 2140});
        changed.add(band.pixels());
        const QRegion region = changed.region();
        for (const auto *pixels : {&before, &band.pixels()})
            for (const QPoint &p : *pixels)
                ASSERT_TRUE(region.contains(p)) << "mode " << mode << " at " << p.x() << "," << p.y();
        std::int64_t area = 0;
        for (const QRect &r : region)
            area += std::int64_t(r.width()) * r.height();
        EXPECT_LT(area, std::int64_t(canvas.width()) * canvas.height() / 8) << "mode " << mode;
        band.erase(canvas);
    }
    DirtyTiles none;
    none.add({QPoint(-5, 3)});
    EXPECT_TRUE(none.region().isEmpty()) << "pixels off the picture need no repaint";
}
