#pragma once
// Folder scan (the group tree's nodes) and table build (the learner list's rows),
// with the group collections the statistics read. No widgets: the window copies these.

#include "records/learnersummary.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace qel {

// 0 all learners, 1 English, 2 Kana/Romaji.
enum Group { AllGroup = 0, EnglishGroup = 1, KanaGroup = 2 };
QString groupName(int group); // "全体", "英文", "かな/ローマ"

// RecordFolder + separator + file name; a folder that already ends in a separator
// (a drive root) keeps its own.
QString recordFolderPath(const QString &folder, const QString &fileName);

struct TreeNode {
    QString key;  // the record file name
    QString text; // the learner's name
    int image = 4; // 4 English, 5 Kana/Romaji
};

// A record file name split into learner and Course; nothing for other names.
struct RecordName {
    QString learner;
    Course course = English;
};
std::optional<RecordName> parseRecordFileName(const QString &fileName);
// Whether the name matches the record files' search pattern "*_Qel?.dat" (case ignored,
// as the trainer's platform matches; parseRecordFileName then asks for the exact case).
bool matchesRecordPattern(const QString &fileName);

struct ScanResult {
    QString rootText;             // group name: root key and text
    std::vector<TreeNode> nodes;  // learner nodes, ordered by file name
    QString statusText;           // "<n>個の成績データファイル"
    bool folderReadable = true;   // false when the folder is missing or cannot be listed
};

ScanResult scanFolder(const QString &folder, int group);
QString fileCountText(std::int64_t files);

enum Column { CourseColumn, StepColumn, RunsColumn, TimeColumn, RateColumn, BestColumn, DateColumn };

struct TableRow {
    QString key;   // record file name
    QString name;  // column 1
    int icon = 4;
    std::array<QString, 7> cells; // columns 2 to 8
    double sortValue = 0;         // progress rate as a number
    int passedStep = 0;           // what the row adds to the group collections
    std::int32_t runCount = 0;
    bool readable = true;         // false: the file could not be read; figure cells are empty
    QString error;
};

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

// Title of the list once it is filled.
QString listTitleText();

} // namespace qel
