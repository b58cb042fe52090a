#include "common/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tiv {

bool InstallToolkitTranslations()
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool base = false;
    // The web views' context menus have their own catalogue.
    for (const char *catalogue : {"qtbase_zh_CN", "qtwebengine_zh_CN"}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        const bool loaded = translator->load(QLatin1String(catalogue), folder);
        if (loaded)
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
        base = base || (loaded && qstrcmp(catalogue, "qtbase_zh_CN") == 0);
    }
    return base;
}

}  // namespace tiv
