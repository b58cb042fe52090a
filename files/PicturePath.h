#pragma once

#include <QString>

namespace tiv {

// The folder part of a path: everything up to and including its last "/" (empty for a bare name).
QString FolderPart(const QString &path);

// The extension of a path from its last dot, dot included, as written; empty when the last dot
// belongs to a folder name or there is none.
QString FileExtension(const QString &path);

// Makes the folder with all missing levels. Gives false only when nothing could be attempted
// (an empty folder text); a creation that fails on the disk is left to the write that follows.
bool MakeFolderPath(const QString &folder);

// A listed file's path: folder and name joined by one "/" whether or not the folder text ends with
// one, every doubled "/" made single. Empty when the folder or the name is empty, so a list entry
// without a folder never turns into a file at the top of the disk.
QString JoinFolderAndName(const QString &folder, const QString &name);

// Whether two paths name the same file, however they are written; never for an empty path.
bool SameFilePath(const QString &a, const QString &b);

}  // namespace tiv
