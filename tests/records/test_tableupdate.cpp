// A table kept up to date equals a full scan and build, and reads only what changed.

#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/recordfiles.h"
#include "tests/support/readcounter.h"
#include "tests/support/testprint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace qel;

namespace {

using qeltest::kLongAgo;

void writeRecord(const QString &path, int runs, int step, const QDateTime &modified = kLongAgo)
{
    ASSERT_TRUE(qeltest::writeRecordFile(path, runs, step, modified));
}

// Everything a full build gives but the moment of the read.
void expectSameRows(const std::vector<TableRow> &got, const std::vector<TableRow> &want, const char *when)
{
    ASSERT_EQ(got.size(), want.size()) << when;
    for (std::size_t i = 0; i < got.size(); ++i) {
        const TableRow &a = got[i], &b = want[i];
        EXPECT_EQ(a.key, b.key) << when;
        EXPECT_EQ(a.name, b.name) << when;
        EXPECT_EQ(a.icon, b.icon) << when;
        EXPECT_EQ(a.cells, b.cells) << when << " " << b.key.toStdString();
        EXPECT_EQ(a.sortValue, b.sortValue) << when;
        EXPECT_EQ(a.passedStep, b.passedStep) << when;
        EXPECT_EQ(a.runCount, b.runCount) << when;
        EXPECT_EQ(a.readable, b.readable) << when;
        EXPECT_EQ(a.identity, b.identity) << when;
    }
}

} // namespace

// Random changes of every kind a class makes, each round followed by an update: the update
// equals a full build of the folder as it is then.
TEST(TableUpdate, EqualsAFullBuildAfterRandomChanges)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    std::mt19937 random(20240611);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const auto nameOf = [](int learner, bool english) {
        return QStringLiteral("learner%1_Qel%2.dat").arg(learner).arg(english ? 'e' : 'k');
    };
    for (int i = 0; i < 8; ++i)
        writeRecord(folder.filePath(nameOf(i, i % 3 != 0)), i * 3, 2 + i);

    for (int group : {AllGroup, KanaGroup}) {
        GroupCollections collected;
        TableUpdate table = updateTable(dir.path(), group, {}, {&collected, false, {}});
        for (int round = 0; round < 120; ++round) {
            const QString path = folder.filePath(nameOf(pick(10), pick(2) == 0));
            // Half the changes land in the same clock tick as the reads before them; the
            // other half carry times of their own, so the identity alone tells them.
            const QDateTime when = pick(2) ? QDateTime::currentDateTime() : kLongAgo.addSecs(round * 7 + pick(5));
            switch (pick(6)) {
            case 0: // a run appended, or the file written anew
            case 1: writeRecord(path, pick(30), 1 + pick(20), when); break;
            case 2: QFile::remove(path); break;
            case 3: { // replaced by renaming a new file over it
                const QString fresh = folder.filePath(QStringLiteral("incoming.tmp"));
                writeRecord(fresh, pick(30), 1 + pick(20), when);
                QFile::remove(path);
                ASSERT_TRUE(QFile::rename(fresh, path));
                break;
            }
            case 4: { // rewritten in place, same size, other figures
                QFile file(path);
                if (file.exists() && file.size() > 12 && file.open(QIODevice::ReadWrite)) {
                    file.seek(8);
                    file.write(QByteArray(1, char(1 + pick(60))));
                    file.close();
                }
                break;
            }
            case 5: // a file that is no record file, or a settings file
                samples::writeFile(folder.filePath(pick(2) ? QStringLiteral("x_QelE.dat") : QStringLiteral("learner1.ini")),
                                   QByteArray(pick(500), 'x'));
                break;
            }
            // Half the updates start from the nodes shown, as the window's do.
            UpdateOptions options;
            options.collect = &collected;
            if (pick(2))
                options.nodes = &table.scan.nodes;
            const FolderListing listed = listGroupFiles(dir.path(), group);
            if (pick(2))
                options.listing = &listed;
            const std::vector<TableRow> &before = table.rows;
            TableUpdate update = updateTable(dir.path(), group, before, options);

            GroupCollections full;
            const ScanResult scan = scanFolder(dir.path(), group);
            const std::vector<TableRow> rows = makeView(dir.path(), scan.nodes, &full);
            const std::string when_ = "round " + std::to_string(round);
            expectSameRows(update.rows, rows, when_.c_str());
            EXPECT_EQ(update.scan.statusText, scan.statusText);
            EXPECT_EQ(collected.groupSteps, full.groupSteps);
            EXPECT_EQ(collected.groupRunCounts, full.groupRunCounts);

            // Marked as changed: exactly the rows that are new or show other texts.
            std::vector<std::size_t> changed;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const auto old = std::find_if(before.begin(), before.end(),
                                              [&](const TableRow &r) { return r.key == rows[i].key; });
                if (old == before.end() || old->cells != rows[i].cells)
                    changed.push_back(i);
            }
            EXPECT_EQ(update.changed, changed) << when_;
            table = std::move(update);
            if (::testing::Test::HasFailure())
                return;
        }
    }
}

TEST(TableUpdate, ReadsOnlyTheFilesThatChanged)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char *name : {"aki_Qele.dat", "aki_Qelk.dat", "ben_Qele.dat", "chie_Qelk.dat"})
        writeRecord(folder.filePath(name), 5, 3);
    std::vector<TableRow> table = updateTable(dir.path(), AllGroup, {}).rows;

    {
        qeltest::ReadCounter reads;
        TableUpdate update = updateTable(dir.path(), AllGroup, table);
        EXPECT_TRUE(reads.opens.empty());
        EXPECT_TRUE(update.reread.empty());
        EXPECT_TRUE(update.changed.empty());
        EXPECT_FALSE(update.settlesAt);
    }
    // A run more for ben, written just now; a new file for dan.
    writeRecord(folder.filePath("ben_Qele.dat"), 6, 3, QDateTime::currentDateTime());
    writeRecord(folder.filePath("dan_Qele.dat"), 1, 2);
    {
        qeltest::ReadCounter reads;
        TableUpdate update = updateTable(dir.path(), AllGroup, table);
        EXPECT_EQ(reads.opens, (std::map<QString, int>{{folder.filePath("ben_Qele.dat"), 1},
                                                       {folder.filePath("dan_Qele.dat"), 1}}));
        EXPECT_EQ(update.changed, (std::vector<std::size_t>{2, 4}));
        EXPECT_EQ(update.rows[2].cells[RunsColumn], "     6");
        // Written in the tick it was read: read again until a read comes late enough.
        ASSERT_TRUE(update.settlesAt);
        table = std::move(update.rows);
    }
    {
        qeltest::ReadCounter reads;
        updateTable(dir.path(), AllGroup, table);
        EXPECT_EQ(reads.opens, (std::map<QString, int>{{folder.filePath("ben_Qele.dat"), 1}}));
    }
    {
        qeltest::ReadCounter reads;
        const TableUpdate update = updateTable(dir.path(), AllGroup, table, {nullptr, true, {}});
        EXPECT_EQ(reads.opens.size(), 5u);
        EXPECT_TRUE(update.changed.empty());
    }
}

TEST(TableUpdate, RowsSettleOnceTheirFileIsOlderThanTheClockTick)
{
    struct Case {
        const char *what;
        bool identified;
        qint64 modified; // relative to the read, ms
        std::optional<qint64> until;
    };
    const Case cases[] = {
        {"unreadable", false, 0, std::nullopt},
        {"written long before the read", true, -60000, std::nullopt},
        {"written just before", true, -3000, std::nullopt},
        {"written in the same tick", true, -1, 2999},
        {"written at the read", true, 0, 3000},
        {"a clock a little ahead", true, 20000, 23000},
        {"another clock far ahead", true, 120000, std::nullopt},
    };
    constexpr qint64 kReadAt = 1700000000000;
    for (const Case &c : cases) {
        TableRow row;
        row.readAt = kReadAt;
        if (c.identified) {
            row.identity = FileIdentity{};
            row.identity->modified = (kReadAt + c.modified) * 1000000 + 999;
        }
        const auto until = unsettledUntil(row);
        EXPECT_EQ(until.has_value(), c.until.has_value()) << c.what;
        if (until && c.until) {
            EXPECT_EQ(*until - kReadAt, *c.until) << c.what;
        }
    }
}

TEST(TableUpdate, ListsTheGroupsRecordFilesWithoutOpeningThem)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char *name : {"aki_Qele.dat", "aki_Qelk.dat", "x_QelE.dat", "notes_Qelx.dat", "aki.ini"})
        writeRecord(folder.filePath(name), 2, 2);
    ASSERT_TRUE(folder.mkdir("folder_Qele.dat"));
    ASSERT_TRUE(QFile::link(folder.filePath("aki_Qele.dat"), folder.filePath("link_Qele.dat")));

    qeltest::ReadCounter reads;
    const auto names = [&](int group) {
        QStringList list;
        for (const ListedFile &file : listGroupFiles(dir.path(), group))
            list << file.name;
        list.sort();
        return list;
    };
    EXPECT_EQ(names(AllGroup), QStringList({"aki_Qele.dat", "aki_Qelk.dat", "link_Qele.dat"}));
    EXPECT_EQ(names(EnglishGroup), QStringList({"aki_Qele.dat", "link_Qele.dat"}));
    EXPECT_EQ(names(KanaGroup), QStringList({"aki_Qelk.dat"}));
    EXPECT_TRUE(listGroupFiles(folder.filePath("missing"), AllGroup).empty());
    EXPECT_TRUE(reads.opens.empty());

    // The listing shows what the read of the same file saw.
    const std::vector<TableRow> rows = updateTable(dir.path(), AllGroup, {}).rows;
    EXPECT_TRUE(sameFiles(listingOf(rows), listGroupFiles(dir.path(), AllGroup)));
    FolderListing reordered = listGroupFiles(dir.path(), AllGroup);
    std::reverse(reordered.begin(), reordered.end());
    EXPECT_TRUE(sameFiles(reordered, listGroupFiles(dir.path(), AllGroup)));
    reordered.pop_back();
    EXPECT_FALSE(sameFiles(reordered, listGroupFiles(dir.path(), AllGroup)));
#ifdef Q_OS_UNIX
    // Whatever the scan lists is listed, links to pipes too.
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder.filePath("pipe"), folder.filePath("piped_Qele.dat")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("fifo_Qelk.dat")).constData(), 0600), 0);
    for (const TreeNode &node : scanFolder(dir.path(), AllGroup).nodes)
        EXPECT_TRUE(names(AllGroup).contains(node.key)) << node.key.toStdString();
#endif
}
