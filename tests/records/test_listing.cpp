// A listing that fails or is cut short is an error the caller can act on, never an empty
// or shortened class; a table update then keeps the last complete table.

#include "records/groupstats.h"
#include "records/learnertable.h"
#include "records/platform.h"
#include "samples/recordwriter.h"
#include "tests/support/listingfault.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include <gtest/gtest.h>

using namespace qel;
using qeltest::ListingFault;

namespace {

const QDateTime kLongAgo = QDateTime::currentDateTime().addDays(-1);

void writeRecord(const QString &path, int runs)
{
    samples::RecordContent c;
    c.currentStep = 3;
    for (int k = 0; k < runs; ++k)
        c.runs.push_back({std::int16_t(60 + k), 100});
    ASSERT_TRUE(samples::writeFile(path, samples::recordBytes(c), kLongAgo));
}

QStringList keysOf(const std::vector<TableRow> &rows)
{
    QStringList keys;
    for (const TableRow &row : rows)
        keys << row.key;
    return keys;
}

} // namespace

TEST(Listing, SaysWhyItIsNotComplete)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (int i = 0; i < 40; ++i)
        writeRecord(folder.filePath(QStringLiteral("l%1_Qele.dat").arg(i, 2, 10, QLatin1Char('0'))), 2);
    QFile plain(folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    struct Case {
        const char *what;
        QString folder;
        std::size_t faultAfter; // entries read before the injected error; SIZE_MAX: none
        int code;
        ListingStatus::Kind kind;
    };
    const std::size_t none = SIZE_MAX;
    const Case cases[] = {
        {"complete", dir.path(), none, 0, ListingStatus::Complete},
        {"missing", folder.filePath("gone"), none, 0, ListingStatus::FolderMissing},
        {"no path", QString(), none, 0, ListingStatus::FolderMissing},
        {"a file, not a folder", folder.filePath("plain"), none, 0, ListingStatus::FolderMissing},
        {"failing at once", dir.path(), 0, EACCES, ListingStatus::Failed},
        {"cut short", dir.path(), 17, EIO, ListingStatus::Failed},
    };
    for (const Case &c : cases) {
        ListingFault fault(c.folder, c.faultAfter, c.code);
        const ScanResult scan = scanFolder(c.folder, AllGroup);
        ListingStatus status;
        const FolderListing listed = listGroupFiles(c.folder, AllGroup, &status);
        EXPECT_EQ(scan.listing.kind, c.kind) << c.what;
        EXPECT_EQ(status, scan.listing) << c.what;
        if (c.kind == ListingStatus::Complete) {
            EXPECT_EQ(scan.nodes.size(), 40u) << c.what;
            EXPECT_EQ(listed.size(), 40u) << c.what;
            EXPECT_TRUE(scan.listing.error.isEmpty()) << c.what;
            continue;
        }
        // Part of a folder is not its learners: nothing of it is taken.
        EXPECT_TRUE(scan.nodes.empty()) << c.what;
        EXPECT_TRUE(listed.empty()) << c.what;
        EXPECT_EQ(scan.statusText, QStringLiteral("0個の成績データファイル")) << c.what;
        EXPECT_FALSE(scan.listing.error.isEmpty()) << c.what;
        if (c.code != 0) {
            EXPECT_EQ(scan.listing.error, qt_error_string(c.code)) << c.what;
        }
    }
}

// One failed read in the middle of a large folder: the listing says so instead of handing
// over the entries before it.
TEST(Listing, AFailureInTheMiddleOfALargeFolderIsNoShorterList)
{
    QTemporaryDir dir;
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(samples::writeFile(QDir(dir.path()).filePath(QStringLiteral("l%1_Qelk.dat").arg(i)), "x"));
    std::vector<ListedFile> entries;
    {
        ListingFault fault(dir.path(), 1500, EIO);
        const ListingStatus status = platform::listFiles(dir.path(), {}, entries);
        EXPECT_EQ(status.kind, ListingStatus::Failed);
        EXPECT_EQ(status.error, qt_error_string(EIO));
        EXPECT_LT(entries.size(), 3000u);
    }
    entries.clear();
    EXPECT_TRUE(platform::listFiles(dir.path(), {}, entries).complete());
    EXPECT_EQ(entries.size(), 3000u);
}

TEST(Listing, AFailedUpdateKeepsTheLastCompleteTable)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    writeRecord(folder.filePath("a_Qele.dat"), 2);
    writeRecord(folder.filePath("b_Qelk.dat"), 3);
    writeRecord(folder.filePath("c_Qele.dat"), 4);
    GroupCollections collected;
    const TableUpdate first = updateTable(dir.path(), AllGroup, {}, {&collected, false, {}});
    ASSERT_TRUE(first.scan.listing.complete());
    ASSERT_EQ(keysOf(first.rows), (QStringList{"a_Qele.dat", "b_Qelk.dat", "c_Qele.dat"}));

    // Changes the failed listing must not show as gone or new.
    writeRecord(folder.filePath("b_Qelk.dat"), 9);
    writeRecord(folder.filePath("d_Qele.dat"), 1);
    // The window hands its rows over in the list's order, which need not be the scan's.
    const std::vector<TableRow> shown(first.rows.rbegin(), first.rows.rend());
    {
        ListingFault fault(dir.path(), 2, EIO);
        GroupCollections kept;
        const TableUpdate failed = updateTable(dir.path(), AllGroup, shown, {&kept, false, {}, nullptr, &first.scan.nodes});
        EXPECT_EQ(failed.scan.listing.kind, ListingStatus::Failed);
        EXPECT_EQ(failed.scan.listing.error, qt_error_string(EIO));
        EXPECT_EQ(keysOf(failed.rows), keysOf(first.rows));
        for (std::size_t i = 0; i < failed.rows.size(); ++i)
            EXPECT_EQ(failed.rows[i].cells, first.rows[i].cells);
        ASSERT_EQ(failed.scan.nodes.size(), 3u);
        EXPECT_EQ(failed.scan.nodes[1].key, "b_Qelk.dat");
        EXPECT_EQ(failed.scan.nodes[1].image, 5);
        EXPECT_TRUE(failed.nodesKept);
        EXPECT_EQ(failed.scan.statusText, QStringLiteral("3個の成績データファイル"));
        EXPECT_TRUE(failed.reread.empty());
        EXPECT_TRUE(failed.changed.empty());
        EXPECT_TRUE(sameFiles(failed.listing, first.listing));
        EXPECT_EQ(kept.groupRunCounts, collected.groupRunCounts);
    }
    // Once the folder reads again, the update shows what changed meanwhile.
    const TableUpdate again = updateTable(dir.path(), AllGroup, shown);
    EXPECT_TRUE(again.scan.listing.complete());
    EXPECT_EQ(keysOf(again.rows), (QStringList{"a_Qele.dat", "b_Qelk.dat", "c_Qele.dat", "d_Qele.dat"}));
    EXPECT_EQ(again.rows[1].runCount, 9);

    // A folder that vanished keeps its table too, and is named as missing.
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    const TableUpdate gone = updateTable(dir.path(), AllGroup, again.rows);
    EXPECT_EQ(gone.scan.listing.kind, ListingStatus::FolderMissing);
    EXPECT_EQ(keysOf(gone.rows), keysOf(again.rows));
}

TEST(Listing, GroupStatisticsSayTheirListingFailed)
{
    QTemporaryDir dir;
    writeRecord(QDir(dir.path()).filePath("a_Qele.dat"), 2);
    ListingStatus listing;
    computeAllGroups(dir.path(), AllGroup, nullptr, &listing);
    EXPECT_TRUE(listing.complete());
    ListingFault fault(dir.path(), 0, EIO);
    const GroupStatistics stats = computeAllGroups(dir.path(), AllGroup, nullptr, &listing);
    EXPECT_EQ(listing.kind, ListingStatus::Failed);
    EXPECT_TRUE(stats.text(LearnerCountStat, AllGroup).isEmpty());
}
