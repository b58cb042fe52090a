// Keeping the current picture and the canvas's file right when files are renamed or deleted, so a
// later save never brings an old name back beside the renamed file.
#include "app/TFrmMain.h"

#include "editing/ImageControl.h"
#include "files/PicturePath.h"

namespace tiv {

void TFrmMain::PictureFileRenamed(const QString &from, const QString &to)
{
    if (SameFilePath(CurrentPicturePath, from))
        CurrentPicturePath = to;
    if (SameFilePath(ImgMain->file(), from))
        ImgMain->setFile(to);
}

void TFrmMain::PictureFileDeleted(const QString &path)
{
    if (SameFilePath(CurrentPicturePath, path))
        CurrentPicturePath.clear();
    // The canvas keeps the picture; with no file behind it a save asks where to put it.
    if (SameFilePath(ImgMain->file(), path))
        ImgMain->setFile({});
}

}  // namespace tiv
