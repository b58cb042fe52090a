#include "files/SafeFileWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiv {

namespace {

WriteFailure FailureOf(int error)
{
    switch (error) {
    case 0:
        return WriteFailure::None;
    case EEXIST:
        return WriteFailure::NameTaken;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteFailure::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return WriteFailure::NoPermission;
    default:
        return WriteFailure::Other;
    }
}

// Writes every byte from the file's current place, then flushes them to the disk; the error
// number, or 0.
int WriteAll(int fd, const QByteArray &bytes)
{
    const char *at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        at += written;
        left -= written;
    }
    return ::fdatasync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

int CloseChecked(int fd, int error)
{
    return ::close(fd) == 0 || error ? error : errno;
}

// A new file beside target whose name no other file has; -1 with errno set when none can be made.
int OpenTempBeside(const QByteArray &target, QByteArray &temp)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + '.';
        for (int i = 0; i < 6; ++i)
            temp += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The temporary file with the whole of bytes written; the error number, or 0. A failed one is gone.
// A replaced file's permissions are kept (keepMode); a new file's are the usual ones less the umask.
int WriteTempBeside(const QByteArray &target, int keepMode, const QByteArray &bytes, QByteArray &temp)
{
    const int fd = OpenTempBeside(target, temp);
    if (fd < 0)
        return errno;
    if (keepMode >= 0)
        ::fchmod(fd, mode_t(keepMode));
    const int error = CloseChecked(fd, WriteAll(fd, bytes));
    if (error)
        ::unlink(temp.constData());
    return error;
}

// The file a link points to, through every level, as the file to write; the path itself when it
// is no link or its chain of links never ends.
QString FollowLinks(const QString &path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.isSymLink() ? path : file.filePath();
}

int WriteInPlace(const QByteArray &target, const QByteArray &bytes, off_t oldSize)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    // The room is taken before the first old byte changes, so a full disk leaves the old file whole.
    if (bytes.size() > oldSize) {
        const int error = ::posix_fallocate(fd, 0, off_t(bytes.size()));
        if (error && error != EOPNOTSUPP && error != EINVAL)
            return CloseChecked(fd, error);
    }
    int error = WriteAll(fd, bytes);
    if (!error && ::ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    return CloseChecked(fd, error);
}

int CreateDirectly(const QByteArray &target, const QByteArray &bytes)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    const int error = CloseChecked(fd, WriteAll(fd, bytes));
    // The file is this call's own, so a part of it goes again.
    if (error)
        ::unlink(target.constData());
    return error;
}

bool RefusedByFolder(int error)
{
    return error == EACCES || error == EPERM;
}

}  // namespace

WriteFailure ReplaceFileContents(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(FollowLinks(path));
    struct stat old;
    const bool exists = ::stat(target.constData(), &old) == 0;
    QByteArray temp;
    int error = WriteTempBeside(target, exists ? int(old.st_mode & 07777) : -1, bytes, temp);
    if (!error && ::rename(temp.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(temp.constData());
    }
    if (error && RefusedByFolder(error) && exists && S_ISREG(old.st_mode))
        error = WriteInPlace(target, bytes, old.st_size);
    return FailureOf(error);
}

WriteFailure CreateFileExclusively(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp;
    if (const int error = WriteTempBeside(target, -1, bytes, temp))
        return FailureOf(error);
    // The complete file takes the name in one step, or not at all when the name is in use.
    int error = ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0 ? 0 : errno;
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
        // File systems without that guarantee: a second link to the temporary file fails when the
        // name is taken.
        error = ::link(temp.constData(), target.constData()) == 0 ? 0 : errno;
        if (error == EPERM || error == EOPNOTSUPP || error == ENOSYS) {
            // Nor links (FAT disks): the file is made under its name, which fails when it exists.
            ::unlink(temp.constData());
            return FailureOf(CreateDirectly(target, bytes));
        }
        ::unlink(temp.constData());
    } else if (error) {
        ::unlink(temp.constData());
    }
    return FailureOf(error);
}

}  // namespace tiv
