// The journal on its own thread: what the viewer calls returns at once, the writing happens
// behind it, and trouble is told once.

#include "history/journal.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/history/historytestsupport.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/testprint.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::history;
using namespace qeltest;

namespace {

const qint64 kStart = QDateTime(QDate(2026, 11, 18), QTime(9, 0)).toMSecsSinceEpoch();

template <typename T>
T resultOf(const QFuture<T> &future)
{
    if (!future.isFinished()) {
        QFutureWatcher<T> watcher;
        QSignalSpy finished(&watcher, &QFutureWatcherBase::finished);
        watcher.setFuture(future);
        if (!future.isFinished()) {
            EXPECT_TRUE(finished.wait(20000));
        }
    }
    return future.result();
}

// Until the spy has counted `count` signals in all.
bool waitFor(QSignalSpy &spy, qsizetype count)
{
    while (spy.count() < count)
        if (!spy.wait(30000))
            return false;
    return true;
}

class JournalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.filePath(QStringLiteral("RecordFolder"));
        ASSERT_TRUE(QDir().mkpath(folder));
        write(QStringLiteral("taro_Qele.dat"), 5);
        write(QStringLiteral("hanako_Qelk.dat"), 2);
        settings.path = dir.filePath(QStringLiteral("history.db"));
        settings.clock = [this] { return now.load(); };
    }

    void write(const QString &key, int runs)
    {
        samples::RecordContent c;
        c.totalSeconds = 60 * runs;
        for (int k = 0; k < runs; ++k)
            c.runs.push_back({std::int16_t(100 + k), 200});
        ASSERT_TRUE(samples::writeFile(recordFolderPath(folder, key), samples::recordBytes(c)));
    }

    std::vector<TableRow> rows() { return makeView(folder, scanFolder(folder, AllGroup).nodes); }

    QTemporaryDir dir;
    QString folder;
    std::atomic<qint64> now{kStart};
    JournalSettings settings;
};

// A look handed over while another writer holds the database returns at once; it is written
// when the database is free again.
TEST_F(JournalTest, ObservingNeverWaitsForTheDatabase)
{
    Journal journal(settings);
    QSignalSpy handled(&journal, &Journal::handled);
    journal.observe(folder, AllGroup, rows());
    ASSERT_TRUE(waitFor(handled, 1));

    const QString lock = QStringLiteral("lock");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), lock);
        db.setDatabaseName(settings.path);
        ASSERT_TRUE(db.open());
        QSqlQuery hold(db);
        ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
        write(QStringLiteral("taro_Qele.dat"), 8);
        now += 5 * kMinute;
        // Back here at once, while the journal's thread waits for the lock.
        journal.observe(folder, AllGroup, rows());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(lock);
    ASSERT_TRUE(waitFor(handled, 2));

    const LearnerHistory h = resultOf(journal.learnerHistory(folder, QStringLiteral("taro_Qele.dat")));
    ASSERT_TRUE(h.known());
    EXPECT_EQ(h.name, QStringLiteral("taro"));
    EXPECT_EQ(h.today, QDate(2026, 11, 18));
    ASSERT_FALSE(h.days.empty());
    EXPECT_EQ(h.days.back().runs, 3);
    EXPECT_DOUBLE_EQ(*h.days.back().meanSpm(), (105 + 106 + 107) / 3.0);
    const WeekComparison c = resultOf(journal.weekComparison(folder, {QStringLiteral("taro_Qele.dat"), QStringLiteral("hanako_Qelk.dat")}));
    ASSERT_EQ(c.learners.size(), 2u);
    EXPECT_EQ(c.groupThis.runs, 3);
    EXPECT_EQ(c.activeThis, 1);
}

// While a folder is followed live, quiet time counts as watched: the looks the heartbeat
// adds join into one stretch up to the journal's end.
TEST_F(JournalTest, HeartbeatsKeepALiveFolderSeen)
{
    settings.heartbeatMSecs = 20;
    {
        Journal journal(settings);
        QSignalSpy handled(&journal, &Journal::handled);
        journal.observe(folder, EnglishGroup, rows());
        ASSERT_TRUE(waitFor(handled, 1));
        journal.setLive(folder, EnglishGroup, true);
        for (int beat = 0; beat < 3; ++beat) {
            now += 4 * kMinute;
            // A beat that starts after the clock moved.
            ASSERT_TRUE(waitFor(handled, handled.count() + 2));
        }
        journal.setLive(folder, EnglishGroup, false);
        now += 4 * kMinute;
    }
    JournalStore store(settings.path);
    const auto read = store.read(folder);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->stretches[English].size(), 1u);
    EXPECT_EQ(read->stretches[English][0].first, kStart);
    EXPECT_GE(read->stretches[English][0].last, kStart + 12 * kMinute);
    EXPECT_TRUE(read->stretches[Kana].empty());
}

// A damaged database gives one notice and the journal goes on in a new one; a disk that
// takes no more gives one notice however many looks fail, and the looks after it are kept.
TEST_F(JournalTest, TroubleIsToldOnce)
{
    {
        QFile junk(settings.path);
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'j'));
    }
    Journal journal(settings);
    QSignalSpy notices(&journal, &Journal::notice);
    QSignalSpy handled(&journal, &Journal::handled);
    journal.observe(folder, AllGroup, rows());
    ASSERT_TRUE(waitFor(handled, 1));
    ASSERT_EQ(notices.count(), 1);
    const QString aside = QDir(dir.path()).entryList({QStringLiteral("history-*.db")}).value(0);
    ASSERT_FALSE(aside.isEmpty());
    EXPECT_EQ(notices[0][0].toString(), Journal::damagedText(dir.filePath(aside)));

    std::vector<TableRow> many = rows();
    for (int k = 0; k < 3000; ++k) {
        TableRow row = many.front();
        row.key = QStringLiteral("learner%1_Qele.dat").arg(k);
        many.push_back(row);
    }
    {
        FileSizeLimit limit(QFileInfo(settings.path).size() + QFileInfo(settings.path + QStringLiteral("-wal")).size() + 4096);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        for (int look = 1; look <= 3; ++look) {
            now += kMinute;
            journal.observe(folder, AllGroup, many);
            ASSERT_TRUE(waitFor(handled, 1 + look));
        }
    }
    ASSERT_EQ(notices.count(), 2);
    EXPECT_EQ(notices[1][0].toString(), Journal::cannotWriteText());
    now += kMinute;
    journal.observe(folder, AllGroup, many);
    ASSERT_TRUE(waitFor(handled, 5));
    EXPECT_EQ(notices.count(), 2);
    const WeekComparison c = resultOf(journal.weekComparison(folder, {QStringLiteral("learner2999_Qele.dat")}));
    ASSERT_EQ(c.learners.size(), 1u);
    EXPECT_TRUE(c.learners[0].thisWeek.observed);
}

// Forgetting takes only learners who still have no record file; a folder that cannot be
// listed tells nothing and loses nothing. The same folder named another way is the same.
TEST_F(JournalTest, ForgettingOnlyLearnersWithoutFiles)
{
    Journal journal(settings);
    QSignalSpy handled(&journal, &Journal::handled);
    journal.observe(folder, AllGroup, rows());
    ASSERT_TRUE(waitFor(handled, 1));
    ASSERT_TRUE(QFile::remove(recordFolderPath(folder, QStringLiteral("hanako_Qelk.dat"))));
    EXPECT_EQ(resultOf(journal.learnersWithoutFiles(folder + QStringLiteral("/./"))), QStringList{QStringLiteral("hanako")});
    EXPECT_EQ(resultOf(journal.forgetLearners(folder, {QStringLiteral("hanako"), QStringLiteral("taro")})), 1);
    EXPECT_TRUE(resultOf(journal.learnerHistory(folder, QStringLiteral("taro_Qele.dat"))).known());
    EXPECT_EQ(resultOf(journal.learnersWithoutFiles(dir.filePath(QStringLiteral("gone")))), std::nullopt);
    EXPECT_EQ(resultOf(journal.forgetLearners(dir.filePath(QStringLiteral("gone")), {QStringLiteral("taro")})), std::nullopt);
}

} // namespace
