#include "app/TFrmMain.h"
#include "app/VirtualKey.h"

#include "editing/ImageControl.h"
#include "files/FindFolderFiles.h"
#include "files/LoadPictureFile.h"
#include "files/PictureListOrder.h"
#include "files/PicturePath.h"
#include "files/ShellTarget.h"
#include "text/InterfaceText.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tiv {

void TFrmMain::FillPictureList()
{
    if (!EnsurePictureFolder())
        return;
    QStringList files;
    const QString folder = PictureFolder.endsWith(u'/') ? PictureFolder : PictureFolder + u'/';
    FindFolderFiles(folder, QStringLiteral(".*"), files);
    for (QString &file : files)
        file.remove(0, folder.size());
    const PictureList list =
        BuildPictureList(files, QFileInfo(CurrentPicturePath).fileName(), ListSelectedIndex);
    BitmapListModel->setStringList(list.names);
    ListEntryFolders = QStringList(list.names.size(), PictureFolder);
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
    const QString path = CurrentEntryPath();
    if (path.isEmpty())
        return;
    CurrentPicturePath = path;
    if (QFileInfo::exists(path)) {
        PnlHint->setText(FormatText(TxtCurrentFile, {path}));
        LoadPictureFile(ImgMain, path);
        ShowPicturePanel();
    }
}

void TFrmMain::BitmapListBoxKeyDown(int key)
{
    if (key == VkReturn) {
        const QString path = CurrentEntryPath();
        if (!path.isEmpty())
            ShellOpen(path);
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
    for (int i = 0; i < chosen.size(); ++i) {
        const QFileInfo file(chosen[i]);
        BitmapListModel->setData(BitmapListModel->index(end + i), file.fileName());
        ListEntryFolders << file.absolutePath();
    }
    LoadPictureFile(ImgMain, chosen.first());
    ShowPicturePanel();
}

void TFrmMain::LoadPictureFile(ImageControl *image, const QString &path)
{
    CanvasPicture picture = tiv::LoadPictureFile(path);
    if (!picture.isEmpty()) {
        image->setPicture(std::move(picture), path);
        // A zoomed canvas keeps its size and stretches the new picture into it.
        if (image != ImgMain || CanvasAutoSize)
            image->sizeToPicture();
    } else if (OpenUnreadableWithDesktop(path)) {
        ShellOpenTarget(path);
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
