#include "capture/PinWindow.h"

#include "text/FeatureTexts.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tiv {

PinWindow::PinWindow(QImage picture, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(std::move(picture)),
      menu_(new QMenu(this))
{
    setObjectName(QStringLiteral("PinWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, pinned pictures or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(TxtPinMenu);
    setToolTip(TxtPinTip);
    setCursor(Qt::SizeAllCursor);
    menu_->addAction(TxtPinCopy, this, [this] {
        if (copy)
            copy(picture_);
    });
    menu_->addAction(TxtPinSave, this, [this] {
        if (save)
            save(picture_);
    });
    menu_->addAction(TxtPinActualSize, this, [this] { setZoom(1.0); });
    menu_->addSeparator();
    menu_->addAction(TxtPinClose, this, &QWidget::close);
    setZoom(1.0);
}

void PinWindow::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, MinZoom, MaxZoom);
    const QSizeF logical = QSizeF(picture_.size()) * zoom_ / picture_.devicePixelRatio();
    // A fixed size also tells tiling desktops (sway) to float the window over the tiled ones.
    setFixedSize(std::max(1, int(std::lround(logical.width()))), std::max(1, int(std::lround(logical.height()))));
    update();
}

void PinWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
    p.drawImage(rect(), picture_);
    // A thin frame tells the pinned picture from the desktop under it.
    p.setPen(QColor(90, 140, 200));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PinWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        dragging_ = false;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void PinWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        pressed_ = dragging_ = false;
        return;
    }
    const QPoint at = event->globalPosition().toPoint();
    if (!dragging_) {
        // A click or a double-click is no drag: only a move of a few pixels starts one.
        if ((at - frameGeometry().topLeft() - dragOffset_).manhattanLength() < QApplication::startDragDistance())
            return;
        // The window manager moves the window where it can (on Wayland nothing else can).
        if (windowHandle() && windowHandle()->startSystemMove()) {
            pressed_ = false;
            return;
        }
        dragging_ = true;
    }
    move(at - dragOffset_);
}

void PinWindow::mouseReleaseEvent(QMouseEvent *)
{
    pressed_ = dragging_ = false;
}

void PinWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        close();
}

void PinWindow::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps)
        setZoom(zoom_ * std::pow(1.1, steps));
}

void PinWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void PinWindow::contextMenuEvent(QContextMenuEvent *event)
{
    menu_->popup(event->globalPos());
}

}  // namespace tiv
