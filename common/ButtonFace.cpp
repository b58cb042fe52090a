#include "common/ButtonFace.h"

#include "common/ImageResources.h"

#include <QAbstractButton>
#include <QLabel>

namespace tiv {

void ApplyButtonFace(QAbstractButton *button, const QString &resource, const QString &caption)
{
    QPixmap face;
    LoadBmpResource(face, resource);
    if (face.isNull()) {
        button->setText(caption);
        return;
    }
    button->setText(QString());
    button->setAccessibleName(caption);
    button->setIcon(face);
    button->setIconSize(face.deviceIndependentSize().toSize());
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
