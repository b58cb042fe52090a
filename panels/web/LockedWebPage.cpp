#include "panels/web/LockedWebPage.h"

#include <QApplication>
#include <QPointer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace tiv {

namespace {

bool isWebScheme(const QUrl &url)
{
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https";
}

// Pages may still use inline data of their own; everything else must come from the web.
class WebRequestsOnly : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QString scheme = info.requestUrl().scheme();
        if (!isWebScheme(info.requestUrl()) && scheme != u"data" && scheme != u"blob")
            info.block(true);
    }
};

// A javascript: link runs its script in the page without asking the page whether to navigate, so
// clicks on such links are cancelled before they act. The script runs apart from the page's own,
// ahead of them in every frame, and the page cannot remove it.
QWebEngineScript linkScriptGuard()
{
    QWebEngineScript guard;
    guard.setName(QStringLiteral("tiv-no-script-links"));
    guard.setWorldId(QWebEngineScript::ApplicationWorld);
    guard.setInjectionPoint(QWebEngineScript::DocumentCreation);
    guard.setRunsOnSubFrames(true);
    guard.setSourceCode(QStringLiteral(
        "addEventListener('click', function (e) {"
        "  var link = e.target instanceof Element ? e.target.closest('a[href], area[href]') : null;"
        "  if (link && link.protocol === 'javascript:') e.preventDefault();"
        "}, true);"));
    return guard;
}

}  // namespace

LockedWebPage::LockedWebPage(QObject *parent) : QWebEnginePage(lockedProfile(), parent)
{
    // Windows open only at the user's hand: the profile blocks the ones scripts ask for.
    connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest &request) {
        if (openLink_ && request.isUserInitiated() && isWebScheme(request.requestedUrl()))
            openLink_(request.requestedUrl());
    });
}

void LockedWebPage::handLinksTo(std::function<void(const QUrl &)> open, std::function<bool()> userActed)
{
    openLink_ = std::move(open);
    userActed_ = std::move(userActed);
}

QWebEngineProfile *LockedWebPage::lockedProfile()
{
    static QPointer<QWebEngineProfile> shared;
    if (shared)
        return shared;
    // No storage name: nothing a page leaves behind outlives the run.
    shared = new QWebEngineProfile(qApp);
    shared->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    shared->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    shared->setUrlRequestInterceptor(new WebRequestsOnly(shared));
    shared->scripts()->insert(linkScriptGuard());
    QWebEngineSettings *s = shared->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    QObject::connect(shared, &QWebEngineProfile::downloadRequested,
                     [](QWebEngineDownloadRequest *download) { download->cancel(); });
    return shared;
}

bool LockedWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    return isWebScheme(url) && (!openLink_ || staysInPage(url, type, isMainFrame));
}

// Shown: the program's own loads, where their server redirects them, and what the page loads into
// its frames. A link the user follows goes to the browser; the page's own moves (scripts, forms)
// are refused.
bool LockedWebPage::staysInPage(const QUrl &url, NavigationType type, bool isMainFrame)
{
    const bool programsOwn = type == NavigationTypeTyped || type == NavigationTypeReload || type == NavigationTypeRedirect;
    if (programsOwn || (!isMainFrame && type != NavigationTypeLinkClicked))
        return true;
    if (type == NavigationTypeLinkClicked && userActed_())
        openLink_(url);
    return false;
}

bool LockedWebPage::javaScriptConfirm(const QUrl &, const QString &message)
{
    // The engine asks whether a page that wants to keep the user may be left through this same
    // question, in its own words; the program's own loads must never wait for an answer. Every
    // question of a page's script is answered no.
    return message == QCoreApplication::translate(
                          "QWebEnginePage", "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

QWebEnginePage *LockedWebPage::createWindow(WebWindowType)
{
    return nullptr;
}

}  // namespace tiv
