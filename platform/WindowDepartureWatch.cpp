#include "platform/WindowDepartureWatch.h"

#include <QThread>

namespace tiv {

void HideAndWaitUntilGone(WindowDepartureWatch *watch, const std::function<bool()> &hide, int ceilingMilliseconds)
{
    if (watch)
        watch->noteShownWindows();
    if (!hide())
        return;
    if (watch)
        watch->waitUntilGone(std::chrono::milliseconds(ceilingMilliseconds));
    else if (ceilingMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(ceilingMilliseconds));
}

}  // namespace tiv
