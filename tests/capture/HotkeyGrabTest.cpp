// The hotkeys of capture mode on the suite's X server, with the keyboard driven by xdotool; the
// screen stays the recording fake.
#include "support/MainWindowFixture.h"

#include "capture/TFrmShortcutSet.h"
#include "platform/Platform.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QThread>

using namespace tiv;

namespace {

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
}

void xdotool(const QStringList &args)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0);
}

struct HotkeyGrabs : MainWindowFixture {
    std::unique_ptr<PlatformBackend> backend;
    void SetUp() override
    {
        QString error;
        backend = createNativePlatform(&error);
        ASSERT_TRUE(backend) << error.toStdString();
        realHotkeys = backend->services().hotkeys;
        MainWindowFixture::SetUp();
        QProcess::execute(QStringLiteral("xset"), {QStringLiteral("r"), QStringLiteral("on")});
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        backend.reset();
    }
    std::string savedFiles() const { return QDir(pictureFolder()).entryList(QDir::Files).join(u' ').toStdString(); }
};

}  // namespace

TEST_F(HotkeyGrabs, AHeldHotkeyCapturesOncePerPress)
{
    QDir().mkpath(pictureFolder());
    w->show();
    w->MnUDScreenCutClick();
    settle(200);
    xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl+shift+f")});
    settle(1500);  // well past the keyboard's repeat delay
    xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl+shift+f")});
    settle(300);
    EXPECT_EQ(savedFiles(), "1.jpg");

    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+f")});
    settle(300);
    EXPECT_EQ(savedFiles(), "1.jpg 2.jpg") << "a new press captures again";
}

TEST_F(HotkeyGrabs, OnlyKeysAnotherProgramHoldsConflict)
{
    w->show();
    w->GrabMenuClick();
    w->GrabMenuClick();
    EXPECT_EQ(w->Conflicts, HotkeyConflicts{}) << "the keys this program holds are no conflict";
    EXPECT_NE(w->PnlHint->text(), TxtHotkeyConflict);
    w->LeaveCaptureMode();

    QProcess holder;
    holder.start(QStringLiteral(TIV_HOLD_KEY), {QStringLiteral("a")});
    ASSERT_TRUE(holder.waitForReadyRead(5000));
    w->GrabMenuClick();
    w->LeaveCaptureMode();
    holder.kill();
    holder.waitForFinished();
    EXPECT_EQ(w->Conflicts, (HotkeyConflicts{false, false, false, true, false}));
    TFrmShortcutSet *dialog = w->ShortcutDialog();
    dialog->show();
    for (int i = 0; i < HotkeyCount; ++i)
        EXPECT_EQ(!dialog->Rows[i].warning->isHidden(), i == HotkeyRegion - 1) << "row " << i + 1;
    dialog->hide();
}
