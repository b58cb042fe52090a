#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tiv {

// The About window: a picture with the version number and a link to the product page. A press
// anywhere on the picture or the link asks for the product page.
class TFrmVersion : public QDialog {
    Q_OBJECT
public:
    explicit TFrmVersion(QWidget *owner);

    void FormCreate();
    void BtnCloseClick();

    QLabel *Image1, *LblVersion, *Label1, *Label5;
    QPushButton *BtnClose;

signals:
    void productPageRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

}  // namespace tiv
