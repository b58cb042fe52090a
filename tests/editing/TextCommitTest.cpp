#include "editing/EditHistory.h"
#include "editing/TextCommit.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QImage>

using namespace tiv;

namespace {

// The test main provides the application object that fonts need.
using TextCommitTest = ::testing::Test;

const QRgb Grey = 0xff808080u;
const QSize Size(120, 90);

QImage Filled(QSize s, QRgb c)
{
    QImage img(s, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// First rows of each run of rows that hold anything but the background.
std::vector<int> InkRunStarts(const QImage &img, QRgb background)
{
    std::vector<int> starts;
    bool inInk = false;
    for (int y = 0; y < img.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < img.width() && !ink; ++x)
            ink = img.pixel(x, y) != background;
        if (ink && !inInk)
            starts.push_back(y);
        inInk = ink;
    }
    return starts;
}

}  // namespace

TEST_F(TextCommitTest, LinesAreDrawnAtFontSizePlusFourApart)
{
    QFont font("DejaVu Sans");
    font.setPointSize(12);
    EXPECT_EQ(TextLineStep(font), 16);
    EXPECT_EQ(TextLineStep(QFont("DejaVu Sans", 11)), 15);
    EXPECT_EQ(CanvasFont(font).pixelSize(), 16);

    const int top = 20;
    QImage img = Filled(Size, Grey);
    const TextBoxContent box{{10, top}, {"HHH", "HHH", "HHH"}, font, Qt::red};
    const QRect drawn = DrawTextLines(img, box);

    const auto starts = InkRunStarts(img, Grey);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[1] - starts[0], 16);
    EXPECT_EQ(starts[2] - starts[0], 32);
    EXPECT_GE(starts[0], top);
    EXPECT_LT(starts[0], top + 16);
    bool red = false;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (p == Grey)
                continue;
            EXPECT_TRUE(drawn.contains(x, y)) << x << "," << y;
            EXPECT_GE(x, 10);
            red = red || (qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80);
        }
    }
    EXPECT_TRUE(red);
}

TEST_F(TextCommitTest, BoxLinesAndPlacement)
{
    const QFont font("DejaVu Sans", 12);
    EXPECT_EQ(TextBoxLines("one\n\ntwo", font, 500), QStringList({"one", "", "two"}));
    EXPECT_EQ(TextBoxLines("wrap these words", font, 60).join(QString()), QString("wrap these words"));
    EXPECT_GT(TextBoxLines("wrap these words", font, 60).size(), 1);

    const QRect previous(72, 263, 185, 74);
    EXPECT_EQ(PlaceTextBox(previous, {5, 6}, {50, 40}), QRect(5, 6, 45, 34));
    EXPECT_EQ(PlaceTextBox(previous, {5, 6}, {15, 40}), QRect(5, 6, 185, 34));
    EXPECT_EQ(PlaceTextBox(previous, {5, 6}, {50, 16}), QRect(5, 6, 45, 74));
}

TEST_F(TextCommitTest, OnlyBitmapsAreSavedAndDrawnOn)
{
    const TextBoxContent box{{1, 1}, {"abc"}, QFont("DejaVu Sans", 12), Qt::red};
    EditHistory h;
    CanvasPicture foreign;
    foreign.kind = CanvasPicture::Kind::Foreign;
    foreign.image = Filled(Size, Grey);
    foreign.foreignData = "GIF89a";
    EXPECT_EQ(CommitText(foreign, h, Size, box), TextCommitResult::NotEditable);
    EXPECT_EQ(foreign.image, Filled(Size, Grey));
    EXPECT_EQ(foreign.foreignData, QByteArray("GIF89a"));

    CanvasPicture empty;
    EXPECT_EQ(CommitText(empty, h, Size, box), TextCommitResult::NotEditable);
    EXPECT_TRUE(empty.isEmpty() && h.position() == 0);

    // An empty box draws nothing but still leaves a step to go back to.
    CanvasPicture bitmap = CanvasPicture::bitmap(Filled(Size, Grey));
    EXPECT_EQ(CommitText(bitmap, h, Size, TextBoxContent{{1, 1}, {}, box.font, Qt::red}),
              TextCommitResult::Drawn);
    EXPECT_EQ(h.position(), 1);
    EXPECT_EQ(bitmap.image, Filled(Size, Grey));

    // Stepping back right after a commit takes the text away again.
    EXPECT_EQ(CommitText(bitmap, h, Size, box), TextCommitResult::Drawn);
    EXPECT_NE(bitmap.image, Filled(Size, Grey));
    h.stepBack(bitmap.image);
    EXPECT_EQ(bitmap.image, Filled(Size, Grey));
}
