#include "capture/ScreenPane.h"

#include "editing/ImageControl.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace tiv {

ScreenPane::ScreenPane(QScreen &screen, ImageControl &canvas, const QRect &desktop, QWidget *parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::Window | Qt::FramelessWindowHint), screen_(&screen),
      canvas_(canvas), desktop_(desktop)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    connect(&canvas, &ImageControl::changed, this, &ScreenPane::repaintPictureArea);
    if (parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    } else {
        // Qt picks a window's screen from its place on the desktop, not only from the screen asked for.
        setScreen(&screen);
        setGeometry(screen.geometry());
    }
}

qreal ScreenPane::pictureScale() const
{
    return desktop_.isEmpty() ? 1.0 : qreal(canvas_.picture().image.width()) / desktop_.width();
}

QPointF ScreenPane::origin() const
{
    return screen_ ? QPointF(screen_->geometry().topLeft() - desktop_.topLeft()) : QPointF();
}

void ScreenPane::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // The picture replaces what was there: a plain copy where its pixels match the window's.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QImage &picture = canvas_.picture().image;
    const qreal scale = pictureScale();
    for (const QRect &area : event->region()) {
        const QRectF source((QPointF(area.topLeft()) + origin()) * scale, QSizeF(area.size()) * scale);
        if (!QRectF(picture.rect()).contains(source))
            painter.fillRect(area, Qt::black);
        painter.drawImage(QRectF(area), picture, source);
    }
}

void ScreenPane::repaintPictureArea(const QRect &pictureArea)
{
    if (pictureArea.isNull()) {
        update();
        return;
    }
    const qreal scale = pictureScale();
    const QRectF area(QPointF(pictureArea.topLeft()) / scale - origin(), QSizeF(pictureArea.size()) / scale);
    update(area.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void ScreenPane::forward(const QMouseEvent &event)
{
    // The canvas takes the middle of the picture pixel under the pointer, which it reads back as
    // that same pixel whatever its scale.
    const QPointF picture = (event.position() + origin()) * pictureScale();
    const QPoint pixel(int(std::floor(picture.x())), int(std::floor(picture.y())));
    const QPointF at = canvas_.pictureToControl(QRect(pixel, QSize(1, 1))).center();
    QMouseEvent moved(event.type(), at, canvas_.mapToGlobal(at), event.button(), event.buttons(), event.modifiers(),
                      event.pointingDevice());
    QCoreApplication::sendEvent(&canvas_, &moved);
}

bool ScreenPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == parentWidget())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

}  // namespace tiv
