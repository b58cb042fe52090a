#include "files/RenamePicture.h"

#include "files/NativeFileName.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tiv {

bool RenamePictureFile(const QString &folder, const QByteArray &oldName, const QString &newName)
{
    if (folder.isEmpty() || oldName.isEmpty() || newName.isEmpty() || newName == u"." || newName == u".." ||
        newName.contains(u'/') || oldName.contains('/'))
        return false;
    const QByteArray from = NativeFilePath(folder, oldName);
    const QByteArray to = NativeFilePath(folder, RenamedNativeName(oldName, newName));
    // The system refuses to replace anything that carries the new name, a dangling link included,
    // so a file that appears between a look and the rename is safe as well.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without that guarantee: a new link fails when the name is taken.
    return ::link(from.constData(), to.constData()) == 0 && ::unlink(from.constData()) == 0;
}

}  // namespace tiv
