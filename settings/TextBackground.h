#pragma once

#include <QColor>

namespace tiv {

// The background and border chosen for text put on pictures, kept for the run only (never
// written to the settings file). Styles are list positions: background 0 none, 1 transparent,
// 2 opaque; border 0 none, 1 rounded, 2 rectangular. All zero until the user confirms a choice.
struct TextBackground {
    int TextBackgroundStyle = 0;
    QColor TextBackgroundColor = QColor(0, 0, 0);
    int TextBorderStyle = 0;
    QColor TextBorderColor = QColor(0, 0, 0);
};

}  // namespace tiv
