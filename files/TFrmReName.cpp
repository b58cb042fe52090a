#include "files/TFrmReName.h"

#include "common/ButtonFace.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiv {

TFrmReName::TFrmReName(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmReName"));
    setWindowTitle(QStringLiteral("重命名"));
    resize(291, 133);
    Label1 = new QLabel(QStringLiteral("名称"), this);
    Label1->setTextFormat(Qt::PlainText);
    EdtName = new QLineEdit(this);
    EdtName->setObjectName(QStringLiteral("EdtName"));
    BtnConfirm = NewFaceButton(this, "BtnConfirm", "confirm", "确定");
    BtnClose = NewFaceButton(this, "BtnClose", "cancel", "关闭");

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EdtName, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnConfirm);
    buttons->addWidget(BtnClose);
    grid->addLayout(buttons, 1, 0, 1, 2);

    connect(BtnConfirm, &QPushButton::clicked, this, &TFrmReName::BtnConfirmClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmReName::BtnCloseClick);
    connect(EdtName, &QLineEdit::returnPressed, this, &TFrmReName::BtnConfirmClick);
}

void TFrmReName::RenameDialogSetName(const QString &name)
{
    NewName = name;
    EdtName->setText(name);
}

void TFrmReName::BtnConfirmClick()
{
    NewName = EdtName->text();
    accept();
}

void TFrmReName::BtnCloseClick()
{
    reject();
}

}  // namespace tiv
