#pragma once

#include <QImage>

namespace tiv {

// Sets the padding byte of every pixel of a Format_RGB32 picture to 0xff, as the format wants it:
// the toolkit copies it as alpha when it draws the picture onto a surface that has one. Other
// formats are left alone.
void MakeOpaque(QImage &picture);

}  // namespace tiv
