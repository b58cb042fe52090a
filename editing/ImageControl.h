#pragma once

#include "common/CanvasPicture.h"

#include <QWidget>

namespace tiv {

// The picture control of the canvas. It shows its picture one picture pixel per device pixel
// (also on a scaled screen), or stretched to the control when `stretch` is on.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent = nullptr);

    CanvasPicture &picture() { return picture_; }
    const CanvasPicture &picture() const { return picture_; }
    // `file`: the picture file the new picture was read from; empty for anything else (a capture).
    void setPicture(CanvasPicture picture, QString file = {});
    // The file the picture was read from. Edits in place keep it: the picture is still that file's.
    const QString &file() const { return file_; }
    // The picture now belongs to another file (it was saved there, or its file was renamed).
    void setFile(QString file) { file_ = std::move(file); }
    // Call after the pixels were changed in place.
    void pictureChanged(const QRect &pictureArea = {});
    // The same for scattered changes, such as a band's outline: only the region is repainted.
    void pictureChanged(const QRegion &pictureArea);

    bool stretch() const { return stretch_; }
    void setStretch(bool on);
    // Gives the control the picture's size in device pixels.
    void sizeToPicture();
    // The control size at which the picture shows one to one.
    QSize naturalSize() const;
    QRectF pictureToControl(const QRect &area) const;

signals:
    // Other views of the picture repaint on it; a null area is the whole picture.
    void changed(const QRect &pictureArea);
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    CanvasPicture picture_;
    QString file_;
    bool stretch_ = false;
};

}  // namespace tiv
