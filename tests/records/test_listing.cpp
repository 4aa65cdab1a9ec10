// A listing that fails or is cut short is an error the caller can act on, never an empty
// or shortened class; a table update then keeps the last complete table.

#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/listingfault.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>

#include <gtest/gtest.h>

using namespace qel;
using qeltest::ListingFault;

namespace {

void writeRecord(const QString &path, int runs)
{
    samples::RecordContent c;
    c.runs.assign(std::size_t(runs), {60, 100});
    ASSERT_TRUE(samples::writeFile(path, samples::recordBytes(c), QDateTime::currentDateTime().addDays(-1)));
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
        writeRecord(folder.filePath(QStringLiteral("l%1_Qele.dat").arg(i)), 2);
    const struct {
        QString folder;
        std::size_t faultAfter; // entries read before the injected error
        int code;
        ListingStatus::Kind kind;
    } cases[] = {
        {dir.path(), SIZE_MAX, 0, ListingStatus::Complete},
        {folder.filePath("gone"), SIZE_MAX, 0, ListingStatus::FolderMissing},
        {folder.filePath("l1_Qele.dat"), SIZE_MAX, 0, ListingStatus::FolderMissing}, // a file
        {dir.path(), 0, EACCES, ListingStatus::Failed},
        {dir.path(), 17, EIO, ListingStatus::Failed}, // cut short
    };
    for (const auto &c : cases) {
        ListingFault fault(c.folder, c.faultAfter, c.code);
        const ScanResult scan = scanFolder(c.folder, AllGroup);
        ListingStatus status;
        const FolderListing listed = listGroupFiles(c.folder, AllGroup, &status);
        EXPECT_EQ(scan.listing.kind, c.kind) << c.faultAfter;
        EXPECT_EQ(status, scan.listing);
        EXPECT_EQ(scan.listing.error.isEmpty(), c.kind == ListingStatus::Complete);
        if (c.code != 0) {
            EXPECT_EQ(scan.listing.error, qt_error_string(c.code));
        }
        // Part of a folder is not its learners: nothing of it is taken.
        const std::size_t files = c.kind == ListingStatus::Complete ? 40 : 0;
        EXPECT_EQ(scan.nodes.size(), files);
        EXPECT_EQ(listed.size(), files);
        EXPECT_EQ(scan.statusText, fileCountText(std::int64_t(files)));
    }
}

TEST(Listing, AFailedUpdateKeepsTheLastCompleteTable)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char *name : {"a_Qele.dat", "b_Qelk.dat", "c_Qele.dat"})
        writeRecord(folder.filePath(name), 2);
    GroupCollections collected;
    const TableUpdate first = updateTable(dir.path(), AllGroup, {}, {&collected, false, {}});
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
        EXPECT_EQ(keysOf(failed.rows), keysOf(first.rows));
        EXPECT_EQ(failed.rows[1].cells, first.rows[1].cells);
        ASSERT_EQ(failed.scan.nodes.size(), 3u);
        EXPECT_EQ(failed.scan.nodes[1].image, 5);
        EXPECT_TRUE(failed.nodesKept);
        EXPECT_TRUE(failed.reread.empty());
        EXPECT_TRUE(sameFiles(failed.listing, first.listing));
        EXPECT_EQ(kept.groupRunCounts, collected.groupRunCounts);
    }
    const TableUpdate again = updateTable(dir.path(), AllGroup, shown);
    EXPECT_EQ(keysOf(again.rows), (QStringList{"a_Qele.dat", "b_Qelk.dat", "c_Qele.dat", "d_Qele.dat"}));
    EXPECT_EQ(again.rows[1].runCount, 9);
    // A folder that vanished keeps its table too, and is named as missing.
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    const TableUpdate gone = updateTable(dir.path(), AllGroup, again.rows);
    EXPECT_EQ(gone.scan.listing.kind, ListingStatus::FolderMissing);
    EXPECT_EQ(keysOf(gone.rows), keysOf(again.rows));
}
