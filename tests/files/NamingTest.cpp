#include "files/FindFolderFiles.h"
#include "files/NextPictureName.h"
#include "files/PictureDrive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tiv;
using Kind = NextPictureNameResult::Kind;

namespace {

void Touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList Sorted(QStringList list)
{
    list.sort();
    return list;
}

}  // namespace

TEST(PictureDrive, TakenFromThePathTextAndPresentOnlyWhenMounted)
{
    struct Case {
        const char *path;
        const char *drive;
    } cases[] = {
        {"/home/ann/pics", "/"},
        {"/media/ann/usb/pics", "/media/ann/usb"},
        {"/media/ann/usb", "/media/ann/usb"},
        {"/run/media/ann/Card 1/a/b", "/run/media/ann/Card 1"},
        {"/media/bob/usb/pics", "/media/bob"},
        {"/media/ann", "/media/ann"},
        {"/media/usb2/pics", "/media/usb2"},
        {"/mnt/disk/x", "/mnt/disk"},
        {"/mnt", "/"},
        {"/media/usb/../x", "/media/x"},
        {"//media//ann/usb/p", "/media/ann/usb"},
        {"/run/media/ann", "/"},
        {"relative/pics", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DrivePart(c.path, "ann"), QString(c.drive)) << c.path;
    EXPECT_EQ(DrivePart("/media/ann/usb/p", ""), QString("/media/ann"));

    // The disk is plugged in while its folder is in the mount table; "/" is always there.
    const QStringList mounts{"/", "/media/ann/usb", "/mnt/disk/"};
    EXPECT_TRUE(DriveExists("/", {}));
    EXPECT_TRUE(DriveExists(" /media/ann/usb ", mounts));
    EXPECT_TRUE(DriveExists("/mnt/disk", mounts));
    EXPECT_TRUE(DriveExists("/media/ann/usb/", mounts));
    EXPECT_FALSE(DriveExists("/media/ann/USB", mounts));
    EXPECT_FALSE(DriveExists("/media/ann/card", mounts));
    EXPECT_FALSE(DriveExists("/media", mounts));
    EXPECT_FALSE(DriveExists("", mounts));

    // Only "~" and "~/" stand for home; every other path not from "/" is refused, not guessed at.
    using Kind = PictureFolderCheck::Kind;
    struct Checked {
        const char *text;
        Kind kind;
        const char *folder;
    } checks[] = {
        {"~", Kind::Usable, "/home/ann"},
        {"~/pics", Kind::Usable, "/home/ann/pics"},
        {"~ann/pics", Kind::Relative, "~ann/pics"},
        {" /home/ann", Kind::Relative, " /home/ann"},
        {"pics/~", Kind::Relative, "pics/~"},
        {"", Kind::Empty, ""},
        {"/media/ann/card/x", Kind::DiskMissing, "/media/ann/card/x"},
        {"/media/ann/usb/x", Kind::Usable, "/media/ann/usb/x"},
    };
    for (const Checked &c : checks) {
        const PictureFolderCheck check = CheckPictureFolder(c.text, "/home/ann", "ann", mounts);
        EXPECT_EQ(check.kind, c.kind) << c.text;
        EXPECT_EQ(check.folder, QString(c.folder)) << c.text;
    }
}

TEST(FindFolderFiles, FilesOnlyWithUpperCaseSubstringMask)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    for (const char *name : {"a.jpg", "B.JPG", "jpgnotes.bmp", ".hidden.jpg", "c.png"})
        Touch(folder + name);
    QDir(folder).mkdir("d.jpg");
    QFile::link(folder + "d.jpg", folder + "linked-folder.jpg");
    QFile::link(folder + "a.jpg", folder + "linked-file.jpg");

    QStringList jpg{"kept"};
    FindFolderFiles(folder, "jpg", jpg);
    EXPECT_EQ(Sorted(jpg), Sorted({"kept", folder + "a.jpg", folder + "B.JPG", folder + "jpgnotes.bmp",
                                   folder + ".hidden.jpg", folder + "linked-file.jpg"}));

    for (const char *everything : {"", "  ", " .* "}) {
        QStringList all;
        FindFolderFiles(folder, everything, all);
        EXPECT_EQ(all.size(), 6) << everything;
    }
    QStringList untrimmed;
    FindFolderFiles(folder, " jpg", untrimmed);
    FindFolderFiles(folder + "nowhere/", ".*", untrimmed);
    EXPECT_TRUE(untrimmed.isEmpty());
}

TEST(NextPictureName, HighestNumberPlusOne)
{
    struct Case {
        QStringList files;
        QStringList folders;
        QString prefix;
        QString ext;
        QString expected;  // empty: numbers exhausted
    } cases[] = {
        {{"1.jpg", "2.jpg", "10.jpg", "7.jpg"}, {}, "", "jpg", "11.jpg"},
        {{"1.jpg", "2.jpg", "10.jpg", "7.jpg", "PIC1.jpg", "PIC3.jpg"}, {}, "PIC", "jpg", "PIC11.jpg"},
        {{"PIC1.jpg", "PIC3.jpg"}, {}, "  PIC ", "jpg", "PIC4.jpg"},
        {{"pic9.jpg", "PIC3.jpg"}, {}, "PIC", "jpg", "PIC4.jpg"},
        {{"a1a2.jpg"}, {}, "a", "jpg", "a13.jpg"},
        {{"5.JPG"}, {}, "", "jpg", "1.jpg"},
        {{"8.jpg.bak"}, {}, "", "jpg", "1.jpg"},
        {{"3.jpg.jpg"}, {}, "", "jpg", "4.jpg"},
        {{"x10.jpg"}, {}, "", "jpg", "17.jpg"},
        {{"2.jpg"}, {"99", "99.jpg"}, "", "jpg", "3.jpg"},
        {{"-5.jpg", "0.jpg", "notes.jpg"}, {}, "", "jpg", "1.jpg"},
        {{"40.jpg", "4.bmp"}, {}, "", "bmp", "5.bmp"},
        {{}, {}, "", "png", "1.png"},
        {{"2147483646.jpg"}, {}, "", "jpg", "2147483647.jpg"},
        {{"2147483647.jpg", "3.jpg"}, {}, "", "jpg", ""},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        for (const QString &name : c.files)
            Touch(dir.filePath(name));
        for (const QString &name : c.folders)
            QDir(dir.path()).mkdir(name);
        const NextPictureNameResult r = NextPictureName(dir.path(), c.prefix, c.ext);
        if (c.expected.isEmpty()) {
            EXPECT_EQ(r.kind, Kind::NumberExhausted) << c.files.join(' ').toStdString();
            EXPECT_TRUE(r.path.isEmpty());
        } else {
            EXPECT_EQ(r.kind, Kind::Ok);
            EXPECT_EQ(r.path, dir.path() + "/" + c.expected) << c.files.join(' ').toStdString();
        }
    }
}

TEST(NextPictureName, FolderHandling)
{
    QTemporaryDir dir;
    const QString nested = dir.path() + "/a/b/c";
    EXPECT_EQ(NextPictureName(nested, "", "jpg").path, nested + "/1.jpg");
    EXPECT_TRUE(QDir(nested).exists());

    Touch(dir.filePath("6.bmp"));
    EXPECT_EQ(NextPictureName(dir.path() + "/", "", "bmp").path, dir.path() + "/7.bmp");
    EXPECT_EQ(NextPictureName("/", "", "no-such-ext").path, QString("/1.no-such-ext"));

    EXPECT_EQ(NextPictureName("", "", "jpg").kind, Kind::EmptyFolder);
    const QString unformatted = dir.path() + "/made-anyway";
    EXPECT_EQ(NextPictureName(unformatted, "", "").kind, Kind::NoFormat);
    EXPECT_TRUE(QDir(unformatted).exists());
}
