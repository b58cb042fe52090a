// The folder button of the path row: choosing the picture folder from a tree of folders.
#include "app/TFrmMain.h"

#include "files/FolderTree.h"
#include "files/TFrmDirSelect.h"

#include <QDir>
#include <QFileInfo>

namespace tiv {

void TFrmMain::BtnOpenPathClick()
{
    if (!FrmDirSelect) {
        FrmDirSelect = new TFrmDirSelect(this);
        const QStringList mounts = platform_.drives ? platform_.drives->mountPoints() : QStringList();
        FrmDirSelect->ShellTreeView1->setRoots(FolderTreeRoots(QDir::homePath(), mounts));
    }
    FrmDirSelect->SelectedPath.clear();
    if (QFileInfo(EdtPicPath->text()).isDir())
        FrmDirSelect->ShellTreeView1->moveTo(EdtPicPath->text());
    FrmDirSelect->exec();
    const QString chosen = FrmDirSelect->SelectedPath;
    if (chosen.isEmpty())
        return;
    PictureFolder = chosen;
    EdtPicPath->setText(chosen);
    PictureDialogFolder = chosen;
    FillPictureList();
}

}  // namespace tiv
