#include "files/PictureListOrder.h"

#include "files/ParseInteger.h"

#include <algorithm>
#include <vector>

namespace tiv {

namespace {

ParsedInteger pictureNumber(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return ParseInteger(dot < 0 ? QStringView() : QStringView(name).first(dot));
}

struct SortKey {
    int32_t value;
    qsizetype index;
};

}  // namespace

int ComparePictureNames(const QString &a, const QString &b)
{
    const ParsedInteger x = pictureNumber(a), y = pictureNumber(b);
    if (!x.ok && !y.ok)
        return 0;
    return x.value < y.value ? -1 : x.value > y.value ? 1 : 0;
}

bool IsLeftOutOfPictureList(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QStringView ext = QStringView(fileName).mid(dot);
    return ext == u".db" || ext == u".txt" || ext == u".doc";
}

PictureList BuildPictureList(const QStringList &fileNames, const QString &currentFileName,
                             int previousIndex)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(fileNames.size()));
    for (qsizetype i = 0; i < fileNames.size(); ++i) {
        if (!IsLeftOutOfPictureList(fileNames[i]))
            keys.push_back({pictureNumber(fileNames[i]).value, i});
    }
    // ComparePictureNames is no strict weak order, so sorting by it could run out of bounds. Ordering
    // by the (partial) number alone agrees with it on every pair it does not call equal; ties are
    // broken by name so the list does not depend on the folder's enumeration order.
    std::sort(keys.begin(), keys.end(), [&](const SortKey &l, const SortKey &r) {
        if (l.value != r.value)
            return l.value < r.value;
        return fileNames[l.index] < fileNames[r.index];
    });

    PictureList list;
    list.selectedIndex = previousIndex;
    list.names.reserve(qsizetype(keys.size()));
    list.sources.reserve(qsizetype(keys.size()));
    for (const SortKey &k : keys) {
        if (fileNames[k.index] == currentFileName)
            list.selectedIndex = int(list.names.size());
        list.names << fileNames[k.index];
        list.sources << k.index;
    }
    return list;
}

}  // namespace tiv
