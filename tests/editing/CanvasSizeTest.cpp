#include "editing/CropRegion.h"
#include "editing/PictureSize.h"
#include "editing/ZoomMath.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace tiv;

namespace {

// Every pixel different, so a misplaced copy shows.
QImage Numbered(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, 0xff000000u | (y << 8) | x);
    return img;
}

}  // namespace

TEST(CropRegion, OverlappingCopiesAndCrops)
{
    const QImage original = Numbered(8, 6);
    struct Case {
        QRect source;
        QPoint target;
    } cases[] = {{{2, 1, 5, 4}, {0, 0}}, {{0, 0, 6, 6}, {1, 0}}, {{-2, -1, 5, 4}, {3, 3}}};
    for (const Case &c : cases) {
        QImage img = original;
        CopyWithinCanvas(img, c.source, c.target);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const QPoint from = QPoint(x, y) - c.target + c.source.topLeft();
                const bool copied = c.source.contains(from) && original.rect().contains(from);
                EXPECT_EQ(img.pixel(x, y), original.pixel(copied ? from : QPoint(x, y)))
                    << c.source.x() << "," << c.source.y() << " at " << x << "," << y;
            }
        }
    }

    EXPECT_EQ(SelectionRect({50, 40}, {10, 20}), QRect(10, 20, 40, 20));
    EXPECT_EQ(SelectionRect({10, 20}, {50, 40}), QRect(10, 20, 40, 20));
    QImage img = original;
    ASSERT_TRUE(CropToSelection(img, SelectionRect({7, 5}, {2, 1})));
    EXPECT_EQ(img, original.copy(2, 1, 5, 4));
}

TEST(CropRegion, EmptySelectionKeepsThePicture)
{
    const QImage original = Numbered(8, 6);
    for (QRect sel : {SelectionRect({3, 3}, {3, 5}), SelectionRect({3, 3}, {6, 3}), QRect(20, 20, 5, 5)}) {
        QImage img = original;
        EXPECT_FALSE(CropToSelection(img, sel));
        EXPECT_EQ(img, original);
    }
}

TEST(PictureSize, MaskedNumbersAndSizeLimits)
{
    struct Read {
        const char *text;
        int value;
    } reads[] = {{"640     ", 640}, {"12 34   ", 12}, {"        ", 0}, {"", 0},
                 {"   7    ", 7},   {"99999999", 99999999}, {"0000480 ", 480}};
    for (const Read &r : reads)
        EXPECT_EQ(ReadMaskedNumber(QString::fromLatin1(r.text)), r.value) << r.text;

    struct Check {
        int w, h;
        bool ok;
    } checks[] = {{640, 480, true},      {0, 480, false},         {640, 0, false},
                  {32767, 1, true},      {32768, 1, false},       {1, 32768, false},
                  {11585, 11585, true},  {11586, 11586, false},   {99999999, 99999999, false}};
    for (const Check &c : checks) {
        const PictureSizeCheck r = CheckPictureSize(c.w, c.h);
        EXPECT_EQ(r.ok, c.ok) << c.w << "x" << c.h;
        EXPECT_EQ(r.reason.isEmpty(), c.ok) << c.w << "x" << c.h;
    }
}

TEST(PictureSize, ResizeCutsOrAddsWhiteMargins)
{
    const QImage original = Numbered(4, 3);
    const QImage larger = ResizeCanvas(original, QSize(6, 5));
    ASSERT_EQ(larger.size(), QSize(6, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(larger.pixel(x, y), x < 4 && y < 3 ? original.pixel(x, y) : 0xffffffffu);
    EXPECT_EQ(ResizeCanvas(original, QSize(2, 2)), original.copy(0, 0, 2, 2));
    EXPECT_TRUE(ResizeCanvas(original, QSize(0, 2)).isNull());
    EXPECT_TRUE(ResizeCanvas(original, QSize(40000, 2)).isNull());
}

TEST(ZoomMath, StepsRoundEachTimeAndDrawingFollowsTheStretch)
{
    const int in[] = {100, 120, 144, 173, 208};
    for (int i = 0; i + 1 < 5; ++i) {
        EXPECT_EQ(ZoomInSize(QSize(in[i], in[i])).width(), in[i + 1]);
        EXPECT_EQ(ZoomOutSize(QSize(in[i + 1], in[i + 1])).width(), in[i]);
    }
    EXPECT_EQ(ZoomInSize(QSize(1, 2)), QSize(1, 2));
    EXPECT_EQ(ZoomOutSize(QSize(1, 2)), QSize(1, 2));

    const QSize picture(100, 50);
    CanvasView view = FollowPicture(CanvasView{}, picture);
    EXPECT_EQ(view.controlSize, picture);
    EXPECT_EQ(ControlToPicture({37, 21}, view, picture), QPoint(37, 21));

    view = ZoomIn(view);
    EXPECT_TRUE(view.stretch);
    EXPECT_FALSE(view.autoSize);
    EXPECT_EQ(view.controlSize, QSize(120, 60));
    view = ActualSize(view, picture);
    EXPECT_FALSE(view.stretch);
    EXPECT_EQ(FollowPicture(view, QSize(10, 10)).controlSize, picture);
    EXPECT_EQ(BestFit(view, QSize(465, 420)).controlSize, QSize(465, 420));

    view = BestFit(view, QSize(200, 100));
    EXPECT_EQ(ControlToPicture({199, 99}, view, picture), QPoint(99, 49));
    EXPECT_EQ(ControlToPicture({-1, -1}, view, picture), QPoint(-1, -1));
    EXPECT_EQ(ControlToPicture({10, 7}, view, picture), QPoint(5, 3));
    EXPECT_TRUE(PictureToControl(QRect(5, 3, 1, 1), view, picture).contains(QRect(10, 6, 2, 2)));
    view = BestFit(view, QSize(50, 25));
    EXPECT_EQ(ControlToPicture({10, 10}, view, picture), QPoint(20, 20));
}
