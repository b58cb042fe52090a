#include "AppIcon.h"

#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace skin {

namespace {

// The drawing lives on a 256-unit square; both the painted and the SVG icon read these.
constexpr qreal kTileInset = 8, kTileRadius = 48;
constexpr qreal kCornerInset = 52, kCornerArm = 44, kStroke = 18;
constexpr qreal kLensRadius = 40, kPupilRadius = 17;

// Each corner of the viewfinder: start of one arm, the corner, end of the other arm.
QList<QPolygonF> cornerMarks()
{
    const qreal a = kCornerInset, b = 256 - kCornerInset, l = kCornerArm;
    return {
        QPolygonF({{a, a + l}, {a, a}, {a + l, a}}),
        QPolygonF({{b - l, a}, {b, a}, {b, a + l}}),
        QPolygonF({{b, b - l}, {b, b}, {b - l, b}}),
        QPolygonF({{a + l, b}, {a, b}, {a, b - l}}),
    };
}

QString colourName(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

}  // namespace

void DrawAppIcon(QPainter &p, int size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, kAccent);
    g.setColorAt(1, kAccentDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(kTileInset, kTileInset, 256 - 2 * kTileInset, 256 - 2 * kTileInset), kTileRadius,
                      kTileRadius);
    p.setPen(QPen(kWhite, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const QPolygonF &mark : cornerMarks())
        p.drawPolyline(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(128, 128), kLensRadius, kLensRadius);
    p.setBrush(kAccentDeep);
    p.drawEllipse(QPointF(128, 128), kPupilRadius, kPupilRadius);
    p.restore();
}

QString AppIconSvg()
{
    QString marks;
    for (const QPolygonF &mark : cornerMarks()) {
        QStringList points;
        for (const QPointF &pt : mark)
            points << QStringLiteral("%1,%2").arg(pt.x()).arg(pt.y());
        marks += QStringLiteral("  <polyline points=\"%1\"/>\n").arg(points.join(u' '));
    }
    const qreal side = 256 - 2 * kTileInset;
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
               " <defs><linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
               "<stop offset=\"0\" stop-color=\"%1\"/><stop offset=\"1\" stop-color=\"%2\"/></linearGradient></defs>\n"
               " <rect x=\"%3\" y=\"%3\" width=\"%4\" height=\"%4\" rx=\"%5\" fill=\"url(#tile)\"/>\n"
               " <g fill=\"none\" stroke=\"#ffffff\" stroke-width=\"%6\" stroke-linecap=\"round\" "
               "stroke-linejoin=\"round\">\n%7 </g>\n"
               " <circle cx=\"128\" cy=\"128\" r=\"%8\" fill=\"#ffffff\"/>\n"
               " <circle cx=\"128\" cy=\"128\" r=\"%9\" fill=\"%2\"/>\n"
               "</svg>\n")
        .arg(colourName(kAccent), colourName(kAccentDeep))
        .arg(kTileInset)
        .arg(side)
        .arg(kTileRadius)
        .arg(kStroke)
        .arg(marks)
        .arg(kLensRadius)
        .arg(kPupilRadius);
}

}  // namespace skin
