#pragma once

#include <QLabel>

namespace tiv {

// A picture stretched over the whole of its parent, behind the parent's other children: the
// background picture of a row or a small panel.
class BackdropImage : public QLabel {
    Q_OBJECT
public:
    BackdropImage(QWidget *parent, const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

}  // namespace tiv
