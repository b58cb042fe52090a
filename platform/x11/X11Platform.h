#pragma once

#include "platform/Platform.h"

namespace tiv::x11 {

// The services on an X server. Null when the display cannot be opened (reason in `error`), or when
// the server is XWayland (`xwayland` set): its root window holds none of the desktop's native
// windows, so its pixels would be a wrong picture.
std::unique_ptr<PlatformBackend> createX11Backend(QString *error, bool *xwayland);

}  // namespace tiv::x11
