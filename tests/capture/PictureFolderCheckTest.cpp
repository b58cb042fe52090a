#include "support/MainWindowFixture.h"

#include "files/PictureDrive.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>

using namespace tiv;

namespace {

// Started from the temporary home, so a folder made relative to the working folder shows there.
struct PictureFolderCheckTest : MainWindowFixture {
    QString startedIn;
    void SetUp() override
    {
        startedIn = QDir::currentPath();
        MainWindowFixture::SetUp();
        QDir::setCurrent(home.path());
        w->show();
    }
    void TearDown() override
    {
        QDir::setCurrent(startedIn);
        MainWindowFixture::TearDown();
    }
    void typeFolder(const QString &text)
    {
        w->EdtPicPath->setText(text);
        w->EdtPicPathExit();
    }
};

}  // namespace

TEST_F(PictureFolderCheckTest, TildeMeansHomeAndOtherRelativePathsAreRefused)
{
    typeFolder(QStringLiteral("~/shots"));
    EXPECT_EQ(w->PictureFolder, home.filePath(QStringLiteral("shots")));
    w->CaptureFullScreen();
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("shots/1.jpg"))));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("~"))));
    EXPECT_TRUE(messages.isEmpty());
    const QString hint = w->PnlHint->text();

    typeFolder(QStringLiteral("pics"));
    w->CaptureFullScreen();
    w->HotkeyMessage(4);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages, QStringList(3, messages.first()));
    EXPECT_TRUE(messages.first().contains(QStringLiteral("“/”"))) << messages.first().toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("pics"))));
    EXPECT_EQ(w->ToolMode, 0);
    EXPECT_EQ(w->PnlHint->text(), hint);

    // No folder at all names no disk.
    typeFolder(QString());
    w->FillPictureList();
    w->CaptureFullScreen();
    EXPECT_FALSE(messages.contains(QStringLiteral("磁盘不存在，请重选择一个路径。")));
    EXPECT_EQ(messages.mid(3), (QStringList{QStringLiteral("请输入图片路径"), QStringLiteral("请选择一个合法的文件夹名称"),
                                            QStringLiteral("请选择一个合法的文件夹名称")}));
    EXPECT_EQ(w->PnlHint->text(), hint);
}

TEST_F(PictureFolderCheckTest, NothingLandsUnderTheMountFolderOfAnUnpluggedDisk)
{
    const QString disk = QStringLiteral("/media/%1/tiv-test-usb-%2").arg(LoginName()).arg(QCoreApplication::applicationPid());
    ASSERT_FALSE(QFileInfo::exists(disk));
    const QString missing = QStringLiteral("磁盘") + disk + QStringLiteral("不存在，请重选择一个路径。");
    const QString hint = w->PnlHint->text();

    // Chosen while the disk was in; unplugged since.
    w->PictureFolder = disk + QStringLiteral("/pics");
    fakes.drives.mounts = {QStringLiteral("/")};
    w->CaptureFullScreen();
    for (int hotkey = 1; hotkey <= 4; ++hotkey)
        w->HotkeyMessage(hotkey);
    EXPECT_EQ(messages, QStringList(5, missing));
    EXPECT_EQ(w->ToolMode, 0);

    // Unplugged while the region is being chosen.
    fakes.drives.mounts = {QStringLiteral("/"), disk};
    w->HotkeyMessage(4);
    ASSERT_EQ(w->ToolMode, 5);
    fakes.drives.mounts = {QStringLiteral("/")};
    dragOnCanvas(QPoint(5, 5), QPoint(30, 20));
    EXPECT_EQ(messages, QStringList(6, missing));
    EXPECT_EQ(w->PnlHint->text(), hint);

    const bool landed = QFileInfo::exists(disk);
    QDir(disk).removeRecursively();
    EXPECT_FALSE(landed);
}
