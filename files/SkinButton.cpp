#include "files/SkinButton.h"

#include "common/ImageResources.h"

#include <QPixmap>
#include <QPushButton>

namespace tiv {

QPushButton *SkinButton(QWidget *parent, const char *objectName, const char *resource, const char *caption)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    const QString text = QString::fromUtf8(caption);
    QPixmap face;
    LoadBmpResource(face, QString::fromLatin1(resource));
    if (face.isNull()) {
        button->setText(text);
        return button;
    }
    // The picture is the whole face, its label drawn in.
    button->setIcon(QIcon(face));
    button->setIconSize(face.deviceIndependentSize().toSize());
    button->setFixedSize(button->iconSize());
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
    button->setAccessibleName(text);
    return button;
}

}  // namespace tiv
