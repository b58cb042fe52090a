#include "common/ImageResources.h"

#include <QDir>
#include <QImage>

namespace tiv {

namespace {

// Resources live under ":/skin/<type>/<name>.<ext>"; names are matched without regard to case.
QString FindResource(const QString &name, const QString &type)
{
    const QDir folder(QStringLiteral(":/skin/") + type.toLower());
    for (const QString &entry : folder.entryList(QDir::Files)) {
        if (QFileInfo(entry).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return {};
}

void LoadResource(QPixmap &target, const QString &name, const QString &type, const char *format)
{
    const QString path = FindResource(name, type);
    if (path.isEmpty())
        return;
    QImage image;
    if (!image.load(path, format))
        return;
    target = QPixmap::fromImage(std::move(image));
}

}  // namespace

void LoadBmpResource(QPixmap &bitmap, const QString &name, const QString &type)
{
    LoadResource(bitmap, name, type, "BMP");
}

void LoadJpgResource(QPixmap &picture, const QString &name, const QString &type)
{
    LoadResource(picture, name, type, "JPG");
}

}  // namespace tiv
