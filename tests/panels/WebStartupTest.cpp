#include "panels/WebView.h"
#include "support/MainWindowFixture.h"

// The web engine costs a noticeable part of a second to load: start-up and the first showing must
// not touch it, and neither must a capture before the announcement rotation comes round.
using WebStartup = MainWindowFixture;

TEST_F(WebStartup, NothingLoadsTheWebEngineUntilAPageIsWanted)
{
    w->show();
    QApplication::processEvents();
    w->CaptureFullScreen();
    w->TimerRollTimer();
    EXPECT_FALSE(tiv::WebModuleLoaded());
    ASSERT_NE(tiv::NewWebView(w.get()), nullptr);
    EXPECT_TRUE(tiv::WebModuleLoaded());
}
