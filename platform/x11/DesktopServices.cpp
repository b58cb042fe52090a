#include "platform/x11/DesktopServices.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

// Starts a program on a file named in bytes that need not be UTF-8, which QProcess cannot pass: a
// shell hands the bytes on untouched and leaves the program running on its own.
bool StartDetachedOnBytes(const QString &program, const QByteArray &file)
{
    const QByteArray path = QFile::encodeName(program);
    const char *argv[] = {"sh", "-c", "\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &", path.constData(), file.constData(), nullptr};
    pid_t shell = 0;
    if (posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char **>(argv), environ) != 0)
        return false;
    int status = 0;
    return waitpid(shell, &status, 0) == shell && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// A "file:" address is a picture whose name is not UTF-8; its path is the address's bytes.
bool XdgShell::openInPaintProgram(const QString &picture)
{
    const bool address = picture.startsWith(QLatin1String("file://"));
    for (const char *program : {"kolourpaint", "pinta", "gimp"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (found.isEmpty())
            continue;
        if (address)
            return StartDetachedOnBytes(found, QByteArray::fromPercentEncoding(picture.mid(7).toLatin1()));
        return QProcess::startDetached(found, {picture});
    }
    return address ? openUrl(picture) : openPath(picture);
}

MountTable::~MountTable()
{
    if (table_ >= 0)
        ::close(table_);
}

bool MountTable::changedSinceRead()
{
    if (table_ < 0) {
        table_ = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
        return true;
    }
    // The kernel marks the open table when anything is mounted or unmounted; asking clears it.
    pollfd table{table_, POLLPRI, 0};
    return ::poll(&table, 1, 0) != 0;
}

QStringList MountTable::mountPoints()
{
    if (!changedSinceRead())
        return points_;
    QByteArray text;
    char chunk[16384];
    ssize_t got = -1;
    if (table_ >= 0 && ::lseek(table_, 0, SEEK_SET) == 0) {
        while ((got = ::read(table_, chunk, sizeof chunk)) > 0)
            text.append(chunk, got);
    }
    if (got < 0) {
        // Unreadable: asked afresh next time.
        if (table_ >= 0)
            ::close(table_);
        table_ = -1;
        return points_ = {QStringLiteral("/")};
    }
    QStringList points;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 2)
            continue;
        // The table escapes blanks and other awkward bytes as octal sequences.
        QByteArray point = fields[1];
        point.replace("\\040", " ").replace("\\011", "\t").replace("\\012", "\n").replace("\\134", "\\");
        points << QString::fromLocal8Bit(point);
    }
    return points_ = points;
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
