#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

namespace tiv {

// Values of the `WatermarkType` setting; they are stored in the settings file.
enum WatermarkKind : int { WatermarkTextMark = 0, WatermarkPictureMark = 1, WatermarkNoMark = 2 };

// The mark's weight a for an opacity step T: T / 10 held in single precision. A step outside
// 1..10 (a hand-edited settings file) is taken as the nearest end, so no channel can wrap.
float WatermarkWeight(int transparent);

// The font of the text mark: a bold monospace at the size 11 points has on a 96 dpi screen.
QFont WatermarkFont();

// The text mark: a white box (text width + 20) x (text height + 5) with the text in black at
// (10, 5), so it has a 10 pixel margin left and right, 5 above and none below.
QImage TextWatermark(const QString &text);

// Where the mark's top-left corner lands: its bottom-right corner 10 pixels in from the target's
// right and bottom edges. Negative when the mark is larger than the target allows.
QPoint WatermarkOrigin(QSize target, QSize mark);

// Blends the mark into the target at WatermarkOrigin, every channel as
// trunc((1 - a) * picture + a * mark). Only the part of the mark that overlaps the target is
// blended. The target becomes a 32-bit RGB picture if it was not one. Returns the changed area.
QRect BlendWatermark(QImage &target, const QImage &mark, int transparent);

}  // namespace tiv
