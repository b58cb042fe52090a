#include "support/MainWindowFixture.h"

#include "editing/FontColorDialog.h"
#include "editing/PictureSize.h"
#include "editing/TFrmPicParam.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace tiv;

namespace {

struct CanvasFlow : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        fakes.screen.desktop = pattern(120, 90);
        w->show();
    }

    void press(QPoint at) { canvasMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void moveTo(QPoint at, Qt::MouseButtons held = Qt::LeftButton) { canvasMouse(QEvent::MouseMove, at, Qt::NoButton, held); }
    void releaseAt(QPoint at) { canvasMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        moveTo((from + to) / 2);
        moveTo(to);
        releaseAt(to);
    }

    void showPicture(const QImage &picture)
    {
        w->ImgMain->setPicture(CanvasPicture::bitmap(picture));
        w->ImgMain->sizeToPicture();
    }
    const QImage &picture() const { return w->ImgMain->picture().image; }

    static QImage white(int width, int height)
    {
        QImage img(width, height, QImage::Format_RGB32);
        img.fill(Qt::white);
        return img;
    }
    static int nonWhite(const QImage &img, const QRect &area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += img.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    }

    void resizeTo(const QString &width, const QString &height)
    {
        onNextModal([width, height](QWidget *m) {
            auto *dialog = qobject_cast<TFrmPicParam *>(m);
            ASSERT_TRUE(dialog);
            dialog->EdtPicWidth->setText(width);
            dialog->EdtPicHeight->setText(height);
            dialog->BtnConfirm->click();
        });
        w->BtnSetPicParamClick();
    }
    QStringList savedPictures() const
    {
        return QDir(w->PictureFolder).entryList(QDir::Files, QDir::Name);
    }
};

}  // namespace

TEST_F(CanvasFlow, RegionCaptureCropsToTheDragAndSavesIt)
{
    w->CbPicFomat->setCurrentIndex(w->CbPicFomat->findText(QStringLiteral(".png")));
    w->GrabMenuClick();
    ASSERT_EQ(w->ToolMode, 5);

    // A click without a drag selects nothing: the frozen desktop stays for another try.
    press(QPoint(20, 20));
    releaseAt(QPoint(20, 20));
    EXPECT_EQ(w->ToolMode, 5);
    EXPECT_EQ(picture(), fakes.screen.desktop);
    EXPECT_TRUE(w->borderless());
    EXPECT_TRUE(savedPictures().isEmpty());

    // Dragged up and to the left; the band never reaches the saved picture.
    drag(QPoint(50, 40), QPoint(10, 8));
    const QImage expected = fakes.screen.desktop.copy(10, 8, 40, 32);
    EXPECT_EQ(picture(), expected);
    EXPECT_EQ(w->ImgMain->size(), QSize(40, 32));
    EXPECT_EQ(w->ToolMode, 0);
    EXPECT_TRUE(w->ChromeShown);
    EXPECT_FALSE(w->borderless());
    ASSERT_EQ(savedPictures(), QStringList{QStringLiteral("1.png")});
    const QString saved = QDir(w->PictureFolder).filePath(QStringLiteral("1.png"));
    EXPECT_EQ(QImage(saved).convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(QDir::cleanPath(w->CurrentPicturePath), QDir::cleanPath(saved));

    // Continuous capture saves the next region, hides the window and stays ready for another.
    w->BtnContinueCut2Click();
    w->GrabMenuClick();
    drag(QPoint(100, 80), QPoint(110, 85));
    EXPECT_EQ(picture(), fakes.screen.desktop.copy(100, 80, 10, 5));
    EXPECT_EQ(w->ToolMode, 5);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(savedPictures(), (QStringList{QStringLiteral("1.png"), QStringLiteral("2.png")}));
}

TEST_F(CanvasFlow, ShapesLandWhereDraggedOnAZoomedCanvas)
{
    showPicture(white(100, 80));
    w->BtnZoomInClick();
    w->BtnZoomInClick();
    ASSERT_EQ(w->ImgMain->size(), QSize(144, 115));
    EXPECT_TRUE(w->ImgMain->stretch());

    moveTo(QPoint(72, 57), Qt::NoButton);
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("图片实际宽度为100,实际高度为80,鼠标所在图片的坐标:[50,39]"));

    w->BtnAddRECTClick();
    press(QPoint(36, 29));
    moveTo(QPoint(130, 100));
    moveTo(QPoint(72, 57));
    EXPECT_GT(nonWhite(picture(), picture().rect()), 0) << "the band shows while dragging";
    moveTo(QPoint(108, 86));
    releaseAt(QPoint(108, 86));
    EXPECT_EQ(w->ToolMode, 0);
    // Control (36,29)-(108,86) is picture (25,20)-(75,59): an outline of 50 x 39 pixels in red.
    const QImage &p = picture();
    EXPECT_EQ(p.pixel(25, 20), qRgb(255, 0, 0));
    EXPECT_EQ(p.pixel(74, 58), qRgb(255, 0, 0));
    EXPECT_EQ(p.pixel(75, 20), qRgb(255, 255, 255));
    EXPECT_EQ(p.pixel(24, 58), qRgb(255, 255, 255));
    EXPECT_EQ(nonWhite(p, p.rect()), 2 * 50 + 2 * 39 - 4) << "earlier bands were erased";
    EXPECT_EQ(p.size(), QSize(100, 80));

    w->BtnZoomClick();
    EXPECT_EQ(w->ImgMain->size(), QSize(100, 80));
    EXPECT_FALSE(w->ImgMain->stretch());
    w->BtnZoomoutClick();
    EXPECT_EQ(w->ImgMain->size(), QSize(83, 67));
    w->BtnFileScreenClick();
    EXPECT_EQ(w->ImgMain->size(), w->PnlPic->contentsRect().size());
    EXPECT_TRUE(w->ImgMain->stretch());
    EXPECT_EQ(picture().size(), QSize(100, 80)) << "zoom never touches the pixels";
}

TEST_F(CanvasFlow, TextGoesInThroughTheBoxAndStepsBackOut)
{
    const QImage before = white(200, 150);
    showPicture(before);
    w->BtnAddTextClick();
    drag(QPoint(20, 30), QPoint(150, 90));
    ASSERT_TRUE(w->MemoText->isVisible());
    EXPECT_EQ(w->MemoText->geometry(), QRect(20, 30, 130, 60));
    EXPECT_EQ(w->ToolMode, 0);
    EXPECT_EQ(picture(), before) << "placing the box draws nothing";

    w->MemoText->setPlainText(QStringLiteral("AB\nCD"));
    press(QPoint(5, 5));  // an idle click commits the open box
    releaseAt(QPoint(5, 5));
    EXPECT_FALSE(w->MemoText->isVisible());
    EXPECT_TRUE(w->MemoText->toPlainText().isEmpty());
    EXPECT_EQ(w->HistoryPosition(), 1);
    EXPECT_GT(nonWhite(picture(), QRect(20, 30, 60, 15)), 0) << "first line";
    EXPECT_GT(nonWhite(picture(), QRect(20, 45, 60, 15)), 0) << "second line, 15 pixels lower";
    EXPECT_EQ(nonWhite(picture(), QRect(0, 0, 200, 30)) + nonWhite(picture(), QRect(0, 0, 20, 150)), 0);

    const QImage withText = picture();
    w->BtnReurnPicClick();
    EXPECT_EQ(picture(), before);
    EXPECT_EQ(w->HistoryPosition(), 0);
    w->BtnReurnPicClick();
    EXPECT_EQ(w->HistoryPosition(), 0) << "nothing further back";
    w->BtnBackupForeClick();
    EXPECT_EQ(w->HistoryPosition(), 1);

    // More saves than slots: the latest four stay, so stepping back after a commit still works.
    for (int i = 0; i < 5; ++i)
        w->BtnAddTextOkClick();
    EXPECT_EQ(w->HistoryPosition(), 4);
    showPicture(withText);
    w->MemoText->setPlainText(QStringLiteral("EF"));
    w->MemoText->show();
    w->CommitPendingText();
    EXPECT_NE(picture(), withText);
    w->BtnReurnPicClick();
    EXPECT_EQ(picture(), withText);
}

TEST_F(CanvasFlow, AStepThatFindsNoMemoryForItsSnapshotKeepsTheOlderOnes)
{
    const QImage before = white(100, 80);
    showPicture(before);
    w->MemoText->setPlainText(QStringLiteral("AB"));
    w->MemoText->show();
    w->CommitPendingText();
    ASSERT_EQ(w->HistoryPosition(), 1);
    const QImage withAB = picture();

    w->History.snapshotByteLimit = 100 * 80 * 4 - 1;
    w->MemoText->setPlainText(QStringLiteral("CD"));
    w->MemoText->move(10, 40);
    w->MemoText->show();
    w->CommitPendingText();
    EXPECT_NE(picture(), withAB) << "the text is still drawn";
    EXPECT_EQ(w->HistoryPosition(), 1) << "the history is as it was";
    EXPECT_TRUE(w->PnlHint->text().startsWith(QStringLiteral("内存不足")));

    w->BtnReurnPicClick();
    EXPECT_EQ(picture(), before) << "the older snapshot still restores";
}

TEST_F(CanvasFlow, AnInterruptedDragLeavesNoMarkOnAnyPicture)
{
    // A capture while the button is still held: the band of the old picture never reaches the new.
    showPicture(white(100, 80));
    w->BtnAddRECTClick();
    press(QPoint(10, 10));
    moveTo(QPoint(60, 50));
    ASSERT_GT(nonWhite(picture(), picture().rect()), 0);
    w->CaptureFullScreen();
    EXPECT_EQ(picture(), fakes.screen.desktop);
    moveTo(QPoint(70, 60));
    releaseAt(QPoint(70, 60));
    EXPECT_EQ(picture(), fakes.screen.desktop);

    // Esc while dragging takes the band away at once; the release then draws nothing.
    showPicture(white(100, 80));
    w->BtnAddCircleClick();
    press(QPoint(10, 10));
    moveTo(QPoint(60, 50));
    release(Qt::Key_Escape);
    EXPECT_EQ(nonWhite(picture(), picture().rect()), 0);
    moveTo(QPoint(80, 70));
    releaseAt(QPoint(80, 70));
    EXPECT_EQ(nonWhite(picture(), picture().rect()), 0);
    EXPECT_EQ(w->ToolMode, 0);
}

TEST_F(CanvasFlow, PicturesThatAreNotBitmapsAreNeverEdited)
{
    CanvasPicture icon;
    icon.kind = CanvasPicture::Kind::Foreign;
    icon.image = pattern(32, 32);
    icon.foreignData = QByteArray("icon bytes");
    w->ImgMain->setPicture(icon);
    w->ImgMain->sizeToPicture();

    press(QPoint(3, 3));
    releaseAt(QPoint(3, 3));
    EXPECT_EQ(w->ImgMain->picture().kind, CanvasPicture::Kind::Foreign);
    EXPECT_EQ(picture(), icon.image);
    EXPECT_EQ(w->HistoryPosition(), 0);

    QString said;
    onNextModal([&said](QWidget *m) {
        said = qobject_cast<QMessageBox *>(m)->text();
        static_cast<QDialog *>(m)->accept();
    });
    w->BtnAddLineClick();
    press(QPoint(3, 3));
    EXPECT_TRUE(said.startsWith(QStringLiteral("很抱歉，本软件只能编辑格式为bmp,jpg,jpeg的图片")));
    moveTo(QPoint(20, 20));
    releaseAt(QPoint(20, 20));
    EXPECT_EQ(picture(), icon.image);
}

TEST_F(CanvasFlow, PictureSizeCutsOrAddsWhiteMarginsAndRefusesNothing)
{
    const QDir run(home.filePath(QStringLiteral("run")));
    ASSERT_TRUE(QDir().mkpath(run.path()));
    qputenv("XDG_RUNTIME_DIR", run.path().toLocal8Bit());
    const QImage start = pattern(80, 60);
    showPicture(start);

    resizeTo(QStringLiteral("50"), QStringLiteral("40"));
    EXPECT_EQ(picture(), start.copy(0, 0, 50, 40));
    EXPECT_EQ(w->ImgMain->size(), QSize(50, 40));
    EXPECT_EQ(w->RestoreRect(), QRect(0, 0, 50, 40));
    EXPECT_TRUE(QFileInfo::exists(run.filePath(QStringLiteral("TIVrevudu/z.bmp"))));

    resizeTo(QStringLiteral("120"), QStringLiteral("100"));
    ASSERT_EQ(picture().size(), QSize(120, 100));
    EXPECT_EQ(picture().copy(0, 0, 50, 40), start.copy(0, 0, 50, 40));
    EXPECT_EQ(nonWhite(picture(), QRect(50, 0, 70, 100)) + nonWhite(picture(), QRect(0, 40, 120, 60)), 0);

    resizeTo(QStringLiteral("0"), QStringLiteral("100"));
    EXPECT_EQ(picture().size(), QSize(120, 100));
    EXPECT_EQ(w->PnlHint->text(), CheckPictureSize(0, 100).reason);

    // Zoomed, the dialog proposes the control's size; closing it still resizes to that.
    showPicture(start);
    w->BtnZoomInClick();
    QString proposed;
    onNextModal([&proposed](QWidget *m) {
        auto *dialog = qobject_cast<TFrmPicParam *>(m);
        proposed = dialog->EdtPicWidth->displayText() + u'x' + dialog->EdtPicHeight->displayText();
        dialog->BtnClose->click();
    });
    w->BtnSetPicParamClick();
    EXPECT_EQ(proposed, QStringLiteral("96      x72      "));
    EXPECT_EQ(picture().size(), QSize(96, 72));
    EXPECT_EQ(w->ImgMain->size(), QSize(96, 72));
}

TEST_F(CanvasFlow, PopUpMenuFollowsWhereThePressWasAndTheFontDialogSetsThePen)
{
    showPicture(white(100, 80));
    w->MemoText->show();
    QMouseEvent onBox(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w->MemoText->viewport(), &onBox);
    EXPECT_EQ(w->PopupFromTextBox, 1);
    w->PmFontPopup();
    EXPECT_FALSE(w->PnAddText->isVisible());
    EXPECT_TRUE(w->PmConfirmAddText->isVisible() && w->PmCancelAddText->isVisible() && w->PmReturn->isVisible());
    press(QPoint(50, 50));
    EXPECT_EQ(w->PopupFromTextBox, 0);
    w->PmFontPopup();
    EXPECT_TRUE(w->PnAddText->isVisible());
    EXPECT_FALSE(w->PmConfirmAddText->isVisible() || w->PmCancelAddText->isVisible() || w->PmReturn->isVisible());

    const QFont before = w->MemoText->font();
    onNextModal([](QWidget *m) {
        auto *dialog = qobject_cast<FontColorDialog *>(m);
        ASSERT_TRUE(dialog);
        dialog->setColour(Qt::blue);
        dialog->reject();
    });
    w->N11Click();
    EXPECT_EQ(w->TextColor, QColor(Qt::red)) << "cancel changes nothing";
    onNextModal([](QWidget *m) {
        auto *dialog = qobject_cast<FontColorDialog *>(m);
        ASSERT_TRUE(dialog);
        dialog->setColour(Qt::blue);
        dialog->accept();
    });
    w->BtnFontSetClick();
    EXPECT_EQ(w->TextColor, QColor(Qt::blue));
    EXPECT_EQ(w->MemoText->font().family(), before.family());

    // The new colour is the pen of the next shape.
    w->BtnAddLineClick();
    drag(QPoint(10, 10), QPoint(40, 10));
    EXPECT_EQ(picture().pixel(20, 10), qRgb(0, 0, 255));
}
