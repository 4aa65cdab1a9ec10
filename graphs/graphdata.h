#pragma once
// What each graph draws, as a table: for whoever cannot see the picture, and to copy.
// Each table comes from the data its drawing takes, by the drawing's own rules, so the two
// never tell different stories. No table depends on the pane's size.

#include "records/practicehistory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qel {
class LoadedHistory;
}

namespace qel::graphs {

// One row of the practice graph's table: a run, or the runs a short file lacks (drawn as
// one straight line at zero), from firstRun to lastRun.
struct PracticeRow {
    std::int64_t firstRun = 0;
    std::int64_t lastRun = 0;
    int spm = 0;
    int mistypeRate = 0; // hundredths of a percent
};

// Why the practice graph draws no run; None when it draws them.
enum class PracticeGap { None, TooFewRuns, RunsNotKept };

// The practice graph's points, served row by row from the history without a copy: the
// table is a view and lives no longer than the LoadedHistory it was taken from.
class PracticeTable {
public:
    // The runs the stated count holds, 0 for a negative count.
    std::int64_t runCount() const { return m_runCount; }
    PracticeGap gap() const { return m_gap; }
    // From the third run on.
    const std::optional<TrendLine> &trend() const { return m_trend; }

    std::int64_t rowCount() const;
    PracticeRow row(std::int64_t index) const;

private:
    friend PracticeTable practiceTable(const LoadedHistory &loaded);
    std::span<const RunSample> m_runs; // runs 1.. as the file holds them
    std::int64_t m_tailFirst = 0;      // the zero runs a short file lacks; 0 when none
    std::int64_t m_runCount = 0;
    PracticeGap m_gap = PracticeGap::None;
    std::optional<TrendLine> m_trend;
};

PracticeTable practiceTable(const LoadedHistory &loaded);

// One bar of the practice-time graph.
struct StepTime {
    int step = 0;
    std::int64_t seconds = 0;
};

// STEP 1 to the current STEP, no more than the 200 the graph draws; none for a current
// STEP of 0 or less.
std::vector<StepTime> stepTimeTable(const StepTimeTable &table);

// One bar of a statistics graph: learners with a value from `from` to `to`; the top bar
// has no upper end.
struct Bin {
    std::int64_t from = 0;
    std::optional<std::int64_t> to;
    std::int64_t count = 0;
};

// The eleven bars drawn from a group's values with the drawing's reference value and bin
// width; none for an empty group, which the drawing leaves as the frame.
std::vector<Bin> binTable(std::vector<std::int32_t> values, double percentile);

} // namespace qel::graphs
