#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace tiv {

// What a button shows while the skin lacks its picture.
enum class MissingFace {
    Caption,  // its words as plain text, so it stays usable and findable by them
    Blank,    // nothing: the main window's buttons lie on a drawn row and have no caption of their own
};

// Gives a button the named "BMP" skin picture as its whole face: no frame, the picture's size, and
// a one-pixel nudge when pressed. The words are drawn into the picture, so `caption` is also the
// button's accessible name, for screen readers and for finding it when the picture is missing.
void ApplyButtonFace(QPushButton *button, const QString &resource, const QString &caption,
                     MissingFace missing = MissingFace::Caption);

// A new dialog button named `objectName` with that face. It never acts as the dialog's default
// button: Enter in an edit field is handled by that field.
QPushButton *NewFaceButton(QWidget *parent, const char *objectName, const char *resource, const char *caption);

// Gives every button inside `container` that has no picture of its own the skin's drawn face: the
// pictures' colours, border and rounding, with the button's words as its label. For buttons whose
// words change or that the skin has no picture for (message boxes, the tool row, Qt's own boxes).
// A tight row can ask for less padding beside the words.
void ApplyDrawnFaces(QWidget *container, int sidePadding = 8);

// The same for a decorative "JPG" picture shown in a label.
void ApplyLabelPicture(QLabel *label, const QString &resource, const QString &caption);

}  // namespace tiv
