#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tiv::wayland {

// One request to sway over its IPC socket (i3's framing, native byte order) and its answer's
// payload; none when sway did not answer in time.
enum class SwayRequest : quint32 { RunCommand = 0, GetTree = 4 };
std::optional<QByteArray> AskSway(const QString &socketPath, SwayRequest request, const QByteArray &payload = {});

// sway's window tree, one answer for the rest of the event loop's current pass. A window about to
// be hidden is asked about twice in a row, where it is (to put it back later) and what lies beside
// it, with nothing shown or hidden in between that sway has heard of yet: one answer serves both.
std::optional<QByteArray> SwayTreeThisPass(const QString &socketPath);

}  // namespace tiv::wayland
