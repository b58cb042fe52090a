#pragma once

#include <QString>

class QAbstractButton;
class QLabel;

namespace tiv {

// Gives a button the named "BMP" skin picture as its face. While the picture is missing the
// button keeps a text caption, so it stays usable and findable by its words.
void ApplyButtonFace(QAbstractButton *button, const QString &resource, const QString &caption);

// The same for a decorative "JPG" picture shown in a label.
void ApplyLabelPicture(QLabel *label, const QString &resource, const QString &caption);

}  // namespace tiv
