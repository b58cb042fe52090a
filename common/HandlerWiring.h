#pragma once

#include "common/CatchAll.h"

#include <QAbstractButton>
#include <QAction>

namespace tiv {

// Runs `handler` of `owner` when a button is clicked or a menu item is chosen, its errors dropped
// as every handler's are. A checkable item has already flipped its own tick by then; that flip is
// undone first, because the toggle handlers flip it themselves.
template <typename Owner>
void WireHandler(Owner *owner, QObject *control, void (Owner::*handler)())
{
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, owner,
                         [owner, handler] { CatchAll([&] { (owner->*handler)(); }); });
    } else if (auto *item = qobject_cast<QAction *>(control)) {
        QObject::connect(item, &QAction::triggered, owner, [owner, item, handler](bool checked) {
            if (item->isCheckable())
                item->setChecked(!checked);
            CatchAll([&] { (owner->*handler)(); });
        });
    }
}

}  // namespace tiv
