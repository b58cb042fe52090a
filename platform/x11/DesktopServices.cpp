#include "platform/x11/DesktopServices.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tiv::x11 {

void ToolkitClipboard::setImage(const QImage &image)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(image);
}

bool XdgShell::openPath(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool XdgShell::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool XdgShell::openFolderInFileManager(const QString &folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool XdgShell::openInPaintProgram(const QString &picture)
{
    for (const char *program : {"kolourpaint", "pinta", "gimp"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!found.isEmpty())
            return QProcess::startDetached(found, {picture});
    }
    return openPath(picture);
}

QStringList MountTable::mountPoints()
{
    QStringList points;
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {QStringLiteral("/")};
    for (const QByteArray &line : mounts.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 2)
            continue;
        // The table escapes blanks and other awkward bytes as octal sequences.
        QByteArray point = fields[1];
        point.replace("\\040", " ").replace("\\011", "\t").replace("\\012", "\n").replace("\\134", "\\");
        points << QString::fromLocal8Bit(point);
    }
    return points;
}

bool XdgAutostart::removeEntry(const QString &name)
{
    // Only an entry of that very name: an empty name would be the bare ".desktop" file, and a
    // "/" would reach outside the folder.
    if (name.isEmpty() || name.contains(u'/'))
        return false;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return false;
    return QFile::remove(config + QStringLiteral("/autostart/") + name + QStringLiteral(".desktop"));
}

}  // namespace tiv::x11
