#include "platform/wayland/HiddenWindowWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QThread>
#include <QWindow>

#include <algorithm>

namespace tiv::wayland {

HiddenWindowWait::HiddenWindowWait(const SwayWindowFinder &windows) : windows_(windows)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool HiddenWindowWait::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *window = qobject_cast<QWindow *>(watched))
            blanked_.removeAll(window);
    }
    if (event->type() == QEvent::Hide) {
        if (auto *window = qobject_cast<QWindow *>(watched); window && window->isTopLevel()) {
            if (remainingMs() == 0) {
                othersRedrawing_ = false;
                anyShown_ = false;
                hidden_.clear();
                hiddenWindows_.clear();
                ownNeighbours_.clear();
                sinceFirstHide_.start();
            }
            sinceHide_.start();
            // Asked while sway still holds the window, before the toolkit's unmap reaches it;
            // where sway does not tell, the wait takes the slow way. Menus and tips are laid
            // over the others, never among them.
            if (window->type() != Qt::Popup && window->type() != Qt::ToolTip) {
                const auto neighbours = windows_.tiledNeighbours(QCoreApplication::applicationPid(), window->title());
                othersRedrawing_ = othersRedrawing_ || !neighbours || neighbours->any;
                anyShown_ = anyShown_ || !neighbours || neighbours->shown;
                if (neighbours)
                    ownNeighbours_ += neighbours->own;
                hidden_ += window->title();
                hiddenWindows_ += window;
            }
        }
    }
    return false;
}

bool HiddenWindowWait::layoutStalled() const
{
    return std::any_of(hidden_.begin(), hidden_.end(), [this](const QString &title) { return ownNeighbours_.contains(title); });
}

bool HiddenWindowWait::compositorCaughtUp() const
{
    const auto held = windows_.windowTitlesOf(QCoreApplication::applicationPid());
    if (!held)
        return false;
    QStringList shown;
    for (const QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible())
            shown += window->title();
    }
    for (const QString &title : *held) {
        if (!shown.removeOne(title))
            return false;
    }
    return true;
}

int HiddenWindowWait::remainingMs() const
{
    if (!sinceHide_.isValid())
        return 0;
    int remaining = CeilingMs - int(sinceHide_.elapsed());
    if (layoutStalled())
        remaining = std::max(remaining, SwayLayoutTimeoutMs + AfterLayoutTimeoutMs - int(sinceFirstHide_.elapsed()));
    return std::max(0, remaining);
}

bool HiddenWindowWait::settle()
{
    if (remainingMs() == 0)
        return true;
    if (!windows_.available())
        return false;
    // Windows on workspaces not shown (as in continuous capture from a key) were in no frame.
    if (!anyShown_)
        return true;
    while (remainingMs() > 0 && !compositorCaughtUp())
        QThread::msleep(2);
    // Nothing on the screen changes before sway's timeout; the frame after it is looked for.
    if (layoutStalled())
        QThread::msleep(static_cast<unsigned long>(std::max(0, remainingMs() - AfterLayoutTimeoutMs)));
    return true;
}

void HiddenWindowWait::noteBlanked(QWindow *window)
{
    if (!blanked_.contains(window))
        blanked_ += window;
}

bool HiddenWindowWait::onlyBlankedHidden() const
{
    // A window gone meanwhile cannot tell whether it was.
    return std::all_of(hiddenWindows_.begin(), hiddenWindows_.end(),
                       [this](const QPointer<QWindow> &window) { return window && blanked_.contains(window); });
}

void HiddenWindowWait::waitOut()
{
    QThread::msleep(static_cast<unsigned long>(remainingMs()));
}

}  // namespace tiv::wayland
