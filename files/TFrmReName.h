#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiv {

// Asks for a picture's new name. It is made once and kept, so the name is preloaded before each
// showing; closing it any way but confirm hands back the name it was given.
class TFrmReName : public QDialog {
    Q_OBJECT
public:
    explicit TFrmReName(QWidget *parent = nullptr);

    void RenameDialogSetName(const QString &name);
    void BtnConfirmClick();
    void BtnCloseClick();

    QString NewName;

    QLabel *Label1;
    QLineEdit *EdtName;
    QPushButton *BtnConfirm, *BtnClose;
};

}  // namespace tiv
