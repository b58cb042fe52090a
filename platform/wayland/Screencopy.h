#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

namespace tiv::wayland {

// Copies the screens' pixels straight from a wlroots compositor (sway, Hyprland...) over its
// screencopy protocol, pointer drawn in: one frame per screen, no other process, no file.
// Returns the picture `desktop` (device pixels, each screen at its logical place times `ratio`,
// together covering exactly `screens`) or a null image when the compositor offers no screencopy,
// a screen is missing or turned, a copy fails or the compositor does not answer in time.
QImage screencopyDesktop(const QRect &desktop, qreal ratio, const QRegion &screens);

}  // namespace tiv::wayland
