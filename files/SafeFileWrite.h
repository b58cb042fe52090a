#pragma once

#include <QByteArray>
#include <QString>

namespace tiv {

// Writes bytes to path through a temporary file in the same folder that replaces the target only
// once it is complete, so a failed write leaves an existing file as it was and no partial file.
bool WriteFileSafely(const QString &path, const QByteArray &bytes);

}  // namespace tiv
