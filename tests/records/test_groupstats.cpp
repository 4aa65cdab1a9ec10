#include "records/groupstats.h"
#include "samples/recordwriter.h"

#include <QTemporaryDir>
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {
std::vector<QString> texts(const GroupFigureTexts &t)
{
    return {t.begin(), t.end()};
}
}

TEST(GroupFigures, SevenTextsAndSortedLists)
{
    GroupCollections c{{3, 5, 4}, {10, 20, 40}};
    EXPECT_EQ(texts(computeGroupFigures(c)),
              (std::vector<QString>{"3", "4.00", "23.33", "5", "3", "40", "10"}));
    EXPECT_EQ(c.groupSteps, (std::vector<std::int32_t>{3, 4, 5}));
    EXPECT_EQ(c.groupRunCounts, (std::vector<std::int32_t>{10, 20, 40}));

    GroupCollections one{{7}, {12}};
    EXPECT_EQ(texts(computeGroupFigures(one)),
              (std::vector<QString>{"1", "7.00", "12.00", "7", "7", "12", "12"}));

    GroupCollections none;
    for (const QString &t : computeGroupFigures(none))
        EXPECT_TRUE(t.isEmpty());

    // Sums beyond 32 bits still give the right mean.
    GroupCollections big{{1, 1}, {2147483647, 2147483647}};
    EXPECT_EQ(computeGroupFigures(big)[MeanRunsStat], "2147483647.00");
}

TEST(GroupFigures, AllGroupsCountRecordFilesNotPersons)
{
    QTemporaryDir dir;
    samples::RecordContent c;
    c.currentStep = 3;
    c.runs = {{100, 0}};
    ASSERT_TRUE(samples::writeFile(dir.filePath("taro_Qele.dat"), samples::recordBytes(c)));
    c.currentStep = 5;
    ASSERT_TRUE(samples::writeFile(dir.filePath("taro_Qelk.dat"), samples::recordBytes(c)));
    const GroupStatistics stats = computeAllGroups(dir.path());
    EXPECT_EQ(stats.text(LearnerCountStat, 0), "2");
    EXPECT_EQ(stats.text(LearnerCountStat, 1), "1");
    EXPECT_EQ(stats.text(LearnerCountStat, 2), "1");
    EXPECT_EQ(stats.text(MeanStepStat, 0), "3.00");
    EXPECT_EQ(stats.text(HighestStepStat, 2), "4");
}

TEST(GroupFigures, EmptyCourseLeavesItsColumnEmpty)
{
    QTemporaryDir dir;
    samples::RecordContent c;
    ASSERT_TRUE(samples::writeFile(dir.filePath("hanako_Qelk.dat"), samples::recordBytes(c)));
    const GroupStatistics stats = computeAllGroups(dir.path());
    EXPECT_EQ(stats.text(LearnerCountStat, 0), "1");
    EXPECT_TRUE(stats.text(LearnerCountStat, 1).isEmpty());
    EXPECT_EQ(stats.text(LearnerCountStat, 2), "1");
    // Shown group empty: nothing at all is computed.
    const GroupStatistics fromEnglish = computeAllGroups(dir.path(), EnglishGroup);
    for (int g = 0; g < 3; ++g)
        EXPECT_TRUE(fromEnglish.text(LearnerCountStat, g).isEmpty());
}

TEST(Histogram, ReferenceValueBinWidthAndOpenTopBin)
{
    std::vector<std::int32_t> small = {3, 0, 10, 7, 9};
    Histogram h = makeHistogram(small);
    EXPECT_EQ(small, (std::vector<std::int32_t>{0, 3, 7, 9, 10}));
    EXPECT_EQ(h.referenceValue, 10);
    EXPECT_EQ(h.binWidth, 1);
    EXPECT_EQ(h.counts[10], 1);
    EXPECT_EQ(h.counts[0], 1);
    EXPECT_EQ(h.largestCount, 1);

    // 43 learners: counts 0, 3, 250 and forty between 10 and 30; position 39.9 rounds to 40.
    std::vector<std::int32_t> runs = {0, 3, 250};
    for (int i = 0; i < 40; ++i)
        runs.push_back(std::min(30, 10 + (i * 20) / 38));
    Histogram r = makeHistogram(runs);
    EXPECT_EQ(r.referenceValue, runs[40]);
    EXPECT_EQ(r.referenceValue, 30);
    EXPECT_EQ(r.binWidth, 4);
    EXPECT_EQ(r.counts[10], 1); // only the 250
    EXPECT_EQ(r.counts[0], 2);

    // Twenty learners: position 19 x 0.95 = 18.05 holds STEP 57, giving bins of 6.
    std::vector<std::int32_t> steps = {61, 57};
    for (int i = 0; i < 18; ++i)
        steps.push_back(i);
    Histogram s = makeHistogram(steps);
    EXPECT_EQ(s.referenceValue, 57);
    EXPECT_EQ(s.binWidth, 6);
    EXPECT_EQ(s.counts[10], 1);
    EXPECT_EQ(s.counts[9], 1);
    EXPECT_EQ(s.counts[0], 6);
    EXPECT_EQ(s.largestCount, 6);

    std::vector<std::int32_t> empty;
    EXPECT_EQ(makeHistogram(empty).largestCount, 0);
}
