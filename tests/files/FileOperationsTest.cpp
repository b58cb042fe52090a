#include "support/MainWindowFixture.h"

#include "editing/ImageControl.h"
#include "files/NativeFileName.h"
#include "files/TFrmReName.h"
#include "platform/x11/DesktopServices.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

using namespace tiv;

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct FileOperations : ShownWindowWithFolder {
    // A space in the path, as in many users' folders.
    QString folderName() const override { return QStringLiteral("my pics"); }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void openFolder(const QString &path)
    {
        w->EdtPicPath->setText(path);
        w->EdtPicPathExit();
    }
    QStringList listed() const { return w->BitmapListModel->stringList(); }
    void setCurrent(int row)
    {
        w->BitmapListBox->selectionModel()->setCurrentIndex(w->BitmapListModel->index(row),
                                                            QItemSelectionModel::NoUpdate);
    }
    void rename(int row, const QString &typed, bool confirm = true)
    {
        setCurrent(row);
        onNextModal([typed, confirm](QWidget *m) {
            auto *dialog = qobject_cast<TFrmReName *>(m);
            ASSERT_TRUE(dialog);
            dialog->EdtName->setText(typed);
            (confirm ? dialog->BtnConfirm : dialog->BtnClose)->click();
        });
        w->MnRenamePicClick();
    }
};

}  // namespace

TEST_F(FileOperations, DeleteRemovesEveryHighlightedPictureAndRefillsTheList)
{
    for (int i = 1; i <= 5; ++i)
        write(folder + QStringLiteral("/%1.jpg").arg(i), "x");
    openFolder(folder);
    ASSERT_EQ(listed().size(), 5);

    // Only the focus mark, nothing highlighted: nothing is deleted.
    setCurrent(1);
    w->BitmapListBoxKeyDown(46);
    EXPECT_EQ(messages, QStringList{QStringLiteral("请选择一个或多个图片。")});
    EXPECT_EQ(listed().size(), 5);

    // 3.jpg turned into a folder meanwhile: it cannot be deleted and is skipped.
    QFile::remove(folder + QStringLiteral("/3.jpg"));
    QDir().mkpath(folder + QStringLiteral("/3.jpg/inside"));
    for (int row : {0, 2, 4})
        w->BitmapListBox->selectionModel()->select(w->BitmapListModel->index(row), QItemSelectionModel::Select);
    EXPECT_EQ(w->SelectedPictureNames(), (QStringList{"1.jpg", "3.jpg", "5.jpg"}));
    w->MnDeletePic->trigger();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"2.jpg", "4.jpg"}));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/3.jpg/inside")).isDir());
    EXPECT_EQ(listed(), (QStringList{"2.jpg", "4.jpg"}));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(FileOperations, RenameKeepsContentBlanksAndNeverReplacesAFile)
{
    write(folder + QStringLiteral("/3.jpg"), "JPEG bytes");
    write(folder + QStringLiteral("/4.jpg"), "four");
    openFolder(folder);
    ASSERT_EQ(listed(), (QStringList{"3.jpg", "4.jpg"}));

    rename(0, QStringLiteral("3.png"));
    EXPECT_EQ(read(folder + QStringLiteral("/3.png")), "JPEG bytes");
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/3.jpg")));
    EXPECT_EQ(listed(), (QStringList{"3.png", "4.jpg"}));

    rename(0, QStringLiteral("4.jpg"));  // taken
    rename(0, QStringLiteral("x.jpg"), false);  // closed: the typed name is dropped
    for (const char *refused : {"", ".", "..", "../3.png", "sub/3.png"})
        rename(0, QString::fromLatin1(refused));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"3.png", "4.jpg"}));
    EXPECT_EQ(read(folder + QStringLiteral("/4.jpg")), "four");
    EXPECT_EQ(read(folder + QStringLiteral("/3.png")), "JPEG bytes");

    rename(0, QStringLiteral("  blank.png"));
    EXPECT_EQ(read(folder + QStringLiteral("/  blank.png")), "JPEG bytes");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FileOperations, OpenedPicturesKeepTheirFolderAndTheCurrentEntryStays)
{
    write(folder + QStringLiteral("/1.jpg"), "one");
    write(folder + QStringLiteral("/2.jpg"), "two");
    const QString other = home.filePath(QStringLiteral("other"));
    QDir().mkpath(other);
    write(other + QStringLiteral("/1.jpg"), "other one");
    openFolder(folder);
    setCurrent(1);

    onNextModal([other](QWidget *m) {
        auto *dialog = qobject_cast<QFileDialog *>(m);
        ASSERT_TRUE(dialog);
        dialog->selectFile(other + QStringLiteral("/1.jpg"));
        static_cast<QDialog *>(dialog)->accept();
    });
    w->Load1Click();
    ASSERT_EQ(listed(), (QStringList{"1.jpg", "2.jpg", "1.jpg"}));
    EXPECT_EQ(w->BitmapListBox->currentIndex().row(), 1) << "the current entry is kept";
    w->BitmapListBoxKeyDown(13);
    EXPECT_EQ(fakes.shell.openedPaths.last(), folder + QStringLiteral("/2.jpg"));

    // The appended entry names the other folder's file, whatever the path field says.
    w->EdtPicPath->setText(folder);
    rename(2, QStringLiteral("7.jpg"));
    EXPECT_EQ(read(other + QStringLiteral("/7.jpg")), "other one");
    EXPECT_EQ(read(folder + QStringLiteral("/1.jpg")), "one");
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/7.jpg")));
}

TEST_F(FileOperations, PaintProgramAndFileManagerGetThePathAsItIs)
{
    write(folder + QStringLiteral("/1.jpg"), "x");
    openFolder(folder + u'/');
    setCurrent(0);
    w->BitmapListBox->doubleClicked(w->BitmapListModel->index(0));
    w->N16->trigger();
    w->BtnOpenDir->click();
    EXPECT_EQ(fakes.shell.paintedPictures, QStringList(2, folder + QStringLiteral("/1.jpg")));
    EXPECT_EQ(fakes.shell.fileManagerFolders, QStringList{folder + u'/'});

    // A picture folder on a disk that is not there: the folder check speaks, nothing opens.
    fakes.drives.mounts.clear();
    w->EdtPicPath->setText(QStringLiteral("/mnt/usb/pics"));
    // A second look while the message is open adds no message on top of it.
    QTimer::singleShot(0, w.get(), [this] { w->BtnOpenDirClick(); });
    w->PmOpenInPaintClick();
    w->BtnOpenDirClick();
    EXPECT_EQ(messages, QStringList(2, FormatText(TxtDiskMissing, {w->PictureDrive})));
    EXPECT_EQ(fakes.shell.paintedPictures.size(), 2);
    EXPECT_EQ(fakes.shell.fileManagerFolders.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/mnt/usb/pics")));
}

TEST_F(FileOperations, ClearedCanvasSavesNothing)
{
    w->CaptureFullScreen();
    ASSERT_FALSE(w->ImgMain->picture().isEmpty());
    w->CurrentPicturePath = folder + QStringLiteral("/5.bmp");
    w->MnClearPic->trigger();
    EXPECT_TRUE(w->ImgMain->picture().isEmpty());
    EXPECT_TRUE(w->PnlPic->isVisible());
    w->BtnSavePicClick();
    EXPECT_FALSE(QFile::exists(w->CurrentPicturePath));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FileOperations, PaintProgramGetsThePictureAsOneArgument)
{
    // A stand-in paint program on the search path that writes down the arguments it was given.
    const QString bin = home.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString record = home.filePath(QStringLiteral("args"));
    write(bin + QStringLiteral("/kolourpaint"),
          QStringLiteral("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
              .arg(record).toUtf8());
    QFile::setPermissions(bin + QStringLiteral("/kolourpaint"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit() + ":" + path);
    x11::XdgShell shell;
    const QString picture = folder + QStringLiteral("/a  b $(x) 'c'.jpg");
    EXPECT_TRUE(shell.openInPaintProgram(picture));
    qputenv("PATH", path);
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(record) && waited.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_EQ(QString::fromUtf8(read(record)), QStringLiteral("1|") + picture + u'|');

    // A name that is not UTF-8 comes as a "file:" address and reaches the program as its bytes.
    QFile::remove(record);
    qputenv("PATH", bin.toLocal8Bit() + ":" + path);
    const QByteArray latin1 = QFile::encodeName(folder) + "/caf\xe9 $x.jpg";
    EXPECT_TRUE(shell.openInPaintProgram(NativeFileUrl(latin1)));
    qputenv("PATH", path);
    waited.restart();
    while (!QFile::exists(record) && waited.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_EQ(read(record), "1|" + latin1 + '|');
}

TEST_F(FileOperations, NamesThatAreNotUtf8ReachTheirFiles)
{
    const QByteArray native = QFile::encodeName(folder) + '/';
    ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(folder + QStringLiteral("/tmp.jpg")));
    ASSERT_EQ(::rename((native + "tmp.jpg").constData(), (native + "caf\xe9.jpg").constData()), 0);
    for (const char *name : {"d\xe9l.jpg", "x\xff.bmp"}) {
        QFile file;
        const int fd = ::open((native + name).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_TRUE(fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write(name);
    }
    openFolder(folder);
    const auto row = [&](const char *shown) { return int(listed().indexOf(QString::fromUtf8(shown))); };
    ASSERT_GE(row("caf\uFFFD.jpg"), 0) << qPrintable(listed().join(u'|'));

    setCurrent(row("caf\uFFFD.jpg"));
    w->BitmapListBoxClick();
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(4, 3));
    w->BitmapListBoxKeyDown(13);
    EXPECT_EQ(NativePathOfUrl(fakes.shell.openedUrls.value(0)), native + "caf\xe9.jpg");
    w->PmOpenInPaintClick();
    EXPECT_EQ(NativePathOfUrl(fakes.shell.paintedPictures.value(0)), native + "caf\xe9.jpg");

    rename(row("x\uFFFD.bmp"), QStringLiteral("x\uFFFD.bmp"));
    EXPECT_TRUE(NativePathExists(native + "x\xff.bmp")) << "the name as shown changes nothing";
    rename(row("x\uFFFD.bmp"), QStringLiteral("x.bmp"));
    EXPECT_EQ(read(folder + QStringLiteral("/x.bmp")), "x\xff.bmp");

    w->BitmapListBox->selectionModel()->select(w->BitmapListModel->index(row("d\uFFFDl.jpg")),
                                               QItemSelectionModel::Select);
    w->MnDeletePic->trigger();
    EXPECT_FALSE(NativePathExists(native + "d\xe9l.jpg"));
    EXPECT_TRUE(NativePathExists(native + "caf\xe9.jpg"));
    EXPECT_EQ(listed(), (QStringList{QString::fromUtf8("caf\uFFFD.jpg"), QStringLiteral("x.bmp")}));
    rename(row("caf\uFFFD.jpg"), QString::fromUtf8("caf\uFFFDX2.jpg"));
    EXPECT_TRUE(NativePathExists(native + "caf\xe9X2.jpg")) << "the byte the user kept stays";
    EXPECT_TRUE(messages.isEmpty());
}
