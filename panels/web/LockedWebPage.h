#pragma once

#include <QWebEnginePage>

namespace tiv {

// The page of every web view of the program. The pages come from a server outside the program, so
// they may only move on to other web pages: no other kind of address, no pop-up windows, and the
// profile they share refuses local files, plugins and downloads.
class LockedWebPage : public QWebEnginePage {
public:
    explicit LockedWebPage(QObject *parent = nullptr);

    // The one profile of these pages, made with the first page.
    static QWebEngineProfile *lockedProfile();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    // Scripts of remote pages have nothing to tell our users or our logs.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}
};

}  // namespace tiv
