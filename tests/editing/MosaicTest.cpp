#include "editing/Mosaic.h"
#include "support/MainWindowFixture.h"

#include <QMenu>
#include <QRandomGenerator>

using namespace tiv;

namespace {

QImage Noise(QSize size, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    return img;
}

// Another picture whose blocks have the same averages: inside each block, pairs of pixels trade
// some of their value, so the sums stay and every pixel differs.
QImage SameAverages(const QImage &original, QRect area, int block)
{
    QImage other = original.copy();
    for (int top = area.top(); top <= area.bottom(); top += block)
        for (int left = area.left(); left <= area.right(); left += block) {
            const QRect cell = QRect(left, top, block, block) & area;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x + 1 <= cell.right(); x += 2) {
                    const QRgb a = other.pixel(x, y), b = other.pixel(x + 1, y);
                    // The pair swaps pixels, which keeps every channel's sum.
                    other.setPixel(x, y, b);
                    other.setPixel(x + 1, y, a);
                }
        }
    return other;
}

}  // namespace

// What is hidden depends on the block averages alone: two pictures that differ everywhere inside
// the area but share its block averages give the same pixels, and the pixels outside stay as they
// were; for both styles.
TEST(Mosaic, HiddenPixelsDependOnlyOnBlockAverages)
{
    const QRect area(5, 3, 50, 37);
    const int block = 8;
    const QImage original = Noise(QSize(64, 48), 7);
    const QImage twin = SameAverages(original, area, block);
    ASSERT_NE(original, twin);
    for (MosaicStyle style : {MosaicStyle::Pixelate, MosaicStyle::Blur}) {
        QImage a = original, b = twin;
        EXPECT_EQ(ApplyMosaic(a, area, block, style), area);
        ApplyMosaic(b, area, block, style);
        EXPECT_EQ(a, b);
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (!area.contains(x, y)) {
                    ASSERT_EQ(a.pixel(x, y), original.pixel(x, y));
                }
            }
        }
    }
    // Each pixelated block is one colour, the rounded average of its pixels; the cut-short last
    // block of a row averages only what it covers.
    QImage a = original;
    ApplyMosaic(a, area, block, MosaicStyle::Pixelate);
    const QRect last(53, 3, 2, 8);
    int red = 0;
    for (int y = last.top(); y <= last.bottom(); ++y)
        for (int x = last.left(); x <= last.right(); ++x)
            red += qRed(original.pixel(x, y));
    for (int y = last.top(); y <= last.bottom(); ++y)
        for (int x = last.left(); x <= last.right(); ++x)
            ASSERT_EQ(qRed(a.pixel(x, y)), (red + 8) / 16);
    EXPECT_EQ(ApplyMosaic(a, QRect(100, 100, 5, 5), block, MosaicStyle::Pixelate), QRect());
}

// The tool on the running window: a drag hides its rectangle, the saved file holds the hidden
// pixels, and each mosaic is a step of the history, as a text is.
TEST_F(ShownWindowWithFolder, MosaicToolIsOneStepOfTheHistory)
{
    const QImage original = pattern(120, 90);
    w->ImgMain->setPicture(CanvasPicture::bitmap(original));
    w->ImgMain->sizeToPicture();
    const QList<QAction *> choices = w->MnMosaic->actions();
    ASSERT_EQ(choices.size(), 5);
    choices[2]->trigger();  // blocks of 16
    dragOnCanvas({10, 10}, {58, 42});
    EXPECT_EQ(w->ToolMode, 0);
    QImage first = original;
    ApplyMosaic(first, QRect(QPoint(10, 10), QPoint(58, 42)), 16, MosaicStyle::Pixelate);
    EXPECT_EQ(w->ImgMain->picture().image, first);

    const QString path = folder + QStringLiteral("/masked.png");
    ASSERT_TRUE(w->SavePicture(path));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), first);

    choices[4]->trigger();  // blur
    dragOnCanvas({60, 50}, {110, 80});
    EXPECT_NE(w->ImgMain->picture().image, first);
    w->BtnReurnPic->click();
    EXPECT_EQ(w->ImgMain->picture().image, first);
    w->BtnReurnPic->click();
    EXPECT_EQ(w->ImgMain->picture().image, original);
    w->BtnBackupFore->click();
    w->BtnBackupFore->click();
    EXPECT_EQ(w->ImgMain->picture().image, first);
}
