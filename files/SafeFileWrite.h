#pragma once

#include <QByteArray>
#include <QString>

namespace tiv {

// Why a file was not written, as far as the user can act on it.
enum class WriteFailure {
    None,
    NameTaken,     // a new file was asked for and the name is in use
    DiskFull,      // no room left (or the size allowed for one file reached)
    NoPermission,  // the folder or the file may not be written
    Other,
};

// Writes bytes to path through a temporary file in the same folder that replaces the target only
// once it is complete, so a failed write leaves an existing file as it was and no partial file.
// Where the folder allows no new file but the file itself may be written, it is written in place,
// as editors do, with the room for the new bytes taken first.
WriteFailure ReplaceFileContents(const QString &path, const QByteArray &bytes);

// Writes bytes as a new file at path, complete or not at all, and never in place of anything that
// carries the name already, even a file that appears while it is being written.
WriteFailure CreateFileExclusively(const QString &path, const QByteArray &bytes);

inline bool WriteFileSafely(const QString &path, const QByteArray &bytes)
{
    return ReplaceFileContents(path, bytes) == WriteFailure::None;
}

}  // namespace tiv
