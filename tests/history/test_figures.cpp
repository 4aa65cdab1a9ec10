#include "history/figures.h"
#include "tests/support/testprint.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::history;

namespace {

qint64 at(const QDate &day, int hour, int minute = 0)
{
    return QDateTime(day, QTime(hour, minute)).toMSecsSinceEpoch();
}

// A week worked out by hand: looks on Monday, Tuesday and Friday only.
TEST(Figures, DaysAndWeeksTellNoPracticeFromNotObserved)
{
    const QDate mon(2026, 11, 16);
    const QDate tue = mon.addDays(1), fri = mon.addDays(4);
    FileJournal file;
    file.key = QStringLiteral("taro_Qele.dat");
    const auto entry = [](qint64 seen, qint64 since, int runs, int step, std::optional<Entry::Interval> in) {
        Entry e;
        e.seen = seen;
        e.since = since;
        e.runCount = runs;
        e.passedStep = step;
        e.interval = in;
        return e;
    };
    file.entries = {
        entry(at(mon, 9), 0, 10, 2, std::nullopt),
        entry(at(mon, 10), at(mon, 9, 45), 13, 3, Entry::Interval{3, 300, 1, 300, 600}),
        // Seen the next morning: the evening before was watched, nothing is carried.
        entry(at(tue, 9), at(mon, 12), 15, 3, Entry::Interval{2, 200, 0, std::nullopt, std::nullopt}),
        // Seen on Friday after two days unwatched: may hold runs from Tuesday on.
        entry(at(fri, 10, 30), at(tue, 9), 19, 3, Entry::Interval{4, 500, 0, 440, 1000}),
    };
    const std::vector<Stretch> stretches = {{at(mon, 9), at(mon, 12)}, {at(tue, 9), at(tue, 9)}, {at(fri, 10), at(fri, 11)}};

    struct Day {
        bool observed;
        std::int64_t runs, seconds, steps;
        std::optional<double> mean;
        std::optional<int> stepReached;
        std::optional<QDate> carriedFrom;
    };
    const Day expected[7] = {
        {true, 3, 300, 1, 100.0, 3, std::nullopt},
        {true, 2, 200, 0, std::nullopt, 3, std::nullopt},
        {false, 0, 0, 0, std::nullopt, 3, std::nullopt},
        {false, 0, 0, 0, std::nullopt, 3, std::nullopt},
        {true, 4, 500, 0, 110.0, 3, tue},
        {false, 0, 0, 0, std::nullopt, 3, std::nullopt},
        {false, 0, 0, 0, std::nullopt, 3, std::nullopt},
    };
    const auto days = periodFigures(file, stretches, Period::Day, mon, mon.addDays(6));
    ASSERT_EQ(days.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(days[i].first, mon.addDays(i));
        EXPECT_EQ(days[i].observed(), expected[i].observed);
        EXPECT_EQ(days[i].runs, expected[i].runs);
        EXPECT_EQ(days[i].seconds, expected[i].seconds);
        EXPECT_EQ(days[i].steps, expected[i].steps);
        EXPECT_EQ(days[i].meanSpm(), expected[i].mean);
        EXPECT_EQ(days[i].stepReached, expected[i].stepReached);
        EXPECT_EQ(days[i].carriedFrom, expected[i].carriedFrom);
    }
    EXPECT_EQ(days[0].mistypePercent(), 2.0);

    // The week up to Thursday, and the whole of it.
    const auto partWeek = periodFigures(file, stretches, Period::Week, mon, mon.addDays(3));
    ASSERT_EQ(partWeek.size(), 1u);
    EXPECT_EQ(partWeek[0].days, 4);
    EXPECT_EQ(partWeek[0].daysObserved, 2);
    EXPECT_EQ(partWeek[0].runs, 5);
    const auto week = periodFigures(file, stretches, Period::Week, mon, mon.addDays(6));
    ASSERT_EQ(week.size(), 1u);
    EXPECT_EQ(week[0].days, 7);
    EXPECT_EQ(week[0].daysObserved, 3);
    EXPECT_EQ(week[0].runs, 9);
    EXPECT_EQ(week[0].seconds, 1000);
    EXPECT_EQ(week[0].summedRuns, 7); // Tuesday's two runs could not be read back
    EXPECT_NEAR(*week[0].meanSpm(), 740.0 / 7.0, 1e-9);
    EXPECT_FALSE(week[0].carriedFrom); // Tuesday lies in the week: the week's count is sure
    EXPECT_EQ(week[0].stepReached, 3);

    // A week before the first look knows nothing; the STEP seen before a range stands in it.
    const auto earlier = periodFigures(file, stretches, Period::Week, mon.addDays(-7), mon.addDays(-1));
    ASSERT_EQ(earlier.size(), 1u);
    EXPECT_FALSE(earlier[0].observed());
    EXPECT_FALSE(earlier[0].stepReached);
    const auto nextWeek = periodFigures(file, stretches, Period::Day, mon.addDays(7), mon.addDays(7));
    ASSERT_EQ(nextWeek.size(), 1u);
    EXPECT_EQ(nextWeek[0].stepReached, 3);
}

// A record file's week is whole when the journal watched the file through it: what it
// added then is all the week's practice, and a weekly target can be measured on it.
TEST(Figures, WeeksAreWholeOnlyWhenTheFileWasWatchedThroughThem)
{
    const QDate lastMonday(2026, 11, 16), thisMonday = lastMonday.addDays(7), today = thisMonday.addDays(3);
    // A row of the file's journal: seen when, in which series, with what it added or none.
    const auto row = [](const QDate &day, int series, bool added) {
        Entry e;
        e.seen = at(day, 10);
        e.series = series;
        if (added)
            e.interval = Entry::Interval{1, 60, 0, std::nullopt, std::nullopt};
        return e;
    };
    const struct {
        const char *name;
        std::vector<Entry> rows; // none: no journal of the file
        bool lookedLastWeek, lastWhole, thisWhole;
    } cases[] = {
        {"changes only", {row(lastMonday, 0, true), row(thisMonday, 0, true)}, true, true, true},
        {"first seen before", {row(lastMonday.addDays(-3), 0, false)}, true, true, true},
        {"first seen last week", {row(lastMonday.addDays(2), 0, false)}, true, false, true},
        {"first seen this week", {row(thisMonday.addDays(1), 0, false)}, true, false, false},
        {"begun anew this week", {row(lastMonday, 0, true), row(thisMonday.addDays(1), 1, false)}, true, true, false},
        {"last week not looked at", {row(thisMonday, 0, true)}, false, false, true},
        {"no journal", {}, true, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FolderJournal journal;
        if (!c.rows.empty()) {
            journal.files.emplace_back();
            journal.files.back().key = QStringLiteral("taro_Qele.dat");
            journal.files.back().entries = c.rows;
        }
        if (c.lookedLastWeek)
            journal.stretches[English].push_back({at(lastMonday, 9), at(lastMonday.addDays(4), 12)});
        journal.stretches[English].push_back({at(thisMonday, 9), at(today, 12)});
        const WeekComparison weeks = compareWeeks(journal, {QStringLiteral("taro_Qele.dat")}, today);
        EXPECT_EQ(weeks.learners.at(0).lastWeek.whole, c.lastWhole);
        EXPECT_EQ(weeks.learners.at(0).thisWeek.whole, c.thisWhole);
    }
}

} // namespace
