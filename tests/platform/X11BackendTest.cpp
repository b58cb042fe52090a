// Runs against a real X server (the suite starts Xvfb): the backend must read back exactly what
// is on the screen.
#include "capture/CursorOverlay.h"
#include "common/OpaquePixels.h"
#include "platform/Platform.h"
#include "platform/x11/XcbConnection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QThread>
#include <QWidget>

using namespace tiv;

namespace {

QImage testPattern(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb((x * 3) & 255, (y * 7) & 255, (x ^ y) & 255));
    return img;
}

class PatternWindow : public QWidget {
public:
    explicit PatternWindow(QImage image, Qt::WindowFlags flags)
        : QWidget(nullptr, flags), image_(std::move(image))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(image_.size());
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, image_); }

private:
    QImage image_;
};

void settle(int ms = 300)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

struct X11Backend : testing::Test {
    std::unique_ptr<PlatformBackend> backend;
    Platform p;
    void SetUp() override
    {
        QString error;
        backend = createNativePlatform(&error);
        ASSERT_TRUE(backend) << error.toStdString();
        p = backend->services();
    }
    void movePointer(QPoint at)
    {
        QCursor::setPos(at);
        settle(150);
    }
};

QImage cursorArrow()
{
    // 8x8 cursor: opaque green block with a transparent border column, hot spot at (3, 2).
    QImage img(8, 8, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 8; ++y)
        for (int x = 1; x < 8; ++x)
            img.setPixel(x, y, qRgb(0, 255, 0));
    return img;
}

}  // namespace

TEST_F(X11Backend, DesktopGrabIsPixelExactAndCursorLandsOnItsHotSpot)
{
    const QRect desk = p.screen->desktopRect();
    ASSERT_EQ(desk.topLeft(), QPoint(0, 0));
    const QImage pattern = testPattern(desk.size());
    PatternWindow window(pattern, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    window.move(0, 0);
    window.setCursor(QCursor(QPixmap::fromImage(cursorArrow()), 3, 2));
    window.show();
    movePointer(QPoint(100, 60));
    settle();

    QImage grabbed = p.screen->grab(desk);
    ASSERT_EQ(grabbed.size(), desk.size());
    EXPECT_EQ(grabbed.format(), QImage::Format_RGB32);
    EXPECT_TRUE(grabbed == pattern) << "the screen grab differs from what is shown";

    const auto cursor = p.cursor->currentCursor();
    ASSERT_TRUE(cursor);
    EXPECT_TRUE(cursor->shown);
    EXPECT_EQ(cursor->position, QPoint(100, 60));
    EXPECT_EQ(cursor->hotSpot, QPoint(3, 2));
    BlendCursor(grabbed, *cursor, desk.topLeft());
    // The cursor's top-left opaque pixel (1, 0) lands at pointer - hot spot + (1, 0).
    EXPECT_EQ(grabbed.pixel(98, 58), qRgb(0, 255, 0));
    EXPECT_EQ(grabbed.pixel(97, 58), pattern.pixel(97, 58));  // transparent column keeps the screen
    EXPECT_EQ(grabbed.pixel(104, 65), qRgb(0, 255, 0));
    EXPECT_EQ(grabbed.pixel(105, 66), pattern.pixel(105, 66));

    // A part of the screen and an area reaching past its edge: outside pixels come back black.
    const QImage part = p.screen->grab(QRect(desk.width() - 10, 5, 20, 4));
    ASSERT_EQ(part.size(), QSize(20, 4));
    EXPECT_EQ(part.pixel(0, 0), pattern.pixel(desk.width() - 10, 5));
    EXPECT_EQ(part.pixel(15, 2), qRgb(0, 0, 0));

    window.setCursor(Qt::BlankCursor);
    settle();
    const auto hidden = p.cursor->currentCursor();
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(hidden->shown);
    QImage again = p.screen->grab(desk);
    BlendCursor(again, *hidden, desk.topLeft());
    EXPECT_TRUE(again == pattern) << "a hidden cursor must not be drawn";
}

// Grabbed pictures live in memory the server writes into and that is reused once a picture
// goes: each must still be a picture of its own, opaque, and usable after the backend is gone.
TEST_F(X11Backend, GrabbedPicturesStayTheirOwnAndOutliveTheBackend)
{
    const QRect desk = p.screen->desktopRect();
    const QImage pattern = testPattern(desk.size());
    PatternWindow window(pattern, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    window.move(0, 0);
    window.setCursor(Qt::BlankCursor);
    window.show();
    settle();

    QImage first = p.screen->grab(desk);
    QImage second = p.screen->grab(desk);
    ASSERT_EQ(first.size(), desk.size());
    bool opaque = true;
    for (int y = 0; y < first.height() && opaque; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(first.constScanLine(y));
        opaque = std::all_of(row, row + first.width(), [](QRgb px) { return qAlpha(px) == 255; });
    }
    EXPECT_TRUE(opaque) << "a grabbed picture must carry opaque alpha";
    bool paddingLeft = false;
    QImage leftAsGrabbed = p.screen->grabLeavingPadding(desk, paddingLeft);
    EXPECT_TRUE(paddingLeft);
    MakeOpaque(leftAsGrabbed);
    EXPECT_EQ(std::memcmp(leftAsGrabbed.constBits(), first.constBits(), size_t(first.sizeInBytes())), 0);
    leftAsGrabbed = QImage();

    first.fill(Qt::red);
    EXPECT_TRUE(second == pattern) << "drawing on one picture changed another";
    second.fill(Qt::blue);
    second = QImage();
    const QImage third = p.screen->grab(desk);
    EXPECT_TRUE(third == pattern) << "a picture reused memory still holding an earlier one";
    EXPECT_EQ(first.pixel(5, 5), qRgb(255, 0, 0));

    backend.reset();
    QImage copy = third;
    copy.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(third.pixel(0, 0), pattern.pixel(0, 0));
    EXPECT_TRUE(third.copy(QRect(1, 1, 50, 50)) == pattern.copy(QRect(1, 1, 50, 50)));
}

TEST_F(X11Backend, ForegroundWindowFrameHoldsClientAndTitleBar)
{
    QProcess wm;
    wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    ASSERT_TRUE(wm.waitForStarted());
    settle(800);
    PatternWindow own(testPattern(QSize(200, 120)), Qt::Window);
    own.show();
    own.activateWindow();
    settle(800);
    EXPECT_FALSE(p.screen->foregroundWindow()) << "the program's own window is never the one captured";

    // Another program's window, as the user sees it.
    const QString file = QDir::temp().filePath(QStringLiteral("tiv-frame-test.xwd"));
    testPattern(QSize(200, 120)).save(file + QStringLiteral(".png"));
    QProcess::execute(QStringLiteral("convert"), {file + QStringLiteral(".png"), file});
    QProcess other;
    other.start(QStringLiteral("xwud"), {QStringLiteral("-in"), file, QStringLiteral("-geometry"), QStringLiteral("+300+200")});
    settle(1200);

    const auto fw = p.screen->foregroundWindow();
    const QImage client = fw ? p.screen->grab(fw->client) : QImage();
    other.kill();
    other.waitForFinished();
    QFile::remove(file);
    QFile::remove(file + QStringLiteral(".png"));
    wm.terminate();
    wm.waitForFinished();
    ASSERT_TRUE(fw);
    EXPECT_EQ(fw->client.size(), QSize(200, 120));
    EXPECT_TRUE(fw->frame.contains(fw->client));
    EXPECT_GT(fw->frame.height(), fw->client.height()) << "the title bar belongs to the window";
    EXPECT_EQ(client.pixel(10, 10), testPattern(QSize(200, 120)).pixel(10, 10));
}

TEST_F(X11Backend, HotkeysFireAndGrabsHeldByOthersAreRefused)
{
    int fired = 0;
    p.hotkeys->setHandler([&](int id) { fired = id; });
    ASSERT_TRUE(p.hotkeys->registerHotkey(1, ModCtrl | ModShift, 'F'));
    EXPECT_TRUE(p.hotkeys->registerHotkey(1, ModCtrl | ModShift, 'F')) << "a key we hold is no conflict";
    EXPECT_TRUE(p.hotkeys->registerHotkey(5, 0, 27));
    EXPECT_FALSE(p.hotkeys->registerHotkey(6, 0, 0x07)) << "a code with no key is refused";

    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+shift+f")});
    settle(300);
    EXPECT_EQ(fired, 1);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    settle(300);
    EXPECT_EQ(fired, 5);

    p.hotkeys->unregisterHotkey(1);
    fired = 0;
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+shift+f")});
    settle(300);
    EXPECT_EQ(fired, 0) << "an unregistered hotkey no longer reaches the program";
    p.hotkeys->unregisterHotkey(5);

    // Another client holds Ctrl+Shift+A: our grab is refused.
    auto other = x11::XcbConnection::open(nullptr);
    ASSERT_TRUE(other);
    const xcb_setup_t *setup = xcb_get_setup(other->get());
    auto map = xcb_get_keyboard_mapping_reply(
        other->get(), xcb_get_keyboard_mapping(other->get(), setup->min_keycode,
                                               uint8_t(setup->max_keycode - setup->min_keycode + 1)),
        nullptr);
    ASSERT_TRUE(map);
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    xcb_keycode_t codeA = 0;
    for (int i = 0; i <= setup->max_keycode - setup->min_keycode && !codeA; ++i)
        if (syms[i * map->keysyms_per_keycode] == 'a')
            codeA = xcb_keycode_t(setup->min_keycode + i);
    free(map);
    ASSERT_NE(codeA, 0);
    xcb_grab_key(other->get(), 1, other->root(), XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT, codeA,
                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    free(xcb_get_input_focus_reply(other->get(), xcb_get_input_focus(other->get()), nullptr));
    EXPECT_FALSE(p.hotkeys->registerHotkey(4, ModCtrl | ModShift, 'A'));
    EXPECT_TRUE(p.hotkeys->registerHotkey(3, ModCtrl | ModShift, 'C'));
    p.hotkeys->unregisterHotkey(3);
}
