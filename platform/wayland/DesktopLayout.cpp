#include "platform/wayland/DesktopLayout.h"

#include <algorithm>
#include <cmath>

namespace tiv::wayland {

DesktopLayout::DesktopLayout(QList<ScreenOutput> outputs) : outputs_(std::move(outputs))
{
    for (const ScreenOutput &output : outputs_) {
        bounds_ |= output.logical;
        if (!output.logical.isEmpty())
            ratio_ = std::max(ratio_, qreal(output.pixels.width()) / output.logical.width());
    }
}

QRect DesktopLayout::toPicture(const QRect &logical) const
{
    // Truncated as grim truncates its picture's size; a tiny excess guards against 1.4999...
    const auto scaled = [this](int value) { return int(std::floor(value * ratio_ + 1e-9)); };
    return QRect(QPoint(scaled(logical.x()), scaled(logical.y())),
                 QPoint(scaled(logical.x() + logical.width()) - 1, scaled(logical.y() + logical.height()) - 1));
}

}  // namespace tiv::wayland
