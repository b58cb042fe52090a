#include "FacePainter.h"

#include "AppIcon.h"
#include "Palette.h"
#include "panels/AboutLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace skin {

namespace {

QFont labelFont(const QString &family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Thin lines sit on pixel centres so they stay one crisp pixel wide (two on the 2x picture).
QRectF inner(QRectF r)
{
    return r.adjusted(0.5, 0.5, -0.5, -0.5);
}

void drawButton(QPainter &p, const QSizeF size, const QString &label, const QString &family)
{
    p.fillRect(QRectF(QPointF(0, 0), size), kPanel);
    p.setPen(QPen(kBorder, 1));
    p.setBrush(kFace);
    p.drawRoundedRect(inner(QRectF(QPointF(0, 0), size)), 3, 3);
    p.setPen(kInk);
    p.setFont(labelFont(family, 13));
    p.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter, label);
}

void drawCheck(QPainter &p, const QSizeF size, const QString &label, bool ticked, const QString &family)
{
    p.fillRect(QRectF(QPointF(0, 0), size), kPanel);
    const QRectF box(2, (size.height() - 13) / 2, 13, 13);
    p.setPen(QPen(ticked ? kAccent : kBorder, 1));
    p.setBrush(ticked ? kAccent : kWhite);
    p.drawRoundedRect(inner(box), 2, 2);
    if (ticked) {
        QPen tick(kWhite, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(tick);
        const QPointF o = box.topLeft();
        p.drawPolyline(QPolygonF({o + QPointF(3.5, 6.8), o + QPointF(5.8, 9.2), o + QPointF(9.8, 4.0)}));
    }
    p.setPen(kInk);
    p.setFont(labelFont(family, 13));
    p.drawText(QRectF(box.right() + 6, 0, size.width() - box.right() - 6, size.height()),
               Qt::AlignLeft | Qt::AlignVCenter, label);
}

// A quiet band: lighter at the top, the panel colour below, one rule at the bottom edge.
void drawBand(QPainter &p, const QSizeF size, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(QPointF(0, 0), size), g);
    p.setPen(QPen(kRule, 1));
    p.drawLine(QPointF(0, size.height() - 0.5), QPointF(size.width(), size.height() - 0.5));
}

void drawBanner(QPainter &p, const QSizeF size, const QString &subtitle, const QString &family)
{
    drawBand(p, size, kWhite, kStrip);
    p.save();
    p.translate(18, (size.height() - 40) / 2);
    DrawAppIcon(p, 40);
    p.restore();
    p.setPen(kAccentDeep);
    p.setFont(labelFont(family, 24, true));
    const QRectF nameBox(70, 0, 160, size.height());
    QRectF used;
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TIVrevudu"), &used);
    p.setPen(kSoftInk);
    p.setFont(labelFont(family, 15));
    p.drawText(QRectF(used.right() + 14, 0, 200, size.height()), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
}

void drawFieldPanel(QPainter &p, const QSizeF size, const QString &label, const QString &family)
{
    p.fillRect(QRectF(QPointF(0, 0), size), kPanel);
    p.setPen(kInk);
    p.setFont(labelFont(family, 13));
    const qreal labelWidth = 60;
    p.drawText(QRectF(4, 0, labelWidth, size.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
    p.setPen(QPen(kBorder, 1));
    p.setBrush(kWhite);
    p.drawRect(inner(QRectF(labelWidth, 1, size.width() - labelWidth - 1, size.height() - 2)));
}

void drawHeading(QPainter &p, const QSizeF size, const QString &label, const QString &family)
{
    drawBand(p, size, kWhite, kPanel);
    p.fillRect(QRectF(0, 4, 3, size.height() - 8), kAccent);
    p.setPen(kInk);
    p.setFont(labelFont(family, 13, true));
    p.drawText(QRectF(10, 0, size.width() - 10, size.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
}

// The About window lays its labels over this picture at the places of panels/AboutLayout.h: the
// version number beside the word for version, and the link's underscores under its words.
void drawAboutCard(QPainter &p, const QSizeF size, const QString &subtitle, const QString &family)
{
    namespace about = tiv::about;
    p.fillRect(QRectF(QPointF(0, 0), size), kWhite);
    const QRectF head(0, 0, size.width(), about::kHeadHeight);
    QLinearGradient g(0, 0, 0, head.height());
    g.setColorAt(0, kAccent);
    g.setColorAt(1, kAccentDeep);
    p.fillRect(head, g);
    // The icon is itself a blue tile; a white mat keeps it from sinking into the blue band.
    const QRectF mat(24, (head.height() - 72) / 2, 72, 72);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRoundedRect(mat, 16, 16);
    p.save();
    p.translate(mat.topLeft() + QPointF(4, 4));
    DrawAppIcon(p, 64);
    p.restore();
    p.setPen(kWhite);
    p.setFont(labelFont(family, 30, true));
    p.drawText(QRectF(108, 24, size.width() - 116, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TIVrevudu"));
    p.setFont(labelFont(family, 15));
    p.drawText(QRectF(108, 64, size.width() - 116, 28), Qt::AlignLeft | Qt::AlignVCenter, subtitle);

    const qreal left = about::kVersionWord.left();
    p.setPen(kInk);
    p.setFont(labelFont(family, about::kTextPixels));
    p.drawText(QRectF(left, about::kHeadHeight + 18, size.width() - 2 * left, 48),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("截取全屏幕、当前窗口或鼠标框选的区域，在图片上标注、加水印，并按序号自动保存。"));
    p.setPen(kSoftInk);
    p.drawText(QRectF(about::kVersionWord), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("版本"));
    p.setFont(labelFont(family, 12));
    p.drawText(QRectF(left, about::kVersionWord.bottom() + 6, size.width() - 2 * left, 20),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Copyright © 2026 TIVSoft  版权所有"));

    const QRectF footer(0, about::kFooterTop, size.width(), size.height() - about::kFooterTop);
    p.fillRect(footer, kPanel);
    p.setPen(QPen(kRule, 1));
    p.drawLine(QPointF(0, footer.top() + 0.5), QPointF(size.width(), footer.top() + 0.5));
    p.setPen(kAccent);
    p.setFont(labelFont(family, about::kTextPixels));
    p.drawText(QRectF(about::kLink), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("访问产品主页"));
}

}  // namespace

QImage DrawPicture(const Picture &picture, int scale, const QString &family)
{
    QImage image(picture.size * scale, QImage::Format_RGB32);
    image.fill(kPanel);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    const QSizeF size = picture.size;
    switch (picture.kind) {
    case Kind::Button: drawButton(p, size, picture.label, family); break;
    case Kind::CheckOn: drawCheck(p, size, picture.label, true, family); break;
    case Kind::CheckOff: drawCheck(p, size, picture.label, false, family); break;
    case Kind::Banner: drawBanner(p, size, picture.label, family); break;
    case Kind::RowBackdrop: drawBand(p, size, kWhite, kPanel); break;
    case Kind::FieldPanel: drawFieldPanel(p, size, picture.label, family); break;
    case Kind::Heading: drawHeading(p, size, picture.label, family); break;
    case Kind::AboutCard: drawAboutCard(p, size, picture.label, family); break;
    }
    return image;
}

}  // namespace skin
