#pragma once

#include <QString>

class QPainter;

namespace skin {

// The program's icon: a blue tile with the four corners of a viewfinder and a lens in the middle.
// Painted at `size` pixels square from the painter's origin.
void DrawAppIcon(QPainter &painter, int size);
// The same drawing as an SVG document, for the scalable icon.
QString AppIconSvg();

}  // namespace skin
