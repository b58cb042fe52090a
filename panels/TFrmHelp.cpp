#include "panels/TFrmHelp.h"

#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "panels/WebView.h"
#include "text/InterfaceText.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tiv {

TFrmHelp::TFrmHelp(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FrmHelp"));
    WebBrowser1 = NewWebView(this);
    auto *bottomBar = new QWidget(this);
    BtnClose = new QPushButton(bottomBar);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    auto *bar = new QHBoxLayout(bottomBar);
    bar->addStretch(1);
    bar->addWidget(BtnClose);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    if (WebBrowser1) {
        WebBrowser1->widget()->setObjectName(QStringLiteral("WebBrowser1"));
        column->addWidget(WebBrowser1->widget(), 1);
    } else {
        column->addStretch(1);
    }
    column->addWidget(bottomBar);
    connect(BtnClose, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnCloseClick(); }); });
    CatchAll([&] { FormCreate(); });
}

void TFrmHelp::FormCreate()
{
    setWindowState(Qt::WindowMaximized);
    ApplyButtonFace(BtnClose, QStringLiteral("cancel"), QStringLiteral("关闭"));
    setWindowTitle(FormatText(QStringLiteral("%s %s"), {TxtAbout, TxtAppTitle}));
}

void TFrmHelp::FormShow()
{
    if (WebBrowser1)
        WebBrowser1->navigate(UrlHelpDemo);
}

void TFrmHelp::BtnCloseClick()
{
    close();
}

void TFrmHelp::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only a real showing counts, not the window coming back from being minimised.
    if (!event->spontaneous())
        CatchAll([&] { FormShow(); });
}

}  // namespace tiv
