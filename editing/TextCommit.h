#pragma once

#include "common/CanvasPicture.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace tiv {

class EditHistory;

// What an open text box hands over at commit: where its outer top-left corner is, the lines as the
// box shows them, and the style of the drawing tools.
struct TextBoxContent {
    QPoint topLeft;
    QStringList lines;
    QFont font;
    QColor colour;
};

// The font as text is drawn on pictures: its point size turned into pixels for a 96-dpi screen, so
// the result does not depend on the screen this runs on. Use it for the text box too, so the box
// wraps its lines the way they will be drawn.
QFont CanvasFont(const QFont &font);

// Distance between the tops of two drawn lines: the font's size in points plus 4.
int TextLineStep(const QFont &font);

// The lines a text box shows: each paragraph of `text`, wrapped to `wrapWidth` pixels in the
// canvas font.
QStringList TextBoxLines(const QString &text, const QFont &font, int wrapWidth);

// Where a text box dragged from `start` to `end` (already put in order) goes. A drag wider than 10
// pixels sets the box's width, otherwise the previous width stays; the same for the height.
QRect PlaceTextBox(QRect previous, QPoint start, QPoint end);

// Draws the lines one below the other, background left as it is. Returns the area drawn in.
QRect DrawTextLines(QImage &canvas, const TextBoxContent &box);

// DrawnWithoutSnapshot: the text is drawn, but there was no memory for the snapshot before it, so
// this step cannot be undone; the history keeps its older snapshots.
enum class TextCommitResult { Drawn, DrawnWithoutSnapshot, NotEditable };

// Commits a text box: saves a snapshot of `snapshotArea` first, then draws the text. An empty box
// draws nothing but still saves. A picture that is not a bitmap is neither saved nor drawn on and
// stays exactly as it is.
TextCommitResult CommitText(CanvasPicture &picture, EditHistory &history, QSize snapshotArea,
                            const TextBoxContent &box);

}  // namespace tiv
