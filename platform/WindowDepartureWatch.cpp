#include "platform/WindowDepartureWatch.h"

#include <QThread>

namespace tiv {

void HideAndWaitUntilGone(WindowDepartureWatch *watch, const std::function<void()> &hide, int ceilingMilliseconds)
{
    if (watch)
        watch->noteShownWindows();
    hide();
    if (watch)
        watch->waitUntilGone(std::chrono::milliseconds(ceilingMilliseconds));
    else if (ceilingMilliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(ceilingMilliseconds));
}

}  // namespace tiv
