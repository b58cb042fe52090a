#pragma once

#include <QRect>
#include <QSize>

// Where the About window's labels lie on its picture. The picture is drawn beforehand by the skin
// generator, which reads these same places, so the words it draws and the labels the window sets
// over them stay together.
namespace tiv::about {

inline constexpr QSize kCard(480, 320);
inline constexpr int kHeadHeight = 120;
inline constexpr int kFooterTop = 262;
// The labels and the words drawn beside and under them share this size, so they line up.
inline constexpr int kTextPixels = 14;
// The word for version is drawn here; the version label shows the number right beside it.
inline constexpr QRect kVersionWord(24, 194, 34, 22);
inline constexpr QRect kVersionValue(60, 194, 80, 22);
// The words of the product-page link are drawn here, and the link label's row of underscores is
// laid over them: six full-width characters fill its width exactly.
inline constexpr QRect kLink(24, 280, 6 * kTextPixels, 24);
inline constexpr QPoint kClose(390, 280);

}  // namespace tiv::about
