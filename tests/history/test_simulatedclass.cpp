// Two weeks of a class, run by run at known times: the journal's days and weeks equal what
// the class did, counted by the rule worked out here from the plan alone: a run counts
// toward the day of the first look after it, unless its file was reset between the look
// before it and that one.

#include "history/figures.h"
#include "history/journalstore.h"
#include "records/learnertable.h"
#include "samples/classsimulation.h"
#include "tests/support/testprint.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace qel;
using namespace qel::history;

namespace {

const QDate kFirstMonday(2026, 11, 16);

struct DayFigures {
    std::int64_t runs = 0, seconds = 0, steps = 0, spm = 0, mistype = 0;
    std::optional<QDate> carriedFrom;
};

class SimulatedClass : public ::testing::Test {
protected:
    void SetUp() override
    {
        plan = samples::planClass(kFirstMonday, 8, 7);
        folder = dir.filePath(QStringLiteral("RecordFolder"));
        JournalStore store(dir.filePath(QStringLiteral("history.db")));
        ASSERT_TRUE(samples::playClass(plan, folder, [&](qint64 at) {
            Batch batch{folder, AllGroup, at, {}};
            for (TableRow &row : makeView(folder, scanFolder(folder, AllGroup).nodes)) {
                row.readAt = 0; // the look's time is the simulated one
                if (auto o = observationOf(row, at))
                    batch.files.push_back(*o);
            }
            ASSERT_TRUE(store.record(batch));
        }));
        const auto read = store.read(folder);
        ASSERT_TRUE(read);
        journal = *read;
        expectFromPlan();
    }

    // What the class did, by the rule above.
    void expectFromPlan()
    {
        std::vector<qint64> looks;
        for (const samples::ClassEvent &e : plan.events)
            if (e.kind == samples::ClassEvent::Look)
                looks.push_back(e.at);
        for (qint64 look : looks)
            observedDays.insert(localDate(look, QTimeZone::systemTimeZone()));
        for (const samples::ClassEvent &e : plan.events) {
            if (e.kind != samples::ClassEvent::Practice)
                continue;
            const auto after = std::lower_bound(looks.begin(), looks.end(), e.at);
            if (after == looks.end())
                continue;
            const qint64 before = after == looks.begin() ? 0 : *(after - 1);
            const bool reset = std::any_of(plan.events.begin(), plan.events.end(), [&](const samples::ClassEvent &r) {
                return r.kind == samples::ClassEvent::Reset && r.file == e.file && r.at > before && r.at <= *after;
            });
            if (reset)
                continue;
            const QDate day = QDateTime::fromMSecsSinceEpoch(*after).date();
            DayFigures &d = expected[e.file][day];
            ++d.runs;
            d.seconds += e.seconds;
            d.steps += e.passes ? 1 : 0;
            d.spm += e.run.spm;
            d.mistype += e.run.mistypeRate;
            const QDate previous = QDateTime::fromMSecsSinceEpoch(before).date();
            if (before > 0 && previous.daysTo(day) > 1)
                d.carriedFrom = previous;
        }
    }

    QTemporaryDir dir;
    QString folder;
    samples::ClassPlan plan;
    FolderJournal journal;
    std::map<QString, std::map<QDate, DayFigures>> expected;
    std::set<QDate> observedDays;
};

TEST_F(SimulatedClass, DaysEqualWhatTheClassDid)
{
    ASSERT_EQ(journal.files.size(), plan.files.size());
    std::int64_t counted = 0;
    for (const QString &key : plan.files) {
        SCOPED_TRACE(key.toStdString());
        const FileJournal *file = journal.file(key);
        ASSERT_NE(file, nullptr);
        const Course course = *courseOfKey(key);
        const auto days = periodFigures(*file, journal.stretches[course], Period::Day, kFirstMonday,
                                        kFirstMonday.addDays(13));
        ASSERT_EQ(days.size(), 14u);
        for (const PeriodFigures &day : days) {
            SCOPED_TRACE(day.first.toString(Qt::ISODate).toStdString());
            const DayFigures x = expected[key][day.first];
            EXPECT_EQ(day.observed(), observedDays.count(day.first) > 0);
            EXPECT_EQ(day.runs, x.runs);
            EXPECT_EQ(day.seconds, x.seconds);
            EXPECT_EQ(day.steps, x.steps);
            EXPECT_EQ(day.summedRuns, x.runs);
            EXPECT_EQ(day.spmSum, x.spm);
            EXPECT_EQ(day.mistypeSum, x.mistype);
            EXPECT_EQ(day.carriedFrom, x.carriedFrom);
            counted += day.runs;
        }
    }
    // The plan has weekend practice carried into Monday, a day without the viewer carried
    // into Thursday, and a reset whose first look counts nothing.
    EXPECT_GT(counted, 100);
    EXPECT_EQ(observedDays.size(), 9u);
    bool carried = false;
    for (const auto &[key, days] : expected)
        for (const auto &[day, figures] : days)
            carried = carried || (figures.carriedFrom && day.dayOfWeek() == 1);
    EXPECT_TRUE(carried);
}

TEST_F(SimulatedClass, WeeksAddUpTheirDays)
{
    for (const QString &key : plan.files) {
        SCOPED_TRACE(key.toStdString());
        const FileJournal *file = journal.file(key);
        ASSERT_NE(file, nullptr);
        const auto weeks = periodFigures(*file, journal.stretches[*courseOfKey(key)], Period::Week, kFirstMonday,
                                         kFirstMonday.addDays(13));
        ASSERT_EQ(weeks.size(), 2u);
        for (int w = 0; w < 2; ++w) {
            DayFigures sum;
            const QDate monday = kFirstMonday.addDays(7 * w);
            for (const auto &[day, figures] : expected[key]) {
                if (weekStart(day) != monday)
                    continue;
                sum.runs += figures.runs;
                sum.seconds += figures.seconds;
                sum.spm += figures.spm;
                sum.mistype += figures.mistype;
                // Only runs that may come from before the week make its count unsure.
                if (figures.carriedFrom && *figures.carriedFrom < monday
                    && (!sum.carriedFrom || *figures.carriedFrom < *sum.carriedFrom))
                    sum.carriedFrom = figures.carriedFrom;
            }
            EXPECT_EQ(weeks[w].carriedFrom, sum.carriedFrom);
            EXPECT_EQ(weeks[w].runs, sum.runs);
            EXPECT_EQ(weeks[w].seconds, sum.seconds);
            EXPECT_EQ(weeks[w].daysObserved, w == 0 ? 5 : 4);
            if (sum.runs > 0) {
                EXPECT_DOUBLE_EQ(*weeks[w].meanSpm(), double(sum.spm) / double(sum.runs));
                EXPECT_DOUBLE_EQ(*weeks[w].mistypePercent(), double(sum.mistype) / double(sum.runs) / 100.0);
            }
        }
    }
}

// The group's two weeks, seen on the second Sunday and on the second Wednesday.
TEST_F(SimulatedClass, ThisWeekAgainstLastWeek)
{
    // A learner whose file came after the last look has no journal: seen weeks, no runs.
    const QStringList keys = QStringList(plan.files.begin(), plan.files.end()) << QStringLiteral("Zed_Qele.dat");
    for (int today : {13, 9}) {
        SCOPED_TRACE(today);
        const QDate day = kFirstMonday.addDays(today);
        const WeekComparison c = compareWeeks(journal, keys, day);
        ASSERT_EQ(c.learners.size(), plan.files.size() + 1);
        EXPECT_EQ(c.thisWeek, kFirstMonday.addDays(7));
        EXPECT_EQ(c.learners.back().name, QStringLiteral("Zed"));
        EXPECT_TRUE(c.learners.back().thisWeek.observed);
        std::int64_t groupThis = 0, groupLast = 0;
        std::set<QString> activeThis, activeLast;
        for (const LearnerWeeks &l : c.learners) {
            std::int64_t thisWeek = 0, lastWeek = 0, stepsThis = 0;
            for (const auto &[d, figures] : expected[l.key]) {
                if (d >= kFirstMonday.addDays(7) && d <= day) {
                    thisWeek += figures.runs;
                    stepsThis += figures.steps;
                } else if (d < kFirstMonday.addDays(7)) {
                    lastWeek += figures.runs;
                }
            }
            EXPECT_EQ(l.thisWeek.runs, thisWeek) << l.key.toStdString();
            EXPECT_EQ(l.lastWeek.runs, lastWeek) << l.key.toStdString();
            EXPECT_EQ(l.thisWeek.steps, stepsThis) << l.key.toStdString();
            groupThis += thisWeek;
            groupLast += lastWeek;
            if (thisWeek > 0)
                activeThis.insert(l.name);
            if (lastWeek > 0)
                activeLast.insert(l.name);
        }
        EXPECT_EQ(c.groupThis.runs, groupThis);
        EXPECT_EQ(c.groupLast.runs, groupLast);
        EXPECT_EQ(c.activeThis, int(activeThis.size()));
        EXPECT_EQ(c.activeLast, int(activeLast.size()));
        EXPECT_EQ(c.learnerCount, 9); // both Courses of a learner count once
    }
}

} // namespace
