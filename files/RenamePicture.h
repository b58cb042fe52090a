#pragma once

#include <QByteArray>
#include <QString>

namespace tiv {

// Renames the file `oldName` of `folder` to `newName` in the same folder. The old name is the
// file system's own bytes, so a name that is not UTF-8 is renamed too, and the part of it the user
// kept keeps its bytes. The new name is taken as typed, blanks included, but it must be a plain file name ("/", ".", ".." and the empty name are
// refused), and a file that already carries it is never replaced. True when the file was renamed.
bool RenamePictureFile(const QString &folder, const QByteArray &oldName, const QString &newName);

}  // namespace tiv
