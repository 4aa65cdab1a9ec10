#pragma once
// Table rows as a folder scan would give them, made in memory for the class board's tests:
// a learner's name and Course, when the file was last written, and its runs.

#include "records/learnertable.h"
#include "records/textformat.h"

#include <QDateTime>
#include <vector>

namespace qeltest {

struct BoardRun {
    int spm;
    int rate; // hundredths of a percent
};

inline qel::TableRow boardRow(const QString &name, const QDateTime &modified, const std::vector<BoardRun> &runs,
                              qel::Course course = qel::English)
{
    qel::TableRow row;
    row.name = name;
    row.key = qel::recordFileName(name, course);
    row.icon = qel::courseImage(course);
    row.cells[qel::CourseColumn] = qel::courseListText(course);
    row.runCount = std::int32_t(runs.size());
    qel::FileIdentity identity;
    identity.size = 4096;
    identity.modified = modified.toMSecsSinceEpoch() * 1000000;
    row.identity = identity;
    row.cells[qel::DateColumn] = qel::dateText(modified);
    const std::size_t kept = qel::RecentRuns::kKept;
    const std::size_t first = runs.size() > kept ? runs.size() - kept : 0;
    for (std::size_t i = first; i < runs.size(); ++i)
        row.recent.samples[std::size_t(row.recent.count++)] = {std::int16_t(runs[i].spm), std::int16_t(runs[i].rate)};
    row.recent.lastRun = std::int64_t(runs.size());
    return row;
}

inline std::vector<BoardRun> sameRuns(int count, BoardRun run)
{
    return std::vector<BoardRun>(std::size_t(count), run);
}

// Twelve rising runs that meet the default English targets (100 SPM, 5.0 %).
inline std::vector<BoardRun> goodRuns()
{
    std::vector<BoardRun> runs;
    for (int i = 0; i < 12; ++i)
        runs.push_back({110 + i, 300});
    return runs;
}

// A row whose file could not be read.
inline qel::TableRow unreadableRow(const QString &name)
{
    qel::TableRow row = boardRow(name, QDateTime::currentDateTime(), {});
    row.readable = false;
    row.identity.reset();
    row.error = QStringLiteral("Permission denied");
    for (int c = qel::StepColumn; c <= qel::DateColumn; ++c)
        row.cells[std::size_t(c)].clear();
    return row;
}

} // namespace qeltest
