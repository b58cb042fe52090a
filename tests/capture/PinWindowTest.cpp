#include "capture/PinWindow.h"
#include "support/MainWindowFixture.h"

#include <QMenu>
#include <QProcess>
#include <QTest>

using namespace tiv;

namespace {

// Runs a desktop tool while the program goes on handling its events, as it would with a user.
QString RunTool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000))
        p.kill();
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PinnedPictures : ShownWindowWithFolder {
    QProcess wm;
    void SetUp() override
    {
        wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(wm.waitForStarted());
        QTest::qWait(800);
        ShownWindowWithFolder::SetUp();
    }
    void TearDown() override
    {
        ShownWindowWithFolder::TearDown();
        wm.terminate();
        wm.waitForFinished();
    }
};

}  // namespace

// Pictures pinned on a desktop with a window manager: each is its own frameless window that the
// manager keeps above the others; the mouse drags it, the wheel zooms it, its menu copies it;
// double-click and Esc close it, and the window goes away with it.
TEST_F(PinnedPictures, LiveAboveTheOtherWindowsUntilClosed)
{
    w->ImgMain->setPicture(CanvasPicture::bitmap(pattern(160, 100)));
    PinWindow *first = w->PinPicture(w->ImgMain->picture().image, QPoint(200, 150));
    PinWindow *second = w->PinPicture(pattern(80, 60, 9), QPoint(600, 300));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(second));
    QTest::qWait(300);
    EXPECT_EQ(first->size(), QSize(160, 100));
    const QString state = RunTool(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(first->winId()),
                                                         QStringLiteral("_NET_WM_STATE")});
    EXPECT_TRUE(state.contains(QStringLiteral("_NET_WM_STATE_ABOVE"))) << state.toStdString();

    const QPoint before = first->geometry().topLeft();
    const QPoint grip = first->mapToGlobal(QPoint(40, 40));
    // The first few pixels tell a drag from a click; the window manager moves it from then on.
    QStringList drag = {QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y()),
                        QStringLiteral("mousedown"), QStringLiteral("1")};
    for (const char *step : {"15", "10", "10", "10", "10"})
        drag << QStringLiteral("sleep") << QStringLiteral("0.15") << QStringLiteral("mousemove_relative")
             << QString::fromLatin1(step) << QString::fromLatin1(step);
    drag << QStringLiteral("sleep") << QStringLiteral("0.3") << QStringLiteral("mouseup") << QStringLiteral("1");
    RunTool(QStringLiteral("xdotool"), drag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->geometry().topLeft() != before; }, 3000));
    const QPoint moved = first->geometry().topLeft() - before;
    EXPECT_GE(moved.x(), 30);
    EXPECT_EQ(moved.x(), moved.y());

    QWheelEvent wheel(QPointF(10, 10), first->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(first, &wheel);
    EXPECT_EQ(first->size(), QSize(194, 121));

    first->menu()->actions().first()->trigger();
    ASSERT_EQ(fakes.clipboard.images.size(), 1);
    EXPECT_EQ(fakes.clipboard.images.first(), pattern(160, 100));

    const QPointer<PinWindow> gone = first;
    QTest::mouseDClick(first, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gone.isNull(); }, 2000));
    const QPointer<PinWindow> other = second;
    QTest::keyClick(second, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.isNull(); }, 2000));
}
