#include "files/TFormAddPath.h"

#include "common/ButtonFace.h"
#include "files/DialogMessage.h"
#include "text/InterfaceText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiv {

TFormAddPath::TFormAddPath(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAddPath"));
    resize(303, 146);
    Label1 = new QLabel(this);
    Label1->setTextFormat(Qt::PlainText);
    EdtName = new QLineEdit(this);
    EdtName->setObjectName(QStringLiteral("EdtName"));
    BtnConfirm = NewFaceButton(this, "BtnConfirm", "confirm", "确定");
    BtnClose = NewFaceButton(this, "BtnClose", "cancel", "取消");

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EdtName, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnConfirm);
    buttons->addWidget(BtnClose);
    grid->addLayout(buttons, 1, 0, 1, 2);

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
