#include "panels/WebView.h"

#include "common/ModuleSymbol.h"
#include "platform/ProcessPrivileges.h"

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

Factory loadFactory()
{
    allowRootWithoutSandbox();
    // The engine reports its graphics set-up at length on every start; users have no use for it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    previousHandler = qInstallMessageHandler(dropEngineNotices);
    const auto factory = reinterpret_cast<Factory>(
        ModuleSymbol("tivweb.so", TIV_WEB_MODULE_FROM_BIN, TIV_WEB_MODULE_BUILD_PATH, "tivNewWebView"));
    loaded = factory != nullptr;
    return factory;
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
