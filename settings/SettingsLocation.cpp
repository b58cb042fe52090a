#include "settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tiv {

namespace {

const QString FileName = QStringLiteral("defualt.ini");

}  // namespace

QString SettingsFilePath(const QString &programDir, const QString &configDir)
{
    const QFileInfo program(programDir);
    if (program.isDir() && program.isWritable())
        return QDir(programDir).filePath(FileName);
    return QDir(configDir).filePath(QStringLiteral("TIVrevudu/") + FileName);
}

QString SettingsFilePath()
{
    return SettingsFilePath(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace tiv
