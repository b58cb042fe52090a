#pragma once

#include "platform/wayland/DesktopLayout.h"

#include <QImage>
#include <optional>

namespace tiv::wayland {

// The screens as the compositor lays them out (wl_output's mode and transform, xdg-output's
// logical place), over a short connection of its own; none where xdg-output is not offered.
std::optional<DesktopLayout> compositorLayout();

// Copies the screens' pixels straight from a wlroots compositor (sway, Hyprland...) over its
// screencopy protocol, the pointer drawn in where `withPointer`: one frame per screen, no other
// process, no file.
// Returns the picture of `layout`'s pictureRect(), filling in the layout the picture was taken
// with, or a null image when the compositor offers no screencopy, a copy fails or the compositor
// does not answer in time.
// `changeWithinMs` above 0: a window was just hidden, and the compositor may still show it (sway
// does until the windows around it have redrawn at their new sizes). Each screen's frame is then
// the first one the compositor draws because something changed, or, where nothing changes within
// that time, the screen as it is.
QImage screencopyDesktop(DesktopLayout *layout, int changeWithinMs, bool withPointer);

}  // namespace tiv::wayland
