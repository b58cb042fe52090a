#include "editing/ScratchFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tiv {

QString ScratchBitmapPath()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::homePath() + QStringLiteral("/.cache");
    const QString folder = base + QStringLiteral("/TIVrevudu");
    if (!QDir().mkpath(folder))
        return {};
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder + QStringLiteral("/z.bmp");
}

}  // namespace tiv
