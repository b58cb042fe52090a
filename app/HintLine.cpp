#include "app/HintLine.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace tiv {

namespace {

// Keeps the text off the first panel's own text.
constexpr int kGapBeforePanels = 8;

}  // namespace

HintLine::HintLine(QWidget *parent) : QLabel(parent) {}

int HintLine::room() const
{
    const QRect area = contentsRect();
    int end = area.right() + 1;
    for (QWidget *panel : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!panel->isHidden())
            end = std::min(end, panel->x() - kGapBeforePanels);
    }
    return std::max(0, end - area.left());
}

QString HintLine::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, room());
}

QSize HintLine::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void HintLine::paintEvent(QPaintEvent *event)
{
    // The frame and the background, without the label's own text.
    QFrame::paintEvent(event);
    QPainter painter(this);
    QRect area = contentsRect();
    area.setWidth(room());
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), shownText(),
                          foregroundRole());
}

bool HintLine::eventFilter(QObject *watched, QEvent *event)
{
    // A panel that comes, goes or moves changes the room of the text.
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        update();
        break;
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

bool HintLine::event(QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        if (auto *panel = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            panel->installEventFilter(this);
    }
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const bool overText = help->pos().x() < contentsRect().left() + room();
    if (overText && shownText() != text())
        QToolTip::showText(help->globalPos(), text(), this);
    else
        QToolTip::hideText();
    return true;
}

}  // namespace tiv
