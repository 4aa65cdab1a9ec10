#include "history/journaltypes.h"

#include <QDateTime>

namespace qel::history {

Clock systemClock()
{
    return [] { return QDateTime::currentMSecsSinceEpoch(); };
}

std::optional<Observation> observationOf(const TableRow &row, qint64 seen)
{
    if (!row.readable)
        return std::nullopt;
    Observation o;
    o.key = row.key;
    o.runCount = row.runCount;
    o.totalSeconds = row.totalSeconds;
    o.passedStep = row.passedStep;
    o.bestSpm = row.bestSpm;
    o.recent = row.recent;
    // When the row was read is when its file stood so; a read time past `seen` comes from
    // another clock than the caller's and is not taken.
    o.seen = row.readAt > 0 && row.readAt <= seen ? row.readAt : seen;
    return o;
}

std::vector<Course> coursesOf(int group)
{
    switch (group) {
    case EnglishGroup:
        return {English};
    case KanaGroup:
        return {Kana};
    default:
        return {English, Kana};
    }
}

std::optional<Course> courseOfKey(const QString &key)
{
    const auto parsed = parseRecordFileName(key);
    if (!parsed)
        return std::nullopt;
    return parsed->course;
}

} // namespace qel::history
