#include "platform/wayland/XdgActivation.h"

#include <QEvent>
#include <QTimer>

namespace tiv::wayland {

void XdgActivation::activate(QWindow *window, const QString &token)
{
    if (window_)
        window_->removeEventFilter(this);
    window_ = window;
    token_ = token;
    if (!window)
        return;
    if (window->isExposed())
        activateNow();
    else
        window->installEventFilter(this);
}

bool XdgActivation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && watched == window_ && window_->isExposed()) {
        window_->removeEventFilter(this);
        // The filter runs before the window draws itself for this expose, which maps it.
        QTimer::singleShot(0, this, [this] { activateNow(); });
    }
    return false;
}

void XdgActivation::activateNow()
{
    if (!window_ || token_.isEmpty())
        return;
    // The shell takes the token from the environment and clears it; one the compositor has no use
    // for (no xdg-activation) is cleared here, so that programs started later do not inherit it.
    qputenv("XDG_ACTIVATION_TOKEN", token_.toUtf8());
    window_->requestActivate();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    token_.clear();
}

}  // namespace tiv::wayland
