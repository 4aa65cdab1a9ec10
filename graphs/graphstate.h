#pragma once
// What the graph pane shows and the scales of its last drawing; lives as long as the main window.

#include <cstdint>

namespace qel::graphs {

enum GraphFamily : std::int16_t { NoGraph = 0, PersonalFamily = 1, GroupFamily = 2 };
enum PersonalGraphKind : std::int16_t { PracticeGraph = 0, TimeGraph = 1 };
enum GroupGraphKind : std::int16_t { StepStatistics = 0, RunStatistics = 1 };

struct GraphState {
    // 1 while a personal graph is shown, 2 while a group graph is; set by the drawing itself.
    std::int16_t graphFamily = NoGraph;
    std::int16_t personalGraphKind = PracticeGraph;
    std::int16_t groupGraphKind = StepStatistics;
    // The learner pop-up menu was opened from the tree (false: from the list).
    bool popupFromTree = false;
    // SPM of one grid division of the practice graph.
    std::int32_t spmPerDivision = 10;
    // Runs per 1000 twips of the practice graph's horizontal axis. Wider than the trainer's
    // 16-bit figures: a long history divided over a few columns exceeds 32767.
    std::int64_t runsPerColumn = 1;
    // Position of the reference value in a sorted group list, as a fraction of it.
    double statPercentile = 0.95;

    // What selecting a learner node does before it draws.
    void resetPersonalScales()
    {
        runsPerColumn = 1;
        spmPerDivision = 10;
    }
};

} // namespace qel::graphs
