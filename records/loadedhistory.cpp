#include "records/loadedhistory.h"

#include <algorithm>

namespace qel {

void RunKeeper::begin(const PracticeHistory &header)
{
    // The stated count may be far more than the file holds: the runs that come decide.
    m_tooMany = false;
    m_runs.reserve(std::size_t(std::clamp<std::int64_t>(header.runCount(), 0, 16384)));
    if (m_next)
        m_next->begin(header);
}

void RunKeeper::runs(std::int64_t first, std::span<const RunSample> samples)
{
    if (!m_tooMany && std::int64_t(m_runs.size() + samples.size()) > LoadedHistory::kKeptRuns)
        m_tooMany = true;
    if (m_tooMany)
        std::vector<RunSample>().swap(m_runs);
    else
        m_runs.insert(m_runs.end(), samples.begin(), samples.end());
    if (m_next)
        m_next->runs(first, samples);
}

std::optional<LoadedHistory> RunKeeper::take(std::optional<PracticeHistory> history)
{
    if (!history)
        return std::nullopt;
    LoadedHistory loaded;
    loaded.m_history = std::move(*history);
    loaded.m_runsKept = !m_tooMany;
    if (!m_tooMany)
        loaded.m_runs = std::move(m_runs);
    m_runs = {};
    m_tooMany = false;
    return loaded;
}

std::optional<LoadedHistory> LoadedHistory::read(const QString &path, QString *error, bool *missing)
{
    RunKeeper keeper;
    return keeper.take(PracticeHistory::read(path, &keeper, error, missing));
}

void LoadedHistory::replay(RunVisitor &visitor) const
{
    visitor.begin(m_history.headerOnly());
    if (!m_runsKept)
        return;
    // The chunks of a read, so that a drawing sees exactly what it would from the file.
    constexpr std::size_t kChunk = 16384;
    for (std::size_t at = 0; at < m_runs.size(); at += kChunk) {
        const std::size_t count = std::min(kChunk, m_runs.size() - at);
        visitor.runs(std::int64_t(at) + 1, std::span<const RunSample>(m_runs.data() + at, count));
    }
}

LearnerRecord loadLearnerRecord(const QString &folder, const QString &name)
{
    LearnerRecord record;
    record.name = name;
    std::array<RunKeeper, 2> keepers;
    std::array<std::optional<PracticeHistory>, 2> histories;
    record.summary = readSummary(folder, name, {&keepers[English], &keepers[Kana]}, &histories);
    for (Course course : {English, Kana})
        record.courses[course] = keepers[course].take(std::move(histories[course]));
    return record;
}

} // namespace qel
