#include "codecs/BmpCodec.h"
#include "files/LoadPictureFile.h"
#include "files/NextPictureName.h"
#include "files/SavePictureFile.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/fsuid.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace tiv;
using Kind = SavePictureResult::Kind;

namespace {

// Noise, so that no format squeezes it below a few kilobytes.
CanvasPicture NoisyBitmap(int width = 120, int height = 90)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    }
    return CanvasPicture::bitmap(image);
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

CanvasPicture ForeignPicture()
{
    CanvasPicture p;
    p.kind = CanvasPicture::Kind::Foreign;
    p.image = QImage(4, 4, QImage::Format_ARGB32);
    p.foreignData = "original icon bytes";
    return p;
}

}  // namespace

TEST(SavePictureFile, FormatChosenByExtension)
{
    QTemporaryDir dir;
    const CanvasPicture bitmap = NoisyBitmap();
    struct Case {
        const char *name;
        const char *written;
        const char *magic;
    } cases[] = {
        {"a.jpg", "a.jpg", "\xff\xd8"},      {"b.JPG", "b.JPG", "\xff\xd8"},    {"c.jpeg", "c.jpeg", "\xff\xd8"},
        {"d.JpEg", "d.JpEg", "\xff\xd8"},   {"x.PNG", "x.png", "\x89PNG"},     {"y.png", "y.png", "\x89PNG"},
        {"e.bmp", "e.bmp", "BM"},           {"f.ico", "f.ico", "BM"},          {"noext", "noext", "BM"},
        {"g.h/noext", "g.h/noext", "BM"},   {"new/levels/p.png", "new/levels/p.png", "\x89PNG"},
    };
    for (const Case &c : cases) {
        const SavePictureResult r = SavePictureFile(dir.filePath(c.name), bitmap);
        EXPECT_EQ(r.kind, Kind::Written) << c.name;
        EXPECT_EQ(r.path, dir.filePath(c.written));
        EXPECT_TRUE(FileBytes(r.path).startsWith(c.magic)) << c.name;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.PNG")));
    EXPECT_EQ(LoadPictureFile(dir.filePath("e.bmp")).image, bitmap.image);

    const SavePictureResult overwrite = SavePictureFile(dir.filePath("e.bmp"), NoisyBitmap(3, 3));
    EXPECT_EQ(overwrite.kind, Kind::Written);
    EXPECT_EQ(LoadPictureFile(dir.filePath("e.bmp")).image.size(), QSize(3, 3));
}

TEST(SavePictureFile, WhatIsNotWritten)
{
    QTemporaryDir dir;
    for (const char *path : {"", "bare.bmp", "bare.jpg"}) {
        const SavePictureResult r = SavePictureFile(path, NoisyBitmap());
        EXPECT_EQ(r.kind, Kind::IllegalPath) << path;
        EXPECT_EQ(r.path, QString());
    }
    EXPECT_FALSE(QFile::exists("bare.bmp"));

    const CanvasPicture foreign = ForeignPicture();
    EXPECT_EQ(SavePictureFile(dir.filePath("i.ico"), foreign).kind, Kind::Written);
    EXPECT_EQ(FileBytes(dir.filePath("i.ico")), foreign.foreignData);
    for (const char *name : {"i.jpg", "i.png"})
        EXPECT_EQ(SavePictureFile(dir.filePath(name), foreign).kind, Kind::NothingToSave) << name;
    for (const char *name : {"n.jpg", "n.jpeg", "n.png", "n.bmp", "n"})
        EXPECT_EQ(SavePictureFile(dir.filePath(name), CanvasPicture()).kind, Kind::NothingToSave) << name;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"i.ico"});
}

TEST(SavePictureFile, FailedWritesKeepTheOldFile)
{
    QTemporaryDir dir;
    const CanvasPicture bitmap = NoisyBitmap();
    WriteBytes(dir.filePath("plain-file"), "x");
    const QString underFile = dir.filePath("plain-file/sub/a");
    EXPECT_EQ(SavePictureFile(underFile + ".bmp", bitmap).kind, Kind::SaveFailed);
    EXPECT_EQ(SavePictureFile(underFile + ".bmp", bitmap).path, underFile + ".bmp");
    EXPECT_EQ(SavePictureFile(underFile + ".bmp", ForeignPicture()).kind, Kind::SaveFailed);
    EXPECT_EQ(SavePictureFile(underFile + ".jpg", bitmap).kind, Kind::EncodeFailed);
    EXPECT_EQ(SavePictureFile(underFile + ".png", bitmap).kind, Kind::EncodeFailed);

    QDir(dir.path()).mkdir("folder.bmp");
    EXPECT_EQ(SavePictureFile(dir.filePath("folder.bmp"), bitmap).kind, Kind::SaveFailed);
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.bmp")).isDir());

    const QByteArray old = "old picture bytes";
    for (const char *name : {"old.bmp", "old.jpg", "old.png"})
        WriteBytes(dir.filePath(name), old);
    {
        const FileSizeLimit limit(4096);
        EXPECT_EQ(SavePictureFile(dir.filePath("old.bmp"), bitmap).kind, Kind::SaveFailed);
        EXPECT_EQ(SavePictureFile(dir.filePath("old.jpg"), bitmap).kind, Kind::EncodeFailed);
        EXPECT_EQ(SavePictureFile(dir.filePath("old.png"), bitmap).kind, Kind::EncodeFailed);
    }
    for (const char *name : {"old.bmp", "old.jpg", "old.png"})
        EXPECT_EQ(FileBytes(dir.filePath(name)), old) << name;
    const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_EQ(left, QStringList({"folder.bmp", "old.bmp", "old.jpg", "old.png", "plain-file"}));
}

TEST(SavePictureFile, InPlaceWhereTheFolderIsReadOnlyAndWhyAFailureHappened)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("read-only");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString old = folder + "/old.bmp";
    WriteBytes(old, "old picture bytes");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const CanvasPicture small = NoisyBitmap(8, 8), large = NoisyBitmap();
    // Permissions hold for root too: it reaches the files as "nobody" from this thread.
    const bool root = ::geteuid() == 0;
    for (const QString &path : {folder, old})
        ASSERT_TRUE(!root || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    ::setfsgid(root ? 65534 : ::getegid());
    ::setfsuid(root ? 65534 : ::geteuid());
    {
        const FileSizeLimit full(4096);
        EXPECT_EQ(SavePictureFile(old, large).failure, WriteFailure::DiskFull);
    }
    EXPECT_EQ(FileBytes(old), "old picture bytes") << "no room: the old bytes stay, even in place";
    EXPECT_EQ(SavePictureFile(old, large).kind, Kind::Written);
    EXPECT_EQ(SavePictureFile(old, small).kind, Kind::Written);
    EXPECT_EQ(FileBytes(old), EncodeBmp(small.image)) << "a shorter picture leaves no old tail";
    EXPECT_EQ(SavePictureFile(folder + "/new.png", small).failure, WriteFailure::NoPermission);
    EXPECT_EQ(SaveNewPictureFile(NextPictureName(folder, "", "bmp"), small).failure, WriteFailure::NoPermission);
    ::setfsuid(::geteuid());
    ::setfsgid(::getegid());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"old.bmp"});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(SaveNewPictureFile, SaversIntoOneFolderAtOnceKeepEveryPicture)
{
    QTemporaryDir dir;
    constexpr int Savers = 4, Each = 12;
    std::vector<std::thread> savers;
    for (int saver = 0; saver < Savers; ++saver) {
        savers.emplace_back([&dir] {
            for (int i = 0; i < Each; ++i)
                SaveNewPictureFile(NextPictureName(dir.path(), "", "bmp"), NoisyBitmap(4, 4));
        });
    }
    for (std::thread &t : savers)
        t.join();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), Savers * Each);
}

TEST(LoadPictureFile, ByExtensionWithoutRegardToCase)
{
    QTemporaryDir dir;
    const CanvasPicture bitmap = NoisyBitmap(31, 17);
    for (const char *name : {"a.bmp", "b.BMP", "c.jpg", "d.JPG", "e.jpeg", "f.Jpeg", "g.png", "h.PNG"}) {
        const QString path = SavePictureFile(dir.filePath(name), bitmap).path;
        const CanvasPicture loaded = LoadPictureFile(path);
        EXPECT_EQ(loaded.kind, CanvasPicture::Kind::Bitmap) << name;
        EXPECT_EQ(loaded.image.size(), QSize(31, 17)) << name;
        EXPECT_EQ(loaded.image.format(), QImage::Format_RGB32) << name;
    }
    EXPECT_EQ(LoadPictureFile(dir.filePath("h.png")).image, bitmap.image);

    const QString ppm = dir.filePath("p.ppm");
    ASSERT_TRUE(bitmap.image.save(ppm, "PPM"));
    const CanvasPicture foreign = LoadPictureFile(ppm);
    EXPECT_EQ(foreign.kind, CanvasPicture::Kind::Foreign);
    EXPECT_EQ(foreign.image.size(), QSize(31, 17));
    EXPECT_EQ(foreign.foreignData, FileBytes(ppm));
}

TEST(LoadPictureFile, UnreadableFilesGiveNothing)
{
    QTemporaryDir dir;
    for (const char *name : {"really-png.jpg", "really-png.bmp"})
        ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(dir.filePath(name), "PNG"));
    for (const char *name : {"bad.jpg", "bad.bmp", "bad.png", "bad.gif", "bad"})
        WriteBytes(dir.filePath(name), "not a picture at all");
    WriteBytes(dir.filePath("empty.jpg"), "");
    for (const char *name : {"really-png.jpg", "really-png.bmp", "bad.jpg", "bad.bmp", "bad.png", "bad.gif",
                             "bad", "empty.jpg", "missing.jpg"})
        EXPECT_TRUE(LoadPictureFile(dir.filePath(name)).isEmpty()) << name;

    EXPECT_TRUE(OpenUnreadableWithDesktop(QFile::encodeName(dir.filePath("really-png.jpg"))));
    EXPECT_TRUE(OpenUnreadableWithDesktop(QFile::encodeName(dir.filePath("bad.bmp"))));
    EXPECT_FALSE(OpenUnreadableWithDesktop(QFile::encodeName(dir.filePath("bad.png"))));
    EXPECT_FALSE(OpenUnreadableWithDesktop(QFile::encodeName(dir.filePath("bad.gif"))));
    EXPECT_FALSE(OpenUnreadableWithDesktop(QFile::encodeName(dir.filePath("missing.jpg"))));
}
