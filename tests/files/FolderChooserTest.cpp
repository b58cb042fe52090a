#include "support/MainWindowFixture.h"

#include "files/FolderTree.h"
#include "files/TFormAddPath.h"
#include "files/TFrmDirSelect.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace tiv;

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct FolderChooser : MainWindowFixture {
    QString pics, other;
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        pics = home.filePath(QStringLiteral("pics"));
        other = home.filePath(QStringLiteral("other"));
        for (const QString &f : {pics + QStringLiteral("/a"), pics + QStringLiteral("/b"), other})
            QDir().mkpath(f);
        QFile(other + QStringLiteral("/1.jpg")).open(QIODevice::WriteOnly);
        w->show();
        w->EdtPicPath->setText(pics);
        w->EdtPicPathExit();
    }
    // Opens the chooser from the main window and runs `act` on it while it is shown.
    void choose(std::function<void(TFrmDirSelect *)> act)
    {
        onNextModal([act](QWidget *m) {
            auto *dialog = qobject_cast<TFrmDirSelect *>(m);
            ASSERT_TRUE(dialog);
            act(dialog);
            if (dialog->isVisible())
                dialog->BtnCancel->click();
        });
        w->BtnSelectPath->click();
    }
    // Root passes every permission check; from here on the test thread does not.
    static void dropPermissionOverride()
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2]{};
        syscall(SYS_capget, &header, caps);
        caps[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header, caps);
    }
    static void key(QWidget *target, int k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
};

}  // namespace

TEST_F(FolderChooser, OpensAtThePictureFolderAndOnlyConfirmChangesIt)
{
    QString shown;
    choose([&](TFrmDirSelect *d) { shown = d->EdtPath->text(); });
    EXPECT_EQ(shown, pics);
    EXPECT_EQ(w->PictureFolder, pics) << "cancel changes nothing";

    choose([&](TFrmDirSelect *d) {
        ASSERT_TRUE(d->ShellTreeView1->moveTo(other));
        d->BtnConfirm->click();
    });
    EXPECT_EQ(w->PictureFolder, other);
    EXPECT_EQ(w->EdtPicPath->text(), other);
    EXPECT_EQ(w->BitmapListModel->stringList(), QStringList{"1.jpg"});

    choose([&](TFrmDirSelect *d) { d->ShellTreeView1->moveTo(pics); });
    EXPECT_EQ(w->PictureFolder, other) << "cancel after an earlier choice keeps it";
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FolderChooser, NewFolderIsMadeBelowTheSelectionAndBecomesThePictureFolder)
{
    choose([&](TFrmDirSelect *d) {
        // A name of blanks is refused and the name dialog stays.
        onNextModal([&](QWidget *m) {
            auto *name = qobject_cast<TFormAddPath *>(m);
            ASSERT_TRUE(name);
            name->EdtName->setText(QStringLiteral("   "));
            name->BtnConfirm->click();
            EXPECT_TRUE(name->isVisible());
            EXPECT_EQ(messages.value(0), QStringLiteral("请输入一个文件夹"));
            name->EdtName->setText(QStringLiteral(" 2024 "));
            name->BtnConfirm->click();
        });
        d->BtnAddPath->click();
        EXPECT_EQ(d->ShellTreeView1->selectedPath(), pics + QStringLiteral("/2024"));
        EXPECT_EQ(d->EdtPath->text(), pics + QStringLiteral("/2024"));
        d->BtnConfirm->click();
    });
    EXPECT_TRUE(QFileInfo(pics + QStringLiteral("/2024")).isDir());
    EXPECT_EQ(w->PictureFolder, pics + QStringLiteral("/2024"));

    // With nothing selected there is no place for a new folder: no name is asked, nothing made.
    choose([&](TFrmDirSelect *d) {
        d->ShellTreeView1->clearSelection();
        d->BtnAddPath->click();
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        d->BtnConfirm->click();
    });
    EXPECT_EQ(messages.value(1), QStringLiteral("请选择一个路径"));
    EXPECT_EQ(w->PictureFolder, pics + QStringLiteral("/2024")) << "no folder came back";
}

TEST_F(FolderChooser, PathFieldFollowsTheTreeAndTheTreeFollowsTheDisk)
{
    TFrmDirSelect dialog;
    dialog.ShellTreeView1->setRoots(FolderTreeRoots(home.path(), {QStringLiteral("/media/u/usb")}));
    EXPECT_EQ(FolderTreeRoots(QStringLiteral("/home/u"), {"/", "/media/u/usb", "/mnt/x/", "/proc", "/mnt/x/deep", "/run/media/u"}),
              (QStringList{"/home/u", "/media/u/usb", "/mnt/x", "/"}));
    dialog.show();
    ASSERT_TRUE(dialog.ShellTreeView1->moveTo(pics));
    dialog.ShellTreeView1->expandItem(dialog.ShellTreeView1->currentItem());
    key(dialog.ShellTreeView1, Qt::Key_Down);
    EXPECT_EQ(dialog.EdtPath->text(), pics + QStringLiteral("/a")) << "no lag behind the keys";

    // Enter on a folder that does not exist creates nothing and leaves the tree where it was.
    dialog.EdtPath->setText(pics + QStringLiteral("/missing"));
    key(dialog.EdtPath, Qt::Key_Return);
    EXPECT_FALSE(QFileInfo::exists(pics + QStringLiteral("/missing")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("此路径不存在：") + pics + QStringLiteral("/missing")});
    EXPECT_EQ(dialog.ShellTreeView1->selectedPath(), pics + QStringLiteral("/a"));
    dialog.EdtPath->setText(other);
    key(dialog.EdtPath, Qt::Key_Return);
    EXPECT_EQ(dialog.ShellTreeView1->selectedPath(), other);
    EXPECT_TRUE(dialog.isVisible()) << "Enter in the field does not confirm";

    // A folder made by another program shows up by itself.
    QTreeWidgetItem *picsItem = dialog.ShellTreeView1->currentItem()->parent()->child(1);
    ASSERT_EQ(FolderTree::pathOf(picsItem), pics);
    QDir().mkpath(pics + QStringLiteral("/c"));
    QElapsedTimer waited;
    waited.start();
    while (picsItem->childCount() < 3 && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(picsItem->childCount(), 3);
    EXPECT_EQ(FolderTree::pathOf(picsItem->child(2)), pics + QStringLiteral("/c"));
}

TEST_F(FolderChooser, ConfirmTakesTheTypedFolderAndEveryFolderIsReachable)
{
    choose([&](TFrmDirSelect *d) {
        d->EdtPath->setText(QStringLiteral(" ") + other + QStringLiteral("/ "));
        d->BtnConfirm->click();
    });
    EXPECT_EQ(w->PictureFolder, other) << "the typed folder, not the tree's";

    choose([&](TFrmDirSelect *d) {
        d->EdtPath->setText(other + QStringLiteral("/1.jpg"));
        d->BtnConfirm->click();
        EXPECT_TRUE(d->isVisible()) << "a path that names no folder is not taken";
    });
    EXPECT_EQ(messages.value(0), QStringLiteral("此路径不存在：") + other + QStringLiteral("/1.jpg"));
    EXPECT_EQ(w->PictureFolder, other);

    // Folders that cannot be made are said, blaming the name only where it is at fault; the tree
    // and the field stay where they were.
    QFile(pics + QStringLiteral("/taken")).open(QIODevice::WriteOnly);
    const QString locked = home.filePath(QStringLiteral("locked")), badName = QStringLiteral("请选择一个合法的文件夹名称");
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    dropPermissionOverride();
    const struct {
        QString parent, name, message;
    } cases[] = {{pics, QStringLiteral("taken"), badName}, {pics, QString(300, u'n'), badName},
                 {locked, QStringLiteral("new"), QStringLiteral("不能在此文件夹中新建文件夹，它不允许写入：") + locked}};
    for (const auto &c : cases) {
        choose([&](TFrmDirSelect *d) {
            ASSERT_TRUE(d->ShellTreeView1->moveTo(c.parent));
            onNextModal([&](QWidget *m) {
                auto *dialog = qobject_cast<TFormAddPath *>(m);
                ASSERT_TRUE(dialog);
                dialog->EdtName->setText(c.name);
                dialog->BtnConfirm->click();
            });
            d->BtnAddPath->click();
            EXPECT_EQ(d->ShellTreeView1->selectedPath(), c.parent);
            EXPECT_EQ(d->EdtPath->text(), c.parent);
        });
        EXPECT_EQ(messages.takeLast(), c.message) << qPrintable(c.name.left(8));
    }
    EXPECT_TRUE(QFileInfo(pics + QStringLiteral("/taken")).isFile());

    // Hidden folders: a new one is selected, and a picture folder below one opens the chooser there.
    choose([&](TFrmDirSelect *d) {
        ASSERT_TRUE(d->ShellTreeView1->moveTo(pics));
        onNextModal([](QWidget *m) {
            auto *dialog = qobject_cast<TFormAddPath *>(m);
            ASSERT_TRUE(dialog);
            dialog->EdtName->setText(QStringLiteral(".hidden"));
            dialog->BtnConfirm->click();
        });
        d->BtnAddPath->click();
        EXPECT_EQ(d->ShellTreeView1->selectedPath(), pics + QStringLiteral("/.hidden"));
        d->BtnConfirm->click();
    });
    EXPECT_EQ(w->PictureFolder, pics + QStringLiteral("/.hidden"));
    const QString deep = home.filePath(QStringLiteral(".cache/shots"));
    QDir().mkpath(deep);
    w->EdtPicPath->setText(deep);
    QString treeShows;
    choose([&](TFrmDirSelect *d) { treeShows = d->ShellTreeView1->selectedPath(); });
    EXPECT_EQ(treeShows, deep);
}
