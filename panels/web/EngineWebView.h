#pragma once

#include "panels/WebView.h"

#include <QElapsedTimer>
#include <QWebEngineView>

namespace tiv {

// The web view of the web module: a QWebEngineView on a locked-down page.
class EngineWebView : public QWebEngineView, public WebView {
public:
    explicit EngineWebView(QWidget *parent);

    QWidget *widget() override { return this; }
    void navigate(const QString &address) override;
    QString currentAddress() const override;
    void readBodyHtml(std::function<void(const QString &)> done) override;
    void handLinksTo(std::function<void(const QString &address)> open) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool userJustActed() const;

    QElapsedTimer sinceUserInput_;
};

}  // namespace tiv

// What the program looks up after loading the module.
extern "C" Q_DECL_EXPORT tiv::WebView *tivNewWebView(QWidget *parent);
