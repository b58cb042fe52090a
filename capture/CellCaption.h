#pragma once

#include <QWidget>

namespace tiv {

// A caption laid out on a grid of half-width cells: each Chinese character takes two cells, every
// other character (blanks included) one. Runs of blanks then place the text exactly, whatever
// widths the font gives its Latin letters, as the dialog's rows rely on.
class CellCaption : public QWidget {
    Q_OBJECT
public:
    CellCaption(const QString &text, int cellWidth, QWidget *parent = nullptr);
    const QString &text() const { return text_; }
    // The x of the cell where character `index` starts.
    int cellX(int index) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static int cellsOf(QChar c);
    QString text_;
    int cellWidth_;
};

}  // namespace tiv
