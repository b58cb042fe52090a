#include "panels/AnnouncementBrowser.h"

#include "panels/WebView.h"

#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>

namespace tiv {

AnnouncementBrowser::AnnouncementBrowser(QWidget *host) : host_(host) {}

AnnouncementBrowser::~AnnouncementBrowser()
{
    // The engine answers pending reads when the page goes; nobody is listening any more.
    closing_ = true;
    delete view_;
}

void AnnouncementBrowser::navigate(const QString &address)
{
    if (!view_) {
        view_ = NewWebView(host_);
        if (!view_)
            return;
        auto *fill = new QVBoxLayout(host_);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(view_->widget());
        view_->onLoadFinished = [this](bool ok) { loadFinished(ok); };
        view_->handLinksTo([this](const QString &address) { emit linkActivated(address); });
    }
    view_->navigate(address);
}

QString AnnouncementBrowser::currentAddress() const
{
    return view_ ? view_->currentAddress() : QString();
}

bool AnnouncementBrowser::viewCreated() const
{
    return view_ != nullptr;
}

void AnnouncementBrowser::loadFinished(bool ok)
{
    view_->readBodyHtml([this, ok, guard = QPointer<AnnouncementBrowser>(this)](const QString &html) {
        if (!guard || closing_)
            return;
        bodyHtml_ = html;
        loadFailed_ = !ok;
        emit navigateComplete();
    });
}

}  // namespace tiv
