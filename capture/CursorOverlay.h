#pragma once

#include "platform/CursorSource.h"

#include <QImage>

namespace tiv {

// Blends the cursor into a picture whose top-left pixel sits at `origin` on the screen, so that
// the cursor's hot spot lands on the pointer position. A hidden cursor draws nothing.
void BlendCursor(QImage &picture, const CursorImage &cursor, const QPoint &origin);

}  // namespace tiv
