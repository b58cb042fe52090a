#pragma once

#include "platform/Platform.h"

namespace tiv::wayland {

// The services of a Wayland desktop: the desktop portal for pixels and keys, the compositor's own
// IPC for the active window where it has one.
std::unique_ptr<PlatformBackend> createWaylandBackend(QString *error);

}  // namespace tiv::wayland
