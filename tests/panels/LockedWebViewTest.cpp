#include "panels/WebView.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

// Pages come from a server outside the program: whatever their scripts try, the view stays on web
// pages and opens no windows of its own.
TEST(LockedWebView, PagesCannotLeaveTheWebOrOpenWindows)
{
    LoopbackHttpServer server;
    server.page(QStringLiteral("popup/"), "popped");
    server.page(QStringLiteral("next/"), "next page");
    const QByteArray go = "<script>"
                          "window.open('/popup/');"
                          "setTimeout(function () { location.href = 'file:///etc/passwd'; }, 10);"
                          "setTimeout(function () { location.href = 'javascript:void(0)'; }, 20);"
                          "setTimeout(function () { location.href = '/next/'; }, 300);"
                          "</script><a href='/popup/' target='_blank' id='a'>x</a>";
    server.page(QStringLiteral("start/"), go);

    QWidget host;
    tiv::WebView *view = tiv::NewWebView(&host);
    ASSERT_NE(view, nullptr);
    int finished = 0;
    view->onLoadFinished = [&](bool) { ++finished; };
    const int windowsBefore = int(QApplication::topLevelWidgets().size());
    view->navigate(server.base() + QStringLiteral("start/"));
    ASSERT_TRUE(waitUntil([&] { return server.hits(QStringLiteral("next/")) == 1 && finished >= 2; }));
    EXPECT_EQ(view->currentAddress(), server.base() + QStringLiteral("next/"));
    EXPECT_EQ(server.hits(QStringLiteral("popup/")), 0);
    EXPECT_EQ(int(QApplication::topLevelWidgets().size()), windowsBefore);
}
