#include "files/PictureDrive.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

namespace tiv {

namespace {

QString WithoutTrailingSlash(const QString &path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

// The folder `base` + one more component of `clean`, when `clean` lies below `base`.
QString OneBelow(const QString &clean, const QString &base)
{
    if (!clean.startsWith(base) || clean.size() == base.size())
        return {};
    const qsizetype end = clean.indexOf(u'/', base.size());
    return end < 0 ? clean : clean.left(end);
}

}  // namespace

QString DrivePart(const QString &path, const QString &loginName)
{
    if (!path.startsWith(u'/'))
        return {};
    const QString clean = QDir::cleanPath(path);
    if (!loginName.isEmpty()) {
        for (const QString &base : {QStringLiteral("/media/"), QStringLiteral("/run/media/")}) {
            const QString drive = OneBelow(clean, base + loginName + u'/');
            if (!drive.isEmpty())
                return drive;
        }
    }
    for (const QString &base : {QStringLiteral("/media/"), QStringLiteral("/mnt/")}) {
        const QString drive = OneBelow(clean, base);
        if (!drive.isEmpty())
            return drive;
    }
    return QStringLiteral("/");
}

bool DriveExists(const QString &drive, const QStringList &mountPoints)
{
    const QString wanted = WithoutTrailingSlash(drive.trimmed());
    if (wanted.isEmpty())
        return false;
    if (wanted == u"/")
        return true;
    for (const QString &mount : mountPoints) {
        if (WithoutTrailingSlash(mount) == wanted)
            return true;
    }
    return false;
}

PictureFolderCheck CheckPictureFolder(const QString &text, const QString &home, const QString &loginName,
                                      const QStringList &mountPoints)
{
    using Kind = PictureFolderCheck::Kind;
    PictureFolderCheck check;
    check.folder = text;
    if (text == u"~" || text.startsWith(QStringLiteral("~/")))
        check.folder = home + text.mid(1);
    check.drive = DrivePart(check.folder, loginName);
    if (check.folder.isEmpty())
        check.kind = Kind::Empty;
    else if (!check.folder.startsWith(u'/'))
        check.kind = Kind::Relative;
    else if (!DriveExists(check.drive, mountPoints))
        check.kind = Kind::DiskMissing;
    return check;
}

QString LoginName()
{
    // Looked up once: every capture asks, and the user database may sit behind a network service.
    static const QString name = [] {
        if (const passwd *entry = getpwuid(getuid()))
            return QString::fromLocal8Bit(entry->pw_name);
        return qEnvironmentVariable("USER");
    }();
    return name;
}

}  // namespace tiv
