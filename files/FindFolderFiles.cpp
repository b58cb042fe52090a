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
    bool nextFile(QString &name)
    {
        while (dir_) {
            const dirent *entry = readdir(dir_);
            if (!entry)
                return false;
            if (!IsFolder(dir_, entry)) {
                name = QFile::decodeName(entry->d_name);
                return true;
            }
        }
        return false;
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
    QString name;
    while (reader.nextFile(name)) {
        if (all || name.toUpper().contains(upperMask))
            list.append(folder + name);
    }
}

}  // namespace tiv
