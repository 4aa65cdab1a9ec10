#pragma once
// Days and weeks out of a journal: runs, minutes, STEPs, mean SPM and mistype rate, and
// whether the viewer looked at the folder at all.
//
// What an interval added counts toward the local day on which it was seen. A look that comes
// after the folder went unwatched for a whole day or more may carry runs done on those days:
// the day it counts toward says from which day on (`carriedFrom`), and the days between show
// as not observed. No run is spread over days by guess. Weeks start on Monday (ISO 8601), as
// school weeks do.

#include "history/journalstore.h"
#include "records/wording.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <cstdint>
#include <optional>
#include <vector>

namespace qel::history {

enum class Period { Day, Week };

// The Monday of the week of `day`.
QDate weekStart(const QDate &day);
QDate localDate(qint64 msecs, const QTimeZone &zone);

struct PeriodFigures {
    QDate first;          // the day, or the week's Monday
    QDate last;           // the same day, or the week's Sunday
    int days = 0;         // days of the period up to the last day asked for
    int daysObserved = 0; // of those, days on which the folder was looked at
    std::int64_t runs = 0;
    std::int64_t seconds = 0; // practice time added
    std::int64_t steps = 0;   // STEPs passed
    // The runs whose SPM and mistype rate are known, and their sums.
    std::int64_t summedRuns = 0;
    std::int64_t spmSum = 0;
    std::int64_t mistypeSum = 0; // hundredths of a percent
    std::optional<int> stepReached;   // passed STEP at the end of the period, as last seen
    // Its runs may have been done from that day on, before the period began.
    std::optional<QDate> carriedFrom;

    bool observed() const { return daysObserved > 0; }
    std::optional<double> meanSpm() const;
    std::optional<double> mistypePercent() const;
};

// A file's figures per period, from the period of `first` to that of `last` (local days).
// `stretches` are the looks at the file's Course.
std::vector<PeriodFigures> periodFigures(const FileJournal &file, const std::vector<Stretch> &stretches,
                                         Period period, const QDate &first, const QDate &last,
                                         const QTimeZone &zone = QTimeZone::systemTimeZone());

// One record file's history for the learner's view, up to `today`: the days of the last
// `kShownDays` and the weeks since the file or its Course was first looked at.
struct LearnerHistory {
    static constexpr int kShownDays = 56;
    QString key;
    QString name;
    Course course = English;
    QDate today;
    std::vector<PeriodFigures> days;  // oldest first
    std::vector<PeriodFigures> weeks; // oldest first
    bool known() const { return !weeks.empty(); }
};
LearnerHistory learnerHistory(const FolderJournal &journal, const QString &key, const QDate &today,
                              const QTimeZone &zone = QTimeZone::systemTimeZone());

// A learner's (record file's) week, or the group's.
struct WeekFigures {
    std::int64_t runs = 0;
    std::int64_t seconds = 0;
    std::int64_t steps = 0;
    bool observed = false;
    std::optional<QDate> carriedFrom;
    // A record file's week: the file was watched from before the week began, so the figures
    // hold all the week added. A file first seen (or begun anew) within the week may have
    // had runs of that week before: its figures are then a part, of no use to a target.
    bool whole = false;
};

struct LearnerWeeks {
    QString key;
    QString name;
    Course course = English;
    WeekFigures thisWeek;
    WeekFigures lastWeek;
};

// "今週と先週": this week (Monday to today) against the whole week before, per record
// file and for the group.
struct WeekComparison {
    QDate today;
    QDate thisWeek; // Monday
    QDate lastWeek; // Monday
    std::vector<LearnerWeeks> learners; // in the order of the keys given
    WeekFigures groupThis;
    WeekFigures groupLast;
    int learnerCount = 0; // learners (names), both Courses counting once
    int activeThis = 0;   // learners with a run this week
    int activeLast = 0;
};
// For the record files `keys` of the group shown (names and Courses from the file names).
WeekComparison compareWeeks(const FolderJournal &journal, const QStringList &keys, const QDate &today,
                            const QTimeZone &zone = QTimeZone::systemTimeZone());
// Journal entries from this time on are enough for compareWeeks.
qint64 comparisonStart(const QDate &today, const QTimeZone &zone = QTimeZone::systemTimeZone());

// ---- texts, as the views, the printout and the CSV show them

// Minutes with one decimal: "12.5".
QString minutesText(std::int64_t seconds);
// "123.4"; empty when unknown.
QString spmText(const std::optional<double> &spm);
// Percent with two decimals: "2.50"; empty when unknown.
QString percentText(const std::optional<double> &percent);
// "2026/01/05", or for a week "2026/01/05～01/11".
QString periodText(const PeriodFigures &figures, Period period);
// "2026/01/05" and "01/05".
QString dateText(const QDate &date);
QString shortDateText(const QDate &date);
// "未観測", "01/03以降の分を含む", or empty. The CSV writes them in Japanese.
QString noteText(bool observed, const std::optional<QDate> &carriedFrom, Wording wording = Wording::Shown);
QString notObservedText(Wording wording = Wording::Shown);

} // namespace qel::history
