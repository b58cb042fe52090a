#pragma once

#include <QByteArray>
#include <QImage>

namespace tiv {

// What the canvas holds. A bitmap is editable (captures, and JPEG, PNG and BMP files); a picture
// decoded by the general image readers (icons, GIF, ...) is shown but not edited, and saves back
// in its own original bytes.
struct CanvasPicture {
    enum class Kind { Empty, Bitmap, Foreign };

    Kind kind = Kind::Empty;
    QImage image;            // what is shown; for a bitmap, the pixels that are edited (Format_RGB32)
    QByteArray foreignData;  // the file's bytes, for a foreign picture

    static CanvasPicture bitmap(QImage pixels)
    {
        CanvasPicture p;
        p.kind = pixels.isNull() ? Kind::Empty : Kind::Bitmap;
        p.image = std::move(pixels);
        return p;
    }
    bool isBitmap() const { return kind == Kind::Bitmap; }
    bool isEmpty() const { return kind == Kind::Empty; }
};

}  // namespace tiv
