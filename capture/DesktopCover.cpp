#include "capture/DesktopCover.h"

#include "capture/ScreenPane.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace tiv {

namespace {

constexpr Qt::WindowFlags CoverFlags =
    Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint;

}  // namespace

DesktopCover::DesktopCover(QWidget &window) : window_(window) {}

DesktopCover::~DesktopCover()
{
    for (const auto &pane : panes_)
        delete pane.data();
}

bool DesktopCover::shown() const
{
    return covering_ && window_.isVisible();
}

void DesktopCover::setCoverFlags(bool on)
{
    const Qt::WindowFlags flags = on ? window_.windowFlags() | CoverFlags : window_.windowFlags() & ~CoverFlags;
    if (flags != window_.windowFlags())
        window_.setWindowFlags(flags);  // hides the window
}

void DesktopCover::rememberPlace()
{
    if (covering_)
        return;
    bounds_ = window_.geometry();
    normalBounds_ = window_.normalGeometry();
    state_ = window_.windowState();
    covering_ = true;
}

void DesktopCover::cover(const QRect &desktop)
{
    rememberPlace();
    window_.hide();
    dropPanes();
    setCoverFlags(true);
    window_.setWindowState(Qt::WindowNoState);
    const qreal ratio = window_.screen() ? window_.screen()->devicePixelRatio() : 1.0;
    if (!desktop.isEmpty())
        window_.setGeometry(QRectF(QPointF(desktop.topLeft()) / ratio, QSizeF(desktop.size()) / ratio).toRect());
    show();
}

void DesktopCover::coverEachScreen(ImageControl &canvas)
{
    rememberPlace();
    window_.hide();
    dropPanes();
    // The window keeps its flags: a full-screen window has no frame here and no stacking to ask
    // for, and a change of flags would make the toolkit re-create the native window, its buffers
    // with it, for every capture.
    const QList<QScreen *> screens = QGuiApplication::screens();
    QRect desktop;
    for (const QScreen *screen : screens)
        desktop |= screen->geometry();
    for (QScreen *screen : screens) {
        const bool first = screen == screens.front();
        panes_.emplace_back(new ScreenPane(*screen, canvas, desktop, first ? &window_ : nullptr));
        if (first) {
            window_.setScreen(screen);
            window_.setGeometry(screen->geometry());
        }
    }
    window_.setWindowState(Qt::WindowFullScreen);
    fullScreened_ = true;
    show();
}

void DesktopCover::show()
{
    window_.show();
    showPanes(true);
    // Mapping a window leaves it where it was in the stack; windows mapped since would cover it.
    window_.raise();
    window_.activateWindow();
    window_.grabKeyboard();
    // Ahead of the window's own key handling, which sees key releases application-wide.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
}

void DesktopCover::showPanes(bool shown)
{
    for (const auto &pane : panes_) {
        if (pane && pane->isWindow())
            shown ? pane->showFullScreen() : pane->hide();
    }
}

void DesktopCover::dropPanes()
{
    for (const auto &pane : panes_) {
        if (!pane)
            continue;
        pane->hide();
        pane->deleteLater();
    }
    panes_.clear();
}

bool DesktopCover::coverWindow(QObject *watched) const
{
    if (watched == window_.windowHandle())
        return true;
    return std::any_of(panes_.begin(), panes_.end(),
                       [watched](const auto &pane) { return pane && pane->isWindow() && watched == pane->windowHandle(); });
}

void DesktopCover::release()
{
    covering_ = false;
    if (!takenKey_)
        qApp->removeEventFilter(this);
    window_.releaseKeyboard();
    window_.hide();
    dropPanes();
    setCoverFlags(false);
    if (fullScreened_) {
        // Set on the hidden window, the widget's state alone did not reach the native window,
        // kept now from one cover to the next, and the window came back full-screen.
        const Qt::WindowStates states = window_.windowState() & ~Qt::WindowFullScreen;
        window_.setWindowState(states);
        if (QWindow *native = window_.windowHandle())
            native->setWindowStates(states);
        fullScreened_ = false;
    }
}

void DesktopCover::uncover()
{
    if (!covering_)
        return;
    const bool shown = window_.isVisible();
    release();
    // A maximised or full-screen window keeps the size it goes back to when restored.
    const bool sized = state_ & (Qt::WindowMaximized | Qt::WindowFullScreen);
    window_.setGeometry(sized && normalBounds_.isValid() ? normalBounds_ : bounds_);
    window_.setWindowState(state_);
    if (shown) {
        window_.show();
        window_.activateWindow();
    }
}

void DesktopCover::forget()
{
    if (covering_)
        release();
}

bool DesktopCover::eventFilter(QObject *watched, QEvent *event)
{
    // A hidden cover lets go of the keyboard, or keys meant for other windows would still come
    // to it; the next cover takes it again. The other screens' panes come and go with the window.
    if (covering_ && watched == &window_ && event->type() == QEvent::Hide) {
        window_.releaseKeyboard();
        showPanes(false);
        if (onHidden_)
            onHidden_();
    }
    if (covering_ && watched == &window_ && event->type() == QEvent::Show)
        showPanes(true);
    // Each key event comes here once for the native window and again for the focused control.
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (!keyEvent || !qobject_cast<QWindow *>(watched))
        return QObject::eventFilter(watched, event);
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (takenKey_ && key.key() == takenKey_) {
        if (event->type() == QEvent::KeyRelease) {
            if (!key.isAutoRepeat()) {
                takenKey_ = 0;
                if (!covering_)
                    qApp->removeEventFilter(this);
            }
            return true;
        }
        if (key.isAutoRepeat())
            return true;
        // A fresh press: the release of the last one went to another window, once the keyboard
        // was let go.
        takenKey_ = 0;
    }
    if (covering_ && event->type() == QEvent::KeyPress && coverWindow(watched) && onKey_ && onKey_(key)) {
        takenKey_ = key.key();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tiv
