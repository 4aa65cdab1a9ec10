#include "graphs/graphdata.h"

#include "records/groupstats.h"
#include "records/loadedhistory.h"

#include <algorithm>

namespace qel::graphs {

PracticeTable practiceTable(const LoadedHistory &loaded)
{
    PracticeTable table;
    const PracticeHistory &history = loaded.history();
    const std::int64_t n = history.runCount();
    table.m_runCount = n;
    table.m_trend = history.trendLine();
    if (n < 2) {
        table.m_gap = PracticeGap::TooFewRuns;
        return table;
    }
    // The drawing goes on from the last run in the file to zero for the runs it lacks,
    // also when it was given no run (too many to keep).
    const std::int64_t inFile = history.runsInFile();
    if (inFile < n)
        table.m_tailFirst = inFile + 1;
    if (!loaded.runsKept()) {
        table.m_gap = PracticeGap::RunsNotKept;
        return table;
    }
    const std::span<const RunSample> runs = loaded.runs();
    table.m_runs = runs.first(std::size_t(std::min<std::int64_t>(std::int64_t(runs.size()), n)));
    return table;
}

std::int64_t PracticeTable::rowCount() const
{
    return std::int64_t(m_runs.size()) + (m_tailFirst > 0 ? 1 : 0);
}

PracticeRow PracticeTable::row(std::int64_t index) const
{
    if (index < std::int64_t(m_runs.size())) {
        const RunSample &run = m_runs[std::size_t(index)];
        return {index + 1, index + 1, run.spm, run.mistypeRate};
    }
    return {m_tailFirst, m_runCount, 0, 0};
}

std::vector<StepTime> stepTimeTable(const StepTimeTable &table)
{
    std::vector<StepTime> steps;
    const int bars = std::clamp(table.stepCount, 0, kStepRecords);
    steps.reserve(std::size_t(bars));
    for (int i = 1; i <= bars; ++i)
        steps.push_back({i, table.stepSeconds[std::size_t(i - 1)]});
    return steps;
}

std::vector<Bin> binTable(std::vector<std::int32_t> values, double percentile)
{
    if (values.empty())
        return {};
    const Histogram h = makeHistogram(values, percentile);
    std::vector<Bin> bins;
    bins.reserve(h.counts.size());
    const std::int64_t width = h.binWidth;
    for (std::size_t k = 0; k < h.counts.size(); ++k) {
        const std::int64_t from = std::int64_t(k) * width;
        const bool top = k + 1 == h.counts.size();
        bins.push_back({from, top ? std::nullopt : std::optional<std::int64_t>(from + width - 1), h.counts[k]});
    }
    return bins;
}

} // namespace qel::graphs
