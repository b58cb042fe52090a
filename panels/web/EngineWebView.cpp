#include "panels/web/EngineWebView.h"

#include "panels/web/LockedWebPage.h"

#include <QWebEngineScript>

namespace tiv {

EngineWebView::EngineWebView(QWidget *parent) : QWebEngineView(parent)
{
    setPage(new LockedWebPage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
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
    return new tiv::EngineWebView(parent);
}
