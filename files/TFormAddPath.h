#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiv {

// Asks for the name of a new folder. Kept between uses; `Confirmed` says whether the last showing
// ended with a usable name in `FolderName` (its user clears it before each showing).
class TFormAddPath : public QDialog {
    Q_OBJECT
public:
    explicit TFormAddPath(QWidget *parent = nullptr);

    void FormCreate();
    void BtnConfirmClick();
    void BtnCloseClick();

    QString FolderName;
    bool Confirmed = false;

    QLabel *Label1;
    QLineEdit *EdtName;
    QPushButton *BtnConfirm, *BtnClose;
};

}  // namespace tiv
