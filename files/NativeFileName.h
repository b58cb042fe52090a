#pragma once

#include <QByteArray>
#include <QString>

namespace tiv {

// File names on this system are bytes. Most are UTF-8 and survive the trip through QString, but a
// name written by another system (Latin-1 "caf\xe9.jpg", say) does not: decoded it shows a
// replacement character, and encoded again it names no file. The list keeps such names as bytes
// and acts on the real file through these.

// The folder's path and a name of it joined by one "/".
QByteArray NativeFilePath(const QString &folder, const QByteArray &name);
// Whether the name comes back the same through QString, so the toolkit's file functions reach it.
bool SurvivesAsText(const QByteArray &name);
// Whether the path names an existing file or folder.
bool NativePathExists(const QByteArray &path);
// Deletes a file (never a folder).
bool RemoveNativeFile(const QByteArray &path);
// The bytes of a new name typed over the shown form of oldName: what the user left of the old name
// keeps its bytes, so "caf\xe9.jpg" with "X2" added becomes "caf\xe9X2.jpg"; what was typed is UTF-8.
QByteArray RenamedNativeName(const QByteArray &oldName, const QString &newName);
// A "file:" address whose bytes are those of the path, for the desktop to open.
QString NativeFileUrl(const QByteArray &path);
// The path of a "file:" address made by NativeFileUrl; empty for anything else.
QByteArray NativePathOfUrl(const QString &url);

}  // namespace tiv
