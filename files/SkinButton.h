#pragma once

class QPushButton;
class QWidget;

namespace tiv {

// A dialog button whose face is the skin picture `resource` (type "BMP"). While the skin has no
// such picture the button shows `caption` instead, so it stays usable. It never acts as the
// dialog's default button: Enter in an edit field is handled by that field.
QPushButton *SkinButton(QWidget *parent, const char *objectName, const char *resource, const char *caption);

}  // namespace tiv
