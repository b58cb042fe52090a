#include "settings/TFrmBackgroundSet.h"

#include "common/ButtonFace.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace tiv {

namespace {

// The sixteen basic colours a colour box offers, black first.
const struct {
    QRgb rgb;
    const char *name;
} kBasicColours[] = {
    {0x000000, "黑色"}, {0x800000, "褐红"}, {0x008000, "绿色"}, {0x808000, "橄榄"},
    {0x000080, "藏青"}, {0x800080, "紫色"}, {0x008080, "青色"}, {0x808080, "灰色"},
    {0xc0c0c0, "银色"}, {0xff0000, "红色"}, {0x00ff00, "亮绿"}, {0xffff00, "黄色"},
    {0x0000ff, "蓝色"}, {0xff00ff, "紫红"}, {0x00ffff, "浅青"}, {0xffffff, "白色"},
};

QListWidget *StyleList(QWidget *parent, const char *name, std::initializer_list<const char *> items)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const char *item : items)
        list->addItem(QString::fromUtf8(item));
    return list;
}

// The highlighted row; a list can hold a focus mark without one, which counts as no choice.
int SelectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QComboBox *ColourBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const auto &colour : kBasicColours) {
        QPixmap swatch(24, 12);
        swatch.fill(QColor(colour.rgb));
        box->addItem(QIcon(swatch), QString::fromUtf8(colour.name), QColor(colour.rgb));
    }
    return box;
}

QPushButton *FaceButton(QWidget *parent, const char *name, const char *label, int width)
{
    auto *button = new QPushButton(QString::fromUtf8(label), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(width, 25);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TFrmBackgroundSet::TFrmBackgroundSet(TextBackground &stored, QWidget *parent)
    : QDialog(parent), stored_(stored)
{
    setObjectName(QStringLiteral("FrmBackgroundSet"));
    setWindowTitle(QStringLiteral("FrmBackgroundSet"));
    setGeometry(277, 250, 338, 155);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    QFont dialogFont(QStringLiteral("宋体"));
    dialogFont.setPixelSize(16);
    setFont(dialogFont);

    LbBGStyle = StyleList(this, "LbBGStyle", {"无背景", "透明背景", "不透明背景"});
    LbTextBorder = StyleList(this, "LbTextBorder", {"无边框", "圆角边框", "矩形边框"});
    CbBgColor = ColourBox(this, "CbBgColor");
    CbBorderColor = ColourBox(this, "CbBorderColor");

    PnlButtons = new QFrame(this);
    PnlButtons->setAutoFillBackground(true);
    QPalette bp = PnlButtons->palette();
    bp.setColor(QPalette::Window, QColor(247, 247, 247));
    PnlButtons->setPalette(bp);
    BtnDefaultSet = FaceButton(PnlButtons, "BtnDefaultSet", "缺省", 57);
    BtnConfirm = FaceButton(PnlButtons, "BtnConfirm", "保存", 57);
    BtnClose = FaceButton(PnlButtons, "BtnClose", "关闭", 56);
    auto *buttons = new QHBoxLayout(PnlButtons);
    buttons->setContentsMargins(6, 4, 6, 4);
    buttons->addStretch(1);
    for (QPushButton *b : {BtnDefaultSet, BtnConfirm, BtnClose})
        buttons->addWidget(b);
    ApplyDrawnFaces(PnlButtons);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->addWidget(LbBGStyle, 0, 0);
    grid->addWidget(LbTextBorder, 0, 1);
    grid->addWidget(CbBgColor, 1, 0);
    grid->addWidget(CbBorderColor, 1, 1);
    grid->addWidget(PnlButtons, 2, 0, 1, 2);

    connect(BtnDefaultSet, &QPushButton::clicked, this, &TFrmBackgroundSet::BtnDefaultSetClick);
    connect(BtnConfirm, &QPushButton::clicked, this, &TFrmBackgroundSet::BtnConfirmClick);
    connect(BtnClose, &QPushButton::clicked, this, &TFrmBackgroundSet::BtnCloseClick);
}

QColor TFrmBackgroundSet::colourOf(const QComboBox *box)
{
    return box->currentData().value<QColor>();
}

void TFrmBackgroundSet::setColour(QComboBox *box, const QColor &colour)
{
    box->setCurrentIndex(box->findData(colour));
}

void TFrmBackgroundSet::BtnDefaultSetClick()
{
    LbBGStyle->setCurrentRow(0);
    setColour(CbBgColor, Qt::white);
    LbTextBorder->setCurrentRow(0);
    setColour(CbBorderColor, Qt::black);
}

void TFrmBackgroundSet::BtnConfirmClick()
{
    if (SelectedRow(LbBGStyle) < 0)
        LbBGStyle->setCurrentRow(0);
    stored_.TextBackgroundStyle = SelectedRow(LbBGStyle);
    stored_.TextBackgroundColor = colourOf(CbBgColor);
    if (SelectedRow(LbTextBorder) < 0)
        LbTextBorder->setCurrentRow(0);
    stored_.TextBorderStyle = SelectedRow(LbTextBorder);
    stored_.TextBorderColor = colourOf(CbBorderColor);
    accept();
}

void TFrmBackgroundSet::BtnCloseClick()
{
    reject();
}

}  // namespace tiv
