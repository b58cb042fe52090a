#pragma once

#include <QImage>

namespace tiv {

// A screen region made ready for the recognition engine: grey, dark text on a light ground,
// small text enlarged so that its lines are about as tall as the engine reads best, with a margin.
struct PreparedPicture {
    QImage grey;          // Format_Grayscale8
    double scale = 1.0;   // how much the region was enlarged
    int lineHeight = 0;   // the typical text line height found in the region, in its own pixels
    int lineCount = 0;    // the text lines found, 0 when none stood out
};

// Interface text is drawn 11 to 16 pixels high; the engine was trained on lines three times that.
// Lines below 14 px are enlarged to about this height.
constexpr int WantedLineHeight = 40;

PreparedPicture PrepareForRecognition(const QImage &region);

}  // namespace tiv
