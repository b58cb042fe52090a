#include "files/PicturePath.h"

#include <QDir>
#include <QFileInfo>

namespace tiv {

QString FolderPart(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString FileExtension(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || dot < path.lastIndexOf(u'/'))
        return {};
    return path.mid(dot);
}

bool MakeFolderPath(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    if (!QDir(folder).exists())
        QDir().mkpath(folder);
    return true;
}

QString JoinFolderAndName(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || name.isEmpty())
        return {};
    QString joined = folder + u'/' + name;
    while (joined.contains(QStringLiteral("//")))
        joined.replace(QStringLiteral("//"), QStringLiteral("/"));
    return joined;
}

bool SameFilePath(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

}  // namespace tiv
