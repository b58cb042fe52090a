// Commands on the files of the picture list: delete, rename, open in the paint program, open the
// folder, clear the canvas; the list's pop-up menu and the controls that share these commands.
#include "app/TFrmMain.h"

#include "app/NamedControls.h"
#include "common/CatchAll.h"
#include "common/HandlerWiring.h"
#include "editing/ImageControl.h"
#include "files/NativeFileName.h"
#include "files/PicturePath.h"
#include "files/RenamePicture.h"
#include "files/TFrmReName.h"
#include "text/InterfaceText.h"

#include <QFile>

#include <algorithm>

namespace tiv {

QString TFrmMain::ListEntryPath(int row) const
{
    // Rows the list code did not fill have no folder and so no file: better nothing than a guess.
    if (row < 0 || row >= ListEntryFolders.size() || row >= BitmapListModel->rowCount())
        return {};
    return JoinFolderAndName(ListEntryFolders[row], BitmapListModel->index(row).data().toString());
}

QByteArray TFrmMain::ListEntryNativePath(int row) const
{
    const QString path = ListEntryPath(row);
    if (path.isEmpty())
        return {};
    if (row < ListEntryNames.size() && !ListEntryNames[row].isEmpty())
        return NativeFilePath(ListEntryFolders[row], ListEntryNames[row]);
    return QFile::encodeName(path);
}

QList<int> TFrmMain::SelectedPictureRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : BitmapListBox->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList TFrmMain::SelectedPictureNames() const
{
    QStringList names;
    for (int row : SelectedPictureRows())
        names << BitmapListModel->index(row).data().toString();
    return names;
}

void TFrmMain::DeleteSelectedPictures()
{
    const QList<int> rows = SelectedPictureRows();
    if (rows.isEmpty()) {
        ShowMessage(TxtSelectPictures);
        BitmapListBox->setFocus();
        return;
    }
    for (int row : rows) {
        const QByteArray native = ListEntryNativePath(row);
        if (!native.isEmpty() && RemoveNativeFile(native))
            PictureFileDeleted(ListEntryPath(row));
    }
    FillPictureList();
}

void TFrmMain::MnDeletePicClick()
{
    DeleteSelectedPictures();
}

void TFrmMain::MnRenamePicClick()
{
    if (!FrmReName)
        FrmReName = new TFrmReName(this);
    const QModelIndex current = BitmapListBox->currentIndex();
    if (!current.isValid() || current.row() >= ListEntryFolders.size())
        return;
    const QString folder = ListEntryFolders[current.row()];
    const QString old = current.data().toString();
    const QByteArray native = ListEntryNativePath(current.row());
    FrmReName->RenameDialogSetName(old);
    FrmReName->exec();
    if (!EnsurePictureFolder())
        return;
    // A name that is taken or unusable leaves every file as it was; the list is refilled anyway.
    // The name as shown is no new name, even where showing garbled the file's own.
    if (FrmReName->NewName != old
        && RenamePictureFile(folder, native.mid(native.lastIndexOf('/') + 1), FrmReName->NewName))
        PictureFileRenamed(JoinFolderAndName(folder, old), JoinFolderAndName(folder, FrmReName->NewName));
    FillPictureList();
}

void TFrmMain::PmOpenInPaintClick()
{
    if (!EnsurePictureFolder())
        return;
    const int row = BitmapListBox->currentIndex().row();
    const QByteArray native = ListEntryNativePath(row);
    if (!native.isEmpty() && platform_.shell)
        platform_.shell->openInPaintProgram(SurvivesAsText(native) ? ListEntryPath(row) : NativeFileUrl(native));
}

void TFrmMain::OpenFolderInExplorer(const QString &folder)
{
    if (platform_.shell)
        platform_.shell->openFolderInFileManager(folder);
}

void TFrmMain::BtnOpenDirClick()
{
    if (EnsurePictureFolder())
        OpenFolderInExplorer(PictureFolder);
}

void TFrmMain::MnClearPicClick()
{
    ShowPicturePanel();
    ImgMain->setPicture(CanvasPicture{});
    ImgMain->update();
}

void TFrmMain::wireFileCommands()
{
    PmImgList = NamedMenu(this, "PmImgList");
    N1 = NamedMenuItem(PmImgList, "N1", "图片另存为");
    PmOpenInPaint = NamedMenuItem(PmImgList, "PmOpenInPaint", "在画图中打开");
    MnDeletePic = NamedMenuItem(PmImgList, "MnDeletePic", "删除当前图片");
    MnRenamePic = NamedMenuItem(PmImgList, "MnRenamePic", " 重命名图片");
    MnClearPic = NamedMenuItem(PmImgList, "MnClearPic", "清空图片");
    MnSendToDisk = NamedMenuItem(PmImgList, "MnSendToDisk", "发送到可移动磁盘");
    BitmapListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(BitmapListBox, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        PmImgList->popup(BitmapListBox->viewport()->mapToGlobal(at));
    });

    const auto bind = [this](QObject *control, void (TFrmMain::*handler)()) { WireHandler(this, control, handler); };
    bind(N1, &TFrmMain::BtnSPSaveImgClick);
    for (QObject *c : std::initializer_list<QObject *>{PmOpenInPaint, N16, BtnOpenByPaintB})
        bind(c, &TFrmMain::PmOpenInPaintClick);
    for (QObject *c : std::initializer_list<QObject *>{MnDeletePic, N12, BtnDeletePic})
        bind(c, &TFrmMain::MnDeletePicClick);
    for (QObject *c : std::initializer_list<QObject *>{MnRenamePic, N15, BtnRenamePic})
        bind(c, &TFrmMain::MnRenamePicClick);
    bind(MnClearPic, &TFrmMain::MnClearPicClick);
    bind(BtnOpenDir, &TFrmMain::BtnOpenDirClick);
    bind(BtnSelectPath, &TFrmMain::BtnOpenPathClick);
    connect(BitmapListBox, &QListView::doubleClicked, this, [this] { CatchAll([&] { PmOpenInPaintClick(); }); });
}

}  // namespace tiv
