#pragma once
// Scale rules shared by the pane graphs and their printouts.

#include <QString>
#include <cstdint>

namespace qel::graphs {

// SPM per grid division from the best SPM: best / 10 rounded (halves to even); below 10
// gives 10, else the next multiple of 10 at or above it.
int spmPerDivision(int bestSpm);

// Horizontal axis of the practice graph: columns of 1000 twips, each standing for
// runsPerColumn runs, so that all runs fit.
struct RunAxis {
    int columns = 0;        // ticks; 0 when the plot has no width at all
    int columnWidth = 1000; // twips; a plot narrower than one column makes one column of its width
    std::int64_t runsPerColumn = 1;
    // Offset of run k from the left axis: (columnWidth * k) \ runsPerColumn.
    std::int64_t offset(std::int64_t run) const;
};
RunAxis runAxisFor(int plotWidth, std::int64_t runs);

// Learners per grid division of a statistics graph from the largest bin count:
// 1 up to 10, 10 up to 100, and ((m - 1) \ 100) * 10 + 10 from 101 on, so that the axis
// ends at 10, 100 or a multiple of 100 above the largest bar.
std::int64_t peoplePerDivision(std::int64_t largestCount);

// Practice-time axis chosen from the longest time at a STEP.
struct TimeAxis {
    std::int64_t secondsPerDivision = 60;
    QString caption; // "分" or "時間"
    // Label of grid line i (0..10).
    std::int64_t label(int i) const;
};
TimeAxis timeAxisFor(std::int64_t longestSeconds);

} // namespace qel::graphs
