#pragma once

#include <QObject>

#include <functional>

namespace tiv::wayland {

// Calls `then` from the event loop, in `context` while it lives, once the compositor has handled
// the requests the toolkit sent on its own Wayland connection so far and those it sends in answer
// to the events that came back meanwhile: two round trips on that connection. At once where the
// toolkit has no Wayland connection.
void AfterToolkitRequests(QObject *context, std::function<void()> then);

}  // namespace tiv::wayland
