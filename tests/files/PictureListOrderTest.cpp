#include "files/PictureListOrder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <random>

using namespace tiv;

TEST(PictureListOrder, ComparesByNumberOfTheBase)
{
    const struct {
        const char *a, *b;
        int result;
    } cases[] = {
        {"1.jpg", "10.jpg", -1},   {"10.jpg", "2.jpg", 1},      {"9.bmp", "9.bmp", 0},
        {"5.jpg", "5.png", 0},     {"abc.jpg", "1.jpg", -1},    {"noext", "1.jpg", -1},
        {"12", "1.jpg", -1},       {"PIC1.jpg", "PIC10.jpg", 0}, {"abc", "def.png", 0},
        {"-1.jpg", "abc.jpg", -1}, {"12a.jpg", "3.jpg", 1},     {"12a.jpg", "30b.jpg", 0},
        {"007.jpg", "7.png", 0},   {"$10.jpg", "15.jpg", 1},    {"1.5.jpg", "2.jpg", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ComparePictureNames(c.a, c.b), c.result) << c.a << " " << c.b;
}

TEST(PictureListOrder, FiltersSortsAndFindsTheCurrentPicture)
{
    const QStringList folder{"10.jpg", "Thumbs.db", "2.jpg", "notes.txt", "9.bmp", "a.doc", "1.jpg",
                             "A.DOC",  "NOTES.TXT", "abc.jpg", "noext", "x.db.bak"};
    const PictureList list = BuildPictureList(folder, "9.bmp", 0);
    EXPECT_EQ(list.names, (QStringList{"A.DOC", "NOTES.TXT", "abc.jpg", "noext", "x.db.bak", "1.jpg",
                                       "2.jpg", "9.bmp", "10.jpg"}));
    EXPECT_EQ(list.selectedIndex, 7);

    EXPECT_EQ(BuildPictureList(folder, "9.BMP", 42).selectedIndex, 42) << "case counts";
    EXPECT_EQ(BuildPictureList({"3.jpg", "1.jpg", "3.jpg"}, "3.jpg", 0).selectedIndex, 2)
        << "the last match wins";
}

TEST(PictureListOrder, MixedNamesNeverSortAgainstTheComparison)
{
    std::mt19937 random(11);
    const char *const forms[] = {"%1.jpg", "PIC%1.jpg", "%1a.png", "-%1.bmp", "x%1", "$%1.jpg", "%1"};
    QStringList names;
    for (int i = 0; i < 400; ++i)
        names << QString::fromLatin1(forms[random() % 7]).arg(random() % 50);
    // Whatever the comparison's inconsistencies, no entry may sort after one it compares greater than.
    const QStringList sorted = BuildPictureList(names, {}, 0).names;
    for (qsizetype i = 0; i < sorted.size(); ++i)
        for (qsizetype j = i + 1; j < sorted.size(); ++j)
            ASSERT_LE(ComparePictureNames(sorted[i], sorted[j]), 0) << i << " " << j;
}

TEST(PictureListOrder, SortsAFolderOf100000Files)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::mt19937 random(3);
    for (int i = 0; i < 100000; ++i) {
        const QString name = random() % 10 ? QString::number(random()) + ".jpg" : "PIC" + QString::number(i) + ".png";
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile(dir.filePath("Thumbs.db")).open(QIODevice::WriteOnly);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    const PictureList list = BuildPictureList(files, files.first(), -1);
    EXPECT_EQ(list.names.size(), files.size() - 1);
    EXPECT_EQ(list.names.at(list.selectedIndex), files.first());
    for (qsizetype i = 1; i < list.names.size(); ++i)
        ASSERT_LE(ComparePictureNames(list.names[i - 1], list.names[i]), 0) << i;
}
