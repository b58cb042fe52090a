#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

class QScreen;

namespace tiv {

class ImageControl;

// One screen's share of the frozen desktop where a window covers one screen only (Wayland): it
// shows that screen's part of the canvas picture, a picture of the whole desktop, and hands the
// mouse on to the canvas as if the canvas itself had been pressed there.
class ScreenPane : public QWidget {
public:
    // `desktop`: the bounding rectangle of all screens, in the same logical units as theirs.
    // A pane with a parent fills it; one without is a window of its own.
    ScreenPane(QScreen &screen, ImageControl &canvas, const QRect &desktop, QWidget *parent = nullptr);

    QScreen *shownScreen() const { return screen_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override { forward(*event); }
    void mouseMoveEvent(QMouseEvent *event) override { forward(*event); }
    void mouseReleaseEvent(QMouseEvent *event) override { forward(*event); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Picture pixels per logical unit: the portal's picture has every screen at the highest scale.
    qreal pictureScale() const;
    QPointF origin() const;
    void repaintPictureArea(const QRect &pictureArea);
    void forward(const QMouseEvent &event);

    QPointer<QScreen> screen_;
    ImageControl &canvas_;
    QRect desktop_;
};

}  // namespace tiv
