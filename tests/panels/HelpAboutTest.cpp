#include "common/ImageResources.h"
#include "panels/TFrmHelp.h"
#include "panels/TFrmVersion.h"
#include "panels/WebView.h"
#include "support/LoopbackHttpServer.h"
#include "support/MainWindowFixture.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

struct HelpAndAbout : MainWindowFixture {
    LoopbackHttpServer server;
    const QString help = QStringLiteral("demo/sp/");

    void SetUp() override
    {
        qputenv("TIVREVUDU_SERVER", server.base().toUtf8());
        MainWindowFixture::SetUp();
    }
    bool helpLoaded(int times)
    {
        return waitUntil([&] { return server.hits(help) == times; });
    }
    static void press(QWidget *target)
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(3, 3), target->mapToGlobal(QPointF(3, 3)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(HelpAndAbout, HelpWindowIsMadeOnceAndLoadsItsPageAtEveryShowing)
{
    server.page(help, "<h1>帮助</h1>");
    w->BtnHelp->click();
    ASSERT_NE(w->FrmHelp, nullptr);
    tiv::TFrmHelp *first = w->FrmHelp;
    EXPECT_TRUE(helpLoaded(1));
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("关于 TIVrevudu"));
    ASSERT_NE(first->WebBrowser1, nullptr);
    EXPECT_EQ(first->WebBrowser1->currentAddress(), server.base() + help);

    first->BtnClose->click();
    EXPECT_FALSE(first->isVisible());
    w->BtnHelp->click();
    EXPECT_EQ(w->FrmHelp, first);
    EXPECT_TRUE(helpLoaded(2));
    w->BtnHelp->click();  // already shown: no new showing, no new load
    EXPECT_FALSE(waitUntil([&] { return server.hits(help) > 2; }, 500));
}

TEST_F(HelpAndAbout, HelpShowsThatItIsLoadingUntilThePageComesAndWearsTheSkinColours)
{
    server.route(help, {200, "<h1>帮助</h1>", {}, 1500, false});
    w->BtnHelp->click();
    tiv::TFrmHelp *window = w->FrmHelp;
    ASSERT_NE(window->WebBrowser1, nullptr);
    QWidget *view = window->WebBrowser1->widget();
    ASSERT_TRUE(waitUntil([&] { return window->Loading->isVisible(); }, 5000));
    EXPECT_EQ(view->cursor().shape(), Qt::BusyCursor);
    EXPECT_TRUE(view->isEnabled());
    EXPECT_TRUE(waitUntil([&] { return !window->Loading->isVisible(); }));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window->BottomBar->grab().toImage().pixelColor(1, 1), QColor(245, 250, 254));
}

TEST_F(HelpAndAbout, HelpPageThatFailsLeavesTheProgramResponsive)
{
    for (const LoopbackHttpServer::Reply &reply : {LoopbackHttpServer::Reply{200, {}, {}, 0, true},
                                                    LoopbackHttpServer::Reply{404, {}, {}, 0, false}}) {
        server.route(help, reply);
        const int before = server.hits(help);
        w->BtnHelp->click();
        ASSERT_TRUE(waitUntil([&] { return server.hits(help) == before + 1; }));
        bool ticked = false;
        QTimer::singleShot(50, [&] { ticked = true; });
        EXPECT_TRUE(waitUntil([&] { return ticked; }, 2000));
        w->CaptureFullScreen();
        EXPECT_FALSE(w->ImgMain->picture().isEmpty());
        EXPECT_FALSE(w->grab().isNull());
        w->FrmHelp->close();
    }
}

TEST_F(HelpAndAbout, AboutPictureAndLinkOpenTheProductPage)
{
    QStringList seen;
    QTimer::singleShot(0, [&] {
        tiv::TFrmVersion *about = w->FrmVersion;
        seen << about->windowTitle() << about->LblVersion->text();
        press(about->Image1);
        press(about->Label1);
        press(about->LblVersion);  // lies on the picture
        QPixmap face;  // the only button closes the window, and its face says so
        tiv::LoadBmpResource(face, QStringLiteral("BtnClose"));
        seen << QString::number(about->BtnClose->icon().pixmap(face.size()).toImage() == face.toImage());
        about->BtnClose->click();
    });
    w->BtnAbout->click();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("关于 TIVrevudu"), QStringLiteral("2.2"), QStringLiteral("1")}));
    const QString product = server.base() + QStringLiteral("sp/");
    EXPECT_EQ(fakes.shell.openedUrls, (QStringList{product, product, product}));

    // The same window comes back.
    tiv::TFrmVersion *first = w->FrmVersion;
    QTimer::singleShot(0, [&] { w->FrmVersion->BtnClose->click(); });
    w->BtnAbout->click();
    EXPECT_EQ(w->FrmVersion, first);
}

TEST_F(HelpAndAbout, OpenWebAddressPutsHttpInFrontAndOpensOnlyWebAddresses)
{
    w->OpenWebAddress(QStringLiteral("www.example.org/help"));
    w->OpenWebAddress(QStringLiteral("https://example.org/x"));
    w->OpenWebAddress(QStringLiteral("file:///etc/passwd"));
    w->OpenWebAddress(QStringLiteral("/usr/bin/xterm"));
    EXPECT_EQ(fakes.shell.openedUrls,
              (QStringList{QStringLiteral("http://www.example.org/help"), QStringLiteral("https://example.org/x")}));
    EXPECT_TRUE(fakes.shell.openedPaths.isEmpty());
}

}  // namespace
