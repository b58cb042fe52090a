#include "files/FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace tiv {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int LoadedRole = Qt::UserRole + 1;
// The hidden subfolders that were asked for by path, which the tree shows from then on.
constexpr int RevealedRole = Qt::UserRole + 2;

QStringList SubfolderNames(const QString &path, const QStringList &revealed)
{
    QStringList names = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                             QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    names.removeIf([&](const QString &name) { return name.startsWith(u'.') && !revealed.contains(name); });
    return names;
}

QString ChildPath(const QString &parent, const QString &name)
{
    return parent.endsWith(u'/') ? parent + name : parent + u'/' + name;
}

// Whether `path` is `folder` itself or lies below it.
bool Holds(const QString &folder, const QString &path)
{
    if (folder == u"/")
        return true;
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == u'/');
}

}  // namespace

QStringList FolderTreeRoots(const QString &home, const QStringList &mountPoints)
{
    // Disks sit at a fixed depth under each base ("/media/NAME" or "/media/USER/NAME"); mounts
    // deeper down belong to some program, not to the user.
    const struct {
        const char *base;
        int minLevels, maxLevels;
    } places[] = {{"/media/", 1, 2}, {"/run/media/", 2, 2}, {"/mnt/", 1, 1}};
    QStringList disks;
    for (const QString &point : mountPoints) {
        const QString clean = QDir::cleanPath(point);
        for (const auto &place : places) {
            if (!clean.startsWith(QLatin1String(place.base)))
                continue;
            const qsizetype levels = clean.mid(qstrlen(place.base)).split(u'/', Qt::SkipEmptyParts).size();
            if (levels >= place.minLevels && levels <= place.maxLevels)
                disks << clean;
        }
    }
    disks.sort();
    disks.removeDuplicates();
    QStringList roots;
    if (!home.isEmpty() && QDir::cleanPath(home) != u"/")
        roots << QDir::cleanPath(home);
    roots << disks << QStringLiteral("/");
    return roots;
}

FolderTree::FolderTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::load);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderTree::folderChanged);
}

QString FolderTree::pathOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, PathRole).toString() : QString();
}

QTreeWidgetItem *FolderTree::makeItem(const QString &path, const QString &text)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, PathRole, path);
    item->setIcon(0, icons_.icon(QFileInfo(path)));
    // Whether a folder has subfolders is known only once it is read; until then it may have.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderTree::setRoots(const QStringList &folders)
{
    clear();
    for (const QString &folder : folders)
        addTopLevelItem(makeItem(folder, folder));
}

QString FolderTree::selectedPath() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : pathOf(selected.first());
}

void FolderTree::load(QTreeWidgetItem *item)
{
    if (item->data(0, LoadedRole).toBool())
        return;
    item->setData(0, LoadedRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    const QString path = pathOf(item);
    if (QFileInfo(path).isDir())
        watcher_.addPath(path);
    refresh(item);
}

void FolderTree::refresh(QTreeWidgetItem *item)
{
    const QString path = pathOf(item);
    const QStringList names = SubfolderNames(path, item->data(0, RevealedRole).toStringList());
    const QSet<QString> present(names.cbegin(), names.cend());
    for (int i = item->childCount() - 1; i >= 0; --i) {
        if (!present.contains(item->child(i)->text(0)))
            delete item->takeChild(i);
    }
    // The children kept are in the listing's order, so new folders slot in where they belong.
    for (int i = 0; i < names.size(); ++i) {
        if (i >= item->childCount() || item->child(i)->text(0) != names[i])
            item->insertChild(i, makeItem(ChildPath(path, names[i]), names[i]));
    }
}

void FolderTree::folderChanged(const QString &path)
{
    QList<QTreeWidgetItem *> pending;
    for (int i = 0; i < topLevelItemCount(); ++i)
        pending << topLevelItem(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *item = pending.takeLast();
        if (!item->data(0, LoadedRole).toBool())
            continue;
        if (pathOf(item) == path)
            refresh(item);
        for (int i = 0; i < item->childCount(); ++i)
            pending << item->child(i);
    }
}

QTreeWidgetItem *FolderTree::childNamed(QTreeWidgetItem *item, const QString &name)
{
    load(item);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == name)
                return item->child(i);
        }
        // A folder made a moment ago may not have reached the watcher yet, and a hidden one is
        // listed only once it has been asked for.
        QStringList revealed = item->data(0, RevealedRole).toStringList();
        if (name.startsWith(u'.') && !revealed.contains(name))
            item->setData(0, RevealedRole, revealed << name);
        refresh(item);
    }
    return nullptr;
}

bool FolderTree::moveTo(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    const QString target = QDir::cleanPath(info.absoluteFilePath());
    QTreeWidgetItem *root = nullptr;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QString top = QDir::cleanPath(pathOf(topLevelItem(i)));
        if (Holds(top, target) && (!root || top.size() > QDir::cleanPath(pathOf(root)).size()))
            root = topLevelItem(i);
    }
    if (!root)
        return false;
    const QString rootPath = QDir::cleanPath(pathOf(root));
    const QStringList levels = target.mid(rootPath.size()).split(u'/', Qt::SkipEmptyParts);
    QTreeWidgetItem *item = root;
    for (const QString &level : levels) {
        item = childNamed(item, level);
        if (!item)
            return false;
    }
    for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

}  // namespace tiv
