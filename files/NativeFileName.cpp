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

namespace {

// The byte where the first `chars` characters of name's shown form end; -1 when no byte boundary
// falls there (the characters shown for one byte sequence are not split).
qsizetype ByteOfShownPrefix(const QByteArray &name, const QString &shown, qsizetype chars)
{
    const QStringView prefix = QStringView(shown).first(chars);
    for (qsizetype at = 0; at <= name.size(); ++at) {
        if (QFile::decodeName(name.first(at)) == prefix && QFile::decodeName(name.sliced(at)) == QStringView(shown).sliced(chars))
            return at;
    }
    return -1;
}

}  // namespace

QByteArray RenamedNativeName(const QByteArray &oldName, const QString &newName)
{
    const QString shown = QFile::decodeName(oldName);
    if (SurvivesAsText(oldName))
        return QFile::encodeName(newName);
    qsizetype head = 0;
    while (head < shown.size() && head < newName.size() && shown[head] == newName[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shown.size() - head && tail < newName.size() - head &&
           shown[shown.size() - 1 - tail] == newName[newName.size() - 1 - tail])
        ++tail;
    // The kept parts shrink to where the old name's bytes can be cut.
    qsizetype headBytes = -1, tailBytes = -1;
    while ((headBytes = ByteOfShownPrefix(oldName, shown, head)) < 0)
        --head;
    while ((tailBytes = ByteOfShownPrefix(oldName, shown, shown.size() - tail)) < 0)
        --tail;
    return oldName.first(headBytes) + QFile::encodeName(newName.sliced(head, newName.size() - head - tail)) +
           oldName.sliced(tailBytes);
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
