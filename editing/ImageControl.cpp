#include "editing/ImageControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tiv {

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);
}

void ImageControl::setPicture(CanvasPicture picture, QString file)
{
    picture_ = std::move(picture);
    file_ = std::move(file);
    update();
    emit changed({});
}

void ImageControl::pictureChanged(const QRect &pictureArea)
{
    if (pictureArea.isNull())
        update();
    else
        update(pictureToControl(pictureArea).toAlignedRect().adjusted(-1, -1, 1, 1));
    emit changed(pictureArea);
}

void ImageControl::pictureChanged(const QRegion &pictureArea)
{
    // A stretched picture blends neighbouring pixels, so its changes are repainted as one area.
    const qreal dpr = devicePixelRatioF();
    if (stretch_ || dpr != 1.0) {
        pictureChanged(pictureArea.boundingRect());
        return;
    }
    update(pictureArea);
    emit changed(pictureArea.boundingRect());
}

void ImageControl::setStretch(bool on)
{
    stretch_ = on;
    update();
}

QSize ImageControl::naturalSize() const
{
    const qreal dpr = devicePixelRatioF();
    const QSize px = picture_.image.size();
    return QSize(qRound(px.width() / dpr), qRound(px.height() / dpr));
}

void ImageControl::sizeToPicture()
{
    resize(naturalSize());
}

QRectF ImageControl::pictureToControl(const QRect &area) const
{
    const QSize px = picture_.image.size();
    if (px.isEmpty())
        return {};
    if (!stretch_) {
        const qreal dpr = devicePixelRatioF();
        return QRectF(area.x() / dpr, area.y() / dpr, area.width() / dpr, area.height() / dpr);
    }
    const qreal sx = qreal(width()) / px.width(), sy = qreal(height()) / px.height();
    return QRectF(area.x() * sx, area.y() * sy, area.width() * sx, area.height() * sy);
}

void ImageControl::paintEvent(QPaintEvent *event)
{
    if (picture_.image.isNull())
        return;
    QPainter painter(this);
    if (stretch_ || devicePixelRatioF() != 1.0) {
        painter.drawImage(pictureToControl(picture_.image.rect()), picture_.image);
        return;
    }
    // One to one: copy just the parts asked for, which for a dragged band is a thin outline.
    for (const QRect &area : event->region())
        painter.drawImage(area.topLeft(), picture_.image, area);
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event);
}

void ImageControl::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event);
}

}  // namespace tiv
