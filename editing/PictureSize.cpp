#include "editing/PictureSize.h"

#include <QPainter>

namespace tiv {

int ReadMaskedNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        // The mask holds at most 8 digits; a longer text is held at the largest value.
        if (value > INT32_MAX)
            return INT32_MAX;
    }
    return int(value);
}

PictureSizeCheck CheckPictureSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {false, QStringLiteral("图片宽度和高度都必须大于0")};
    if (width > MaxPictureSide || height > MaxPictureSide)
        return {false, QStringLiteral("图片太大，宽度和高度最大为%1").arg(MaxPictureSide)};
    if (std::int64_t(width) * height * 4 > MaxPictureBytes)
        return {false, QStringLiteral("图片太大，宽度乘高度最大为%1").arg(MaxPictureBytes / 4)};
    return {true, {}};
}

QImage ResizeCanvas(const QImage &picture, QSize size)
{
    if (!CheckPictureSize(size.width(), size.height()).ok)
        return {};
    QImage canvas(size, QImage::Format_RGB32);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::white);
    if (!picture.isNull()) {
        QPainter p(&canvas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), picture);
    }
    return canvas;
}

}  // namespace tiv
