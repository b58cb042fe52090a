#pragma once

#include <QColor>

// One palette for every picture, so faces drawn years apart still belong together. The three
// background colours are the window's own panel, announcement strip and list colours.
namespace skin {

inline const QColor kPanel(245, 250, 254);
inline const QColor kStrip(245, 254, 250);
inline const QColor kList(249, 255, 255);
inline const QColor kFace(232, 241, 250);
inline const QColor kBorder(147, 176, 206);
inline const QColor kRule(214, 228, 241);
inline const QColor kInk(31, 57, 87);
inline const QColor kSoftInk(92, 116, 140);
inline const QColor kAccent(38, 118, 182);
inline const QColor kAccentDeep(27, 88, 146);
inline const QColor kWhite(255, 255, 255);

}  // namespace skin
