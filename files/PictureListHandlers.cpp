#include "app/TFrmMain.h"
#include "app/VirtualKey.h"

#include "editing/ImageControl.h"
#include "files/FindFolderFiles.h"
#include "files/LoadPictureFile.h"
#include "files/NativeFileName.h"
#include "files/PictureListOrder.h"
#include "files/PicturePath.h"
#include "files/ShellTarget.h"
#include "text/InterfaceText.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace tiv {

void TFrmMain::FillPictureList()
{
    if (!EnsurePictureFolder())
        return;
    const QList<QByteArray> native = FolderFileNames(PictureFolder);
    QStringList files;
    files.reserve(native.size());
    for (const QByteArray &name : native)
        files << QFile::decodeName(name);
    const PictureList list =
        BuildPictureList(files, QFileInfo(CurrentPicturePath).fileName(), ListSelectedIndex);
    BitmapListModel->setStringList(list.names);
    ListEntryFolders = QStringList(list.names.size(), PictureFolder);
    ListEntryNames.clear();
    ListEntryNames.reserve(list.sources.size());
    for (const qsizetype source : list.sources)
        ListEntryNames << native[source];
    ListSelectedIndex = list.selectedIndex;
    if (ListSelectedIndex >= 0 && ListSelectedIndex < list.names.size())
        BitmapListBox->selectionModel()->setCurrentIndex(BitmapListModel->index(ListSelectedIndex),
                                                         QItemSelectionModel::NoUpdate);
}

QString TFrmMain::CurrentEntryPath() const
{
    return ListEntryPath(BitmapListBox->currentIndex().row());
}

void TFrmMain::BitmapListBoxClick()
{
    WebBrowser1->hide();
    const int row = BitmapListBox->currentIndex().row();
    const QString path = ListEntryPath(row);
    if (path.isEmpty())
        return;
    CurrentPicturePath = path;
    const QByteArray native = ListEntryNativePath(row);
    if (NativePathExists(native)) {
        PnlHint->setText(FormatText(TxtCurrentFile, {path}));
        LoadPictureFile(ImgMain, path, native);
        ShowPicturePanel();
    }
}

void TFrmMain::BitmapListBoxKeyDown(int key)
{
    if (key == VkReturn) {
        const int row = BitmapListBox->currentIndex().row();
        const QByteArray native = ListEntryNativePath(row);
        if (!native.isEmpty() && !SurvivesAsText(native) && platform_.shell)
            platform_.shell->openUrl(NativeFileUrl(native));
        else if (!native.isEmpty())
            ShellOpen(ListEntryPath(row));
    } else if (key == VkDelete) {
        MnDeletePicClick();
    } else if (key == VkF5) {
        FillPictureList();
    }
}

void TFrmMain::EdtPicPathExit()
{
    PictureFolder = EdtPicPath->text().trimmed();
    EdtPicPath->setText(PictureFolder);
    if (!PictureFolder.isEmpty())
        FillPictureList();
    else
        ShowMessage(TxtEnterPicturePath);
}

void TFrmMain::EdtPicPathKeyDown(int key)
{
    if (key == VkReturn)
        FillPictureList();
}

void TFrmMain::CbPicFomatChange()
{
    FillPictureList();
}

void TFrmMain::BtnRefreshDirClick()
{
    FillPictureList();
}

void TFrmMain::Load1Click()
{
    WebBrowser1->hide();
    if (!EnsurePictureFolder())
        return;
    QFileDialog *dialog = PictureDialog(OpenPictureDialog1, QFileDialog::AcceptOpen);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QStringList chosen = dialog->selectedFiles();
    // Rows added at the end keep the list's current entry where it is.
    const int end = BitmapListModel->rowCount();
    BitmapListModel->insertRows(end, chosen.size());
    ListEntryFolders.resize(end);
    ListEntryNames.resize(end);
    for (int i = 0; i < chosen.size(); ++i) {
        const QFileInfo file(chosen[i]);
        BitmapListModel->setData(BitmapListModel->index(end + i), file.fileName());
        ListEntryFolders << file.absolutePath();
        ListEntryNames << QFile::encodeName(file.fileName());
    }
    LoadPictureFile(ImgMain, chosen.first());
    // The canvas now belongs to the opened file, which a save writes: the hint names it.
    if (ImgMain->file() == chosen.first())
        PnlHint->setText(FormatText(TxtCurrentFile, {chosen.first()}));
    ShowPicturePanel();
}

void TFrmMain::LoadPictureFile(ImageControl *image, const QString &path, const QByteArray &nativePath)
{
    const QByteArray native = nativePath.isEmpty() ? QFile::encodeName(path) : nativePath;
    CanvasPicture picture = LoadPictureNativeFile(native);
    if (!picture.isEmpty()) {
        image->setPicture(std::move(picture), path);
        // A zoomed canvas keeps its size and stretches the new picture into it.
        if (image != ImgMain || CanvasAutoSize)
            image->sizeToPicture();
    } else if (!OpenUnreadableWithDesktop(native)) {
        return;
    } else if (SurvivesAsText(native)) {
        ShellOpenTarget(path);
    } else if (platform_.shell) {
        // Garbled into text the name would reach no file: the desktop gets the file's own bytes.
        platform_.shell->openUrl(NativeFileUrl(native));
    }
}

void TFrmMain::ShellOpenTarget(const QString &target)
{
    if (!platform_.shell)
        return;
    const ShellTarget decided = DecideShellTarget(target);
    if (decided.kind == ShellTarget::Kind::LocalPath)
        platform_.shell->openPath(decided.text);
    else if (decided.kind == ShellTarget::Kind::WebAddress)
        platform_.shell->openUrl(decided.text);
}

void TFrmMain::ShellOpen(const QString &path)
{
    if (platform_.shell)
        platform_.shell->openPath(path);
}

}  // namespace tiv
