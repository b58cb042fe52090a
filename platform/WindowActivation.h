#pragma once

#include <QString>

class QWindow;

namespace tiv {

// Where the desktop lets a window take the focus only with a token it handed out (Wayland's
// xdg-activation): a launcher gives one to the program it starts.
class WindowActivation {
public:
    virtual ~WindowActivation() = default;
    // Asks the desktop to bring `window` forward with `token`, once the window is on the screen.
    virtual void activate(QWindow *window, const QString &token) = 0;
};

}  // namespace tiv
