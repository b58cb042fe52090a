#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "editing/ImageControl.h"
#include "files/NextPictureName.h"
#include "files/PictureDrive.h"
#include "files/PicturePath.h"
#include "files/SaveFailedText.h"
#include "files/SavePictureFile.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tiv {

namespace {

const QString kNumbersUsedUp = QStringLiteral(
    "图片编号已达到最大值2147483647，无法自动保存，请换一个文件夹或增量前缀。");
const QString kPathMustStartWithSlash =
    QStringLiteral("不合法路径:%s,路径必须以“/”开头,请重输入一个路径");
const QString kReplaceQuestion = QStringLiteral("%s已存在。\n要替换它吗？");

}  // namespace

bool TFrmMain::PictureFolderUsable()
{
    const QStringList mounts = platform_.drives ? platform_.drives->mountPoints() : QStringList();
    const PictureFolderCheck check = CheckPictureFolder(PictureFolder, QDir::homePath(), LoginName(), mounts);
    PictureFolder = check.folder;
    PictureDrive = check.drive;
    switch (check.kind) {
    case PictureFolderCheck::Kind::Usable:
        return true;
    case PictureFolderCheck::Kind::Empty:
        ShowMessage(TxtInvalidFolderName);
        EdtPicPath->setFocus();
        return false;
    case PictureFolderCheck::Kind::Relative:
        ShowMessage(FormatText(kPathMustStartWithSlash, {check.folder}));
        EdtPicPath->setFocus();
        return false;
    case PictureFolderCheck::Kind::DiskMissing:
        if (!DiskMissingShown) {
            DiskMissingShown = true;
            ShowMessage(FormatText(TxtDiskMissing, {PictureDrive}));
            DiskMissingShown = false;
        }
        return false;
    }
    return false;
}

bool TFrmMain::EnsurePictureFolder()
{
    try {
        PictureFolder = EdtPicPath->text();
        if (!PictureFolderUsable())
            return false;
        if (!QFileInfo(PictureFolder).isDir())
            MakeFolderPath(PictureFolder);
        return true;
    } catch (...) {
        PnlHint->setText(TxtInvalidFolderName);
        EdtPicPath->setFocus();
        return false;
    }
}

NextPictureNameResult TFrmMain::NextPictureName()
{
    // The folder may have been typed, or its disk unplugged, since it was last checked.
    if (!PictureFolderUsable())
        return {NextPictureNameResult::Kind::EmptyFolder, {}};
    AutoSavePrefix = EdtAutoSavePre->text().trimmed();
    const int format = CbPicFomat->currentIndex();
    const QString ext = format < 0 ? QString() : CbPicFomat->itemText(format).mid(1);
    const NextPictureNameResult next = tiv::NextPictureName(PictureFolder, AutoSavePrefix, ext);
    switch (next.kind) {
    case NextPictureNameResult::Kind::Ok:
    case NextPictureNameResult::Kind::NoFormat:
        break;
    case NextPictureNameResult::Kind::EmptyFolder:
        ShowMessage(TxtInvalidFolderName);
        EdtPicPath->setFocus();
        break;
    case NextPictureNameResult::Kind::NumberExhausted:
        PnlHint->setText(kNumbersUsedUp);
        break;
    }
    return next;
}

SavePictureResult TFrmMain::SaveNewPicture(const NextPictureNameResult &name)
{
    return ReportCanvasSave(SaveNewPictureFile(name, ImgMain->picture()));
}

SavePictureResult TFrmMain::WriteCanvas(const QString &path)
{
    return ReportCanvasSave(SavePictureFile(path, ImgMain->picture()));
}

SavePictureResult TFrmMain::ReportCanvasSave(const SavePictureResult &saved)
{
    switch (saved.kind) {
    case SavePictureResult::Kind::Written:
        // From now on the canvas holds that file's picture: a later save goes there.
        ImgMain->setFile(saved.path);
        break;
    case SavePictureResult::Kind::IllegalPath:
        ShowMessage(FormatText(TxtIllegalPath, {saved.path}));
        EdtPicPath->setFocus();
        break;
    case SavePictureResult::Kind::SaveFailed:
        ShowMessage(SaveFailedText(saved.path, saved.failure));
        break;
    case SavePictureResult::Kind::NothingToSave:
    case SavePictureResult::Kind::EncodeFailed:
        break;
    }
    return saved;
}

bool TFrmMain::SavePicture(const QString &path)
{
    return WriteCanvas(path).kind == SavePictureResult::Kind::Written;
}

bool TFrmMain::SavePictureAsked(const QString &path)
{
    const SavePictureResult saved = WriteCanvas(path);
    if (saved.kind == SavePictureResult::Kind::Written) {
        PnlHint->setText(FormatText(TxtSavedPicture, {saved.path}));
        return true;
    }
    // The user believes the edit is kept, so a save that wrote nothing is always said.
    const QString failed = SaveFailedText(WrittenPicturePath(path), saved.failure);
    if (saved.kind == SavePictureResult::Kind::EncodeFailed || saved.kind == SavePictureResult::Kind::NothingToSave)
        ShowMessage(failed);
    if (saved.kind != SavePictureResult::Kind::IllegalPath)
        PnlHint->setText(failed);
    return false;
}

void TFrmMain::BtnSavePicClick()
{
    CommitPendingText();
    if (ImgMain->picture().isEmpty())
        return;
    // Only the file the canvas was read from (or last saved to) is written: the current list
    // entry or the last file clicked may be another picture than the one shown.
    if (ImgMain->file().isEmpty())
        SaveCanvasAs();
    else
        SavePictureAsked(ImgMain->file());
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
        // A ".PNG" typed is written as ".png", so the question about replacing is asked about the
        // file that will be written, not by the dialog about the name typed.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
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
    SaveCanvasAs();
}

void TFrmMain::SaveCanvasAs()
{
    if (!EnsurePictureFolder())
        return;
    QFileDialog *dialog = PictureDialog(SavePictureDialog1, QFileDialog::AcceptSave);
    // "No" to replacing a file only refuses that name: the dialog comes back for another.
    for (;;) {
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return;
        const QString chosen = dialog->selectedFiles().first();
        if (AskToReplace(WrittenPicturePath(chosen))) {
            SavePictureAsked(chosen);
            return;
        }
    }
}

bool TFrmMain::AskToReplace(const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink())
        return true;
    QMessageBox box(QMessageBox::Question, TxtAppTitle, FormatText(kReplaceQuestion, {path}),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace tiv
