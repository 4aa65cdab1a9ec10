#pragma once
// What the journal keeps: a record file's totals each time a look at the folder found them
// changed, and the stretches of time in which the folder was looked at. A record file holds
// no dates; its runs are only ever appended, so whoever looks at it over time learns when
// they happened.
//
// Times are milliseconds since 1970, UTC; days and weeks are taken in local time when the
// figures are made.

#include "records/learnersummary.h"
#include "records/learnertable.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace qel::history {

// Now, in milliseconds since 1970 (UTC). Tests put their own.
using Clock = std::function<qint64()>;
Clock systemClock();

// A record file as one look found it.
struct Observation {
    QString key;       // record file name
    std::int32_t runCount = 0;
    std::int32_t totalSeconds = 0;
    int passedStep = 0;
    int bestSpm = 0;
    RecentRuns recent; // the newest runs read with it
    qint64 seen = 0;   // when the file was read
};

// The observation of a row the table read; nothing for a row whose file could not be read.
// The row's own read time counts when it is known and not later than `seen`.
std::optional<Observation> observationOf(const TableRow &row, qint64 seen);

// The Courses a group's look covers: English and Kana for all learners.
std::vector<Course> coursesOf(int group);
// The Course of a record file name; nothing for another name.
std::optional<Course> courseOfKey(const QString &key);

// One look at a folder: the record files of a group as they stood. A file of the group that
// is not among `files` is taken as unchanged since it was last seen (a refresh hands over
// only what it read again).
struct Batch {
    QString folder;       // the record folder as the caller names it
    int group = AllGroup;
    qint64 seen = 0;      // when the look ended
    std::vector<Observation> files;
};

// One row of a record file's journal.
struct Entry {
    qint64 seen = 0;
    // The look at the folder before this one (0: none). What changed since happened between
    // `since` and `seen`.
    qint64 since = 0;
    int series = 0; // a file whose run count went down starts a new series
    std::int32_t runCount = 0;
    std::int32_t totalSeconds = 0;
    int passedStep = 0;
    int bestSpm = 0;
    // What the interval since the row before added; nothing on the first row of a series,
    // whose runs were done at a time no look saw.
    struct Interval {
        std::int64_t runs = 0;
        std::int64_t seconds = 0;
        std::int64_t steps = 0; // STEPs passed
        // Sums over the new runs (mistype rate in hundredths of a percent); nothing when the
        // runs could not be read back.
        std::optional<std::int64_t> spmSum;
        std::optional<std::int64_t> mistypeSum;
    };
    std::optional<Interval> interval;
};

// The folder was looked at, for one Course, from `first` to `last`.
struct Stretch {
    qint64 first = 0;
    qint64 last = 0;
    bool operator==(const Stretch &) const = default;
};

// Looks closer together than this make one stretch: the viewer marks a folder it follows
// at least this often.
constexpr qint64 kStretchGapMSecs = 10 * 60 * 1000;

// A record file's journal with the looks at its Course.
struct FileJournal {
    QString key;
    std::vector<Entry> entries;    // oldest first
    std::vector<Stretch> stretches; // oldest first
};

} // namespace qel::history
