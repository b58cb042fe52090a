#include "editing/Watermark.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace tiv {

float WatermarkWeight(int transparent)
{
    return static_cast<float>(std::clamp(transparent, 1, 10)) / 10.0f;
}

QFont WatermarkFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(15);
    font.setBold(true);
    return font;
}

QImage TextWatermark(const QString &text)
{
    const QFont font = WatermarkFont();
    const QFontMetrics metrics(font);
    QImage mark(metrics.horizontalAdvance(text) + 20, metrics.height() + 5, QImage::Format_RGB32);
    mark.fill(Qt::white);
    QPainter painter(&mark);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(10, 5 + metrics.ascent(), text);
    return mark;
}

QPoint WatermarkOrigin(QSize target, QSize mark)
{
    return QPoint(target.width() - mark.width() - 10, target.height() - mark.height() - 10);
}

QRect BlendWatermark(QImage &target, const QImage &mark, int transparent)
{
    if (mark.isNull() || target.isNull())
        return {};
    const QPoint origin = WatermarkOrigin(target.size(), mark.size());
    const QRect area = QRect(origin, mark.size()).intersected(target.rect());
    if (area.isEmpty())
        return {};
    if (target.format() != QImage::Format_RGB32)
        target.convertTo(QImage::Format_RGB32);
    const QImage source = mark.format() == QImage::Format_RGB32 ? mark : mark.convertToFormat(QImage::Format_RGB32);

    // The weights are single precision, the sums are formed in double: for 8-bit channels every
    // product and sum is then exact, so the truncation is the same on every machine.
    const double a = WatermarkWeight(transparent);
    std::array<double, 256> keep{}, add{};
    for (int v = 0; v < 256; ++v) {
        keep[v] = (1.0 - a) * v;
        add[v] = a * v;
    }
    const auto blend = [&](int p, int m) { return static_cast<int>(keep[p] + add[m]); };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(target.scanLine(y)) + area.left();
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y - origin.y())) +
                           (area.left() - origin.x());
        for (int x = 0; x < area.width(); ++x) {
            const QRgb p = row[x], m = from[x];
            row[x] = qRgb(blend(qRed(p), qRed(m)), blend(qGreen(p), qGreen(m)), blend(qBlue(p), qBlue(m)));
        }
    }
    return area;
}

}  // namespace tiv
