#include "support/MainWindowFixture.h"

#include "capture/HotkeyTable.h"
#include "codecs/BmpCodec.h"
#include "editing/TFrmWaterMarkSet.h"
#include "editing/Watermark.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include <functional>

using namespace tiv;

namespace {

struct WatermarkWindow : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        w->show();
    }
    TFrmWaterMarkSet *dialog() const { return w->FrmWaterMarkSet; }

    // Runs `act` on the next modal dialog the program opens (message boxes excepted).
    void onModal(std::function<void(QWidget *)> act)
    {
        auto *poll = new QTimer(w.get());
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && !qobject_cast<QMessageBox *>(modal)) {
                poll->stop();
                poll->deleteLater();
                act(modal);
            }
        });
        poll->start(5);
    }

    // A picture folder holding 1.bmp, listed with 1.bmp as the current entry.
    QString listedBmp(const QImage &picture)
    {
        QDir().mkpath(pictureFolder());
        const QString path = pictureFolder() + QStringLiteral("/1.bmp");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodeBmp(picture));
        file.close();
        w->EdtPicPath->setText(pictureFolder());
        w->FillPictureList();
        w->BitmapListBox->setCurrentIndex(w->BitmapListModel->index(0));
        return path;
    }
    static QImage stamped(QImage picture, const QString &text, int transparent)
    {
        BlendWatermark(picture, TextWatermark(text), transparent);
        return picture;
    }
};

}  // namespace

TEST_F(WatermarkWindow, CapturesCarryTheConfiguredMarkOnlyWhenOneIsChosen)
{
    fakes.screen.desktop = pattern(160, 90);
    ASSERT_EQ(w->WatermarkType, WatermarkNoMark);
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop);

    w->WatermarkType = WatermarkTextMark;
    w->WatermarkText = QStringLiteral("TIV");
    w->WaterMarkTransparent = 30;  // out of range in the file: blended as 10
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image, stamped(fakes.screen.desktop, QStringLiteral("TIV"), 10));

    // A picture mark comes from the settings window's preview.
    w->WatermarkType = WatermarkPictureMark;
    w->WaterMarkTransparent = 10;
    dialog()->ImgWatermark->setPicture(CanvasPicture::bitmap(pattern(12, 9, 77)));
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image.copy(138, 71, 12, 9), pattern(12, 9, 77));
    EXPECT_EQ(w->ImgMain->picture().image.copy(0, 0, 138, 71), fakes.screen.desktop.copy(0, 0, 138, 71));
}

TEST_F(WatermarkWindow, SettingsWindowStoresWhatItShowsOnEveryClose)
{
    ASSERT_TRUE(dialog()) << "made at start-up";
    w->WatermarkText = QStringLiteral("mark");
    w->WatermarkType = WatermarkPictureMark;
    w->WatermarkImgPath = QStringLiteral("/nowhere/mark.png");
    w->WaterMarkTransparent = 3;
    w->LoadWatermarkDialog();
    EXPECT_EQ(dialog()->LbTrans->text(), QStringLiteral("3"));
    dialog()->show();
    dialog()->BtnCloseClick();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(w->WatermarkText, QStringLiteral("mark"));
    EXPECT_EQ(w->WatermarkType, WatermarkPictureMark);
    EXPECT_EQ(w->WatermarkImgPath, QStringLiteral("/nowhere/mark.png"));
    EXPECT_EQ(w->WaterMarkTransparent, 3);

    // Edits are kept by the close box as well; there is no cancel.
    w->LoadWatermarkDialog();
    dialog()->show();
    dialog()->SbTransparent->setValue(9);
    EXPECT_EQ(dialog()->LbTrans->text(), QStringLiteral("9"));
    dialog()->EdtWatermark->setText(QStringLiteral("other"));
    dialog()->close();
    EXPECT_EQ(w->WaterMarkTransparent, 9);
    EXPECT_EQ(w->WatermarkText, QStringLiteral("other"));

    // An unknown type shows with the text mark selected; an out-of-range step comes back in range.
    w->WatermarkType = 7;
    w->WaterMarkTransparent = 40;
    w->LoadWatermarkDialog();
    dialog()->show();
    dialog()->close();
    EXPECT_EQ(w->WatermarkType, WatermarkTextMark);
    EXPECT_EQ(w->WaterMarkTransparent, 10);
}

TEST_F(WatermarkWindow, AddWatermarkStampsTheListedFileAndNeverAnotherPicture)
{
    const QImage original = pattern(90, 60, 5);
    const QString path = listedBmp(original);
    w->WatermarkType = WatermarkTextMark;
    w->WatermarkText = QStringLiteral("ok");

    // An empty canvas: nothing is written.
    ASSERT_TRUE(w->ImgMain->picture().isEmpty());
    w->BtnAddWatermarkClick();
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), original);

    // A fresh capture on the canvas: the listed file is loaded, stamped and saved, not the capture.
    fakes.screen.desktop = pattern(70, 50, 99);
    w->BtnContinueCut2Click();
    w->CaptureFullScreen();
    w->BitmapListBox->setCurrentIndex(w->BitmapListModel->index(w->BitmapListModel->stringList().indexOf("1.bmp")));
    w->BtnAddWatermarkClick();
    const QImage once = stamped(original, QStringLiteral("ok"), 8);
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), once);
    EXPECT_EQ(w->ImgMain->picture().image, once);
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("已保存图片为") + path);

    // The canvas holds that file with an edit: the edit is kept and stamped over.
    w->ImgMain->picture().image.setPixel(0, 0, qRgb(1, 2, 3));
    w->BtnAddWatermarkClick();
    QImage twice = once;
    twice.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), stamped(twice, QStringLiteral("ok"), 8));
}

TEST_F(WatermarkWindow, AddWatermarkWithoutAMarkAsksForOneFirst)
{
    const QImage original = pattern(90, 60, 5);
    const QString path = listedBmp(original);
    w->BitmapListBoxClick();
    ASSERT_EQ(w->ImgMain->file(), path);

    // The window closes with no mark chosen: the file stays as it was.
    onModal([](QWidget *modal) { modal->close(); });
    w->BtnAddWatermarkClick();
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), original);

    // Choosing the text mark in the window stamps the file at once.
    w->BitmapListBox->setCurrentIndex({});
    onModal([](QWidget *modal) {
        auto *set = qobject_cast<TFrmWaterMarkSet *>(modal);
        ASSERT_TRUE(set);
        set->LbWatermarkType->setCurrentRow(WatermarkTextMark);
        set->EdtWatermark->setText(QStringLiteral("x"));
        set->BtnCloseClick();
    });
    w->WatermarkType = WatermarkNoMark;
    w->BtnAddWatermarkClick();
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), stamped(original, QStringLiteral("x"), 8));
}

TEST_F(WatermarkWindow, PictureMarkComesFromThePathAfterARestartAndAsTyped)
{
    const auto writeBmp = [this](const QString &name, const QByteArray &bytes) {
        QFile file(home.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString first = writeBmp(QStringLiteral("first.bmp"), EncodeBmp(pattern(12, 9, 77)));
    const QString second = writeBmp(QStringLiteral("second.bmp"), EncodeBmp(pattern(6, 4, 33)));
    const QString broken = writeBmp(QStringLiteral("broken.bmp"), QByteArray("BM not a picture"));
    w->WatermarkType = WatermarkPictureMark;
    w->WatermarkImgPath = first;
    w->WaterMarkTransparent = 10;
    start();
    w->show();
    fakes.screen.desktop = pattern(160, 90);
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image.copy(138, 71, 12, 9), pattern(12, 9, 77)) << "marked after a restart";

    // A path typed into the window counts once the window closes.
    w->LoadWatermarkDialog();
    dialog()->show();
    dialog()->EdtWatermarkIMGPath->setText(second);
    dialog()->close();
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image.copy(144, 76, 6, 4), pattern(6, 4, 33));

    // A picture that cannot be the mark is said beside the path, and no stale mark is stamped.
    const std::pair<QString, const char *> bad[] = {{home.filePath(QStringLiteral("gone.bmp")), "找不到水印图片"},
                                                    {broken, "无法读取水印图片"}};
    for (const auto &[path, said] : bad) {
        dialog()->show();
        dialog()->EdtWatermarkIMGPath->setText(path);
        dialog()->close();
        w->LoadWatermarkDialog();
        EXPECT_FALSE(dialog()->LbWatermarkImgState->isHidden());
        EXPECT_EQ(dialog()->LbWatermarkImgState->text(), QString::fromUtf8(said));
        w->CaptureFullScreen();
        EXPECT_EQ(w->ImgMain->picture().image, fakes.screen.desktop);
    }
    dialog()->show();
    dialog()->EdtWatermarkIMGPath->setText(first);
    dialog()->close();
    EXPECT_TRUE(dialog()->LbWatermarkImgState->isHidden());
}

TEST_F(WatermarkWindow, ACaptureKeepsTheWindowsEditsAndAddWatermarkSaysWhyItCannot)
{
    w->BtnAddWatermarkClick();
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("没有可加水印的图片，请先截图或选择图片"));

    // The region hotkey hides the open window: what was typed is kept.
    w->LoadWatermarkDialog();
    dialog()->show();
    dialog()->EdtWatermark->setText(QStringLiteral("typed"));
    w->HotkeyMessage(HotkeyRegion);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(w->WatermarkText, QStringLiteral("typed"));
    w->LeaveCaptureMode();

    // The same while "加入水印" waits for a mark: the capture's frozen desktop is not stamped
    // into the listed file.
    const QImage original = pattern(90, 60, 5);
    const QString path = listedBmp(original);
    w->BitmapListBoxClick();
    w->WatermarkType = WatermarkNoMark;
    onModal([this](QWidget *) {
        dialog()->LbWatermarkType->setCurrentRow(WatermarkTextMark);
        dialog()->EdtWatermark->setText(QStringLiteral("chosen"));
        w->HotkeyMessage(HotkeyRegion);
    });
    w->BtnAddWatermarkClick();
    EXPECT_EQ(w->WatermarkType, WatermarkTextMark);
    EXPECT_EQ(w->WatermarkText, QStringLiteral("chosen"));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), original);
    w->LeaveCaptureMode();
}
