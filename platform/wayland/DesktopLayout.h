#pragma once

#include <QList>
#include <QRect>
#include <QRegion>

namespace tiv::wayland {

// One screen as the compositor describes it.
struct ScreenOutput {
    QRect logical;  // its place and size in the desktop's logical units
    QSize pixels;   // its picture's size in pixels, turned as the screen shows it
};

// How the screens' pixels lie in one picture of the whole desktop: each screen at its logical
// place times the highest scale among them, a screen of a lower scale enlarged (as grim lays
// them out). The scales are the compositor's, pixels over logical units, so a fractional 1.5
// stays 1.5 where the toolkit rounds it up to 2.
class DesktopLayout {
public:
    DesktopLayout() = default;
    explicit DesktopLayout(QList<ScreenOutput> outputs);

    bool isEmpty() const { return outputs_.isEmpty(); }
    const QList<ScreenOutput> &outputs() const { return outputs_; }
    // Picture pixels per logical unit.
    qreal ratio() const { return ratio_; }
    // The whole desktop in picture pixels.
    QRect pictureRect() const { return toPicture(bounds_); }
    // A logical rectangle (a window as the compositor places it) in picture pixels: both corners
    // are scaled, so neighbouring rectangles stay neighbours.
    QRect toPicture(const QRect &logical) const;

private:
    QList<ScreenOutput> outputs_;
    QRect bounds_;
    qreal ratio_ = 1.0;
};

}  // namespace tiv::wayland
