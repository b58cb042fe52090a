#include "editing/TFrmPicParam.h"

#include "common/ButtonFace.h"
#include "editing/PictureSize.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiv {

namespace {

QLineEdit *SizeEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    // Up to eight digits; empty places show as blanks.
    edit->setInputMask(QStringLiteral("00000000; "));
    return edit;
}

QPushButton *DialogButton(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter in an edit confirms on its own; a default button would act a second time.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TFrmPicParam::TFrmPicParam(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPicParam"));
    setWindowTitle(QStringLiteral("设置图片宽度"));
    Label1 = new QLabel(QStringLiteral("图片宽度"), this);
    Label2 = new QLabel(QStringLiteral("图片高度"), this);
    EdtPicWidth = SizeEdit(this, "EdtPicWidth");
    EdtPicHeight = SizeEdit(this, "EdtPicHeight");
    BtnConfirm = DialogButton(this, "BtnConfirm", "确定");
    BtnClose = DialogButton(this, "BtnClose", "关闭");
    ApplyDrawnFaces(this);
    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EdtPicWidth, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EdtPicHeight, 1, 1);
    grid->addWidget(BtnConfirm, 2, 0);
    grid->addWidget(BtnClose, 2, 1);
    connect(BtnConfirm, &QPushButton::clicked, this, &TFrmPicParam::BtnConfirmClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmPicParam::BtnCloseClick);
    connect(EdtPicWidth, &QLineEdit::returnPressed, this, &TFrmPicParam::BtnConfirmClick);
    connect(EdtPicHeight, &QLineEdit::returnPressed, this, &TFrmPicParam::BtnConfirmClick);
}

void TFrmPicParam::readResults()
{
    // The shown text, blanks included: the number ends at the first blank.
    ResultWidth = ReadMaskedNumber(EdtPicWidth->displayText());
    ResultHeight = ReadMaskedNumber(EdtPicHeight->displayText());
}

void TFrmPicParam::InitPicParam(int width, int height)
{
    EdtPicHeight->setText(QString::number(height));
    EdtPicWidth->setText(QString::number(width));
    readResults();
    exec();
}

void TFrmPicParam::BtnConfirmClick()
{
    readResults();
    accept();
}

void TFrmPicParam::BtnCloseClick()
{
    reject();
}

}  // namespace tiv
