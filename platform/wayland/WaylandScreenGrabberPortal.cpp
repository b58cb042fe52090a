// The parts of the Wayland grabber that go through the desktop portal and the desktops' own
// interfaces (GNOME's first-use question, KWin's window pictures).
#include "platform/wayland/PortalRequest.h"
#include "platform/wayland/WaylandScreenGrabber.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>

namespace tiv::wayland {

namespace {

// While the desktop's question is open, Esc in the program's window stops waiting for it.
class EscapeAbandonsWait : public QObject {
public:
    EscapeAbandonsWait() { qApp->installEventFilter(this); }
    ~EscapeAbandonsWait() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
            return false;
        PortalRequest::AbandonAll();
        return true;
    }
};

constexpr int PermissionAnswerMs = 27000;

// A window just shown gets the focus a moment later, once the compositor has mapped it.
bool waitForFocus()
{
    const QDeadlineTimer deadline(1500);
    while (QGuiApplication::applicationState() != Qt::ApplicationActive && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

}  // namespace

QImage WaylandScreenGrabber::portalScreenshot(bool interactive)
{
    // A question still open from an earlier command is taken back: this one replaces it.
    PortalRequest::AbandonAll();
    QImage picture = portal_.take(interactive, &failure_);
    if (picture.isNull())
        explainPortalFailure();
    return picture;
}

void WaylandScreenGrabber::explainPortalFailure()
{
    if ((failure_ != GrabFailure::Failed && failure_ != GrabFailure::Refused) || !GnomeScreenshotPermission::Applies())
        return;
    // GNOME answers a capture it has not been allowed as a failure; the stored answer tells why.
    switch (permission_.state()) {
    case GnomeScreenshotPermission::State::Refused: failure_ = GrabFailure::Refused; break;
    case GnomeScreenshotPermission::State::NotAsked: failure_ = GrabFailure::PermissionNeeded; break;
    case GnomeScreenshotPermission::State::Allowed: break;
    }
}

std::optional<QImage> WaylandScreenGrabber::activeWindowPicture(bool withFrame)
{
    if (KWinScreenShot::Applies()) {
        QImage picture = kwin_.activeWindow(withFrame);
        failure_ = picture.isNull() ? (kwin_.refused() ? GrabFailure::Refused : GrabFailure::Failed) : GrabFailure::None;
        return picture;
    }
    // GNOME tells no program which window is active; its portal lets the user pick one instead.
    if (userPicksWindow())
        return portalScreenshot(true);
    return std::nullopt;
}

bool WaylandScreenGrabber::userPicksWindow()
{
    return !KWinScreenShot::Applies() && GnomeScreenshotPermission::Applies();
}

bool WaylandScreenGrabber::permissionUnasked()
{
    return GnomeScreenshotPermission::Applies() && permission_.state() == GnomeScreenshotPermission::State::NotAsked;
}

GrabFailure WaylandScreenGrabber::askPermission()
{
    PortalRequest::AbandonAll();
    // GNOME shows its question only to the program whose window has the focus; asked without
    // it, it would fail silently.
    if (!waitForFocus())
        return failure_ = GrabFailure::PermissionNeeded;
    EscapeAbandonsWait escape;
    // The question comes with a picture of the program's own window, which is not wanted. The
    // portal waits 25 s for the answer and then drops the question without a word, leaving
    // GNOME's dialog up, whose answer then goes nowhere; waiting longer would be waiting forever.
    portal_.take(false, &failure_, true, PermissionAnswerMs);
    explainPortalFailure();
    return failure_;
}

bool WaylandScreenGrabber::refusalRemembered()
{
    return GnomeScreenshotPermission::Applies() && permission_.state() == GnomeScreenshotPermission::State::Refused;
}

bool WaylandScreenGrabber::forgetRefusal()
{
    return GnomeScreenshotPermission::Applies() && permission_.forget();
}

}  // namespace tiv::wayland
