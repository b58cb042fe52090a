#include "panels/web/EngineWebView.h"

#include "panels/web/LockedWebPage.h"

#include <QApplication>
#include <QQuickWindow>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>

namespace tiv {

namespace {

// How long after a click or a key press in the view a link it follows counts as the user's: the
// engine takes a moment between the input and the navigation it starts.
constexpr qint64 kUserInputWindowMilliseconds = 2000;

}  // namespace

EngineWebView::EngineWebView(QWidget *parent) : QWebEngineView(parent)
{
    setPage(new LockedWebPage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QWebEngineView::loadStarted, this, [this] {
        if (onLoadStarted)
            onLoadStarted();
    });
    // A navigation the page refused or that a newer one replaced ends as "stopped": the page shown
    // is still the last one that loaded, so nothing is told.
    connect(page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &loading) {
        const auto status = loading.status();
        if (onLoadFinished && (status == QWebEngineLoadingInfo::LoadSucceededStatus ||
                               status == QWebEngineLoadingInfo::LoadFailedStatus))
            onLoadFinished(status == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
}

void EngineWebView::navigate(const QString &address)
{
    setUrl(QUrl(address));
}

QString EngineWebView::currentAddress() const
{
    return url().toString();
}

void EngineWebView::readBodyHtml(std::function<void(const QString &)> done)
{
    // The read runs apart from the page's own scripts, which cannot redefine what it uses.
    page()->runJavaScript(QStringLiteral("document.body ? document.body.outerHTML : ''"),
                          QWebEngineScript::ApplicationWorld,
                          [done = std::move(done)](const QVariant &html) { done(html.toString()); });
}

void EngineWebView::handLinksTo(std::function<void(const QString &address)> open)
{
    // The engine delivers input to widgets of its own inside the view, made as it needs them.
    qApp->installEventFilter(this);
    static_cast<LockedWebPage *>(page())->handLinksTo(
        [open = std::move(open)](const QUrl &url) { open(url.toString()); }, [this] { return userJustActed(); });
}

bool EngineWebView::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool input = type == QEvent::MouseButtonRelease || type == QEvent::KeyPress || type == QEvent::TouchEnd;
    if (input && watched->isWidgetType() && (watched == this || isAncestorOf(static_cast<QWidget *>(watched))))
        sinceUserInput_.start();
    return false;
}

bool EngineWebView::userJustActed() const
{
    return sinceUserInput_.isValid() && sinceUserInput_.elapsed() < kUserInputWindowMilliseconds;
}

}  // namespace tiv

tiv::WebView *tivNewWebView(QWidget *parent)
{
    // Left to its default, the engine draws its views with OpenGL, and Qt shows such a view only in
    // a window that composes with OpenGL as a whole: the first view put into a window already on
    // the screen makes Qt destroy that window and map a new one. The main window would then come
    // back from being minimised, lose its maximised state and take the focus from whatever program
    // the user is in, and a dialog over it would be left pointing at a window that is gone. Drawn in
    // software, a view is a plain widget to its window. The pages (a strip of announcements, the
    // help) need no graphics card.
    [[maybe_unused]] static const bool inSoftware = [] {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        return true;
    }();
    return new tiv::EngineWebView(parent);
}
