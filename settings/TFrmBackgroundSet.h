#pragma once

#include "settings/TextBackground.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QListWidget;
class QPushButton;

namespace tiv {

// Chooses the text background and border with their colours. Kept between uses, so the controls
// show what was last picked even when it was not confirmed; only confirm writes the choice.
class TFrmBackgroundSet : public QDialog {
    Q_OBJECT
public:
    // `stored` receives the choice on confirm and must outlive the dialog.
    explicit TFrmBackgroundSet(TextBackground &stored, QWidget *parent = nullptr);

    void BtnDefaultSetClick();
    void BtnConfirmClick();
    void BtnCloseClick();

    static QColor colourOf(const QComboBox *box);
    static void setColour(QComboBox *box, const QColor &colour);

    QListWidget *LbBGStyle, *LbTextBorder;
    QComboBox *CbBgColor, *CbBorderColor;
    QFrame *PnlButtons;
    QPushButton *BtnDefaultSet, *BtnConfirm, *BtnClose;

private:
    TextBackground &stored_;
};

}  // namespace tiv
