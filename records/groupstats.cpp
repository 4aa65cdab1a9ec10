#include "records/groupstats.h"

#include "records/textformat.h"

#include <QCoreApplication>

#include <algorithm>

namespace qel {

QString statCaption(int row)
{
    //: Rows of the group statistics: learners, mean, highest and lowest passed STEP and run count.
    static const char *const captions[] = {
        QT_TRANSLATE_NOOP("GroupStatistics", "練習人数"),     QT_TRANSLATE_NOOP("GroupStatistics", "平均STEP"),
        QT_TRANSLATE_NOOP("GroupStatistics", "平均練習回数"), QT_TRANSLATE_NOOP("GroupStatistics", "最高STEP"),
        QT_TRANSLATE_NOOP("GroupStatistics", "最低STEP"),     QT_TRANSLATE_NOOP("GroupStatistics", "最高練習回数"),
        QT_TRANSLATE_NOOP("GroupStatistics", "最低練習回数"),
    };
    return row >= 0 && row < 7 ? QCoreApplication::translate("GroupStatistics", captions[row]) : QString();
}

double meanOf(const std::vector<std::int32_t> &values)
{
    if (values.empty())
        return 0;
    std::int64_t sum = 0;
    for (std::int32_t v : values)
        sum += v;
    return double(sum) / double(values.size());
}

GroupFigureTexts computeGroupFigures(GroupCollections &c)
{
    GroupFigureTexts texts;
    const std::size_t n = c.groupSteps.size();
    if (n == 0)
        return texts;
    std::sort(c.groupSteps.begin(), c.groupSteps.end());
    std::sort(c.groupRunCounts.begin(), c.groupRunCounts.end());
    texts[LearnerCountStat] = QString::number(n);
    texts[MeanStepStat] = twoDecimals(meanOf(c.groupSteps));
    texts[MeanRunsStat] = twoDecimals(meanOf(c.groupRunCounts));
    texts[HighestStepStat] = QString::number(c.groupSteps.back());
    texts[LowestStepStat] = QString::number(c.groupSteps.front());
    texts[HighestRunsStat] = QString::number(c.groupRunCounts.back());
    texts[LowestRunsStat] = QString::number(c.groupRunCounts.front());
    return texts;
}

GroupStatistics computeAllGroups(const std::vector<TableRow> &allRows, int shown)
{
    GroupStatistics stats;
    auto computeGroup = [&](int group) {
        GroupCollections collections;
        for (const TableRow &row : allRows) {
            const bool inGroup = group == AllGroup || (group == EnglishGroup && row.icon == courseImage(English))
                                 || (group == KanaGroup && row.icon == courseImage(Kana));
            if (!inGroup || !row.readable)
                continue;
            collections.groupSteps.push_back(row.passedStep);
            collections.groupRunCounts.push_back(row.runCount);
        }
        stats.groups[std::size_t(group)] = computeGroupFigures(collections);
    };
    shown = std::clamp(shown, int(AllGroup), int(KanaGroup));
    computeGroup(shown);
    if (stats.groups[std::size_t(shown)][LearnerCountStat].isEmpty())
        return stats;
    for (int group = AllGroup; group <= KanaGroup; ++group)
        if (group != shown)
            computeGroup(group);
    return stats;
}

GroupStatistics computeAllGroups(const QString &folder, int shown, std::vector<UnreadableFile> *unreadable,
                                 ListingStatus *listing)
{
    // Each group is a part of the group of all learners: one build serves all three.
    const ScanResult scan = scanFolder(folder, AllGroup);
    if (listing)
        *listing = scan.listing;
    const std::vector<TableRow> rows = makeView(folder, scan.nodes);
    if (unreadable)
        for (const TableRow &row : rows)
            if (!row.readable)
                unreadable->push_back({recordFolderPath(folder, row.key), row.error});
    return computeAllGroups(rows, shown);
}

} // namespace qel

namespace qel {

Histogram makeHistogram(std::vector<std::int32_t> &values, double percentile)
{
    Histogram h;
    std::sort(values.begin(), values.end());
    if (values.empty())
        return h;
    const auto position = roundHalfEven(double(values.size() - 1) * percentile);
    h.referenceValue = values[std::size_t(position)];
    h.binWidth = h.referenceValue <= 10 ? 1 : h.referenceValue / 10 + 1;
    for (std::int32_t v : values) {
        // Negative values (damaged files) count in the first bin.
        const std::int64_t index = v < 0 ? 0 : std::int64_t(v) / h.binWidth;
        ++h.counts[std::size_t(std::min<std::int64_t>(index, 10))];
    }
    h.largestCount = *std::max_element(h.counts.begin(), h.counts.end());
    return h;
}

} // namespace qel
