#include "panels/AnnouncementBrowser.h"
#include "panels/AnnouncementText.h"
#include "text/InterfaceText.h"
#include "support/LoopbackHttpServer.h"
#include "support/MainWindowFixture.h"

#include <QMouseEvent>

namespace {

// A main window whose announcement server is a loopback server of the test. The timers are
// stopped: the tests tick them by hand.
struct AnnouncementPanel : MainWindowFixture {
    LoopbackHttpServer server;

    void SetUp() override
    {
        qputenv("TIVREVUDU_SERVER", server.base().toUtf8());
        MainWindowFixture::SetUp();
        quiet();
    }
    void quiet()
    {
        w->TimerRunAvert->stop();
        w->TimerRoll->stop();
        w->ExitPageWaitMilliseconds = 0;
    }
    void restart()
    {
        start();
        quiet();
    }

    // One rotation tick that loads the "now" page, then the page check a second after it loaded.
    void rotateAndCheck()
    {
        w->ChromeShown = true;
        w->AnnouncementDraw = [] { return 90; };
        w->TimerRunAvertTimer();
        waitForCheck();
    }
    void waitForCheck()
    {
        ASSERT_TRUE(waitUntil([&] { return w->TimerCheckTopBrowser->isActive(); })) << "no page completed";
        ASSERT_TRUE(waitUntil([&] { return !w->TimerCheckTopBrowser->isActive(); }));
    }
    void press(QWidget *target)
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    QRect pageBounds() const { return w->SbAvert->rect().adjusted(-4, -4, 4, 4); }
};

TEST_F(AnnouncementPanel, PageCheckShowsGoodPagesAndMovesErrorPagesOutOfView)
{
    const QString now = QStringLiteral("gg/sp/now/");
    server.page(QStringLiteral("good/"), "今日公告");
    const struct {
        const char *what;
        LoopbackHttpServer::Reply reply;
        bool shown;
    } cases[] = {
        {"ordinary page", {200, "<body>今日公告 <b>新版本</b></body>", {}, 0, false}, true},
        {"the word cancel", {200, "<body><button>取消</button></body>", {}, 0, false}, false},
        {"not found in capitals", {200, "<body>PAGE NOT FOUND</body>", {}, 0, false}, false},
        {"redirect to a good page", {302, {}, "/good/", 0, false}, true},
        {"404 with an empty body", {404, {}, {}, 0, false}, false},
        {"answer after 3 s", {200, "<body>late news</body>", {}, 3000, false}, true},
        {"unable", {200, "<body>操作无法完成</body>", {}, 0, false}, false},
    };
    for (const auto &c : cases) {
        server.route(now, c.reply);
        rotateAndCheck();
        EXPECT_EQ(w->Image48->isHidden(), c.shown) << c.what;
        if (c.shown)
            EXPECT_EQ(w->WebBrowserTop->geometry(), pageBounds()) << c.what;
        else
            EXPECT_EQ(w->WebBrowserTop->pos(), QPoint(-2000, -2000)) << c.what;
    }

    // A server that does not answer at all is an error page too.
    w->TopBrowser->navigate(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackHttpServer::closedPort()));
    waitForCheck();
    EXPECT_FALSE(w->Image48->isHidden());
    EXPECT_EQ(w->WebBrowserTop->pos(), QPoint(-2000, -2000));
}

TEST_F(AnnouncementPanel, RollingLinksComeFromTheFirstPageAndOpenOnlyTheAddressAfterTheirCaption)
{
    server.page(QStringLiteral("gg/sp/now/"),
                "tivrollaver_https://caption.example/,https://one.example/a,"
                "\"Two, too\",https://two.example/b_tivrollaver");
    rotateAndCheck();
    ASSERT_TRUE(w->RollListLoaded);
    EXPECT_EQ(w->RollerLines.size(), 4);

    // Before the first roll a label opens nothing, not even a caption that looks like an address.
    press(w->LbRollers);
    press(w->LbRollers2);
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());

    w->TimerRollTimer();
    EXPECT_EQ(w->LbRollers->text(), QStringLiteral("https://caption.example/"));
    EXPECT_EQ(w->LbRollers2->text(), QStringLiteral("Two, too"));
    EXPECT_EQ(w->LbRollers2->toolTip(), QStringLiteral("Two, too"));
    press(w->LbRollers2);
    press(w->LbRollers);
    EXPECT_EQ(fakes.shell.openedUrls,
              (QStringList{QStringLiteral("https://two.example/b"), QStringLiteral("https://one.example/a")}));

    // Later pages do not replace the list.
    server.page(QStringLiteral("gg/sp/now/"), "tivrollaver_X,https://x.example/_tivrollaver");
    rotateAndCheck();
    EXPECT_EQ(w->RollerLines.size(), 4);
}

TEST_F(AnnouncementPanel, HostileEntriesOpenNothing)
{
    server.page(QStringLiteral("gg/sp/now/"),
                "tivrollaver_a,file:///etc/passwd,b,&#106;avascript:alert(1),c,/usr/bin/xterm,"
                "\"Tom &amp; Jerry\",https://shop.example/?a=1&amp;b=2&c=3_tivrollaver");
    rotateAndCheck();
    ASSERT_EQ(w->RollerLines.size(), 8);
    w->TimerRollTimer();
    press(w->LbRollers);
    press(w->LbRollers2);
    w->TimerRollTimer();
    press(w->LbRollers);
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());
    // Entries read as the page shows them, escaped or not in its source.
    EXPECT_EQ(w->LbRollers2->text(), QStringLiteral("Tom & Jerry"));
    press(w->LbRollers2);
    EXPECT_EQ(fakes.shell.openedUrls, QStringList{QStringLiteral("https://shop.example/?a=1&b=2&c=3")});
}

TEST_F(AnnouncementPanel, ErrorPageStillGivesItsRollingLinks)
{
    server.route(QStringLiteral("gg/sp/now/"),
                 {404, "<body>not found tivrollaver_E,https://e.example/_tivrollaver</body>", {}, 0, false});
    rotateAndCheck();
    EXPECT_FALSE(w->Image48->isHidden());
    EXPECT_EQ(w->RollerLines, (QStringList{QStringLiteral("E"), QStringLiteral("https://e.example/")}));
}

TEST_F(AnnouncementPanel, MarkersOutsideTheBodyGiveTheBuiltInLinks)
{
    LoopbackHttpServer::Reply reply;
    reply.body = "<html><head><title>tivrollaver_H,https://head.example/_tivrollaver</title></head>"
                 "<body>today's notes</body></html>";
    server.route(QStringLiteral("gg/sp/now/"), reply);
    rotateAndCheck();
    EXPECT_EQ(w->RollerLines, tiv::ReadCommaText(tiv::TxtLinks));
    EXPECT_EQ(w->RollerLines.size(), 4);
}

TEST_F(AnnouncementPanel, ExitOpensThePagesExitAddressOnceElseTheSoftwareList)
{
    const QString softList = server.base() + QStringLiteral("soft/");
    w.reset();
    EXPECT_EQ(fakes.shell.openedUrls, QStringList{softList}) << "no page ever loaded";

    const struct {
        const char *page;
        QString opened;
    } cases[] = {
        {"<p>tivexitpop_ https://bye.example/thanks _tivexitpop</p>", QStringLiteral("https://bye.example/thanks")},
        {"<p>tivexitpop_https://bye.example/r?a=1&amp;b=2_tivexitpop</p>", QStringLiteral("https://bye.example/r?a=1&b=2")},
        {"<p>tivexitpop_file:///etc/passwd_tivexitpop</p>", softList},
        {"<p>tivexitpop_&#102;ile:///etc/passwd_tivexitpop</p>", softList},
        {"<p>tivexitpop_/usr/bin/xterm_tivexitpop</p>", softList},
        {"<p>tivexitpop_javascript:alert(1)_tivexitpop</p>", softList},
        {"<p>no exit page named</p>", softList},
    };
    for (const auto &c : cases) {
        restart();
        server.page(QStringLiteral("gg/sp/now/"), c.page);
        rotateAndCheck();
        fakes.shell.openedUrls.clear();
        w->close();
        w.reset();
        EXPECT_EQ(fakes.shell.openedUrls, QStringList{c.opened}) << c.page;
    }

    // An end that comes with the session or a signal starts no browser.
    restart();
    server.page(QStringLiteral("gg/sp/now/"), "<p>tivexitpop_https://bye.example/_tivexitpop</p>");
    rotateAndCheck();
    fakes.shell.openedUrls.clear();
    w->EndWithSession();
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());
    w.reset();
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());

    // A build without a server loads no page and opens nothing at exit.
    restart();
    w->AnnouncementEnabled = false;
    w->ChromeShown = true;
    w->AnnouncementDraw = [] { return 90; };
    w->TimerRunAvertTimer();
    EXPECT_FALSE(w->TopBrowser->viewCreated());
    fakes.shell.openedUrls.clear();
    w.reset();
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());
}

TEST_F(AnnouncementPanel, RotationWaitsForTheFirstPresentedCaptureThenFollowsTheDraw)
{
    server.page(QStringLiteral("gg/sp/now/"), "now");
    server.page(QStringLiteral("gg/sp/next/"), "next");
    int draw = 90;
    w->AnnouncementDraw = [&] { return draw; };
    w->TimerRunAvertTimer();
    EXPECT_FALSE(w->TopBrowser->viewCreated()) << "nothing loads before a capture is presented";

    w->CaptureFullScreen();
    ASSERT_TRUE(w->ChromeShown);
    draw = 18;
    w->TimerRunAvertTimer();
    EXPECT_FALSE(w->TopBrowser->viewCreated());

    const struct {
        int draw;
        const char *path;
        int nowHits, nextHits;
    } ticks[] = {{19, "gg/sp/next/", 0, 1}, {65, "gg/sp/now/", 1, 1}, {66, "gg/sp/now/", 2, 1}, {0, "", 2, 1}};
    for (const auto &t : ticks) {
        draw = t.draw;
        w->TimerRunAvertTimer();
        if (*t.path)
            waitForCheck();
        EXPECT_EQ(server.hits(QStringLiteral("gg/sp/now/")), t.nowHits) << t.draw;
        EXPECT_EQ(server.hits(QStringLiteral("gg/sp/next/")), t.nextHits) << t.draw;
        EXPECT_TRUE(w->NextPageShown);
    }
}

TEST_F(AnnouncementPanel, ProgramStaysResponsiveWhileAPageNeverFinishes)
{
    server.route(QStringLiteral("gg/sp/now/"), {200, {}, {}, 0, true});
    w->ChromeShown = true;
    w->AnnouncementDraw = [] { return 90; };
    w->TimerRunAvertTimer();
    ASSERT_TRUE(waitUntil([&] { return server.hits(QStringLiteral("gg/sp/now/")) == 1; }));

    bool ticked = false;
    QTimer::singleShot(50, [&] { ticked = true; });
    EXPECT_TRUE(waitUntil([&] { return ticked; }, 2000));
    fakes.screen.desktop = pattern(80, 60, 9);
    w->CaptureFullScreen();
    EXPECT_EQ(w->ImgMain->picture().image.size(), QSize(80, 60));
    EXPECT_FALSE(w->grab().isNull());
    EXPECT_FALSE(w->TimerCheckTopBrowser->isActive());
    EXPECT_FALSE(w->Image48->isHidden());
}

// Links the user follows in the strip go to the browser through the address gate; the strip keeps
// the announcement page, and a page's own scripts open nothing: no windows, no dialogs (退出 still
// ends the program), nothing run from a javascript: link.
TEST_F(AnnouncementPanel, LinksClickedInTheStripOpenInTheBrowserAndTheStripKeepsItsPage)
{
    const QString now = QStringLiteral("gg/sp/now/");
    const char *link = "<a href='%1' %2 style='position:absolute;left:%3px;top:10px;width:80px;height:40px'>x</a>";
    const QByteArray page = QByteArray("<body style='margin:0'>tivexitpop_https://bye.example/_tivexitpop") +
                            QString::fromLatin1(link).arg("/elsewhere/", "", "10").toUtf8() +
                            QString::fromLatin1(link).arg("https://blank.example/?a=1&amp;b=2", "target=_blank", "110").toUtf8() +
                            QString::fromLatin1(link).arg("file:///etc/passwd", "", "210").toUtf8() +
                            QString::fromLatin1(link).arg("javascript:fetch(\"/ran/\")", "", "310").toUtf8() +
                            "<iframe src='/frame/' style='position:absolute;left:410px;top:0;width:100px;height:60px;"
                            "border:0'></iframe>"
                            "<script>window.open('/popup/'); alert('a'); confirm('c'); prompt('p');"
                            "setTimeout(function () { location.href = '/scripted/'; }, 200);</script></body>";
    server.page(now, page);
    server.page(QStringLiteral("frame/"), "<body style='margin:0'><a href='/framed/' style='display:block;"
                                          "width:100px;height:60px'>in a frame</a></body>");
    w->show();
    rotateAndCheck();
    ASSERT_TRUE(w->Image48->isHidden());
    QWidget *view = w->WebBrowserTop->findChild<QWidget *>();
    ASSERT_TRUE(view && view->focusProxy());
    EXPECT_EQ(server.hits(QStringLiteral("scripted/")), 0);
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty()) << "nobody clicked";

    const auto click = [&](int x) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const QPointF at(x, 30);
            QMouseEvent event(type, at, view->focusProxy()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(view->focusProxy(), &event);
        }
    };
    click(50);
    ASSERT_TRUE(waitUntil([&] { return fakes.shell.openedUrls.size() == 1; }));
    click(150);
    ASSERT_TRUE(waitUntil([&] { return fakes.shell.openedUrls.size() == 2; }));
    click(450);
    ASSERT_TRUE(waitUntil([&] { return fakes.shell.openedUrls.size() == 3; }));
    click(250);
    click(350);
    bool waited = false;
    QTimer::singleShot(500, [&] { waited = true; });
    ASSERT_TRUE(waitUntil([&] { return waited; }));
    EXPECT_EQ(fakes.shell.openedUrls, (QStringList{server.base() + QStringLiteral("elsewhere/"),
                                                   QStringLiteral("https://blank.example/?a=1&b=2"),
                                                   server.base() + QStringLiteral("framed/")}));
    EXPECT_EQ(server.hits(QStringLiteral("elsewhere/")) + server.hits(QStringLiteral("framed/")), 0);
    EXPECT_EQ(server.hits(QStringLiteral("popup/")) + server.hits(QStringLiteral("ran/")), 0);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
    EXPECT_EQ(w->TopBrowser->currentAddress(), server.base() + now);
    fakes.shell.openedUrls.clear();
    w->BtnExit->click();
    EXPECT_FALSE(w->isVisible());
    w.reset();
    EXPECT_EQ(fakes.shell.openedUrls, QStringList{QStringLiteral("https://bye.example/")});
}

// The roll ticks need no page: they walk whatever list there is.
using RollingLabels = MainWindowFixture;

TEST_F(RollingLabels, TicksWalkTheListTwoPairsAtATime)
{
    w->TimerRoll->stop();
    w->RollerLines = QStringList{"A", "https://a.example/", "B", "https://b.example/"};
    for (int round = 0; round < 2; ++round) {
        w->TimerRollTimer();
        EXPECT_EQ(w->LbRollers->text(), QStringLiteral("A"));
        EXPECT_EQ(w->LbRollersTag, 1);
        EXPECT_EQ(w->LbRollers2->text(), QStringLiteral("B"));
        EXPECT_EQ(w->LbRollers2Tag, 3);
        EXPECT_EQ(w->RollIndex, 4);
        EXPECT_EQ(w->LbRollers2->x(), (w->Panel12->width() - w->LbRollers2->width()) / 2);
        // The next tick only starts over.
        w->TimerRollTimer();
        EXPECT_EQ(w->RollIndex, 0);
        EXPECT_EQ(w->LbRollers->text(), QStringLiteral("A"));
    }

    w->RollerLines = QStringList{"A", "1", "B", "2", "C", "3"};
    w->TimerRollTimer();
    w->TimerRollTimer();
    EXPECT_EQ(w->LbRollers->text(), QStringLiteral("C"));
    EXPECT_EQ(w->LbRollersTag, 5);
    EXPECT_EQ(w->LbRollers2->text(), QStringLiteral("B"));
    EXPECT_EQ(w->RollIndex, 6);
    w->TimerRollTimer();
    EXPECT_EQ(w->RollIndex, 0);

    // Three entries: the second label shows the last caption, whose address does not exist.
    w->RollerLines = QStringList{"A", "1", "B"};
    w->TimerRollTimer();
    EXPECT_EQ(w->LbRollers2->text(), QStringLiteral("B"));
    EXPECT_EQ(w->RollIndex, 3);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->LbRollers2, &press);
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());

    // One entry: a caption without its address.
    w->RollerLines = QStringList{"Solo"};
    w->RollIndex = 0;
    w->TimerRollTimer();
    EXPECT_EQ(w->LbRollers->text(), QStringLiteral("Solo"));
    EXPECT_EQ(w->RollIndex, 1);
    QApplication::sendEvent(w->LbRollers, &press);
    EXPECT_TRUE(fakes.shell.openedUrls.isEmpty());
    w->TimerRollTimer();
    EXPECT_EQ(w->RollIndex, 0);

    w->RollerLines.clear();
    w->RollIndex = 5;
    w->TimerRollTimer();
    EXPECT_EQ(w->RollIndex, 0);
    EXPECT_EQ(w->LbRollers->text(), QStringLiteral("Solo"));
}

}  // namespace
