#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

namespace tiv {

// The program's own open windows (the watermark settings, the help window, the capture toolbar
// and the like) taken off the screen for a capture, so that none of them is grabbed into the
// picture, and brought back afterwards.
//
// A window held by a modal loop is closed rather than hidden for a while: hiding it ends its
// loop, so showing it again would leave a dialog without the caller that waits for it.
class OwnWindowsAside {
public:
    // Hides every shown top-level window of the program except `kept`, `beforeHiding` run on each
    // just before; true when it hid one.
    bool hide(std::initializer_list<const QWidget *> kept, const std::function<void(QWidget &)> &beforeHiding = {});
    // Shows again the windows hide() took away, or only `only` if it is one of them.
    void restore(const QWidget *only = nullptr);

private:
    std::vector<QPointer<QWidget>> hidden_;
};

}  // namespace tiv
