#include "common/BackdropImage.h"

#include <QEvent>

namespace tiv {

BackdropImage::BackdropImage(QWidget *parent, const QString &name) : QLabel(parent)
{
    setObjectName(name);
    setScaledContents(true);
    setGeometry(parent->rect());
    lower();
    parent->installEventFilter(this);
}

bool BackdropImage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QLabel::eventFilter(watched, event);
}

}  // namespace tiv
