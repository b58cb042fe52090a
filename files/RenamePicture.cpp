#include "files/RenamePicture.h"

#include "files/PicturePath.h"

#include <QFile>
#include <QFileInfo>

namespace tiv {

bool RenamePictureFile(const QString &folder, const QString &oldName, const QString &newName)
{
    if (newName.isEmpty() || newName == u"." || newName == u".." || newName.contains(u'/') ||
        oldName.contains(u'/'))
        return false;
    const QString from = JoinFolderAndName(folder, oldName);
    const QString to = JoinFolderAndName(folder, newName);
    if (from.isEmpty() || to.isEmpty())
        return false;
    // A dangling link counts as taken too: renaming over it would replace the link itself.
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        return false;
    // QFile::rename itself never replaces an existing file, so a file that appears between the
    // check and the rename is safe as well.
    return QFile::rename(from, to);
}

}  // namespace tiv
