#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tiv {

// An embedded web view. The web engine behind it is large and slow to load, so it lives in a module
// of its own (panels/web/) that is loaded the first time a view is needed, never at start-up.
class WebView {
public:
    virtual ~WebView() = default;
    virtual QWidget *widget() = 0;
    virtual void navigate(const QString &address) = 0;
    // The address shown or being loaded; empty before the first navigation.
    virtual QString currentAddress() const = 0;
    // Hands the body's outer HTML to `done` once the engine has read it.
    virtual void readBodyHtml(std::function<void(const QString &)> done) = 0;
    // From now on the view shows only the pages the program loads, where their server sends them
    // and what they embed: a link the user follows in it, or a window the user has it open, goes
    // to `open` instead. Pages cannot pass their own navigations off as the user's.
    virtual void handLinksTo(std::function<void(const QString &address)> open) = 0;
    // Told when a navigation begins.
    std::function<void()> onLoadStarted;
    // Told when a navigation ends, loaded or failed (an unreachable server, an error status); not
    // for one that was refused or replaced by a newer one, which leaves the page as it was.
    std::function<void(bool ok)> onLoadFinished;
};

// A locked-down view from the web module, a child of `parent` that goes with it; null when the
// module cannot be loaded.
WebView *NewWebView(QWidget *parent);

// Whether the web module, and with it the web engine, has been loaded in this run.
bool WebModuleLoaded();

}  // namespace tiv
