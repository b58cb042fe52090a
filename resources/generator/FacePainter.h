#pragma once

#include "SkinTable.h"

#include <QImage>
#include <QString>

namespace skin {

// Draws one picture at `scale` (1 or 2) times its logical size, labels in `family`.
QImage DrawPicture(const Picture &picture, int scale, const QString &family);

}  // namespace skin
