#pragma once
// The two graphs of one learner in one Course: the practice graph (SPM and mistype rate per
// run, with the SPM trend line) and the practice-time graph (time per STEP).
//
// Painter convention: pass a painter on the pane as it comes (no scale of your own) and the
// pane's inner size in twips (pixels * 1440 / the device's logical dpi). The function scales
// the painter to twips itself, clears the whole pane, draws, and restores the painter's state
// before it returns.
//
// The learner's record file comes read (a LoadedHistory: the window's folder session loads
// it away from the window's thread); nothing for a file that could not be read gives the
// empty frame (background, grid, horizontal axis) without a message. A file read part-way
// is no LoadedHistory, so a half-read history is never drawn.

#include "graphs/graphstate.h"
#include "graphs/runline.h"

#include <QString>

namespace qel {
class LoadedHistory;
}

class QPainter;

namespace qel::graphs {

// What the graph takes from the learner's list row, as the table build fills it.
struct PersonalGraphRow {
    QString name;       // row text
    QString courseText; // column "モード": "英文" or "かな/ﾛｰﾏ"
    QString bestSpm;    // column "最高SPM", padded as in the list
};

struct PersonalGraphResult {
    // Text for the heading above the pane, also when the file could not be read; empty for
    // a kind that draws only the frame (then the heading is left as it is).
    QString heading;
    bool fileRead = false; // false: the file could not be read to its end
};

// How the practice graph's data lines go out; Merged reduces runs that share a device
// pixel column (see RunLine) and is what every surface uses. EverySegment is the plain
// segment-by-segment drawing, kept for comparison.
enum class RunLines { Merged, EverySegment };

// Kind 0: practice graph; 1: practice-time graph; any other: the frame only.
// Sets state.graphFamily to 1; the practice graph also sets spmPerDivision and runsPerColumn.
//
// A pane narrower than 2200 twips has no room for a 1000-twip column: the practice graph then
// makes one column of the plot's width (no column at all when the plot has no width, and
// then draws no runs). A practice-time graph with more STEPs than the plot has twips gets
// slots of width 0; no bar and no STEP number is drawn then.
PersonalGraphResult drawPersonalGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                      const PersonalGraphRow &row, const LoadedHistory *loaded,
                                      GraphState &state, RunLines lines = RunLines::Merged);
// The same, reading the record file at `recordPath` first (the command-line tool).
PersonalGraphResult drawPersonalGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                      const PersonalGraphRow &row, const QString &recordPath,
                                      GraphState &state, RunLines lines = RunLines::Merged);

// Headings of the two kinds: "<name>さんの <course> 練習記録グラフです。" and "… 練習時間グラフです。".
QString practiceHeading(const PersonalGraphRow &row);
QString timeHeading(const PersonalGraphRow &row);

} // namespace qel::graphs
