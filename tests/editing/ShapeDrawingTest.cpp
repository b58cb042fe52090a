#include "editing/RubberBand.h"
#include "editing/ShapeGeometry.h"
#include "editing/ShapeOutline.h"
#include "editing/ShapePainter.h"
#include "editing/ToolMode.h"

#include <gtest/gtest.h>

#include <QImage>

#include <deque>
#include <random>
#include <set>

using namespace tiv;

namespace {

QImage RandomPicture(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, 0xff000000u | (rng() & 0xffffffu));
    return img;
}

QImage Filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

bool EightConnected(const std::vector<QPoint> &pixels)
{
    std::set<std::pair<int, int>> left;
    for (const QPoint &p : pixels)
        left.insert({p.x(), p.y()});
    std::deque<std::pair<int, int>> todo{*left.begin()};
    left.erase(left.begin());
    while (!todo.empty()) {
        const auto [x, y] = todo.front();
        todo.pop_front();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (left.erase({x + dx, y + dy}))
                    todo.push_back({x + dx, y + dy});
    }
    return left.empty();
}

}  // namespace

TEST(ShapeGeometry, DragNormalisationCornersAndArrowWings)
{
    // Boxes span down-press to release in order; lines keep the down point and last moved point.
    for (int mode : {1, 2, 3, 5, 6}) {
        const DragPoints d = NormaliseDrag(mode, {50, 40}, {10, 10}, {20, 30});
        EXPECT_EQ(d.start, QPoint(20, 30)) << mode;
        EXPECT_EQ(d.end, QPoint(50, 40)) << mode;
    }
    for (int mode : {4, 7, 8}) {
        const DragPoints d = NormaliseDrag(mode, {50, 40}, {10, 10}, {20, 30});
        EXPECT_EQ(d.start, QPoint(50, 40)) << mode;
        EXPECT_EQ(d.end, QPoint(10, 10)) << mode;
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
        // trunc goes toward zero on the whole sum: 10 - 10.61 gives 0, not -1.
        {{0, 0}, {10, 10}, {0, 6}, {6, 0}},
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
    const QRect clip(-1000, -1000, 3000, 3000);
    // A 50 x 20 rectangle is exactly its 136 border pixels, corners included.
    const auto rect = ToolOutline(ToolRectangle, {60, 30}, {10, 10}, clip);
    EXPECT_EQ(rect.size(), 136u);
    for (const QPoint &p : rect)
        EXPECT_TRUE(p.x() == 10 || p.x() == 59 || p.y() == 10 || p.y() == 29);

    for (QSize s : {QSize(1, 1), QSize(2, 2), QSize(5, 3), QSize(40, 10), QSize(10, 40), QSize(101, 77)}) {
        const QPoint a(5, 5), b = a + QPoint(s.width(), s.height());
        const auto e = ToolOutline(ToolEllipse, a, b, clip);
        EXPECT_EQ(e, ToolOutline(ToolEllipse, b, a, clip));
        EXPECT_TRUE(EightConnected(e)) << s.width() << "x" << s.height();
        QRect span;
        for (const QPoint &p : e)
            span |= QRect(p, QSize(1, 1));
        EXPECT_EQ(span, QRect(a, s));
        const auto rr = ToolOutline(ToolRoundRect, a, b, clip);
        EXPECT_TRUE(EightConnected(rr)) << s.width() << "x" << s.height();
    }
    // The corners of a 50 x 20 rounded rectangle are cut off by its 10 x 4 corner ellipses.
    const auto rr = ToolOutline(ToolRoundRect, {0, 0}, {50, 20}, clip);
    const std::set<std::pair<int, int>> rrSet = [&] {
        std::set<std::pair<int, int>> s;
        for (const QPoint &p : rr)
            s.insert({p.x(), p.y()});
        return s;
    }();
    EXPECT_FALSE(rrSet.count({0, 0}));
    EXPECT_FALSE(rrSet.count({49, 19}));
    EXPECT_TRUE(rrSet.count({25, 0}));
    EXPECT_TRUE(rrSet.count({0, 10}));

    // Click without drag: nothing at all, arrows without heads.
    for (int mode = 1; mode <= 8; ++mode)
        EXPECT_TRUE(ToolOutline(mode, {9, 9}, {9, 9}, clip).empty()) << mode;
    // The double arrow's tips are drawn although shaft and two wings meet there.
    const auto dbl = ToolOutline(ToolDoubleArrow, {10, 10}, {40, 10}, clip);
    EXPECT_EQ(std::count(dbl.begin(), dbl.end(), QPoint(10, 10)), 1);
    EXPECT_EQ(std::count(dbl.begin(), dbl.end(), QPoint(40, 10)), 1);
    // Dash-dot-dot leaves gaps in the region band.
    EXPECT_LT(ToolOutline(ToolRegionSelect, {0, 0}, {50, 20}, clip).size(), 136u * 3 / 4);
}

TEST(ShapePainter, NotXorPenOnWhiteAndBlack)
{
    struct Case {
        QRgb pen, onWhite, onBlack;
    } cases[] = {
        {0xffffffffu, 0xffffffffu, 0xff000000u},
        {0xff000000u, 0xff000000u, 0xffffffffu},
        {0xffff0000u, 0xffff0000u, 0xff00ffffu},
    };
    for (const Case &c : cases) {
        QImage img = Filled(20, 10, 0xffffffffu);
        for (int y = 0; y < 10; ++y)
            for (int x = 10; x < 20; ++x)
                img.setPixel(x, y, 0xff000000u);
        const QRect changed = DrawToolShape(img, ToolLine, {0, 5}, {20, 5}, c.pen);
        EXPECT_EQ(img.pixel(3, 5), c.onWhite);
        EXPECT_EQ(img.pixel(15, 5), c.onBlack);
        EXPECT_EQ(img.pixel(3, 4), 0xffffffffu);
        EXPECT_EQ(changed, QRect(0, 5, 20, 1));
    }
}

TEST(ShapePainter, BandDrawnTwiceRestoresThePictureExactly)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-20, 90);
    const QImage original = RandomPicture(71, 53, 3);
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
    EXPECT_GT(visible, 150);
    // A whole drag: every move erases the band before drawing the next one.
    RubberBand band;
    band.begin(ToolDoubleArrow, {30, 30}, 0xffff0000u);
    for (int i = 0; i < 50; ++i) {
        const QImage before = img;
        const QRect dirty = band.moveTo(img, {coord(rng), coord(rng)});
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != before.pixel(x, y)) {
                    ASSERT_TRUE(dirty.contains(x, y)) << x << "," << y;
                }
    }
    band.erase(img);
    EXPECT_EQ(img, original);
}

TEST(ShapePainter, ToolCanvasIsABitmap)
{
    CanvasPicture none;
    ASSERT_TRUE(PrepareCanvasForTool(none, QSize(30, 20)));
    EXPECT_TRUE(none.isBitmap());
    EXPECT_EQ(none.image, Filled(30, 20, 0xffffffffu));

    CanvasPicture foreign;
    foreign.kind = CanvasPicture::Kind::Foreign;
    foreign.image = Filled(4, 4, 0xff123456u);
    EXPECT_FALSE(PrepareCanvasForTool(foreign, QSize(30, 20)));
    EXPECT_EQ(foreign.image, Filled(4, 4, 0xff123456u));
}
