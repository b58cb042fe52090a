#include "common/ModuleSymbol.h"

#include <QCoreApplication>
#include <QLibrary>

namespace tiv {

void *ModuleSymbol(const char *fileName, const char *fromBin, const char *buildPath, const char *symbol)
{
    const QString programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString places[] = {programFolder + QString::fromUtf8(fileName), programFolder + QString::fromUtf8(fromBin),
                              QString::fromUtf8(buildPath)};
    for (const QString &place : places) {
        QLibrary module(place);
        if (auto found = module.resolve(symbol))
            return reinterpret_cast<void *>(found);
    }
    return nullptr;
}

}  // namespace tiv
