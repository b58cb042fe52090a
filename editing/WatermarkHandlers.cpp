// The watermark commands of the main window: the automatic mark on every capture, stamping the
// current list picture and the settings window.
#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "editing/ImageControl.h"
#include "editing/TFrmWaterMarkSet.h"
#include "editing/Watermark.h"
#include "files/LoadPictureFile.h"
#include "files/PicturePath.h"
#include "text/InterfaceText.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

namespace tiv {

namespace {

// Said in the hint line when the command has no picture to stamp or no file to save it to.
constexpr const char *kNothingToWatermark = "没有可加水印的图片，请先截图或选择图片";

}  // namespace

TFrmWaterMarkSet *TFrmMain::WatermarkDialog()
{
    if (!FrmWaterMarkSet) {
        FrmWaterMarkSet = new TFrmWaterMarkSet(*this);
        // The window is made at start-up: a picture mark must be there for the first capture,
        // not only once the window has been opened.
        if (WatermarkType == WatermarkPictureMark)
            FrmWaterMarkSet->LoadWatermarkPicture(WatermarkImgPath);
    }
    return FrmWaterMarkSet;
}

void TFrmMain::HideWatermarkSettings()
{
    // Closed, not just hidden, so that what the user typed is kept as on any other close.
    if (FrmWaterMarkSet && FrmWaterMarkSet->isVisible())
        FrmWaterMarkSet->done(TFrmWaterMarkSet::ClosedForCapture);
}

QRect TFrmMain::RenderWatermark(QImage &target)
{
    QImage mark;
    if (WatermarkType == WatermarkTextMark) {
        mark = TextWatermark(WatermarkText);
    } else if (WatermarkType == WatermarkPictureMark && FrmWaterMarkSet) {
        ImageControl *source = FrmWaterMarkSet->ImgWatermark;
        // A picture the editor cannot hold as a bitmap gives no mark, and the preview lets it go.
        if (source->picture().isBitmap())
            mark = source->picture().image;
        else
            source->setPicture({});
    }
    return BlendWatermark(target, mark, WaterMarkTransparent);
}

void TFrmMain::ApplyAutoWatermark(ImageControl *control)
{
    CatchAll([&] {
        CanvasPicture &picture = control->picture();
        if (!picture.isBitmap())
            return;
        const QRect changed = RenderWatermark(picture.image);
        if (!changed.isEmpty())
            control->pictureChanged(changed);
    });
}

void TFrmMain::LoadWatermarkDialog()
{
    TFrmWaterMarkSet *dialog = WatermarkDialog();
    dialog->EdtWatermark->setText(WatermarkText);
    dialog->LbWatermarkType->setCurrentRow(WatermarkType);
    dialog->EdtWatermarkIMGPath->setText(WatermarkImgPath);
    dialog->SbTransparent->setValue(WaterMarkTransparent);
    dialog->LoadWatermarkPicture(WatermarkImgPath);
}

void TFrmMain::BtnWatermarkSetClick()
{
    LoadWatermarkDialog();
    WatermarkDialog()->exec();
}

void TFrmMain::BtnAddWatermarkClick()
{
    // Nothing to stamp: the command must not write an empty picture over a file.
    const bool noEntry = BitmapListModel->rowCount() == 0;
    if (ImgMain->picture().isEmpty() || noEntry) {
        PnlHint->setText(QString::fromUtf8(kNothingToWatermark));
        return;
    }
    if (!BitmapListBox->currentIndex().isValid())
        BitmapListBox->setCurrentIndex(BitmapListModel->index(0));
    LoadWatermarkDialog();
    // A capture that closed the window owns the canvas now: stamping it would save the capture.
    if (WatermarkType == WatermarkNoMark && WatermarkDialog()->exec() == TFrmWaterMarkSet::ClosedForCapture)
        return;
    if (WatermarkType != WatermarkTextMark && WatermarkType != WatermarkPictureMark)
        return;
    const QString path = CurrentEntryPath();
    // The stamped picture is saved over the list entry's file, so it must be that file's picture.
    if (!SameFilePath(ImgMain->file(), path)) {
        CanvasPicture loaded = tiv::LoadPictureFile(path);
        if (loaded.isEmpty())
            return;
        ImgMain->setPicture(std::move(loaded), path);
        if (CanvasAutoSize)
            ImgMain->sizeToPicture();
        CurrentPicturePath = path;
        ShowPicturePanel();
    }
    if (!ImgMain->picture().isBitmap())
        return;
    ApplyAutoWatermark(ImgMain);
    if (SavePictureAsked(path))
        PnlHint->setText(FormatText(TxtSavedPicture, {path}));
}

}  // namespace tiv
