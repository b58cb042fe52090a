#pragma once

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tiv {

// Fills a small dialog that asks for one name: a plain-text label and the edit box "EdtName" side by
// side, and below them the "BtnConfirm" and "BtnClose" faces at the right. What the buttons and
// Enter in the edit box do is left to the dialog.
void BuildNameEntry(QDialog *dialog, const char *closeCaption, QLabel *&label, QLineEdit *&edit,
                    QPushButton *&confirm, QPushButton *&close);

}  // namespace tiv
