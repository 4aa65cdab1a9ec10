// The folder session against a full read of the folder, and its promise to the window: a
// file that does not answer keeps nothing waiting.

#include "records/groupstats.h"
#include "records/readingfile.h"
#include "samples/recordwriter.h"
#include "tests/support/recordfiles.h"
#include "session/foldersession.h"
#include "tests/support/testprint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <condition_variable>
#include <mutex>
#include <random>

#include <gtest/gtest.h>

using namespace qel;

namespace {

using qeltest::kLongAgo;

void writeRecord(const QString &path, int runs, int step, const QDateTime &modified = kLongAgo)
{
    ASSERT_TRUE(qeltest::writeRecordFile(path, runs, step, modified));
}

// Waits until the session has nothing under way.
void settle(FolderSession &session)
{
    QSignalSpy idle(&session, &FolderSession::idle);
    while (session.busy())
        ASSERT_TRUE(idle.wait(20000));
}

std::vector<QString> texts(const std::vector<TableRow> &rows)
{
    std::vector<QString> all;
    for (const TableRow &row : rows) {
        all.push_back(row.key + QLatin1Char('|') + row.name + QLatin1Char('|') + QString::number(row.icon));
        for (const QString &cell : row.cells)
            all.back() += QLatin1Char('|') + cell;
        all.back() += row.readable ? QStringLiteral("|r") : QStringLiteral("|u");
    }
    return all;
}

} // namespace

// Random changes of every kind a class makes while the session follows the folder with many
// reads at once: after each, its table and every group's part of it equal a full read.
TEST(FolderSession, EqualsAFullReadUnderRandomChanges)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    std::mt19937 random(20261208);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const auto nameOf = [](int learner, bool english) {
        return QStringLiteral("learner%1_Qel%2.dat").arg(learner).arg(english ? 'e' : 'k');
    };
    for (int i = 0; i < 40; ++i)
        writeRecord(folder.filePath(nameOf(i, i % 3 != 0)), i * 3, 2 + i % 20);

    FolderSession session;
    QSignalSpy opened(&session, &FolderSession::tableChanged);
    session.open(dir.path());
    settle(session);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.first().first().value<TableChange>().kind, TableChange::Opened);

    for (int round = 0; round < 60; ++round) {
        for (int change = pick(4); change >= 0; --change) {
            const QString path = folder.filePath(nameOf(pick(50), pick(2) == 0));
            const QDateTime when = pick(2) ? QDateTime::currentDateTime() : kLongAgo.addSecs(round * 7 + pick(5));
            switch (pick(4)) {
            case 0:
            case 1: writeRecord(path, pick(40), 1 + pick(20), when); break;
            case 2: QFile::remove(path); break;
            case 3: {
                const QString fresh = folder.filePath(QStringLiteral("incoming.tmp"));
                writeRecord(fresh, pick(40), 1 + pick(20), when);
                QFile::remove(path);
                ASSERT_TRUE(QFile::rename(fresh, path));
                break;
            }
            }
        }
        session.refresh(pick(4) == 0);
        settle(session);

        const auto table = session.table();
        ASSERT_TRUE(table);
        const ScanResult scan = scanFolder(dir.path(), AllGroup);
        const std::vector<TableRow> full = makeView(dir.path(), scan.nodes);
        ASSERT_EQ(texts(table->rows), texts(full)) << "round " << round;
        for (int group : {EnglishGroup, KanaGroup}) {
            GroupCollections collected;
            const ScanResult groupScan = scanFolder(dir.path(), group);
            const std::vector<TableRow> groupRows = makeView(dir.path(), groupScan.nodes, &collected);
            const GroupView view = viewOfGroup(table->scan, table->rows, group);
            EXPECT_EQ(texts(view.rows), texts(groupRows)) << "round " << round << " group " << group;
            EXPECT_EQ(view.scan.statusText, groupScan.statusText);
            EXPECT_EQ(view.collections.groupSteps, collected.groupSteps);
            EXPECT_EQ(view.collections.groupRunCounts, collected.groupRunCounts);
        }
        const GroupStatistics fromTable = computeAllGroups(table->rows);
        const GroupStatistics fromFolder = computeAllGroups(dir.path());
        EXPECT_EQ(fromTable.groups, fromFolder.groups) << "round " << round;
    }
}

// A read that a server never answers holds up nothing but itself: the session says the
// folder is not answering, keeps the table it had, and can be dropped at once.
TEST(FolderSession, AStalledReadKeepsTheLastTableAndLetsGo)
{
    QTemporaryDir dir;
    for (int i = 0; i < 5; ++i)
        writeRecord(QDir(dir.path()).filePath(QStringLiteral("a%1_Qele.dat").arg(i)), 3, 2);

    auto session = std::make_unique<FolderSession>();
    session->open(dir.path());
    settle(*session);
    const auto before = session->table();
    ASSERT_EQ(before->rows.size(), 5u);

    struct Gate {
        std::mutex lock;
        std::condition_variable open;
        bool released = false;
        bool reached = false;
    };
    auto gate = std::make_shared<Gate>();
    const QString stalled = QDir(dir.path()).filePath(QStringLiteral("a2_Qele.dat"));
    const auto previous = setFileReadObserver([gate, stalled](const FileReadEvent &e) {
        if (e.kind != FileReadEvent::Opened || e.path != stalled)
            return;
        std::unique_lock guard(gate->lock);
        gate->reached = true;
        gate->open.wait(guard, [&] { return gate->released; });
    });
    writeRecord(stalled, 9, 5, QDateTime::currentDateTime().addSecs(-60));
    writeRecord(QDir(dir.path()).filePath(QStringLiteral("a4_Qele.dat")), 7, 5, QDateTime::currentDateTime().addSecs(-60));

    QSignalSpy health(session.get(), &FolderSession::healthChanged);
    QSignalSpy changed(session.get(), &FolderSession::tableChanged);
    session->refresh();
    ASSERT_TRUE(health.wait(FolderSession::kNotAnsweringMSecs * 4));
    EXPECT_EQ(health.last().first().value<FolderHealth>(), FolderHealth::NotAnswering);
    // Nothing of the look under way is shown: the other changed file's new figures neither.
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(session->table(), before);
    EXPECT_TRUE(session->busy());

    // Dropping the session does not wait for the read.
    session.reset();

    {
        std::lock_guard guard(gate->lock);
        gate->released = true;
    }
    gate->open.notify_all();
    setFileReadObserver(previous);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
