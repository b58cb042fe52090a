#include "editing/TextCommit.h"

#include "editing/EditHistory.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace tiv {

namespace {

// Point sizes are turned into pixels at this resolution, the classic desktop one.
constexpr double ScreenDpi = 96.0;

double PointSize(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / ScreenDpi : 12.0;
}

}  // namespace

QFont CanvasFont(const QFont &font)
{
    QFont f = font;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(PointSize(font) * ScreenDpi / 72.0))));
    return f;
}

int TextLineStep(const QFont &font) { return static_cast<int>(std::lround(PointSize(font))) + 4; }

QStringList TextBoxLines(const QString &text, const QFont &font, int wrapWidth)
{
    QStringList lines;
    const QFont drawn = CanvasFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, drawn);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(std::max(1, wrapWidth));
        layout.endLayout();
        if (layout.lineCount() == 0)
            lines << QString();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

QRect PlaceTextBox(QRect previous, QPoint start, QPoint end)
{
    const int w = end.x() - start.x();
    const int h = end.y() - start.y();
    return QRect(start, QSize(w > 10 ? w : previous.width(), h > 10 ? h : previous.height()));
}

QRect DrawTextLines(QImage &canvas, const TextBoxContent &box)
{
    if (canvas.isNull())
        return {};
    const QFont font = CanvasFont(box.font);
    const QFontMetrics metrics(font);
    const int step = TextLineStep(box.font);
    QPainter p(&canvas);
    p.setFont(font);
    p.setPen(box.colour);
    p.setBrush(Qt::NoBrush);
    QRect drawn;
    for (int i = 0; i < box.lines.size(); ++i) {
        const QString &line = box.lines.at(i);
        if (line.isEmpty())
            continue;
        const QPoint baseline(box.topLeft.x(), box.topLeft.y() + i * step + metrics.ascent());
        p.drawText(baseline, line);
        const QRect advance(box.topLeft.x(), baseline.y() - metrics.ascent(),
                            metrics.horizontalAdvance(line), metrics.height());
        drawn |= advance | metrics.boundingRect(line).translated(baseline);
    }
    return drawn & canvas.rect();
}

TextCommitResult CommitText(CanvasPicture &picture, EditHistory &history, QSize snapshotArea,
                            const TextBoxContent &box)
{
    if (!picture.isBitmap())
        return TextCommitResult::NotEditable;
    const bool saved = history.save(picture.image, snapshotArea);
    DrawTextLines(picture.image, box);
    return saved ? TextCommitResult::Drawn : TextCommitResult::DrawnWithoutSnapshot;
}

}  // namespace tiv
