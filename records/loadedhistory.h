#pragma once
// A record file read once and kept: its figures and its runs in memory, so that a drawing
// can be made again (a repaint, a preview page) without opening the file.

#include "records/learnersummary.h"
#include "records/practicehistory.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace qel {

class LoadedHistory {
public:
    // More runs than this (64 MiB of them) are not kept: only a damaged file claims so many.
    static constexpr std::int64_t kKeptRuns = std::int64_t(1) << 24;

    // Reads the whole file; nothing when PracticeHistory::read gives nothing.
    static std::optional<LoadedHistory> read(const QString &path, QString *error = nullptr, bool *missing = nullptr);

    const PracticeHistory &history() const { return m_history; }
    // False when the file held more runs than are kept: a replay then visits none.
    bool runsKept() const { return m_runsKept; }
    // The runs kept, run 1 first; none when they were not kept.
    std::span<const RunSample> runs() const { return m_runs; }
    // What a read of the file would show a visitor: the header, then the runs in the file
    // in chunks, in order.
    void replay(RunVisitor &visitor) const;

private:
    friend class RunKeeper;
    LoadedHistory() = default;
    PracticeHistory m_history;
    std::vector<RunSample> m_runs;
    bool m_runsKept = true;
};

// Collects the runs of a walk for a LoadedHistory; passes them on to `next` as well.
class RunKeeper : public RunVisitor {
public:
    explicit RunKeeper(RunVisitor *next = nullptr) : m_next(next) {}
    void begin(const PracticeHistory &header) override;
    void runs(std::int64_t first, std::span<const RunSample> samples) override;
    // The walk's result with the runs collected; nothing for nothing.
    std::optional<LoadedHistory> take(std::optional<PracticeHistory> history);

private:
    RunVisitor *m_next = nullptr;
    std::vector<RunSample> m_runs;
    bool m_tooMany = false;
};

// One learner as the personal page and the properties show it: the summary texts and both
// Courses' files kept (none for a file missing or unreadable).
struct LearnerRecord {
    QString name;
    LearnerSummary summary;
    std::array<std::optional<LoadedHistory>, 2> courses;
};

LearnerRecord loadLearnerRecord(const QString &folder, const QString &name);

} // namespace qel
