#pragma once
// Seven figures of a group of learners, kept as texts for the dialog and the printout.

#include "records/learnertable.h"

#include <QString>
#include <array>

namespace qel {

enum StatRow {
    LearnerCountStat, MeanStepStat, MeanRunsStat, HighestStepStat, LowestStepStat,
    HighestRunsStat, LowestRunsStat,
};

// "練習人数", "平均STEP", "平均練習回数", "最高STEP", "最低STEP", "最高練習回数", "最低練習回数".
QString statCaption(int row);

using GroupFigureTexts = std::array<QString, 7>;

// Figures of one group from its collections; both lists are left sorted ascending.
// An empty group leaves all seven texts empty.
GroupFigureTexts computeGroupFigures(GroupCollections &collections);

// Mean of a list, the integer sum divided by the count; 0 for an empty list.
double meanOf(const std::vector<std::int32_t> &values);

// 7 rows x 3 groups, empty until computed.
struct GroupStatistics {
    std::array<GroupFigureTexts, 3> groups;
    const QString &text(int row, int group) const { return groups[group][row]; }
};

// Computes all three groups the way the group dialog does, from the rows of a table of all
// learners (or one read from `folder` now); each group counts the rows it would show.
// The group given as `shown` is the one the window shows; when it is empty nothing is computed.
// Record files that could not be read count in no figure; `unreadable` gets each once.
GroupStatistics computeAllGroups(const std::vector<TableRow> &allRows, int shown = AllGroup);
// `listing` gets the folder's listing status: the figures of a folder that could not be
// listed are those of no learners.
GroupStatistics computeAllGroups(const QString &folder, int shown = AllGroup,
                                 std::vector<UnreadableFile> *unreadable = nullptr,
                                 ListingStatus *listing = nullptr);

} // namespace qel

namespace qel {

// Distribution of a group's values over eleven bins: ten of equal width and an open top bin.
struct Histogram {
    int referenceValue = 0; // value at position (n - 1) x percentile of the sorted list
    int binWidth = 1;
    std::array<std::int64_t, 11> counts{};
    std::int64_t largestCount = 0;
};

constexpr double kStatPercentile = 0.95;

// Sorts `values` ascending in place (the lists stay sorted for whoever reads them next)
// and bins them. An empty list gives empty bins of width 1.
Histogram makeHistogram(std::vector<std::int32_t> &values, double percentile = kStatPercentile);

} // namespace qel
