#include "files/NativeFileName.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace tiv {

namespace {

const QByteArray FileScheme = QByteArrayLiteral("file://");

}  // namespace

QByteArray NativeFilePath(const QString &folder, const QByteArray &name)
{
    QByteArray path = QFile::encodeName(folder);
    if (!path.endsWith('/'))
        path += '/';
    return path + name;
}

bool SurvivesAsText(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

bool NativePathExists(const QByteArray &path)
{
    struct stat info;
    return !path.isEmpty() && ::stat(path.constData(), &info) == 0;
}

bool RemoveNativeFile(const QByteArray &path)
{
    return !path.isEmpty() && ::unlink(path.constData()) == 0;
}

QString NativeFileUrl(const QByteArray &path)
{
    return QString::fromLatin1(FileScheme + path.toPercentEncoding("/"));
}

QByteArray NativePathOfUrl(const QString &url)
{
    const QByteArray text = url.toLatin1();
    if (!url.startsWith(QLatin1String(FileScheme)) || QString::fromLatin1(text) != url)
        return {};
    return QByteArray::fromPercentEncoding(text.mid(FileScheme.size()));
}

}  // namespace tiv
