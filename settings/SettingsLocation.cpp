#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tiv {

namespace {

const QString FileName = QStringLiteral("defualt.ini");
const QString InstalledEntryName = QStringLiteral("example.tivsoft.tivrevudu.desktop");

}  // namespace

QString SettingsFilePath(const QString &programDir, const QString &configDir)
{
    const QFileInfo program(programDir);
    // An installed program shares its folder with the system's other programs, and a package
    // owns it: it never writes there, not even when root runs it.
    const bool installed = QFileInfo::exists(programDir + QStringLiteral("/../share/applications/") + InstalledEntryName);
    if (!installed && program.isDir() && program.isWritable())
        return QDir(programDir).filePath(FileName);
    return QDir(configDir).filePath(QStringLiteral("TIVrevudu/") + FileName);
}

QString SettingsFilePath()
{
    return SettingsFilePath(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace tiv
