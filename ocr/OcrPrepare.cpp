#include "ocr/OcrPrepare.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tiv {

namespace {

constexpr int Margin = 16;
constexpr int NativeLineHeight = 14;

// The light ground's level: the most common grey (the background fills most of a region).
int BackgroundLevel(const QImage &grey)
{
    std::vector<qsizetype> histogram(256, 0);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            ++histogram[line[x]];
    }
    return int(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
}

bool IsInk(uchar grey, int ground) { return std::abs(int(grey) - ground) > 60; }

// Rows holding ink (pixels well away from the ground) come in runs, one per text line; returns
// the runs' heights. Columns inked almost all the way down are frames and rules of the window the
// region was cut from, not text, and are left out.
std::vector<int> InkRuns(const QImage &grey, int ground)
{
    std::vector<int> columnInk(grey.width(), 0);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            columnInk[x] += IsInk(line[x], ground);
    }
    std::vector<bool> rule(grey.width());
    for (int x = 0; x < grey.width(); ++x)
        rule[x] = columnInk[x] * 10 > grey.height() * 8;
    std::vector<int> runs;
    int run = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        int ink = 0;
        for (int x = 0; x < grey.width(); ++x)
            ink += !rule[x] && IsInk(line[x], ground);
        // A row inked almost all the way across is a rule too.
        if (ink > 0 && ink * 10 < grey.width() * 8) {
            ++run;
        } else if (run) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run)
        runs.push_back(run);
    return runs;
}

}  // namespace

PreparedPicture PrepareForRecognition(const QImage &region)
{
    PreparedPicture out;
    QImage grey = region.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull())
        return out;
    int ground = BackgroundLevel(grey);
    // Light text on a dark ground (dark themes, terminals) is turned over: the engine reads dark on light.
    if (ground < 128) {
        grey.invertPixels();
        ground = 255 - ground;
    }
    std::vector<int> runs = InkRuns(grey, ground);
    // Specks and rules (a run of one or two rows) are no text lines.
    std::erase_if(runs, [](int h) { return h < 4; });
    out.lineCount = int(runs.size());
    if (!runs.empty()) {
        std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
        out.lineHeight = runs[runs.size() / 2];
        // Lines of 14 px and more are read at their own size: the engine finds them well there,
        // and every enlargement softens the strokes, after which it reads some Chinese characters
        // and English capitals as their neighbours (缀 as 级, "were" as "Were").
        out.scale = out.lineHeight >= NativeLineHeight ? 1.0
                                                       : std::clamp(double(WantedLineHeight) / out.lineHeight, 1.0, 4.0);
    }
    const QSize scaled(int(std::lround(grey.width() * out.scale)), int(std::lround(grey.height() * out.scale)));
    if (out.scale != 1.0)
        grey = grey.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.grey = QImage(grey.width() + 2 * Margin, grey.height() + 2 * Margin, QImage::Format_Grayscale8);
    out.grey.fill(uchar(ground));
    for (int y = 0; y < grey.height(); ++y)
        std::copy_n(grey.constScanLine(y), grey.width(), out.grey.scanLine(y + Margin) + Margin);
    return out;
}

}  // namespace tiv
