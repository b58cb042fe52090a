#include "panels/web/EngineWebView.h"

#include "panels/web/LockedWebPage.h"

#include <QQuickWindow>
#include <QWebEngineScript>

namespace tiv {

EngineWebView::EngineWebView(QWidget *parent) : QWebEngineView(parent)
{
    setPage(new LockedWebPage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QWebEngineView::loadStarted, this, [this] {
        if (onLoadStarted)
            onLoadStarted();
    });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (onLoadFinished)
            onLoadFinished(ok);
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
