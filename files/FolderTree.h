#pragma once

#include <QFileIconProvider>
#include <QFileSystemWatcher>
#include <QTreeWidget>

namespace tiv {

// The top items of the folder chooser, the way the desktop shows the file system: the home folder,
// the disks mounted under /media, /run/media and /mnt, and the root folder, so every folder can be
// reached.
QStringList FolderTreeRoots(const QString &home, const QStringList &mountPoints);

// A tree of the file system's folders (no files) under a few top items, such as the home folder,
// the mounted disks and the root folder. Folders are read when first opened and kept up to date by
// watching them, so folders made or removed by any program show up by themselves.
class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderTree(QWidget *parent = nullptr);

    // Replaces the top items; each shows its full path.
    void setRoots(const QStringList &folders);
    // The folder of the selected item; empty when nothing is selected.
    QString selectedPath() const;
    // Opens the tree down to an existing folder and selects it, showing hidden folders on the way.
    // False (and the tree as it was) when no top item holds the folder or a level cannot be read.
    bool moveTo(const QString &folder);
    // Reads an opened folder's children again at once, without waiting for the watcher.
    void refresh(QTreeWidgetItem *item);

    static QString pathOf(const QTreeWidgetItem *item);

private:
    QTreeWidgetItem *makeItem(const QString &path, const QString &text);
    void load(QTreeWidgetItem *item);
    void folderChanged(const QString &path);
    QTreeWidgetItem *childNamed(QTreeWidgetItem *item, const QString &name);

    QFileIconProvider icons_;
    QFileSystemWatcher watcher_;
};

}  // namespace tiv
