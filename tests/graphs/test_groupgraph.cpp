#include "tests/graphs/testsupport.h"

#include "graphs/scales.h"

using namespace qel;
using namespace qel::test;
using graphs::kBlack;
using graphs::kBlue;

namespace {

constexpr int kSlot = 8800 / 11;

struct BinCase {
    const char *name;
    int kind;
    std::vector<std::int32_t> values;
    std::vector<const char *> ranges;
    std::int64_t perDivision;
    std::vector<std::int64_t> counts;
};

std::vector<std::int32_t> sequence(int from, int to)
{
    std::vector<std::int32_t> out;
    for (int v = from; v <= to; ++v)
        out.push_back(v);
    return out;
}

std::vector<std::int32_t> join(std::initializer_list<std::vector<std::int32_t>> parts)
{
    std::vector<std::int32_t> out;
    for (const auto &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::vector<std::int32_t> fortyThreeLearners()
{
    std::vector<std::int32_t> v{250, 0, 3, 30, 30};
    for (int i = 0; i < 38; ++i)
        v.push_back(10 + i % 20);
    return v;
}

const std::vector<const char *> kUnitRanges{"0～", "1～", "2～", "3～", "4～", "5～",
                                            "6～", "7～", "8～", "9～", "10以上"};

std::vector<BinCase> binCases()
{
    return {
        {"TenOrLess", 0, {12, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}, kUnitRanges, 1,
         {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3}},
        {"ReferenceFiftySeven", 0, join({sequence(0, 19), {60, 57}}),
         {"0～", "6～", "12～", "18～", "24～", "30～", "36～", "42～", "48～", "54～", "60以上"}, 1,
         {6, 6, 6, 2, 0, 0, 0, 0, 0, 1, 1}},
        {"FortyThreeLearners", 1, fortyThreeLearners(),
         {"0～", "4～", "8～", "12～", "16～", "20～", "24～", "28～", "32～", "36～", "40以上"}, 1,
         {2, 0, 4, 8, 8, 8, 8, 4, 0, 0, 1}},
        {"OneLearner", 0, {7}, kUnitRanges, 1, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"LargestTen", 1, std::vector<std::int32_t>(10, 0), kUnitRanges, 1, {10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"LargestEleven", 1, std::vector<std::int32_t>(11, 0), kUnitRanges, 10, {11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"LargestHundred", 0, std::vector<std::int32_t>(100, 0), kUnitRanges, 10, {100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"LargestHundredAndOne", 0, std::vector<std::int32_t>(101, 0), kUnitRanges, 20,
         {101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"LargestTwoHundredAndOne", 1, std::vector<std::int32_t>(201, 0), kUnitRanges, 30,
         {201, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
}

class Bins : public ::testing::TestWithParam<BinCase> {};

TEST_P(Bins, RangesScaleBarsAndCounts)
{
    const auto &c = GetParam();
    GroupCollections collections;
    (c.kind == 0 ? collections.groupSteps : collections.groupRunCounts) = c.values;
    (c.kind == 0 ? collections.groupRunCounts : collections.groupSteps) = std::vector<std::int32_t>(c.values.size(), 1);
    const auto d = drawGroup(kWidth, kHeight, c.kind, collections);
    const auto &f = d.frame;

    EXPECT_EQ(axisLabels(d.drawing, kBlue, 240), numbers(c.perDivision, 11));
    const auto bars = d.drawing.rectsIn(kBlue);
    ASSERT_EQ(bars.size(), 11u);
    std::size_t boxes = 0;
    for (int k = 1; k <= 11; ++k) {
        const std::size_t i = std::size_t(k - 1);
        const double height = double(f.division) * double(c.counts[i]) / double(c.perDivision);
        EXPECT_EQ(bars[i].rect, QRectF(QPointF(600 + kSlot * (k - 1) + 100, f.base - height),
                                       QPointF(kSlot * k + 500, f.base)))
            << "bar " << k;
        const QString range = QString::fromUtf8(c.ranges[i]);
        const auto *label = d.drawing.findText(range);
        ASSERT_NE(label, nullptr) << range.toStdString();
        EXPECT_EQ(label->topLeft, QPointF(600 + kSlot * (k - 1) + 150, f.base + 100));
        EXPECT_EQ(label->colour, kBlue);
        // Count above the bar, black, 600 twips left of its right edge and 170 above its top;
        // over a bar that leaves no room for it, inside the plot a pixel under its top, on a
        // box of the pane's colour.
        const QString count = graphs::countLabel(c.counts[i], c.kind == 0 ? 3 : 4);
        const double above = f.base - height - 170;
        const bool moved = above < f.top + 15;
        const auto same = d.drawing.textsEqual(count);
        const bool placed = std::any_of(same.begin(), same.end(), [&](const DrawnText &t) {
            return t.topLeft == QPointF(kSlot * k - 100, moved ? f.top + 15 : above) && t.colour == kBlack;
        });
        EXPECT_TRUE(placed) << "bar " << k << " count " << count.toStdString();
        boxes += moved ? 1 : 0;
    }
    EXPECT_EQ(d.drawing.rectsIn(graphs::kPaneBackground).size(), boxes + 1); // and the pane's background
}

INSTANTIATE_TEST_SUITE_P(Groups, Bins, ::testing::ValuesIn(binCases()),
                         [](const auto &info) { return std::string(info.param.name); });

struct LabelCase {
    std::int64_t count;
    int padding;
    const char *text;
};

class CountLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CountLabels, ArePaddedAndCutToFiveCharacters)
{
    EXPECT_EQ(graphs::countLabel(GetParam().count, GetParam().padding), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Counts, CountLabels,
                         ::testing::Values(LabelCase{5, 3, "   5人"}, LabelCase{10, 3, "   10人"},
                                           LabelCase{99, 3, "   99人"}, LabelCase{100, 3, "  100人"},
                                           LabelCase{12345, 3, "12345人"}, LabelCase{0, 3, "   0人"},
                                           LabelCase{7, 4, "    7人"}, LabelCase{10, 4, "   10人"},
                                           LabelCase{12345, 4, "12345人"}, LabelCase{123456, 4, "23456人"}));

TEST(GroupGraph, StatusTextsGiveCountAndMean)
{
    GroupCollections collections;
    collections.groupSteps = {3, 3, 4, 4, 3, 4, 3, 4, 3, 4, 3, 4};
    collections.groupRunCounts = {34, 34, 34, 34, 34, 34, 34, 34, 34, 34, 34, 40};
    auto steps = drawGroup(kWidth, kHeight, graphs::StepStatistics, collections, 12);
    EXPECT_EQ(steps.result.statusText, QStringLiteral("12人 平均： 3.50 STEP"));
    auto runs = drawGroup(kWidth, kHeight, graphs::RunStatistics, collections, 12);
    EXPECT_EQ(runs.result.statusText, QStringLiteral("12人、 平均： 34.50 回"));
    // The figure is the number of learner nodes the caller gives.
    EXPECT_EQ(drawGroup(kWidth, kHeight, graphs::StepStatistics, collections, 7).result.statusText,
              QStringLiteral("7人 平均： 3.50 STEP"));
}

TEST(GroupGraph, HeadingsAndCaptions)
{
    GroupCollections collections;
    collections.groupSteps = {1, 2};
    collections.groupRunCounts = {10, 20};
    const auto steps = drawGroup(kWidth, kHeight, graphs::StepStatistics, collections);
    EXPECT_EQ(steps.result.heading, QStringLiteral("全体の練習者のSTEP統計グラフです。"));
    const auto runs = drawGroup(kWidth, kHeight, graphs::RunStatistics, collections, 2, QStringLiteral("英文"));
    EXPECT_EQ(runs.result.heading, QStringLiteral("英文の練習者の練習回数統計グラフです。"));
    EXPECT_EQ(drawGroup(kWidth, kHeight, graphs::RunStatistics, collections, 2, QStringLiteral("かな/ローマ"))
                  .result.heading,
              QStringLiteral("かな/ローマの練習者の練習回数統計グラフです。"));

    for (const auto *d : {&steps, &runs}) {
        const QString caption = d == &steps ? QStringLiteral("STEP") : QStringLiteral("練習回数");
        const auto *c = d->drawing.findText(caption);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->topLeft, QPointF(kWidth / 2 - 200, d->frame.base + 300));
        EXPECT_EQ(c->colour, kBlue);
        const auto *unit = d->drawing.findText(QStringLiteral("人"));
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->topLeft, QPointF(400, 20));
        EXPECT_EQ(unit->colour, kBlue);
        EXPECT_EQ(d->state.graphFamily, graphs::GroupFamily);
        // All four axis bars black.
        EXPECT_EQ(d->drawing.rectsIn(kBlack).size(), 3u);
    }
}

TEST(GroupGraph, SortsOnlyTheListItDraws)
{
    GroupCollections collections;
    collections.groupSteps = {5, 1, 3};
    collections.groupRunCounts = {30, 10, 20};
    drawGroup(kWidth, kHeight, graphs::StepStatistics, collections);
    EXPECT_EQ(collections.groupSteps, (std::vector<std::int32_t>{1, 3, 5}));
    EXPECT_EQ(collections.groupRunCounts, (std::vector<std::int32_t>{30, 10, 20}));
    drawGroup(kWidth, kHeight, graphs::RunStatistics, collections);
    EXPECT_EQ(collections.groupRunCounts, (std::vector<std::int32_t>{10, 20, 30}));
}

TEST(GroupGraph, EmptyGroupGivesTheFrameAndZeroLearners)
{
    GroupCollections collections;
    const auto steps = drawGroup(kWidth, kHeight, graphs::StepStatistics, collections, 0);
    EXPECT_EQ(steps.result.statusText, QStringLiteral("0人 平均： 0.00 STEP"));
    EXPECT_EQ(steps.result.heading, QStringLiteral("全体の練習者のSTEP統計グラフです。"));
    EXPECT_TRUE(steps.drawing.rectsIn(kBlue).empty());
    EXPECT_TRUE(steps.drawing.texts.empty());
    EXPECT_EQ(steps.drawing.linesIn(kBlack).size(), 10u);
    const auto runs = drawGroup(kWidth, kHeight, graphs::RunStatistics, collections, 0);
    EXPECT_EQ(runs.result.statusText, QStringLiteral("0人、 平均： 0.00 回"));
}

TEST(GroupGraph, OtherKindsDrawOnlyTheFrame)
{
    GroupCollections collections;
    collections.groupSteps = {5, 1, 3};
    collections.groupRunCounts = {30, 10, 20};
    const auto d = drawGroup(kWidth, kHeight, 7, collections);
    EXPECT_TRUE(d.result.heading.isEmpty());
    EXPECT_TRUE(d.result.statusText.isEmpty());
    EXPECT_TRUE(d.drawing.texts.empty());
    EXPECT_EQ(d.drawing.rectsIn(kBlack).size(), 3u);
    EXPECT_EQ(d.state.graphFamily, graphs::GroupFamily);
    EXPECT_EQ(collections.groupSteps, (std::vector<std::int32_t>{5, 1, 3}));
}

TEST(GroupGraph, PercentileComesFromTheState)
{
    // With the median as reference, 1..100 gives width 6 instead of 10.
    GroupCollections collections;
    collections.groupSteps = sequence(1, 100);
    collections.groupRunCounts = sequence(1, 100);
    graphs::GraphState state;
    state.statPercentile = 0.5;
    PaneDevice device(kWidth / 15, kHeight / 15);
    {
        QPainter painter(&device);
        graphs::drawGroupGraph(painter, kWidth, kHeight, graphs::StepStatistics, QStringLiteral("全体"), 100,
                               collections, state);
    }
    EXPECT_NE(device.drawing().findText(QStringLiteral("60以上")), nullptr);
    EXPECT_EQ(device.drawing().findText(QStringLiteral("100以上")), nullptr);
}

TEST(GroupGraph, NarrowPaneDoesNotFail)
{
    GroupCollections collections;
    collections.groupSteps = {1, 2, 3};
    collections.groupRunCounts = {1, 2, 3};
    for (const int width : {1000, 300}) {
        const auto d = drawGroup(width, 500, graphs::StepStatistics, collections);
        EXPECT_EQ(d.result.statusText, QStringLiteral("3人 平均： 2.00 STEP"));
    }
}

// The unit "人" goes up just enough to clear the top axis label ("100" here) in panes
// where that label reaches into the caption row, and stays at 20 elsewhere.
TEST(GroupGraph, UnitClearsTheTopAxisLabel)
{
    GroupCollections collections;
    collections.groupSteps.assign(50, 3);
    for (int height : {5920, 5940, 5950, 6000}) {
        const auto d = drawGroup(kWidth, height, graphs::StepStatistics, collections);
        const auto *unit = d.drawing.findText(QStringLiteral("人"));
        const auto *top = d.drawing.findText(QStringLiteral(" 100"));
        ASSERT_NE(unit, nullptr);
        ASSERT_NE(top, nullptr);
        EXPECT_LE(unit->topLeft.y() + graphs::kPaneTextHeight, top->topLeft.y() + 1e-6) << height;
        EXPECT_EQ(unit->topLeft, QPointF(400, top->topLeft.y() >= 200 - 1e-6 ? 20 : top->topLeft.y() - 180)) << height;
    }
}

} // namespace
