#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "editing/ImageControl.h"
#include "files/NextPictureName.h"
#include "files/PictureDrive.h"
#include "files/PicturePath.h"
#include "files/SavePictureFile.h"
#include "text/InterfaceText.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tiv {

namespace {

const QString kNumbersUsedUp = QStringLiteral(
    "图片编号已达到最大值2147483647，无法自动保存，请换一个文件夹或增量前缀。");

}  // namespace

bool TFrmMain::EnsurePictureFolder()
{
    try {
        PictureFolder = EdtPicPath->text();
        const QStringList mounts = platform_.drives ? platform_.drives->mountPoints() : QStringList();
        PictureDrive = DrivePart(PictureFolder, LoginName());
        if (!DriveExists(PictureDrive, mounts)) {
            ShowMessage(FormatText(TxtDiskMissing, {PictureDrive}));
            return false;
        }
        if (!QFileInfo(PictureFolder).isDir())
            MakeFolderPath(PictureFolder);
        return true;
    } catch (...) {
        PnlHint->setText(TxtInvalidFolderName);
        EdtPicPath->setFocus();
        return false;
    }
}

QString TFrmMain::NextPictureName()
{
    AutoSavePrefix = EdtAutoSavePre->text().trimmed();
    const int format = CbPicFomat->currentIndex();
    const QString ext = format < 0 ? QString() : CbPicFomat->itemText(format).mid(1);
    const NextPictureNameResult next = tiv::NextPictureName(PictureFolder, AutoSavePrefix, ext);
    switch (next.kind) {
    case NextPictureNameResult::Kind::Ok:
        return next.path;
    case NextPictureNameResult::Kind::EmptyFolder:
        ShowMessage(TxtInvalidFolderName);
        EdtPicPath->setFocus();
        return {};
    case NextPictureNameResult::Kind::NumberExhausted:
        PnlHint->setText(kNumbersUsedUp);
        return {};
    case NextPictureNameResult::Kind::NoFormat:
        return {};
    }
    return {};
}

bool TFrmMain::SavePicture(const QString &path)
{
    const SavePictureResult saved = SavePictureFile(path, ImgMain->picture());
    switch (saved.kind) {
    case SavePictureResult::Kind::Written:
        return true;
    case SavePictureResult::Kind::IllegalPath:
        ShowMessage(FormatText(TxtIllegalPath, {saved.path}));
        EdtPicPath->setFocus();
        return false;
    case SavePictureResult::Kind::SaveFailed:
        ShowMessage(FormatText(TxtSaveFailed, {path}));
        return false;
    case SavePictureResult::Kind::NothingToSave:
    case SavePictureResult::Kind::EncodeFailed:
        return false;
    }
    return false;
}

void TFrmMain::BtnSavePicClick()
{
    CommitPendingText();
    SavePicture(CurrentPicturePath);
}

QStringList TFrmMain::PictureTypeFilters() const
{
    QStringList patterns;
    for (int i = 0; i < CbPicFomat->count(); ++i)
        patterns << u'*' + CbPicFomat->itemText(i);
    QStringList filters{QStringLiteral("所有图片 (%1)").arg(patterns.join(u' '))};
    for (const QString &p : std::as_const(patterns))
        filters << QStringLiteral("%1 (%2)").arg(p.mid(2).toUpper(), p);
    return filters;
}

QFileDialog *TFrmMain::PictureDialog(QFileDialog *&dialog, QFileDialog::AcceptMode mode)
{
    if (!dialog) {
        dialog = new QFileDialog(this);
        // The toolkit's own dialog, so every desktop shows the same one and tests can drive it.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setAcceptMode(mode);
        dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                            : QFileDialog::ExistingFiles);
        dialog->setDefaultSuffix(QStringLiteral("jpg"));
        dialog->setSizeGripEnabled(true);
    }
    const QStringList filters = PictureTypeFilters();
    dialog->setNameFilters(filters);
    const int preselected = CbPicFomat->currentIndex() + 1;
    if (preselected >= 0 && preselected < filters.size())
        dialog->selectNameFilter(filters[preselected]);
    dialog->setDirectory(PictureFolder.isEmpty() ? PictureDialogFolder : PictureFolder);
    return dialog;
}

void TFrmMain::BtnSPSaveImgClick()
{
    const QModelIndex current = BitmapListBox->currentIndex();
    if (!current.isValid())
        return;
    const QString listed = ListEntryPath(current.row());
    if (listed.isEmpty() || !QFileInfo::exists(listed)) {
        ShowMessage(TxtSelectListPicture);
        return;
    }
    if (!EnsurePictureFolder())
        return;
    QFileDialog *dialog = PictureDialog(SavePictureDialog1, QFileDialog::AcceptSave);
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
        SavePicture(dialog->selectedFiles().first());
}

}  // namespace tiv
