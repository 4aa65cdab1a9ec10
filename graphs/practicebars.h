#pragma once
// A learner's practice per day or week as bars: runs or minutes. Time the viewer did not see
// is a grey band, not a bar of nought; a bar that may hold runs of earlier days nobody saw
// is hatched.
//
// Painter convention as for the pane's graphs: a painter without a scale of its own and the
// area's size in twips; the function scales to twips itself, clears the area and restores
// the painter's state before it returns. No file is read.

#include <QString>
#include <vector>

class QPainter;

namespace qel::graphs {

struct PracticeBar {
    QString label;        // under the bar: "11/16"
    double value = 0;     // runs or minutes
    bool observed = true; // false: the grey band
    bool carried = false; // hatched
};

// Height of one division for values up to `largest`: 1, 2 or 5 times a power of ten, so
// that five divisions or fewer hold it.
double barDivision(double largest);

// The bars, oldest left; as many of the newest as have room at least `kMinBarSlot` twips
// wide. `caption` names what they count ("練習回数", "練習時間(分)").
constexpr int kMinBarSlot = 240;
void drawPracticeBars(QPainter &painter, int widthTwips, int heightTwips, const std::vector<PracticeBar> &bars,
                      const QString &caption);

// The legend's texts.
QString notObservedLegend(); // "未観測"
QString carriedLegend();     // "前の日の分を含む"

} // namespace qel::graphs
