#include "panels/WebView.h"

#include "platform/ProcessPrivileges.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QLoggingCategory>

namespace tiv {

namespace {

using Factory = WebView *(*)(QWidget *parent);

bool loaded = false;

// Chromium's sandbox cannot start under root; anyone else keeps it.
void allowRootWithoutSandbox()
{
    if (!RunningAsAdministrator())
        return;
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
}

QtMessageHandler previousHandler = nullptr;

// Notices the engine gives on every run that tell users nothing: it is loaded after the application
// object exists, and it finds no graphics card to draw with, as the program has it draw in software.
void dropEngineNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin")) &&
        !message.startsWith(QLatin1String("No suitable graphics backend found")))
        previousHandler(type, context, message);
}

// The module beside the program (a build), else where an install puts it, else where this build made
// it (the tests, which run from folders of their own).
Factory loadFactory()
{
    allowRootWithoutSandbox();
    // The engine reports its graphics set-up at length on every start; users have no use for it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    previousHandler = qInstallMessageHandler(dropEngineNotices);
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString places[] = {programFolder + QStringLiteral("/tivweb.so"),
                              programFolder + QStringLiteral("/" TIV_WEB_MODULE_FROM_BIN),
                              QStringLiteral(TIV_WEB_MODULE_BUILD_PATH)};
    for (const QString &place : places) {
        QLibrary module(place);
        if (auto factory = reinterpret_cast<Factory>(module.resolve("tivNewWebView"))) {
            loaded = true;
            return factory;
        }
    }
    return nullptr;
}

}  // namespace

WebView *NewWebView(QWidget *parent)
{
    static const Factory factory = loadFactory();
    return factory ? factory(parent) : nullptr;
}

bool WebModuleLoaded()
{
    return loaded;
}

}  // namespace tiv
