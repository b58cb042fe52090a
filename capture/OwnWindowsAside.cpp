#include "capture/OwnWindowsAside.h"

#include <QApplication>
#include <QScreen>

#include "capture/ScreenPane.h"

#include <algorithm>

namespace tiv {

namespace {

// Panes of the frozen desktop come and go with the covering window; menus and tips close for
// good once hidden.
bool comesBack(const QWidget *window)
{
    if (dynamic_cast<const ScreenPane *>(window))
        return false;
    const Qt::WindowType type = window->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && window->windowModality() == Qt::NonModal
           && !window->testAttribute(Qt::WA_ShowModal);
}

}  // namespace

bool OwnWindowsAside::hide(std::initializer_list<const QWidget *> kept, const std::function<void(QWidget &)> &beforeHiding)
{
    bool hidAny = false;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || std::find(kept.begin(), kept.end(), window) != kept.end()
            || dynamic_cast<const ScreenPane *>(window))
            continue;
        const bool back = comesBack(window);
        if (beforeHiding)
            beforeHiding(*window);
        window->hide();
        hidAny = true;
        if (back && std::find(hidden_.begin(), hidden_.end(), window) == hidden_.end())
            hidden_.emplace_back(window);
    }
    return hidAny;
}

void OwnWindowsAside::restore(const QWidget *only)
{
    std::vector<QPointer<QWidget>> left;
    for (const QPointer<QWidget> &window : hidden_) {
        if (!window)
            continue;
        if (only && window != only)
            left.push_back(window);
        else
            window->show();
    }
    hidden_ = std::move(left);
}

}  // namespace tiv
