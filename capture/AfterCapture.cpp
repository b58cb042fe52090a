#include "app/TFrmMain.h"

#include "capture/KeepCapture.h"
#include "common/CatchAll.h"
#include "common/ImageResources.h"
#include "editing/ImageControl.h"
#include "files/NextPictureName.h"
#include "files/SaveFailedText.h"
#include "files/SavePictureFile.h"
#include "text/InterfaceText.h"

namespace tiv {

bool TFrmMain::ContinuousCapture() const
{
    return BtnContinueCut->isChecked();
}

bool TFrmMain::AutoClipboard() const
{
    return BtnSaveToCB->isChecked();
}

bool TFrmMain::AutoSaveToFolder() const
{
    return BtnAutoSaveToPath->isChecked();
}

void TFrmMain::PresentCapture(bool afterCaptureSteps)
{
    for (QWidget *w : {static_cast<QWidget *>(PnlBottom), static_cast<QWidget *>(SbPicName),
                       static_cast<QWidget *>(Splitter3), static_cast<QWidget *>(SplitterTop),
                       static_cast<QWidget *>(PnlTop), static_cast<QWidget *>(SbLeft),
                       static_cast<QWidget *>(ImgLeft), static_cast<QWidget *>(ImgRight)})
        w->show();
    MemoText->hide();
    UncoverScreen();
    setBorderless(false);
    PnlPic->setFrameShape(QFrame::Box);
    PnlHint->show();
    LbBindingHint->setVisible(!LbBindingHint->text().isEmpty());
    ImgMain->show();
    SbAvert->show();
    if (afterCaptureSteps) {
        // The picture was kept before (KeepCapture); the list now catches up with its file.
        CatchUpPictureList();
        if (isVisible())
            BitmapListBox->setFocus();
    }
    ChromeShown = true;
    ImgMain->show();
    Image48->show();
}

bool KeepCapture(TFrmMain &w)
{
    // A refused picture folder has been said once; the list keeps what it shows.
    const bool folderUsable = w.AutoSaveCapture();
    w.SettleCapturePadding();
    if (w.AutoClipboard())
        w.CopyPictureToClipboard(w.ImgMain);
    return folderUsable;
}

bool TFrmMain::AutoSaveCapture()
{
    bool folderUsable = false;
    CatchAll([&] {
        if (!PictureFolderUsable())
            return;
        folderUsable = true;
        const NextPictureNameResult name = NextPictureName();
        if (name.path.isEmpty()) {
            // With no format chosen no name can be made; the save of that empty name says why.
            // Every other failure to make a name has already been reported.
            if (CbPicFomat->currentIndex() < 0)
                SavePicture(name.path);
            return;
        }
        // A name taken meanwhile passes to the next number, so the file written may be another.
        const SavePictureResult saved = SaveNewPicture(name);
        // Before the toolbar's preview shares the picture, which would make this pass copy it.
        SettleCapturePadding();
        const bool named = saved.kind == SavePictureResult::Kind::Written || saved.kind == SavePictureResult::Kind::SaveFailed;
        const QString path = named ? saved.path : name.path;
        CurrentPicturePath = path;
        // A write that failed is said so in the hint line instead of being reported as saved.
        if (saved.kind != SavePictureResult::Kind::Written) {
            PnlHint->setText(SaveFailedText(path, saved.failure));
            return;
        }
        PnlHint->setText(FormatText(TxtAutoSavedPicture, {path}));
        ShowSavedPictureOnToolbar(path);
        PictureListBehind = true;
    });
    return folderUsable;
}

void TFrmMain::CatchUpPictureList()
{
    if (!PictureListBehind)
        return;
    PictureListBehind = false;
    FillPictureList();
}

void TFrmMain::CopyPictureToClipboard(ImageControl *control)
{
    CatchAll([&] {
        const QImage &image = control->picture().image;
        if (!image.isNull() && platform_.clipboard)
            platform_.clipboard->setImage(image);
    });
}

void TFrmMain::ShowContinuousGlyph()
{
    CatchAll([&] {
        QPixmap glyph = BtnContinueCut2->icon().pixmap(BtnContinueCut2->iconSize());
        LoadBmpResource(glyph, ContinuousCapture() ? QStringLiteral("cCoutinueCut") : QStringLiteral("ncCoutinueCut"));
        BtnContinueCut2->setIcon(QIcon(glyph));
        // The button's own pressed state follows the toggle, so its look never says otherwise.
        BtnContinueCut2->setChecked(ContinuousCapture());
    });
}

void TFrmMain::BtnContinueCut2Click()
{
    BtnContinueCut->setChecked(!BtnContinueCut->isChecked());
    ShowContinuousGlyph();
}

void TFrmMain::BtnSaveToCBClick()
{
    BtnSaveToCB->setChecked(!BtnSaveToCB->isChecked());
}

void TFrmMain::BtnAutoSaveToPathClick()
{
    BtnAutoSaveToPath->setChecked(!BtnAutoSaveToPath->isChecked());
}

void TFrmMain::BtnSaveToClipboardClick()
{
    CopyPictureToClipboard(ImgMain);
}

}  // namespace tiv
