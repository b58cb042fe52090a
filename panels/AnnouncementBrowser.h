#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tiv {

class WebView;

// The hidden browser of the announcement strip. The web view inside the host is made only when the
// first page is to be loaded. The engine hands out a page's HTML only asynchronously, so the body
// HTML of every completed navigation is read once and kept: the page check, the rolling links and
// the exit page (which runs while the window is destroyed) then read it without waiting.
class AnnouncementBrowser : public QObject {
    Q_OBJECT
public:
    explicit AnnouncementBrowser(QWidget *host);
    ~AnnouncementBrowser() override;

    void navigate(const QString &address);
    // The address being shown or loaded; empty before any page was asked for.
    QString currentAddress() const;
    // The body's outer HTML of the latest completed navigation.
    QString bodyHtml() const { return bodyHtml_; }
    // Whether that navigation failed: an unreachable server, or an answer with an error status.
    bool loadFailed() const { return loadFailed_; }
    bool viewCreated() const;

signals:
    // A navigation completed and its body HTML is kept.
    void navigateComplete();
    // The user followed a link in the strip, or had it open a window: the page is not shown here.
    void linkActivated(const QString &address);

private:
    void loadFinished(bool ok);

    QWidget *host_;
    WebView *view_ = nullptr;
    QString bodyHtml_;
    bool loadFailed_ = false;
    bool closing_ = false;
};

}  // namespace tiv
