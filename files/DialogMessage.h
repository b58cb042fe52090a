#pragma once

#include <QString>

class QWidget;

namespace tiv {

// A modal message over a dialog, with the program's title and one of the interface texts, shown
// as plain text.
void ShowDialogMessage(QWidget *parent, const QString &text);

}  // namespace tiv
