#include "capture/CursorOverlay.h"

#include <QPainter>

#include <algorithm>

namespace tiv {

namespace {

// Source-over of premultiplied cursor pixels onto opaque ones, the result opaque: what the
// toolkit's painter does, without setting one up on the whole picture for a few hundred pixels.
uint32_t overOpaque(uint32_t cursor, uint32_t below)
{
    const uint32_t alpha = cursor >> 24;
    if (alpha == 0xff)
        return cursor;
    const uint32_t keep = 255 - alpha;
    // Two channels per multiplication, each divided by 255 with the usual rounding.
    auto scale = [keep](uint32_t pair) {
        pair *= keep;
        pair += 0x00800080u;
        return ((pair + ((pair >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    };
    const uint32_t kept = scale(below & 0x00ff00ffu) | (scale((below >> 8) & 0x00ff00ffu) << 8);
    return 0xff000000u | ((cursor & 0x00ffffffu) + (kept & 0x00ffffffu));
}

}  // namespace

void BlendCursor(QImage &picture, const CursorImage &cursor, const QPoint &origin)
{
    if (!cursor.shown || cursor.image.isNull() || picture.isNull())
        return;
    const QPoint at = cursor.position - origin - cursor.hotSpot;
    if (picture.format() != QImage::Format_RGB32 || cursor.image.format() != QImage::Format_ARGB32_Premultiplied) {
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(at, cursor.image);
        return;
    }
    const QRect drawn = QRect(at, cursor.image.size()) & picture.rect();
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        const auto *from = reinterpret_cast<const uint32_t *>(cursor.image.constScanLine(y - at.y())) - at.x();
        auto *row = reinterpret_cast<uint32_t *>(picture.scanLine(y));
        for (int x = drawn.left(); x <= drawn.right(); ++x)
            if (from[x] >> 24)
                row[x] = overOpaque(from[x], row[x]);
    }
}

}  // namespace tiv
