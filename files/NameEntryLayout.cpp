#include "files/NameEntryLayout.h"

#include "common/ButtonFace.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiv {

void BuildNameEntry(QDialog *dialog, const char *closeCaption, QLabel *&label, QLineEdit *&edit,
                    QPushButton *&confirm, QPushButton *&close)
{
    label = new QLabel(dialog);
    label->setTextFormat(Qt::PlainText);
    edit = new QLineEdit(dialog);
    edit->setObjectName(QStringLiteral("EdtName"));
    confirm = NewFaceButton(dialog, "BtnConfirm", "confirm", "确定");
    close = NewFaceButton(dialog, "BtnClose", "cancel", closeCaption);

    auto *grid = new QGridLayout(dialog);
    grid->addWidget(label, 0, 0);
    grid->addWidget(edit, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addWidget(close);
    grid->addLayout(buttons, 1, 0, 1, 2);
}

}  // namespace tiv
