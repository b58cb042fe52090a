#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

namespace tiv {

struct CursorImage {
    QImage image;     // Format_ARGB32_Premultiplied
    QPoint hotSpot;   // inside the image
    QPoint position;  // pointer position on the screen
    bool shown = true;
};

class CursorSource {
public:
    virtual ~CursorSource() = default;
    // Empty when the cursor cannot be read.
    virtual std::optional<CursorImage> currentCursor() = 0;
    // Asks for the cursor now, so the answer travels with whatever is asked of the desktop next
    // (a grab) instead of taking a round trip of its own; the next currentCursor() takes it.
    virtual void askAhead() {}
    // Where the pointer is on the screen now, in device pixels; empty when it cannot be asked.
    virtual std::optional<QPoint> pointerPosition() { return std::nullopt; }
};

}  // namespace tiv
