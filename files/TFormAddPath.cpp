#include "files/TFormAddPath.h"

#include "files/DialogMessage.h"
#include "files/NameEntryLayout.h"
#include "text/InterfaceText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiv {

TFormAddPath::TFormAddPath(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAddPath"));
    resize(303, 146);
    BuildNameEntry(this, "取消", Label1, EdtName, BtnConfirm, BtnClose);

    connect(BtnConfirm, &QPushButton::clicked, this, &TFormAddPath::BtnConfirmClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFormAddPath::BtnCloseClick);
    connect(EdtName, &QLineEdit::returnPressed, this, &TFormAddPath::BtnConfirmClick);
    FormCreate();
}

void TFormAddPath::FormCreate()
{
    setWindowTitle(TxtNewFolder);
    Label1->setText(TxtFolderName);
}

void TFormAddPath::BtnConfirmClick()
{
    FolderName = EdtName->text().trimmed();
    if (!FolderName.isEmpty()) {
        Confirmed = true;
        accept();
        return;
    }
    Confirmed = false;
    ShowDialogMessage(this, TxtPleaseEnterFolder);
    EdtName->setFocus();
}

void TFormAddPath::BtnCloseClick()
{
    Confirmed = false;
    reject();
}

}  // namespace tiv
