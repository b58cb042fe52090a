#pragma once

#include <QLabel>

namespace tiv {

// The hint and status line at the foot of the main window. Every part of the program writes its
// messages into it as its text; panels placed inside it (the rolling links) take room from its right
// end while they are shown. A message longer than the room left is shortened in the middle, so that
// both what happened and the end of a file name stay readable; the whole message is its tooltip.
class HintLine : public QLabel {
    Q_OBJECT
public:
    explicit HintLine(QWidget *parent);

    // The text as it is drawn.
    QString shownText() const;
    // Pixels the text may take: up to the first panel shown inside the line.
    int room() const;

    // Long messages must never widen the window.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

}  // namespace tiv
