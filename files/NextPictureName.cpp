#include "files/NextPictureName.h"

#include "files/FindFolderFiles.h"
#include "files/ParseInteger.h"
#include "files/PicturePath.h"

#include <QStringList>

#include <limits>

namespace tiv {

namespace {

int32_t HighestNumber(const QString &folder, const QString &prefix, const QString &ext)
{
    const QString searched = folder + u'/';
    QStringList candidates;
    FindFolderFiles(searched, ext, candidates);
    const QString dotExt = u'.' + ext;
    int32_t highest = 0;
    for (const QString &candidate : candidates) {
        QString rest = candidate.mid(searched.size());
        rest.remove(dotExt, Qt::CaseSensitive);
        if (!prefix.isEmpty())
            rest.remove(prefix, Qt::CaseSensitive);
        const ParsedInteger parsed = ParseInteger(rest);
        if (parsed.ok && parsed.value > highest)
            highest = parsed.value;
    }
    return highest;
}

NextPictureNameResult NumberedName(const QString &folder, const QString &prefix, const QString &ext, int32_t number)
{
    QString name = QStringLiteral("%1/%2%3.%4").arg(folder, prefix, QString::number(number), ext);
    name.replace(QStringLiteral("//"), QStringLiteral("/"));
    return {NextPictureNameResult::Kind::Ok, name, folder, prefix, ext, number};
}

}  // namespace

NextPictureNameResult NextPictureName(const QString &folder, const QString &prefix, const QString &ext)
{
    using Kind = NextPictureNameResult::Kind;
    if (!MakeFolderPath(folder))
        return {Kind::EmptyFolder, {}};
    if (ext.isEmpty())
        return {Kind::NoFormat, {}};
    const QString trimmedPrefix = prefix.trimmed();
    const int32_t highest = HighestNumber(folder, trimmedPrefix, ext);
    // Wrapping round to a negative number would give a name that never counts again, so every
    // later capture would overwrite it.
    if (highest == std::numeric_limits<int32_t>::max())
        return {Kind::NumberExhausted, {}};
    return NumberedName(folder, trimmedPrefix, ext, highest + 1);
}

NextPictureNameResult FollowingPictureName(const NextPictureNameResult &name)
{
    if (name.number == std::numeric_limits<int32_t>::max())
        return {NextPictureNameResult::Kind::NumberExhausted, {}};
    return NumberedName(name.folder, name.prefix, name.ext, name.number + 1);
}

}  // namespace tiv
