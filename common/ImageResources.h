#pragma once

#include <QPixmap>
#include <QString>

namespace tiv {

// The pictures of the window skin are embedded in the program under a type ("BMP" or "JPG") and a
// name, both looked up without regard to letter case. A missing or undecodable picture leaves the
// target as it was, so one lost face never stops the others from loading.
void LoadBmpResource(QPixmap &bitmap, const QString &name, const QString &type = QStringLiteral("BMP"));
void LoadJpgResource(QPixmap &picture, const QString &name, const QString &type = QStringLiteral("JPG"));

}  // namespace tiv
