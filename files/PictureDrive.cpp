#include "files/PictureDrive.h"

#include <QDir>

namespace tiv {

namespace {

QString WithoutTrailingSlash(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

bool Holds(const QString &mountPoint, const QString &cleanPath)
{
    if (mountPoint == u"/")
        return true;
    return cleanPath == mountPoint
        || (cleanPath.startsWith(mountPoint) && cleanPath.at(mountPoint.size()) == u'/');
}

}  // namespace

QString DrivePart(const QString &path, const QStringList &mountPoints)
{
    if (!path.startsWith(u'/'))
        return {};
    const QString clean = QDir::cleanPath(path);
    QString best;
    for (const QString &raw : mountPoints) {
        const QString mount = WithoutTrailingSlash(raw);
        if (mount.startsWith(u'/') && mount.size() > best.size() && Holds(mount, clean))
            best = mount;
    }
    return best;
}

bool DriveExists(const QString &drive, const QStringList &mountPoints)
{
    const QString wanted = WithoutTrailingSlash(drive.trimmed());
    if (wanted.isEmpty())
        return false;
    for (const QString &mount : mountPoints) {
        if (WithoutTrailingSlash(mount) == wanted)
            return true;
    }
    return false;
}

}  // namespace tiv
