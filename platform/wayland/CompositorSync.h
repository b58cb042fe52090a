#pragma once

namespace tiv::wayland {

// Waits until the compositor has read every request the program had sent it before the call
// (the toolkit's, a window just hidden among them), over a short connection of its own: the
// compositor answers a client's sync only after it has read what all its clients had written
// by then. False where it does not answer within timeoutMs.
bool compositorReadEarlierRequests(int timeoutMs);

}  // namespace tiv::wayland
