#include "common/ButtonFace.h"

#include "common/ImageResources.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace tiv {

namespace {

const QString kFaceStyle = QStringLiteral(
    "QPushButton { border: none; padding: 0; margin: 0; background: transparent; outline: none; }"
    "QPushButton:pressed { padding-left: 2px; padding-top: 2px; }");

// The colours of the generated button pictures, so drawn and pictured faces look alike.
const QString kDrawnStyle = QStringLiteral(
    "QPushButton { color: rgb(31,57,87); background: rgb(232,241,250); border: 1px solid rgb(147,176,206);"
    " border-radius: 3px; padding: 3px %1px; }"
    "QPushButton:hover { background: rgb(255,255,255); }"
    "QPushButton:pressed { background: rgb(214,228,241); }"
    "QPushButton:disabled { color: rgb(147,176,206); }");

}  // namespace

void ApplyDrawnFaces(QWidget *container, int sidePadding)
{
    container->setStyleSheet(container->styleSheet() + kDrawnStyle.arg(sidePadding));
}

void ApplyButtonFace(QPushButton *button, const QString &resource, const QString &caption, MissingFace missing)
{
    button->setAccessibleName(caption);
    QPixmap face;
    LoadBmpResource(face, resource);
    if (face.isNull() && missing == MissingFace::Caption) {
        button->setText(caption);
        return;
    }
    button->setText(QString());
    button->setStyleSheet(kFaceStyle);
    if (face.isNull())
        return;
    const QSize size = face.deviceIndependentSize().toSize();
    button->setIcon(QIcon(face));
    button->setIconSize(size);
    button->setFixedSize(size);
}

QPushButton *NewFaceButton(QWidget *parent, const char *objectName, const char *resource, const char *caption)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    ApplyButtonFace(button, QString::fromLatin1(resource), QString::fromUtf8(caption));
    return button;
}

void ApplyLabelPicture(QLabel *label, const QString &resource, const QString &caption)
{
    QPixmap picture;
    LoadJpgResource(picture, resource);
    if (picture.isNull()) {
        label->setTextFormat(Qt::PlainText);
        label->setText(caption);
        return;
    }
    label->setPixmap(picture);
}

}  // namespace tiv
