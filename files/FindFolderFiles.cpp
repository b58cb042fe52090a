#include "files/FindFolderFiles.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace tiv {

namespace {

// Most file systems say in the entry itself whether it is a folder; only the others (and
// symbolic links, which count as what they point to) cost a stat.
bool IsFolder(DIR *dir, const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat info;
    if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0)
        return false;
    return S_ISDIR(info.st_mode);
}

class FolderReader {
public:
    explicit FolderReader(const QString &folder) : dir_(opendir(QFile::encodeName(folder).constData())) {}
    ~FolderReader()
    {
        if (dir_)
            closedir(dir_);
    }
    FolderReader(const FolderReader &) = delete;
    FolderReader &operator=(const FolderReader &) = delete;

    // The next file name, skipping folders; false at the end.
    const char *nextFile()
    {
        while (dir_) {
            const dirent *entry = readdir(dir_);
            if (!entry)
                return nullptr;
            if (!IsFolder(dir_, entry))
                return entry->d_name;
        }
        return nullptr;
    }

private:
    DIR *dir_;
};

}  // namespace

void FindFolderFiles(const QString &folder, const QString &mask, QStringList &list)
{
    const QString trimmed = mask.trimmed();
    const bool all = trimmed.isEmpty() || trimmed == u".*";
    const QString upperMask = mask.toUpper();
    FolderReader reader(folder);
    while (const char *raw = reader.nextFile()) {
        const QString name = QFile::decodeName(raw);
        if (all || name.toUpper().contains(upperMask))
            list.append(folder + name);
    }
}

QList<QByteArray> FolderFileNames(const QString &folder)
{
    QList<QByteArray> names;
    FolderReader reader(folder);
    while (const char *raw = reader.nextFile())
        names.append(QByteArray(raw));
    return names;
}

}  // namespace tiv
