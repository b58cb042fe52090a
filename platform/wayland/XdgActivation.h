#pragma once

#include "platform/WindowActivation.h"

#include <QObject>
#include <QPointer>
#include <QWindow>

namespace tiv::wayland {

// Activates through the toolkit's Wayland shell, which asks the compositor over xdg-activation
// to activate the window's surface with the token it finds in XDG_ACTIVATION_TOKEN. A window just
// shown is activated once it has been drawn: a compositor passes over a surface not yet mapped.
class XdgActivation : public QObject, public WindowActivation {
public:
    void activate(QWindow *window, const QString &token) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activateNow();

    QPointer<QWindow> window_;
    QString token_;
};

}  // namespace tiv::wayland
