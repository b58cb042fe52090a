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
    if (event->type() == QEvent::Hide) {
        if (const auto *window = qobject_cast<QWindow *>(watched); window && window->isTopLevel()) {
            if (remainingMs() == 0)
                othersRedrawing_ = false;
            sinceHide_.start();
            // Asked while sway still holds the window, before the toolkit's unmap reaches it;
            // where sway does not tell, the wait takes the slow way. Menus and tips are laid
            // over the others, never among them.
            const bool overOthers = window->type() == Qt::Popup || window->type() == Qt::ToolTip;
            othersRedrawing_ = othersRedrawing_
                || (!overOthers && windows_.tiledBesideOthers(QCoreApplication::applicationPid(), window->title()).value_or(true));
        }
    }
    return false;
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
    return sinceHide_.isValid() ? std::max(0, CeilingMs - int(sinceHide_.elapsed())) : 0;
}

bool HiddenWindowWait::settle()
{
    if (remainingMs() == 0)
        return true;
    if (!windows_.available())
        return false;
    while (remainingMs() > 0 && !compositorCaughtUp())
        QThread::msleep(2);
    return true;
}

void HiddenWindowWait::waitOut()
{
    QThread::msleep(static_cast<unsigned long>(remainingMs()));
}

}  // namespace tiv::wayland
