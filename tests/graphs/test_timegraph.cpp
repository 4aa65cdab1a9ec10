#include "tests/graphs/testsupport.h"

#include <QFileInfo>

using namespace qel;
using namespace qel::test;
using graphs::kBlack;
using graphs::kBlue;

namespace {

samples::RecordContent withSteps(int stepCount, const std::vector<std::int32_t> &seconds)
{
    samples::RecordContent content;
    content.currentStep = std::uint16_t(stepCount);
    for (std::size_t i = 0; i < seconds.size() && i < 200; ++i)
        content.stepSeconds[i] = seconds[i];
    return content;
}

PersonalDrawing drawTime(const samples::RecordContent &content, int width = kWidth)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), content);
    return drawPersonal(width, kHeight, graphs::TimeGraph, englishRow(), path);
}

// STEP numbers under the bars, left to right.
std::vector<int> stepNumbers(const PersonalDrawing &d)
{
    std::vector<std::pair<double, int>> found;
    for (const auto &t : d.drawing.textsIn(kBlack))
        if (t.topLeft.y() == d.frame.base + 100)
            found.push_back({t.topLeft.x(), t.text.toInt()});
    std::sort(found.begin(), found.end());
    std::vector<int> out;
    for (const auto &f : found)
        out.push_back(f.second);
    return out;
}

struct UnitCase {
    std::int32_t longest;
    std::int64_t secondsPerDivision;
    std::int64_t labelStep;
    const char *caption;
};

class TimeUnit : public ::testing::TestWithParam<UnitCase> {};

TEST_P(TimeUnit, ChosenFromTheLongestTime)
{
    const auto &c = GetParam();
    const auto d = drawTime(withSteps(3, {10, c.longest, 20}));
    EXPECT_EQ(axisLabels(d.drawing, kBlue, 240), numbers(c.labelStep, 11));
    const auto *caption = d.drawing.findText(QString::fromUtf8(c.caption));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->topLeft, QPointF(400, 20));
    EXPECT_EQ(caption->colour, kBlue);
    // The longest bar's height in divisions is its time over the unit.
    const auto bars = d.drawing.rectsIn(kBlue);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_NEAR(bars[1].rect.height(), double(d.frame.division) * c.longest / double(c.secondsPerDivision), 1e-6);
    EXPECT_LE(bars[1].rect.height(), 10.0 * d.frame.division);
}

INSTANTIATE_TEST_SUITE_P(Longest, TimeUnit,
                         ::testing::Values(UnitCase{599, 60, 1, "分"}, UnitCase{600, 300, 5, "分"},
                                           UnitCase{2999, 300, 5, "分"}, UnitCase{3000, 3600, 1, "時間"},
                                           UnitCase{35999, 3600, 1, "時間"}, UnitCase{36000, 7200, 2, "時間"},
                                           UnitCase{100000, 10800, 3, "時間"}));

TEST(TimeGraph, BarsFillTheirSlotsLessAHundredTwipsEachSide)
{
    const auto d = drawTime(withSteps(4, {60, 120, 0, 600}));
    const auto &f = d.frame;
    const int slot = 8800 / 4;
    const auto bars = d.drawing.rectsIn(kBlue);
    ASSERT_EQ(bars.size(), 4u);
    for (int i = 1; i <= 4; ++i) {
        const auto &r = bars[std::size_t(i - 1)].rect;
        EXPECT_DOUBLE_EQ(r.left(), 600 + slot * (i - 1) + 100);
        EXPECT_DOUBLE_EQ(r.right(), slot * i + 500);
        EXPECT_DOUBLE_EQ(r.bottom(), f.base);
    }
    // 600 s with 300 s a division: two divisions. A STEP without time is flat on the axis.
    EXPECT_DOUBLE_EQ(bars[3].rect.top(), f.base - 2.0 * f.division);
    EXPECT_DOUBLE_EQ(bars[2].rect.height(), 0);
    EXPECT_EQ(stepNumbers(d), (std::vector<int>{1, 2, 3, 4}));
    const auto *caption = d.drawing.findText(QStringLiteral("STEP毎 練習時間"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->topLeft, QPointF(kWidth / 2 - 200, f.base + 300));
    EXPECT_EQ(caption->colour, kBlack);
    // Both axis bars black, no red anywhere.
    EXPECT_EQ(d.drawing.rectsIn(kBlack).size(), 3u);
    EXPECT_TRUE(d.drawing.rectsIn(graphs::kRed).empty());
}

std::vector<int> everyNth(int n, int last)
{
    std::vector<int> out;
    for (int i = n; i <= last; i += n)
        out.push_back(i);
    return out;
}

struct NumberingCase {
    int steps;
    int every;
    int numberedUpTo;
};

class StepNumbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(StepNumbering, ThinsOutWithManySteps)
{
    const auto &c = GetParam();
    const auto d = drawTime(withSteps(c.steps, std::vector<std::int32_t>(200, 100)), 20000);
    EXPECT_EQ(stepNumbers(d), everyNth(c.every, c.numberedUpTo));
    // Each number stands at its slot's left edge.
    const int slot = d.frame.plotWidth / c.steps;
    const QString first = QLatin1Char(' ') + QString::number(c.every);
    const auto labels = d.drawing.textsIn(kBlack);
    const bool placed = std::any_of(labels.begin(), labels.end(), [&](const DrawnText &t) {
        return t.text == first && t.topLeft == QPointF(600 + slot * (c.every - 1), d.frame.base + 100);
    });
    EXPECT_TRUE(placed);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepNumbering,
                         ::testing::Values(NumberingCase{49, 1, 49}, NumberingCase{50, 5, 50},
                                           NumberingCase{99, 5, 95}, NumberingCase{100, 10, 100},
                                           NumberingCase{250, 10, 200}));

TEST(TimeGraph, StepsPastTwoHundredLeaveTheirSlotsEmpty)
{
    const auto d = drawTime(withSteps(250, std::vector<std::int32_t>(200, 100)), 20000);
    const int slot = d.frame.plotWidth / 250;
    EXPECT_EQ(slot, 75);
    const auto bars = d.drawing.rectsIn(kBlue);
    ASSERT_EQ(bars.size(), 200u);
    double rightmost = 0;
    for (const auto &b : bars)
        rightmost = std::max(rightmost, b.rect.right());
    EXPECT_DOUBLE_EQ(rightmost, 600 + slot * 199 + 100);
    EXPECT_LT(rightmost, 600 + d.frame.plotWidth * 0.81);
}

TEST(TimeGraph, NoStepsGiveNoBarsButAnAxis)
{
    for (const int step : {0, 0xFFFF /* -1 taken as signed */}) {
        const auto d = drawTime(withSteps(step, {700}));
        EXPECT_TRUE(d.drawing.rectsIn(kBlue).empty()) << step;
        EXPECT_TRUE(stepNumbers(d).empty()) << step;
        // The unit still comes from STEP 1.
        EXPECT_EQ(axisLabels(d.drawing, kBlue, 240), numbers(5, 11)) << step;
    }
}

TEST(TimeGraph, OnlyTheDrawnStepsChooseTheUnit)
{
    std::vector<std::int32_t> seconds(200, 100);
    seconds[5] = 50000; // STEP 6, not reached
    const auto d = drawTime(withSteps(5, seconds));
    EXPECT_EQ(axisLabels(d.drawing, kBlue, 240), numbers(1, 11));
    EXPECT_NE(d.drawing.findText(QStringLiteral("分")), nullptr);
}

TEST(TimeGraph, MoreStepsThanThePlotHasTwipsDrawNoBars)
{
    const auto d = drawTime(withSteps(3000, std::vector<std::int32_t>(200, 100)), 2600);
    EXPECT_EQ(d.frame.plotWidth / 3000, 0);
    EXPECT_TRUE(d.drawing.rectsIn(kBlue).empty());
    EXPECT_TRUE(stepNumbers(d).empty());
    EXPECT_NE(d.drawing.findText(QStringLiteral("STEP毎 練習時間")), nullptr);
}

} // namespace
