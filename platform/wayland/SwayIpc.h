#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tiv::wayland {

// One request to sway over its IPC socket (i3's framing, native byte order) and its answer's
// payload; none when sway did not answer in time.
enum class SwayRequest : quint32 { RunCommand = 0, GetTree = 4 };
std::optional<QByteArray> AskSway(const QString &socketPath, SwayRequest request, const QByteArray &payload = {});

}  // namespace tiv::wayland
