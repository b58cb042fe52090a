#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tiv {

// Appends to list the full paths (folder + name) of the files directly inside folder whose names
// match mask, in the order the file system gives them. folder must end with "/". Hidden files
// count; folders are skipped and not entered. A mask that is blank or ".*" matches every file;
// any other mask matches when it occurs, upper-cased, anywhere in the upper-cased name.
void FindFolderFiles(const QString &folder, const QString &mask, QStringList &list);

// The names of the files directly inside folder as the file system holds them, bytes that need
// not be UTF-8; in the order the file system gives them, folders skipped.
QList<QByteArray> FolderFileNames(const QString &folder);

}  // namespace tiv
