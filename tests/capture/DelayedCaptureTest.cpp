#include "app/CommandLine.h"
#include "capture/DelayDialog.h"
#include "capture/DelayedCapture.h"
#include "settings/IniFile.h"
#include "support/MainWindowFixture.h"
#include "support/ParseArguments.h"

#include <QTest>

using namespace tiv;

// `--delay` from the command line counts down in its own window; Esc there cancels, with Esc held
// from the whole desktop only meanwhile; a countdown left to run captures once it is over, with the
// kind chosen last in the dialog when the command names none.
TEST_F(ShownWindowWithFolder, DelayedCaptureCountsDownAndEscCancels)
{
    w->RunRequest(ParseArguments({"--delay", "2", "--capture", "full"}));
    ASSERT_TRUE(w->Delay && w->Delay->running());
    EXPECT_EQ(w->Delay->remainingSeconds(), 2);
    EXPECT_TRUE(fakes.hotkeys.active.contains(HotkeyCancelDelay));
    QWidget *countdown = w->Delay->countdownWindow();
    ASSERT_TRUE(countdown);
    QTest::keyClick(countdown, Qt::Key_Escape);
    EXPECT_FALSE(w->Delay->running());
    EXPECT_FALSE(fakes.hotkeys.active.contains(HotkeyCancelDelay));
    EXPECT_TRUE(fakes.screen.grabs.isEmpty());
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("延时截图已取消"));

    // The desktop's Esc, while another window has the focus, cancels as well.
    w->RunRequest(ParseArguments({"--delay", "1", "--capture", "full"}));
    fakes.hotkeys.press(HotkeyCancelDelay);
    EXPECT_FALSE(w->Delay->running());

    IniFile ini(settingsPath());
    DelayChoice{QStringLiteral("region"), 4}.save(ini);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(DelayChoice::load(IniFile(settingsPath())).seconds, 4);
    w->PictureFolder = folder + u'/';
    w->EdtPicPath->setText(w->PictureFolder);
    w->RunRequest(ParseArguments({"--delay", "1"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fakes.screen.grabs.isEmpty(); }, 5000));
    EXPECT_FALSE(w->Delay->countdownWindow());
    // The region capture froze the desktop: the canvas waits for a drag.
    EXPECT_EQ(w->ToolMode, 5);
}
