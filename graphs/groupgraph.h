#pragma once
// The two statistics graphs of the group shown: learners per range of passed STEP, and
// learners per range of practice count.
//
// Painter convention as for drawPersonalGraph: a painter on the pane without a scale of its
// own and the pane's inner size in twips; the function scales to twips itself, clears the
// pane and restores the painter's state before it returns. No file is read.

#include "graphs/graphstate.h"

#include <QString>

class QPainter;

namespace qel {
struct GroupCollections;
}

namespace qel::graphs {

struct GroupGraphResult {
    // Heading above the pane and the status bar's first panel; both empty for a kind that
    // draws only the frame (then both are left as they are).
    QString heading;
    QString statusText;
};

// Kind 0: STEP statistics from collections.groupSteps; 1: practice-count statistics from
// collections.groupRunCounts; any other: the frame only. The list used is sorted ascending
// in place. `groupName` is the tree root's text ("全体", "英文", "かな/ローマ");
// `learnerCount` is the number of learner nodes in the tree, the root NOT counted (the
// status text's figure). Sets state.graphFamily to 2; reads state.statPercentile.
//
// An empty list draws the frame only, and the status text says 0.00 for the average.
GroupGraphResult drawGroupGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                const QString &groupName, int learnerCount,
                                GroupCollections &collections, GraphState &state);

// The heading and status text drawGroupGraph gives, without drawing: both empty for a kind
// without a graph. Sorts the list of that kind ascending in place, as the drawing does.
GroupGraphResult groupGraphTexts(int kind, const QString &groupName, int learnerCount,
                                 GroupCollections &collections);

// "<n>人 平均： <mean> STEP" and "<n>人、 平均： <mean> 回", the mean with two decimals.
QString stepStatusText(int learnerCount, double mean);
QString runStatusText(int learnerCount, double mean);

// Count above a bar: `padding` blanks and the count, cut to its last 5 characters, then "人".
QString countLabel(std::int64_t count, int padding);

} // namespace qel::graphs
