// The announcement strip of the main window: the banner, the hidden browser that loads the
// server's pages, the two rolling links of the hint line and the exit page.
#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "files/ShellTarget.h"
#include "panels/AnnouncementText.h"
#include "platform/ShellService.h"
#include "text/InterfaceText.h"

#include <QDateTime>
#include <QEvent>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

namespace tiv {

namespace {

// A build configured with an empty server base has no announcement panel.
constexpr bool kServerConfigured = sizeof(TIV_ANNOUNCEMENT_SERVER) > 1;

// Tests that watch the first page arrive cannot wait a minute and a half for it.
int rotationMilliseconds()
{
    bool ok = false;
    const int wanted = qEnvironmentVariableIntValue("TIVREVUDU_ROTATION_MS", &ok);
    return ok && wanted > 0 ? wanted : 90000;
}

QTimer *newTimer(QObject *owner, int milliseconds, bool singleShot)
{
    auto *timer = new QTimer(owner);
    timer->setInterval(milliseconds);
    timer->setSingleShot(singleShot);
    return timer;
}

// A caption changes the label's width and keeps its right edge where it was, as a right-aligned
// label that sizes itself to its text does, but never leaves its panel: a caption too long for the
// panel is cut at its end, so it keeps its beginning, and is whole in the label's hint. The panel
// shows only while there is a caption, and takes room from the hint line only then.
void setRollerCaption(QLabel *label, const QString &caption)
{
    QWidget *panel = label->parentWidget();
    panel->setVisible(!caption.isEmpty());
    const int right = label->x() + label->width();
    const int whole = label->fontMetrics().horizontalAdvance(caption) + 4;
    const int width = std::min(whole, panel->width());
    label->setText(width < whole ? label->fontMetrics().elidedText(caption, Qt::ElideRight, width - 4) : caption);
    label->setToolTip(caption);
    const int left = std::clamp(right - width, 0, panel->width() - width);
    label->setGeometry(left, label->y(), width, label->height());
}

// Everything this panel opens comes from a remote page or may be steered by one: only a web
// address is ever handed to the browser.
void openWebAddress(ShellService *shell, const QString &text)
{
    if (const auto address = WebAddressToOpen(text); address && shell)
        shell->openUrl(*address);
}

}  // namespace

void TFrmMain::buildAnnouncementPanel()
{
    AnnouncementEnabled = kServerConfigured;
    AnnouncementDraw = [] {
        return int(QRandomGenerator(quint32(QDateTime::currentMSecsSinceEpoch())).bounded(100));
    };
    TopBrowser = std::make_unique<AnnouncementBrowser>(WebBrowserTop);
    connect(TopBrowser.get(), &AnnouncementBrowser::navigateComplete, this,
            [this] { CatchAll([&] { WebBrowserTopNavigateComplete2(); }); });
    connect(TopBrowser.get(), &AnnouncementBrowser::linkActivated, this,
            [this](const QString &address) { CatchAll([&] { openWebAddress(platform_.shell, address); }); });

    for (QLabel *label : {LbRollers, LbRollers2}) {
        // Captions come from remote pages: never markup.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setStyleSheet(QStringLiteral("color: black;"));
        label->setCursor(Qt::PointingHandCursor);
        label->setGeometry(0, 0, label->parentWidget()->width(), PnlHint->height());
    }
    Image48->setCursor(Qt::PointingHandCursor);

    TimerRunAvert = newTimer(this, rotationMilliseconds(), false);
    TimerCheckTopBrowser = newTimer(this, 1000, true);
    TimerRoll = newTimer(this, 5000, false);
    connect(TimerRunAvert, &QTimer::timeout, this, [this] { CatchAll([&] { TimerRunAvertTimer(); }); });
    connect(TimerCheckTopBrowser, &QTimer::timeout, this,
            [this] { CatchAll([&] { TimerCheckTopBrowserTimer(); }); });
    connect(TimerRoll, &QTimer::timeout, this, [this] { TimerRollTimer(); });
    if (AnnouncementEnabled) {
        TimerRunAvert->start();
        TimerRoll->start();
    }

    connect(BtnHelp, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnHelpClick(); }); });
    connect(BtnAbout, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnAboutClick(); }); });
}

void TFrmMain::announcementEvent(QObject *watched, QEvent *event)
{
    const bool roller = watched == LbRollers || watched == LbRollers2;
    if (!roller && watched != Image48)
        return;
    auto *label = static_cast<QLabel *>(watched);
    CatchAll([&] {
        if (event->type() == QEvent::MouseButtonPress)
            roller ? RollerMouseDown(label) : Image48MouseDown();
        else if (event->type() == QEvent::Enter && roller)
            RollerMouseEnter(label);
        else if (event->type() == QEvent::Leave && roller)
            RollerMouseLeave(label);
    });
}

void TFrmMain::TimerRunAvertTimer()
{
    if (!ChromeShown || !AnnouncementEnabled)
        return;
    RotateAnnouncement();
}

void TFrmMain::RotateAnnouncement()
{
    CatchAll([&] {
        switch (ChooseAnnouncement(AnnouncementDraw(), NextPageShown)) {
        case AnnouncementChoice::Now:
            TopBrowser->navigate(UrlAnnounceNow);
            break;
        case AnnouncementChoice::Next:
            TopBrowser->navigate(UrlAnnounceNext);
            NextPageShown = true;
            break;
        case AnnouncementChoice::Stay:
            break;
        }
    });
}

void TFrmMain::WebBrowserTopNavigateComplete2()
{
    TimerCheckTopBrowser->start();
}

void TFrmMain::TimerCheckTopBrowserTimer()
{
    TimerCheckTopBrowser->stop();
    if (CheckAnnouncementPage(SbAvert->width(), SbAvert->height()))
        Image48->hide();
    else
        Image48->show();
    if (!RollListLoaded) {
        LoadRollList();
        RollListLoaded = true;
    }
}

bool TFrmMain::CheckAnnouncementPage(int width, int height)
{
    if (TopBrowser->currentAddress().isEmpty())
        return false;
    // A page the engine could not load counts as an error page, whatever its own words.
    if (TopBrowser->loadFailed() || IsErrorPage(TopBrowser->bodyHtml())) {
        WebBrowserTop->move(-2000, -2000);
        return false;
    }
    // The page fills the strip with a 4-pixel border cut off on every side.
    WebBrowserTop->setGeometry(-4, -4, width + 8, height + 8);
    return true;
}

void TFrmMain::LoadRollList()
{
    RollIndex = 0;
    QString value;
    // The body HTML escapes "&" and "<": a page's "a=1&b=2" must reach the list as it reads.
    if (!TopBrowser->currentAddress().isEmpty())
        value = DecodeCharacterReferences(MarkedText(TopBrowser->bodyHtml(), RollStartMarker, RollEndMarker));
    RollerLines = ReadCommaText(value.isEmpty() ? TxtLinks : value);
}

void TFrmMain::TimerRollTimer()
{
    try {
        const int n = int(RollerLines.size());
        const int i = RollIndex;
        if (i >= n) {
            RollIndex = 0;
            return;
        }
        setRollerCaption(LbRollers, RollerLines[i]);
        RollIndex = i + 1;
        LbRollersTag = i + 1;  // the address that belongs to the caption
        if (n <= i + 1)
            return;
        RollIndex = i + 2;
        if (n <= i + 2)
            return;
        setRollerCaption(LbRollers2, RollerLines[i + 2]);
        RollIndex = i + 3;
        LbRollers2Tag = i + 3;
        if (n <= i + 3)
            return;
        LbRollers2->move((Panel12->width() - LbRollers2->width()) / 2, LbRollers2->y());
        RollIndex = i + 4;
    } catch (...) {
        TimerRoll->stop();
    }
}

void TFrmMain::RollerMouseEnter(QLabel *label)
{
    label->setStyleSheet(QStringLiteral("color: rgb(0,0,255); text-decoration: underline;"));
}

void TFrmMain::RollerMouseLeave(QLabel *label)
{
    label->setStyleSheet(QStringLiteral("color: black;"));
}

void TFrmMain::RollerMouseDown(QLabel *label)
{
    const int tag = label == LbRollers ? LbRollersTag : LbRollers2Tag;
    if (tag >= 0 && tag < RollerLines.size())
        openWebAddress(platform_.shell, RollerLines[tag]);
}

void TFrmMain::Image48MouseDown()
{
    openWebAddress(platform_.shell, UrlProductPage);
}

void TFrmMain::OpenExitPage()
{
    // The window is going: nothing rotates, checks or rolls any more.
    for (QTimer *timer : {TimerRunAvert, TimerCheckTopBrowser, TimerRoll})
        timer->stop();
    if (!AnnouncementEnabled || !platform_.shell)
        return;
    QString target;
    if (!TopBrowser->currentAddress().isEmpty())
        target = DecodeCharacterReferences(MarkedText(TopBrowser->bodyHtml(), ExitStartMarker, ExitEndMarker));
    // A page may name any text between its markers; anything but a web address means none.
    const auto address = WebAddressToOpen(target);
    const auto fallback = WebAddressToOpen(UrlSoftList);
    if (address || fallback)
        platform_.shell->openUrl(address ? *address : *fallback);
    QThread::msleep(ExitPageWaitMilliseconds);
}

}  // namespace tiv
