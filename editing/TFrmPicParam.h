#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiv {

// Asks for a picture's width and height. Closing it without confirming hands back the size it
// was opened with.
class TFrmPicParam : public QDialog {
    Q_OBJECT
public:
    explicit TFrmPicParam(QWidget *parent = nullptr);

    // Fills the edits and the results with the size, then shows the dialog modally.
    void InitPicParam(int width, int height);
    void BtnConfirmClick();
    void BtnCloseClick();

    int ResultWidth = 0;
    int ResultHeight = 0;

    QLabel *Label1, *Label2;
    QLineEdit *EdtPicWidth, *EdtPicHeight;
    QPushButton *BtnConfirm, *BtnClose;

private:
    void readResults();
};

}  // namespace tiv
