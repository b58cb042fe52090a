#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>

class QMenu;

namespace tiv {

// A picture pinned to the screen: a frameless window kept above the others (where the desktop
// allows it) that shows the picture and nothing else. Drag it to move it, turn the wheel to zoom,
// double-click or press Esc to close it; its menu copies and saves the picture. It deletes itself
// when closed; any number can be open at once.
class PinWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double MinZoom = 0.1;
    static constexpr double MaxZoom = 8.0;

    explicit PinWindow(QImage picture, QWidget *parent = nullptr);

    const QImage &picture() const { return picture_; }
    double zoom() const { return zoom_; }
    // Zooms about the window's top-left corner; the factor is kept within MinZoom and MaxZoom.
    void setZoom(double zoom);

    // What the menu's copy and save do with the picture; the window has no clipboard or files.
    std::function<void(const QImage &)> copy;
    std::function<void(const QImage &)> save;

    QMenu *menu() const { return menu_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QImage picture_;
    double zoom_ = 1.0;
    QMenu *menu_;
    // Where the drag took hold, relative to the window, when the window manager does not move it.
    QPoint dragOffset_;
    bool pressed_ = false;
    bool dragging_ = false;
};

}  // namespace tiv
