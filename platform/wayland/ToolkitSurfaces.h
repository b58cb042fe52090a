#pragma once

class QWindow;
struct wl_display;

namespace tiv::wayland {

// The toolkit's own Wayland connection and window surfaces, for what the toolkit does not offer.

// The toolkit's connection to the compositor; null where it runs on another platform.
wl_display *toolkitDisplay();

// Lets `window` show nothing from now on, where the desktop keeps showing a window's last
// picture for a while after the window left (a closing transition): its surface gets a fully
// transparent picture, which the desktop shows meanwhile. For windows the toolkit draws in
// software only, right before they are hidden. False where that could not be done.
bool blankToolkitWindow(QWindow *window);

// Waits until the compositor has read every request the toolkit had sent it (a blanked and
// hidden window's among them), over the toolkit's own connection; false where the compositor
// does not answer within timeoutMs or there is no such connection.
bool toolkitRoundTrip(int timeoutMs);

}  // namespace tiv::wayland
