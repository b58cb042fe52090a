#include "editing/EditHistory.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace tiv;

namespace {

QImage Filled(QSize s, QRgb c)
{
    QImage img(s, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

const QSize Size(6, 4);

}  // namespace

TEST(EditHistory, StepsThroughTwoCommitsAndBackAgain)
{
    const QRgb s0 = 0xff110000u, s1 = 0xff002200u, s2 = 0xff000033u;
    EditHistory h;
    QImage canvas = Filled(Size, s0);
    EXPECT_FALSE(h.stepBack(canvas));
    EXPECT_EQ(h.position(), 0);

    h.save(canvas, Size);
    canvas.fill(s1);
    h.save(canvas, Size);
    canvas.fill(s2);
    EXPECT_EQ(h.position(), 2);

    struct Step {
        bool back, moves;
        QRgb shows;
        int position;
    } steps[] = {
        {true, true, s1, 1},  {true, true, s0, 0},   {true, false, s0, 0},
        {false, true, s0, 1}, {false, true, s1, 2},  {false, false, s1, 2},
    };
    for (const Step &s : steps) {
        EXPECT_EQ(s.back ? h.stepBack(canvas) : h.stepForward(canvas), s.moves);
        EXPECT_EQ(canvas, Filled(Size, s.shows));
        EXPECT_EQ(h.position(), s.position);
    }
}

TEST(EditHistory, KeepsTheLatestFourSaves)
{
    QImage canvas = Filled(Size, 0xff000000u);
    EditHistory h;
    for (QRgb c = 1; c <= 6; ++c) {
        h.save(canvas, Size);
        canvas.fill(0xff000000u | c);
    }
    EXPECT_EQ(h.position(), EditHistory::SlotCount);
    EXPECT_FALSE(h.stepForward(canvas));
    for (QRgb c = 5; c >= 2; --c) {
        ASSERT_TRUE(h.stepBack(canvas));
        EXPECT_EQ(canvas, Filled(Size, 0xff000000u | c));
    }
    EXPECT_FALSE(h.stepBack(canvas));

    // A save after stepping back starts a new line of history.
    h.stepForward(canvas);
    h.save(canvas, Size);
    EXPECT_FALSE(h.stepForward(canvas));
    EXPECT_EQ(h.position(), 2);
}

TEST(EditHistory, RestoresOnlyTheRestoreArea)
{
    EditHistory h;
    QImage canvas = Filled(Size, 0xffffffffu);
    // A zoomed-out control covers only the top-left of the picture.
    h.save(canvas, QSize(3, 2));
    canvas.fill(0xff000000u);
    h.stepBack(canvas);
    EXPECT_EQ(canvas.pixel(2, 1), 0xffffffffu);
    EXPECT_EQ(canvas.pixel(3, 1), 0xff000000u);
    EXPECT_EQ(canvas.pixel(2, 2), 0xff000000u);

    // After a size change the area is the new size; the picture's own size never changes.
    h.save(canvas, Size);
    h.setRestoreRect(QRect(0, 0, 1, 1));
    QImage bigger = Filled(QSize(8, 8), 0xff00ff00u);
    h.stepBack(bigger);
    EXPECT_EQ(bigger.size(), QSize(8, 8));
    EXPECT_EQ(bigger.pixel(0, 0), 0xffffffffu);
    EXPECT_EQ(bigger.pixel(1, 0), 0xff00ff00u);
}
