#include "panels/TFrmHelp.h"

#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "panels/WebView.h"
#include "text/InterfaceText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tiv {

TFrmHelp::TFrmHelp(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("FrmHelp"));
    WebBrowser1 = NewWebView(this);
    BottomBar = new QWidget(this);
    BottomBar->setObjectName(QStringLiteral("BottomBar"));
    BottomBar->setAutoFillBackground(true);
    QPalette barColours = BottomBar->palette();
    barColours.setColor(QPalette::Window, QColor(245, 250, 254));
    BottomBar->setPalette(barColours);
    Loading = new QWidget(BottomBar);
    Loading->setObjectName(QStringLiteral("Loading"));
    auto *bar = new QProgressBar(Loading);
    bar->setRange(0, 0);  // how far a page has come is not known: it just runs
    bar->setTextVisible(false);
    bar->setFixedSize(120, 10);
    auto *loadingRow = new QHBoxLayout(Loading);
    loadingRow->setContentsMargins(0, 0, 0, 0);
    loadingRow->addWidget(bar);
    loadingRow->addWidget(new QLabel(QStringLiteral("正在加载帮助页面…"), Loading));
    Loading->hide();
    BtnClose = new QPushButton(BottomBar);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    auto *bottomRow = new QHBoxLayout(BottomBar);
    bottomRow->addWidget(Loading);
    bottomRow->addStretch(1);
    bottomRow->addWidget(BtnClose);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    if (WebBrowser1) {
        WebBrowser1->widget()->setObjectName(QStringLiteral("WebBrowser1"));
        WebBrowser1->onLoadStarted = [this] { showLoading(true); };
        WebBrowser1->onLoadFinished = [this](bool) { showLoading(false); };
        column->addWidget(WebBrowser1->widget(), 1);
    } else {
        column->addStretch(1);
    }
    column->addWidget(BottomBar);
    // The size it takes when the user restores it from maximised.
    const QRect screenArea = (owner ? owner->screen() : screen())->availableGeometry();
    QRect normal(QPoint(), screenArea.size() * 3 / 4);
    normal.moveCenter(screenArea.center());
    setGeometry(normal);
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

void TFrmHelp::showLoading(bool loading)
{
    Loading->setVisible(loading);
    // The busy pointer is the one that still points and clicks.
    if (loading)
        WebBrowser1->widget()->setCursor(Qt::BusyCursor);
    else
        WebBrowser1->widget()->unsetCursor();
}

}  // namespace tiv
