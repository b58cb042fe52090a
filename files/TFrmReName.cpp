#include "files/TFrmReName.h"

#include "files/NameEntryLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiv {

TFrmReName::TFrmReName(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmReName"));
    setWindowTitle(QStringLiteral("重命名"));
    resize(291, 133);
    BuildNameEntry(this, "关闭", Label1, EdtName, BtnConfirm, BtnClose);
    Label1->setText(QStringLiteral("名称"));

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
