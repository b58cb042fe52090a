#include "files/DialogMessage.h"

#include "text/InterfaceText.h"

#include <QMessageBox>

namespace tiv {

void ShowDialogMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, TxtAppTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tiv
