#pragma once
// Folder scan (the group tree's nodes) and table build (the learner list's rows),
// with the group collections the statistics read. No widgets: the window copies these.

#include "records/learnersummary.h"
#include "records/readingfile.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace qel {

// 0 all learners, 1 English, 2 Kana/Romaji.
enum Group { AllGroup = 0, EnglishGroup = 1, KanaGroup = 2 };
QString groupName(int group); // "全体", "英文", "かな/ローマ"

// RecordFolder + separator + file name; a folder that already ends in a separator
// (a drive root) keeps its own.
QString recordFolderPath(const QString &folder, const QString &fileName);

// A record file's key is its name as the listing gives it (records/filenames.h): it names
// exactly one file, where two names can read alike.
struct TreeNode {
    QString key;  // the record file name
    QString text; // the learner's name as shown
    int image = 4; // 4 English, 5 Kana/Romaji
};

// A record file name split into learner and Course; nothing for other names. A name that
// is not UTF-8 is read in code page 932, as the trainer wrote it.
struct RecordName {
    QString learner;    // as shown
    QString learnerKey; // the learner's part of the name, held as the name is: the key the
                        // learner's other files are named by (recordFileName, settingsFilePath)
    Course course = English;
};
std::optional<RecordName> parseRecordFileName(const QString &fileName);
// The learner key of a record file's key; empty for a name that is no record file's.
QString learnerKeyOf(const QString &recordKey);
// Whether the name matches the record files' search pattern "*_Qel?.dat" (case ignored,
// as the trainer's platform matches; parseRecordFileName then asks for the exact case).
bool matchesRecordPattern(const QString &fileName);

struct ScanResult {
    QString rootText;             // group name: root key and text
    std::vector<TreeNode> nodes;  // learner nodes, ordered by name as shown, then by key
    QString statusText;           // "<n>個の成績データファイル"
    // Whether the folder was listed to its end. A scan whose listing is not complete has no
    // nodes: a part of a folder is not its learners.
    ListingStatus listing;
};

ScanResult scanFolder(const QString &folder, int group);
QString fileCountText(std::int64_t files);

// The newest runs of a record file, oldest first: what a learner's recent figures are made of.
struct RecentRuns {
    static constexpr int kKept = 20;
    std::array<RunSample, kKept> samples{};
    int count = 0;             // runs kept, up to kKept
    std::int64_t lastRun = 0;  // number of the newest run kept (0: none)
    std::span<const RunSample> runs() const { return {samples.data(), std::size_t(count)}; }
};

enum Column { CourseColumn, StepColumn, RunsColumn, TimeColumn, RateColumn, BestColumn, DateColumn };

struct TableRow {
    QString key;   // record file name
    QString name;  // column 1
    int icon = 4;
    std::array<QString, 7> cells; // columns 2 to 8, as the CSV writes them (shownCell: as the list shows them)
    double sortValue = 0;         // progress rate as a number
    int passedStep = 0;           // what the row adds to the group collections
    std::int32_t runCount = 0;
    std::int32_t totalSeconds = 0;
    int bestSpm = 0;
    RecentRuns recent;
    bool readable = true;         // false: the file could not be read; figure cells are empty
    QString error;
    // The file as it was read (none when it could not be), and when (ms since 1970).
    std::optional<FileIdentity> identity;
    qint64 readAt = 0;
};

// A cell in the user's language: the cells keep the Course in the CSV's Japanese.
QString shownCell(const TableRow &row, Column column);

// Fills the figure cells of one row from its record file, a file the folder scan listed.
void eachFile(const QString &path, TableRow &row);
TableRow rowForNode(const QString &folder, const TreeNode &node);

// The passed STEPs and run counts of the rows whose files could be read.
struct GroupCollections {
    std::vector<std::int32_t> groupSteps;
    std::vector<std::int32_t> groupRunCounts;
};

// value: rows done; maximum: number of tree nodes, the root counted.
using ProgressHook = std::function<void(int value, int maximum)>;

// Rebuilds the rows from the nodes; refills `collect` when given.
std::vector<TableRow> makeView(const QString &folder, const std::vector<TreeNode> &nodes,
                               GroupCollections *collect = nullptr,
                               const ProgressHook &progress = {});

// The part of a table of all learners that one group shows: its nodes and rows in the same
// order, and its collections, as a scan and build of that group alone would give them.
// `allScan` and `allRows` are a scan of the group of all learners and its rows.
struct GroupView {
    ScanResult scan;
    std::vector<TableRow> rows;
    GroupCollections collections;
};
GroupView viewOfGroup(const ScanResult &allScan, const std::vector<TableRow> &allRows, int group);

// Title of the list once it is filled.
QString listTitleText();

// ---- keeping a table up to date

// The record files of a group as the folder lists them, in the system's order, with their
// identities; no file is opened. Everything the folder scan would list is among them.
// Empty when the folder cannot be listed to its end; `status` tells whether it was.
using FolderListing = std::vector<ListedFile>;
// `status` tells whether the folder was listed to its end. Stops early, leaving a part, once
// `stop` is set. `progress` tells how many identities of how many are known.
FolderListing listGroupFiles(const QString &folder, int group, ListingStatus *status = nullptr,
                             const std::atomic<bool> *stop = nullptr,
                             const std::function<void(int value, int maximum)> &progress = {});
// The same files with the same identities, in whatever order.
bool sameFiles(const FolderListing &a, const FolderListing &b);

// File times are coarse (two seconds on some file systems), so a file written in the tick
// in which it was read can change again without its identity changing. Such a row is read
// again at every update until a read comes late enough: nothing when the row is settled,
// else the time (ms since 1970) from which a read settles it.
std::optional<qint64> unsettledUntil(const TableRow &row);

// What a listing would have shown when the rows were read (rows that could not be read
// have nothing to show), and the earliest time one of them settles: a table built in full
// is watched from these without listing the folder again.
FolderListing listingOf(const std::vector<TableRow> &rows);
std::optional<qint64> settlesAt(const std::vector<TableRow> &rows);

struct TableUpdate {
    // When its listing is not complete (scan.listing), the update changes nothing: it holds
    // the previous rows, their nodes and their listing, and reads no file.
    ScanResult scan;
    bool nodesKept = false;           // the scan's nodes are those given (UpdateOptions::nodes)
    std::vector<TableRow> rows;       // exactly what makeView gives for the scan's nodes
    std::vector<std::size_t> reread;  // rows read anew
    std::vector<std::size_t> changed; // of those, the rows new to the table or whose texts changed
    FolderListing listing;            // taken before any file was read
    std::optional<qint64> settlesAt;  // the earliest time an unsettled row settles
    bool stopped = false;             // UpdateOptions::stop was set: the update is unfinished
};

struct UpdateOptions {
    GroupCollections *collect = nullptr; // refilled when given
    bool everything = false;             // every file read again
    ProgressHook progress;               // as for makeView
    // A listing taken after the rows were read and before this update; the folder is
    // listed anew without one.
    const FolderListing *listing = nullptr;
    // The nodes the rows came from, in the scan's order: when the listing shows the same
    // record files, the folder is not scanned again.
    const std::vector<TreeNode> *nodes = nullptr;
    // Once set, no further file is read and the update comes back `stopped`.
    const std::atomic<bool> *stop = nullptr;
};

// The table of `group` as a folder scan and a full build would give it now, reading only
// the record files whose identity differs from that of their row in `previous` (any
// order), or whose row is unreadable or unsettled.
TableUpdate updateTable(const QString &folder, int group, const std::vector<TableRow> &previous,
                        const UpdateOptions &options = {});

} // namespace qel
