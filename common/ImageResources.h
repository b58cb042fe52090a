#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace tiv {

// The pictures of the window skin are embedded in the program under a type ("BMP" or "JPG") and a
// name, both looked up without regard to letter case. A missing or undecodable picture leaves the
// target as it was, so one lost face never stops the others from loading. On a screen scaled above
// 1x the picture drawn at twice the size is given, resampled to the screen's scale, with the same
// logical size.
void LoadBmpResource(QPixmap &bitmap, const QString &name, const QString &type = QStringLiteral("BMP"));
void LoadJpgResource(QPixmap &picture, const QString &name, const QString &type = QStringLiteral("JPG"));

// Seams for tests: names the lookup treats as absent, and the screen scale it assumes (0: the
// screen's own).
void SetAbsentResources(const QStringList &names);
void SetResourceScale(qreal scale);

}  // namespace tiv
