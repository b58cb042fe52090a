#include "capture/DesktopCover.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tiv {

namespace {

constexpr Qt::WindowFlags CoverFlags =
    Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint;

}  // namespace

DesktopCover::DesktopCover(QWidget &window) : window_(window) {}

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
    setCoverFlags(true);
    window_.setWindowState(Qt::WindowNoState);
    const qreal ratio = window_.screen() ? window_.screen()->devicePixelRatio() : 1.0;
    if (!desktop.isEmpty())
        window_.setGeometry(QRectF(QPointF(desktop.topLeft()) / ratio, QSizeF(desktop.size()) / ratio).toRect());
    window_.show();
    // Mapping a window leaves it where it was in the stack; windows mapped since would cover it.
    window_.raise();
    window_.activateWindow();
    window_.grabKeyboard();
    // Ahead of the window's own key handling, which sees key releases application-wide.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
}

void DesktopCover::release()
{
    covering_ = false;
    if (!takenKey_)
        qApp->removeEventFilter(this);
    window_.releaseKeyboard();
    window_.hide();
    setCoverFlags(false);
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
    // to it; the next cover takes it again.
    if (covering_ && watched == &window_ && event->type() == QEvent::Hide)
        window_.releaseKeyboard();
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
    if (covering_ && event->type() == QEvent::KeyPress && watched == window_.windowHandle() && onKey_ && onKey_(key)) {
        takenKey_ = key.key();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tiv
