#include "editing/FontColorDialog.h"

#include "common/ButtonFace.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tiv {

FontColorDialog::FontColorDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("字体"));
    fonts_ = new QFontDialog(this);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    connect(fonts_, &QFontDialog::currentFontChanged, this, [this] { fontChanged_ = true; });
    colourButton_ = new QPushButton(this);
    colourButton_->setObjectName(QStringLiteral("BtnFontColour"));
    colourButton_->setFixedWidth(60);
    connect(colourButton_, &QPushButton::clicked, this, &FontColorDialog::chooseColour);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ApplyDrawnFaces(this);

    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("颜色:"), this));
    colourRow->addWidget(colourButton_);
    colourRow->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

void FontColorDialog::setChoice(const QFont &font, const QColor &colour)
{
    fonts_->setCurrentFont(font);
    // A font this system lacks shows as a stand-in; it is kept unless the user picks another.
    initial_ = font;
    fontChanged_ = false;
    setColour(colour);
}

QFont FontColorDialog::chosenFont() const
{
    return fontChanged_ ? fonts_->currentFont() : initial_;
}

void FontColorDialog::setColour(const QColor &colour)
{
    colour_ = colour;
    colourButton_->setStyleSheet(QStringLiteral("background: %1;").arg(colour.name()));
}

void FontColorDialog::chooseColour()
{
    const QColor chosen =
        QColorDialog::getColor(colour_, this, QStringLiteral("颜色"), QColorDialog::DontUseNativeDialog);
    if (chosen.isValid())
        setColour(chosen);
}

}  // namespace tiv
