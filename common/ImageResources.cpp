#include "common/ImageResources.h"

#include "codecs/BmpCodec.h"
#include "codecs/JpegCodec.h"

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QResource>

namespace tiv {

namespace {

QStringList &absentNames()
{
    static QStringList names;
    return names;
}

qreal &assumedScale()
{
    static qreal scale = 0;
    return scale;
}

// Every embedded picture, keyed by "<type>/<name>" in lower case, listed once on first use.
const QHash<QString, QString> &resourceIndex()
{
    static const QHash<QString, QString> index = [] {
        QHash<QString, QString> paths;
        const QDir skin(QStringLiteral(":/skin"));
        for (const QString &type : skin.entryList(QDir::Dirs)) {
            const QDir folder(skin.filePath(type));
            for (const QString &entry : folder.entryList(QDir::Files))
                paths.insert((type + u'/' + QFileInfo(entry).completeBaseName()).toLower(), folder.filePath(entry));
        }
        return paths;
    }();
    return index;
}

qreal screenScale()
{
    if (assumedScale() > 0)
        return assumedScale();
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

QString FindResource(const QString &name, const QString &type, qreal scale)
{
    if (absentNames().contains(name, Qt::CaseInsensitive))
        return {};
    const QString key = (type + u'/' + name).toLower();
    if (scale > 1.0) {
        const QString large = resourceIndex().value(key + QStringLiteral("@2x"));
        if (!large.isEmpty())
            return large;
    }
    return resourceIndex().value(key);
}

// A picture drawn at twice the size, brought to the screen's own scale here, once and smoothly:
// left to the painter, a 1.25x screen would draw it with every few pixels dropped.
QImage FitToScale(QImage large, qreal scale)
{
    if (!qFuzzyCompare(scale, 2.0)) {
        const QSize logical = large.size() / 2;
        large = large.scaled(qRound(logical.width() * scale), qRound(logical.height() * scale), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    large.setDevicePixelRatio(scale);
    return large;
}

// The program's own decoders read the embedded bytes in place: going through Qt's image reader
// would load and ask its format plugins at every start.
void LoadResource(QPixmap &target, const QString &name, const QString &type, QImage (*decode)(const QByteArray &))
{
    const qreal scale = screenScale();
    const QString path = FindResource(name, type, scale);
    if (path.isEmpty())
        return;
    QImage image = decode(QResource(path).uncompressedData());
    if (image.isNull())
        return;
    if (path.contains(QStringLiteral("@2x.")))
        image = FitToScale(std::move(image), scale);
    target = QPixmap::fromImage(std::move(image));
}

}  // namespace

void LoadBmpResource(QPixmap &bitmap, const QString &name, const QString &type)
{
    LoadResource(bitmap, name, type, DecodeBmp);
}

void LoadJpgResource(QPixmap &picture, const QString &name, const QString &type)
{
    LoadResource(picture, name, type, DecodeJpeg);
}

void SetAbsentResources(const QStringList &names)
{
    absentNames() = names;
}

void SetResourceScale(qreal scale)
{
    assumedScale() = scale;
}

}  // namespace tiv
