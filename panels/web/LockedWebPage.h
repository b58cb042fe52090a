#pragma once

#include <QWebEnginePage>

#include <functional>

namespace tiv {

// The page of every web view of the program. The pages come from a server outside the program, so
// they may only move on to other web pages: no other kind of address, no pop-up windows, and the
// profile they share refuses local files, plugins and downloads.
class LockedWebPage : public QWebEnginePage {
public:
    explicit LockedWebPage(QObject *parent = nullptr);

    // The one profile of these pages, made with the first page.
    static QWebEngineProfile *lockedProfile();

    // From now on only the program's own loads (and where their server redirects them) are shown,
    // with what they embed: a link followed while `userActed` says the user just clicked or typed,
    // and a window the user opens, go to `open`; every other move of the page is refused.
    void handLinksTo(std::function<void(const QUrl &)> open, std::function<bool()> userActed);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    // Scripts of remote pages have nothing to tell our users or our logs, and may not stop them with
    // windows of their own: a modal box over the program, one more at every rotation, would hold up
    // every button until answered.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &message) override;
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override { return false; }

private:
    bool staysInPage(const QUrl &url, NavigationType type, bool isMainFrame);

    std::function<void(const QUrl &)> openLink_;
    std::function<bool()> userActed_;
};

}  // namespace tiv
