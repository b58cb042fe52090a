#pragma once

#include <QString>
#include <QStringList>

namespace tiv {

// The list order: names whose base (the text before the last ".") is a number sort numerically; a
// base that is no number counts with the digits it starts with (0 when none). Two names that are
// both not numbered compare equal (0), so the order is not consistent and their places are free.
int ComparePictureNames(const QString &a, const QString &b);

// Files that are never listed, by extension in exact case: ".db", ".txt", ".doc".
bool IsLeftOutOfPictureList(const QString &fileName);

struct PictureList {
    QStringList names;
    // Where each listed name stands in the names given.
    QList<qsizetype> sources;
    int selectedIndex = 0;
};

// The folder's file names (no folder part), filtered and sorted in the list order. selectedIndex is
// the position of the last name equal to `currentFileName` (case counts), else `previousIndex`.
PictureList BuildPictureList(const QStringList &fileNames, const QString &currentFileName,
                             int previousIndex);

}  // namespace tiv
