#pragma once

#include <QString>
#include <QStringList>

namespace tiv {

// Appends to list the full paths (folder + name) of the files directly inside folder whose names
// match mask, in the order the file system gives them. folder must end with "/". Hidden files
// count; folders are skipped and not entered. A mask that is blank or ".*" matches every file;
// any other mask matches when it occurs, upper-cased, anywhere in the upper-cased name.
void FindFolderFiles(const QString &folder, const QString &mask, QStringList &list);

}  // namespace tiv
