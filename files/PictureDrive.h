#pragma once

#include <QString>
#include <QStringList>

namespace tiv {

// The "drive" of a path on this platform: the longest mount point that holds the absolute path,
// matched on whole path components. Empty for a relative or empty path, or when no mount point
// holds it.
QString DrivePart(const QString &path, const QStringList &mountPoints);

// Whether the drive (trimmed) is one of the mount points. Compared with case, since paths here
// are case-sensitive; a trailing "/" on either side does not matter.
bool DriveExists(const QString &drive, const QStringList &mountPoints);

}  // namespace tiv
