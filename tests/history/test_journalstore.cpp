#include "history/figures.h"
#include "history/journalstore.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/history/historytestsupport.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/readcounter.h"
#include "tests/support/testprint.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::history;
using namespace qeltest;

namespace {

const qint64 kStart = QDateTime(QDate(2026, 11, 16), QTime(9, 0)).toMSecsSinceEpoch();
const QString kTaro = QStringLiteral("taro_Qele.dat");

struct ExpectedRow {
    int series;
    int runs, seconds, step;
    bool interval;
    std::int64_t newRuns = 0, newSeconds = 0, newSteps = 0;
    std::optional<std::int64_t> spmSum, mistypeSum;
};

class StoreTest : public ::testing::Test {
protected:
    QString dbPath() const { return dir.filePath(QStringLiteral("data/history.db")); }
    QString folder() const { return dir.filePath(QStringLiteral("RecordFolder")); }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(folder())); }

    QTemporaryDir dir;
};

// One file through every kind of change a look can find, in order.
TEST_F(StoreTest, EachChangeAddsOneRowAndAnIntervalIsNeverNegative)
{
    struct Look {
        const char *what;
        Observation seen;
        std::optional<ExpectedRow> row; // nothing: the look adds no row
    };
    const Look looks[] = {
        {"first sight: a row without an interval", observation(kTaro, 10, 600, 3, 100, kStart, {{90, 100}}),
         ExpectedRow{0, 10, 600, 3, false, 0, 0, 0, {}, {}}},
        {"nothing changed", observation(kTaro, 10, 600, 3, 100, kStart + kMinute), std::nullopt},
        {"three runs, their sums from the newest runs the table kept",
         observation(kTaro, 13, 780, 3, 120, kStart + 2 * kMinute, {{1, 1}, {100, 200}, {110, 300}, {120, 400}}),
         ExpectedRow{0, 13, 780, 3, true, 3, 180, 0, 330, 900}},
        {"a STEP passed without a run", observation(kTaro, 13, 780, 4, 120, kStart + 3 * kMinute),
         ExpectedRow{0, 13, 780, 4, true, 0, 0, 1, 0, 0}},
        {"fewer runs: a new series", observation(kTaro, 5, 200, 1, 90, kStart + 4 * kMinute),
         ExpectedRow{1, 5, 200, 1, false, 0, 0, 0, {}, {}}},
        {"less time with as many runs: a new series too", observation(kTaro, 5, 100, 1, 90, kStart + 5 * kMinute),
         ExpectedRow{2, 5, 100, 1, false, 0, 0, 0, {}, {}}},
        {"read before the stored row: dropped", observation(kTaro, 6, 160, 1, 90, kStart + 4 * kMinute),
         std::nullopt},
        {"a STEP lower without fewer runs gains none",
         observation(kTaro, 7, 220, 0, 90, kStart + 6 * kMinute, {{50, 10}, {60, 20}}),
         ExpectedRow{2, 7, 220, 0, true, 2, 120, 0, 110, 30}},
    };
    JournalStore store(dbPath());
    std::vector<ExpectedRow> expected;
    for (const Look &look : looks) {
        SCOPED_TRACE(look.what);
        ASSERT_TRUE(store.record(batch(folder(), look.seen.seen, {look.seen})));
        if (look.row)
            expected.push_back(*look.row);
        const auto journal = store.read(folder());
        ASSERT_TRUE(journal);
        const FileJournal *file = journal->file(kTaro);
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(file->entries.size(), expected.size());
        const Entry &e = file->entries.back();
        const ExpectedRow &x = expected.back();
        EXPECT_EQ(e.series, x.series);
        EXPECT_EQ(e.runCount, x.runs);
        EXPECT_EQ(e.totalSeconds, x.seconds);
        EXPECT_EQ(e.passedStep, x.step);
        ASSERT_EQ(e.interval.has_value(), x.interval);
        if (x.interval) {
            EXPECT_EQ(e.interval->runs, x.newRuns);
            EXPECT_EQ(e.interval->seconds, x.newSeconds);
            EXPECT_EQ(e.interval->steps, x.newSteps);
            EXPECT_EQ(e.interval->spmSum, x.spmSum);
            EXPECT_EQ(e.interval->mistypeSum, x.mistypeSum);
        }
    }
}

// When the new runs reach back past what the table kept, they are read from the file; a
// file reset since holds no such runs, and the sums stay unknown rather than wrong.
TEST_F(StoreTest, NewRunsBeyondTheKeptOnesAreReadFromTheFile)
{
    samples::RecordContent content;
    for (int k = 1; k <= 50; ++k)
        content.runs.push_back({std::int16_t(100 + k), std::int16_t(10 * k)});
    content.totalSeconds = 5000;
    const QString path = recordFolderPath(folder(), kTaro);
    ASSERT_TRUE(samples::writeFile(path, samples::recordBytes(content)));
    const TableRow row = rowForNode(folder(), {kTaro, QStringLiteral("taro"), 4});
    ASSERT_EQ(row.recent.count, RecentRuns::kKept);

    struct Case {
        const char *what;
        int storedRuns;      // the row before
        bool resetMeanwhile; // the file holds fewer runs than the row says when it is read back
        bool readsFile;
        std::optional<std::int64_t> spmSum, mistypeSum;
    };
    const auto spmOf = [](int from, int to) { std::int64_t s = 0; for (int k = from; k <= to; ++k) s += 100 + k; return s; };
    const auto misOf = [](int from, int to) { std::int64_t s = 0; for (int k = from; k <= to; ++k) s += 10 * k; return s; };
    const Case cases[] = {
        {"runs 41 to 50 are among those kept", 40, false, false, spmOf(41, 50), misOf(41, 50)},
        {"runs 11 to 50 are not", 10, false, true, spmOf(11, 50), misOf(11, 50)},
        {"the file was reset before it could be read back", 10, true, true, std::nullopt, std::nullopt},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString where = folder() + QStringLiteral("/case%1").arg(++n);
        ASSERT_TRUE(QDir().mkpath(where));
        ASSERT_TRUE(samples::writeFile(recordFolderPath(where, kTaro), samples::recordBytes(content)));
        JournalStore store(dir.filePath(QStringLiteral("case%1.db").arg(n)));
        ASSERT_TRUE(store.record(batch(where, kStart, {observation(kTaro, c.storedRuns, 1000, 0, 100, kStart)})));
        if (c.resetMeanwhile) {
            samples::RecordContent shorter = content;
            shorter.runs.resize(30);
            ASSERT_TRUE(samples::writeFile(recordFolderPath(where, kTaro), samples::recordBytes(shorter)));
        }
        const auto o = observationOf(row, kStart + kMinute);
        ASSERT_TRUE(o);
        ReadCounter reads;
        ASSERT_TRUE(store.record(batch(where, kStart + kMinute, {*o})));
        EXPECT_EQ(reads.opens.count(recordFolderPath(where, kTaro)) > 0, c.readsFile);
        const auto journal = store.read(where);
        ASSERT_TRUE(journal && journal->file(kTaro));
        const Entry &e = journal->file(kTaro)->entries.back();
        ASSERT_TRUE(e.interval);
        EXPECT_EQ(e.interval->runs, 50 - c.storedRuns);
        EXPECT_EQ(e.interval->spmSum, c.spmSum);
        EXPECT_EQ(e.interval->mistypeSum, c.mistypeSum);
    }
}

// Looks closer than the gap make one stretch per Course; each row knows the look before it.
TEST_F(StoreTest, LooksMakeStretchesPerCourseAndRowsKnowTheLookBefore)
{
    JournalStore store(dbPath());
    const QString hanako = QStringLiteral("hanako_Qelk.dat");
    ASSERT_TRUE(store.record(batch(folder(), kStart, {observation(kTaro, 1, 60, 0, 80, kStart)})));
    ASSERT_TRUE(store.sight(folder(), AllGroup, kStart + 5 * kMinute));
    ASSERT_TRUE(store.sight(folder(), EnglishGroup, kStart + 14 * kMinute));
    // Past the gap: a new stretch, for English only.
    ASSERT_TRUE(store.record(batch(folder(), kStart + kHour, {observation(kTaro, 2, 120, 0, 80, kStart + kHour)},
                                   EnglishGroup)));
    ASSERT_TRUE(store.record(batch(folder(), kStart + kHour + 9 * kMinute,
                                   {observation(hanako, 4, 60, 0, 80, kStart + kHour + 9 * kMinute)}, KanaGroup)));
    const auto journal = store.read(folder());
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal->stretches[English],
              (std::vector<Stretch>{{kStart, kStart + 14 * kMinute}, {kStart + kHour, kStart + kHour}}));
    EXPECT_EQ(journal->stretches[Kana],
              (std::vector<Stretch>{{kStart, kStart + 5 * kMinute}, {kStart + kHour + 9 * kMinute, kStart + kHour + 9 * kMinute}}));
    const FileJournal *taro = journal->file(kTaro);
    ASSERT_TRUE(taro && taro->entries.size() == 2);
    EXPECT_EQ(taro->entries[0].since, 0);
    EXPECT_EQ(taro->entries[1].since, kStart + 14 * kMinute);
    ASSERT_TRUE(journal->file(hanako));
    EXPECT_EQ(journal->file(hanako)->entries[0].since, kStart + 5 * kMinute);

    // Reading from a time on leaves out what ended before it.
    const auto later = store.read(folder(), {kTaro}, kStart + 30 * kMinute);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->stretches[English].size(), 1u);
    ASSERT_EQ(later->files.size(), 1u);
    EXPECT_EQ(later->files[0].entries.size(), 1u);
}

// A file that is no sound database is moved aside under its name with the time, once, and
// a new one takes the rows.
TEST_F(StoreTest, ADamagedDatabaseIsMovedAsideAndANewOneBegun)
{
    struct Case {
        const char *what;
        std::function<bool(const QString &)> damage;
    };
    const Case cases[] = {
        {"not a database at all", [](const QString &path) {
             QFile f(path);
             return f.open(QIODevice::WriteOnly) && f.write(QByteArray(8192, 'x')) == 8192;
         }},
        {"a sound header over broken pages", [](const QString &path) {
             QFile f(path);
             if (!f.open(QIODevice::ReadWrite) || f.size() < 3 * 4096)
                 return false;
             f.seek(4096);
             return f.write(QByteArray(f.size() - 4096, '\xA5')) == f.size() - 4096;
         }},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("damaged%1/history.db").arg(++n));
        {
            JournalStore store(path);
            std::vector<Observation> files;
            for (int f = 0; f < 300; ++f)
                files.push_back(observation(QStringLiteral("l%1_Qele.dat").arg(f), 3, 180, 1, 90, kStart));
            ASSERT_TRUE(store.record(batch(folder(), kStart, files)));
        }
        // Into the main file alone, as a crash or a bad disk leaves it.
        ASSERT_TRUE(QFile::exists(path));
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        ASSERT_TRUE(c.damage(path));
        QFile broken(path);
        ASSERT_TRUE(broken.open(QIODevice::ReadOnly));
        const QByteArray brokenBytes = broken.readAll();
        broken.close();

        JournalStore store(path);
        const qint64 now = QDateTime(QDate(2026, 12, 1), QTime(10, 20, 30)).toMSecsSinceEpoch();
        const Outcome opened = store.open(now);
        EXPECT_EQ(opened.failure, Failure::Damaged);
        EXPECT_EQ(QFileInfo(opened.movedAside).fileName(), QStringLiteral("history-20261201-102030.db"));
        QFile aside(opened.movedAside);
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), brokenBytes);
        EXPECT_TRUE(store.isOpen());
        ASSERT_TRUE(store.record(batch(folder(), now, {observation(kTaro, 1, 60, 0, 80, now)})));
        const auto journal = store.read(folder());
        ASSERT_TRUE(journal);
        EXPECT_EQ(journal->files.size(), 1u);
        // Opening again finds a sound database: nothing more is moved.
        JournalStore again(path);
        EXPECT_EQ(again.open(now + 1000).failure, Failure::None);
        EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList({QStringLiteral("history-*")}, QDir::Files).size(), 1);
    }
}

// A full disk loses the look being written, leaves what was there, and the journal works
// again once there is room.
TEST_F(StoreTest, AFullDiskFailsTheLookAndKeepsWhatWasThere)
{
    JournalStore store(dbPath());
    ASSERT_TRUE(store.record(batch(folder(), kStart, {observation(kTaro, 1, 60, 0, 80, kStart)})));
    const qint64 size = QFileInfo(dbPath()).size() + QFileInfo(dbPath() + QStringLiteral("-wal")).size();
    std::vector<Observation> many;
    for (int f = 0; f < 3000; ++f)
        many.push_back(observation(QStringLiteral("learner%1_Qele.dat").arg(f), 5, 300, 2, 100, kStart + kMinute));
    {
        FileSizeLimit limit(size + 8192);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        const Outcome o = store.record(batch(folder(), kStart + kMinute, many));
        EXPECT_EQ(o.failure, Failure::CannotWrite) << o.detail.toStdString();
    }
    auto journal = store.read(folder());
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal->files.size(), 1u);
    EXPECT_TRUE(store.record(batch(folder(), kStart + 2 * kMinute, many)));
    journal = store.read(folder());
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal->files.size(), 3001u);
}

// A year on, each day's rows fold into one, and the days and weeks show what they showed.
TEST_F(StoreTest, FoldingOldDaysKeepsTheirFigures)
{
    JournalStore store(dbPath());
    const qint64 base = QDateTime(QDate(2025, 1, 6), QTime(8, 0)).toMSecsSinceEpoch();
    int runs = 5, seconds = 300, step = 1;
    ASSERT_TRUE(store.record(batch(folder(), base, {observation(kTaro, runs, seconds, step, 90, base)})));
    int looks = 1;
    for (int day = 0; day < 20; ++day) {
        for (int hour = 0; hour < 4; ++hour) {
            const qint64 t = base + day * kDay + hour * kHour + 30 * kMinute;
            runs += 1 + (day + hour) % 3;
            seconds += 100 + 7 * hour;
            step += (day % 4 == 0 && hour == 1) ? 1 : 0;
            if (day == 11 && hour == 2) { // a reset in the middle of a day
                runs = 2;
                seconds = 50;
            }
            ASSERT_TRUE(store.record(batch(folder(), t, {observation(kTaro, runs, seconds, step, 90, t, {{90, 100}, {95, 200}, {99, 300}})})));
            ++looks;
        }
    }
    const QDate first(2025, 1, 6), last(2025, 1, 26);
    const auto before = store.read(folder());
    ASSERT_TRUE(before && before->file(kTaro));
    const auto days = periodFigures(*before->file(kTaro), before->stretches[English], Period::Day, first, last);
    const auto weeks = periodFigures(*before->file(kTaro), before->stretches[English], Period::Week, first, last);
    EXPECT_EQ(countRows(dbPath(), QStringLiteral("observations")), looks);

    ASSERT_TRUE(store.fold(base + 400 * kDay));
    const auto after = store.read(folder());
    ASSERT_TRUE(after && after->file(kTaro));
    const auto foldedDays = periodFigures(*after->file(kTaro), after->stretches[English], Period::Day, first, last);
    const auto foldedWeeks = periodFigures(*after->file(kTaro), after->stretches[English], Period::Week, first, last);
    // One row a day, the first look's day and the reset's second series counting apart.
    EXPECT_EQ(countRows(dbPath(), QStringLiteral("observations")), 20 + 1);
    EXPECT_EQ(countRows(dbPath(), QStringLiteral("stretches")), 2 * 20); // each Course's
    ASSERT_EQ(foldedDays.size(), days.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
        SCOPED_TRACE(days[i].first.toString().toStdString());
        EXPECT_EQ(foldedDays[i].runs, days[i].runs);
        EXPECT_EQ(foldedDays[i].seconds, days[i].seconds);
        EXPECT_EQ(foldedDays[i].steps, days[i].steps);
        EXPECT_EQ(foldedDays[i].daysObserved, days[i].daysObserved);
        EXPECT_EQ(foldedDays[i].stepReached, days[i].stepReached);
        EXPECT_EQ(foldedDays[i].meanSpm(), days[i].meanSpm());
    }
    ASSERT_EQ(foldedWeeks.size(), weeks.size());
    for (std::size_t i = 0; i < weeks.size(); ++i) {
        EXPECT_EQ(foldedWeeks[i].runs, weeks[i].runs);
        EXPECT_EQ(foldedWeeks[i].seconds, weeks[i].seconds);
        EXPECT_EQ(foldedWeeks[i].daysObserved, weeks[i].daysObserved);
    }
    // Nothing younger than a year is touched.
    ASSERT_TRUE(store.fold(base + 30 * kDay));
    EXPECT_EQ(countRows(dbPath(), QStringLiteral("observations")), 21);
}

// A database of a newer version is left alone, not taken for damaged.
TEST_F(StoreTest, ANewerDatabaseIsLeftAlone)
{
    {
        JournalStore store(dbPath());
        ASSERT_TRUE(store.open(kStart));
    }
    {
        const QString name = QStringLiteral("bump");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(dbPath());
            ASSERT_TRUE(db.open());
            QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version=%1").arg(JournalStore::kSchemaVersion + 1));
        }
        QSqlDatabase::removeDatabase(name);
    }
    JournalStore store(dbPath());
    const Outcome o = store.open(kStart);
    EXPECT_EQ(o.failure, Failure::Unavailable);
    EXPECT_TRUE(o.movedAside.isEmpty());
    EXPECT_FALSE(store.record(batch(folder(), kStart, {observation(kTaro, 1, 60, 0, 80, kStart)})));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("data"))).entryList({QStringLiteral("history-*")}).size(), 0);
}

} // namespace
