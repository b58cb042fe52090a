#include "capture/CellCaption.h"

#include <QPainter>

namespace tiv {

CellCaption::CellCaption(const QString &text, int cellWidth, QWidget *parent)
    : QWidget(parent), text_(text), cellWidth_(cellWidth)
{
    resize(sizeHint());
}

int CellCaption::cellsOf(QChar c)
{
    // CJK ideographs, punctuation and full-width forms are double width.
    return c.unicode() >= 0x2E80 ? 2 : 1;
}

int CellCaption::cellX(int index) const
{
    int cells = 0;
    for (int i = 0; i < index && i < text_.size(); ++i)
        cells += cellsOf(text_[i]);
    return cells * cellWidth_;
}

QSize CellCaption::sizeHint() const
{
    return QSize(cellX(int(text_.size())), fontMetrics().height());
}

void CellCaption::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < text_.size(); ++i) {
        if (text_[i].isSpace())
            continue;
        const QRect cell(cellX(i), 0, cellsOf(text_[i]) * cellWidth_, height());
        painter.drawText(cell, Qt::AlignCenter | Qt::TextDontClip, QString(text_[i]));
    }
}

}  // namespace tiv
