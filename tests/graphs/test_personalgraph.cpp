#include "tests/graphs/testsupport.h"

#include "graphs/scales.h"

#include <QFileInfo>
#include <QImage>
#include <map>

using namespace qel;
using namespace qel::test;
using graphs::kBlack;
using graphs::kBlue;
using graphs::kGreen;
using graphs::kRed;

namespace {

double ySpm(const graphs::GraphFrame &f, double v, int spmPerDivision)
{
    return f.base - v * f.division / spmPerDivision;
}

double yRate(const graphs::GraphFrame &f, double w)
{
    return f.base - w * (f.division / 10) / 100.0;
}

// --- scales of the practice graph ---

struct SpmCase {
    const char *best;
    int perDivision;
};

class SpmScale : public ::testing::TestWithParam<SpmCase> {};

TEST_P(SpmScale, LeftAxisFollowsTheBestSpm)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("山田_Qele.dat"), withSpm({50, 60}));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph,
                                englishRow(QString::fromLatin1(GetParam().best)), path);
    EXPECT_EQ(d.state.spmPerDivision, GetParam().perDivision);
    EXPECT_EQ(axisLabels(d.drawing, kBlue, 240), numbers(GetParam().perDivision, 11));
    // The right axis is the mistype rate in percent whatever the speed.
    EXPECT_EQ(axisLabels(d.drawing, kRed, kWidth - 590), numbers(10, 11));
}

INSTANTIATE_TEST_SUITE_P(BestSpm, SpmScale,
                         ::testing::Values(SpmCase{"    0", 10}, SpmCase{"   95", 10},
                                           SpmCase{"  105", 10}, SpmCase{"  106", 20},
                                           SpmCase{"  205", 20}, SpmCase{"  206", 30},
                                           SpmCase{"  250", 30}, SpmCase{"", 10}));

TEST(PracticeGraph, LabelsStandOnTheirGridLines)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({50, 60}));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path);
    const auto &f = d.frame;
    for (int i = 0; i <= 10; ++i) {
        const double y = f.base - i * f.division - 70;
        bool left = false, right = false;
        for (const auto &t : d.drawing.texts) {
            if (t.topLeft == QPointF(240, y) && t.colour == kBlue)
                left = true;
            if (t.topLeft == QPointF(kWidth - 590, y) && t.colour == kRed)
                right = true;
        }
        EXPECT_TRUE(left && right) << "grid line " << i;
    }
    const auto *spm = d.drawing.findText(QStringLiteral("ストローク／分"));
    const auto *rate = d.drawing.findText(QStringLiteral("ミスタイプ率(%)"));
    const auto *runs = d.drawing.findText(QStringLiteral("練習回数"));
    ASSERT_TRUE(spm && rate && runs);
    EXPECT_EQ(spm->topLeft, QPointF(120, 20));
    EXPECT_EQ(spm->colour, kBlue);
    EXPECT_EQ(rate->topLeft, QPointF(kWidth - 1500, 20));
    EXPECT_EQ(rate->colour, kRed);
    EXPECT_EQ(runs->topLeft, QPointF(kWidth / 2 - 200, f.base + 300));
    EXPECT_EQ(runs->colour, kBlack);
    // Axis bars: blue on the left, red on the right.
    const auto blueBars = d.drawing.rectsIn(kBlue);
    const auto redBars = d.drawing.rectsIn(kRed);
    ASSERT_EQ(blueBars.size(), 1u);
    ASSERT_EQ(redBars.size(), 1u);
    EXPECT_EQ(blueBars[0].rect, QRectF(QPointF(592, f.top), QPointF(600, f.base)));
    EXPECT_EQ(redBars[0].rect, QRectF(QPointF(kWidth - 600, f.top), QPointF(kWidth - 592, f.base)));
}

TEST(PracticeGraph, EightRunsInATenThousandTwipPane)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({10, 20, 30, 40, 50, 60, 70, 80}));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path);
    const auto &f = d.frame;
    EXPECT_EQ(f.plotWidth, 8800);
    EXPECT_EQ(d.state.runsPerColumn, 2);
    // Ticks and their labels 2, 4, ..., 16.
    for (int j = 1; j <= 8; ++j) {
        const double x = 600 + 1000 * j;
        const auto labels = d.drawing.textsEqual(QLatin1Char(' ') + QString::number(2 * j));
        const bool labelled = std::any_of(labels.begin(), labels.end(), [&](const DrawnText &t) {
            return t.topLeft == QPointF(x - 150, f.base + 100) && t.colour == kBlack;
        });
        EXPECT_TRUE(labelled) << "column " << j;
        const auto ticks = d.drawing.linesIn(kBlack);
        const bool ticked = std::any_of(ticks.begin(), ticks.end(), [&](const DrawnLine &l) {
            return l.line == QLineF(x, f.base, x, f.base - 100);
        });
        EXPECT_TRUE(ticked) << "column " << j;
    }
    EXPECT_EQ(d.drawing.findText(QStringLiteral(" 18")), nullptr);
    // Seven segments per series; run 1 at 1100, run 8 at 4600.
    const auto blue = d.drawing.linesIn(kBlue);
    ASSERT_EQ(blue.size(), 7u);
    EXPECT_DOUBLE_EQ(blue.front().line.x1(), 1100);
    EXPECT_DOUBLE_EQ(blue.back().line.x2(), 4600);
    EXPECT_DOUBLE_EQ(blue.back().line.y2(), ySpm(f, 80, 20));
}

TEST(PracticeGraph, DataLinesFollowSpmAndMistypeRate)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"),
                                      withRuns({{100, 250}, {50, 10000}, {-20, 0}}));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(QStringLiteral("  100")), path);
    const auto &f = d.frame;
    // Each segment: red first, then blue.
    std::vector<DrawnLine> data;
    for (const auto &l : d.drawing.lines)
        if (l.colour == kRed || l.colour == kBlue)
            data.push_back(l);
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0].colour, kRed);
    EXPECT_EQ(data[1].colour, kBlue);
    EXPECT_EQ(data[2].colour, kRed);
    EXPECT_EQ(data[3].colour, kBlue);
    EXPECT_EQ(data[0].line, QLineF(1600, yRate(f, 250), 2600, yRate(f, 10000)));
    EXPECT_DOUBLE_EQ(yRate(f, 10000), f.top); // 100 % at the top grid line
    EXPECT_EQ(data[1].line, QLineF(1600, ySpm(f, 100, 10), 2600, ySpm(f, 50, 10)));
    // A negative speed is cut where its line meets the axis: 50 down to -20 crosses 0 at 5/7.
    EXPECT_EQ(data[3].line, QLineF(2600, ySpm(f, 50, 10), 2600 + 1000.0 * 5 / 7, f.base));
}

struct WidthCase {
    int runs;
    double dataWidth;
    bool trend;
};

class LineWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(LineWidths, DependOnTheNumberOfRuns)
{
    std::vector<int> spm;
    for (int k = 0; k < GetParam().runs; ++k)
        spm.push_back(100 + (k % 7) * 3);
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm(spm));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path);
    const auto red = d.drawing.linesIn(kRed);
    const auto blue = d.drawing.linesIn(kBlue);
    ASSERT_EQ(red.size(), std::size_t(GetParam().runs - 1));
    ASSERT_EQ(blue.size(), std::size_t(GetParam().runs - 1));
    for (const auto &l : red)
        EXPECT_EQ(l.penWidth, GetParam().dataWidth);
    for (const auto &l : blue)
        EXPECT_EQ(l.penWidth, GetParam().dataWidth);
    const auto green = d.drawing.linesIn(kGreen);
    ASSERT_EQ(green.size(), GetParam().trend ? 1u : 0u);
    if (GetParam().trend) {
        EXPECT_EQ(green[0].penWidth, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, LineWidths,
                         ::testing::Values(WidthCase{2, 2, false}, WidthCase{3, 2, true},
                                           WidthCase{100, 2, true}, WidthCase{101, 1, true},
                                           WidthCase{400, 1, true}));

TEST(PracticeGraph, TrendLineEndsAreRoundedHalfToEven)
{
    // Fitted values 2.5 at run 1 and 5.5 at run 3: to even gives 2 and 6
    // (away from zero would give 3, truncation 5).
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({2, 5, 5}));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(QStringLiteral("    5")), path);
    const auto &f = d.frame;
    const auto green = d.drawing.linesIn(kGreen);
    ASSERT_EQ(green.size(), 1u);
    EXPECT_EQ(green[0].line, QLineF(1600, ySpm(f, 2, 10), 3600, ySpm(f, 6, 10)));
}

TEST(PracticeGraph, TrendLineOfAFallingSeries)
{
    // 120, 110, 100: slope -10, intercept 130; ends at 120 and 100.
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({120, 110, 100}));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path);
    const auto green = d.drawing.linesIn(kGreen);
    ASSERT_EQ(green.size(), 1u);
    EXPECT_EQ(green[0].line, QLineF(1600, ySpm(d.frame, 120, 20), 3600, ySpm(d.frame, 100, 20)));
}

class TooFewRuns : public ::testing::TestWithParam<int> {};

TEST_P(TooFewRuns, ShowTheSentenceInsteadOfLines)
{
    std::vector<int> spm(std::size_t(GetParam()), 80);
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm(spm));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path);
    const auto *sentence = d.drawing.findText(QStringLiteral("回数が２回目からグラフ表示されます。"));
    ASSERT_NE(sentence, nullptr);
    EXPECT_EQ(sentence->topLeft, QPointF(8800 / 2 - 1000, 5280 / 2));
    EXPECT_EQ(sentence->colour, kBlack);
    EXPECT_TRUE(d.drawing.linesIn(kRed).empty());
    EXPECT_TRUE(d.drawing.linesIn(kBlue).empty());
    EXPECT_TRUE(d.drawing.linesIn(kGreen).empty());
    EXPECT_TRUE(d.drawing.polylines.empty());
    // Axis labels and ticks stay.
    EXPECT_NE(d.drawing.findText(QStringLiteral(" 8")), nullptr);
    EXPECT_EQ(d.state.runsPerColumn, 1);
}

INSTANTIATE_TEST_SUITE_P(Runs, TooFewRuns, ::testing::Values(0, 1));

TEST(PracticeGraph, NegativeStoredCountMeansNoRuns)
{
    auto content = withSpm({100, 120, 130});
    content.storedRunCount = 0xFFFFFFF0LL; // stored as -16
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), content);
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path);
    EXPECT_NE(d.drawing.findText(QStringLiteral("回数が２回目からグラフ表示されます。")), nullptr);
}

TEST(PersonalGraph, HeadingsNameLearnerCourseAndKind)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("山田_Qelk.dat"), withSpm({100, 110}));
    const graphs::PersonalGraphRow kana{QStringLiteral("山田"), QStringLiteral("かな/ﾛｰﾏ"), QStringLiteral("  110")};
    EXPECT_EQ(drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(), path).result.heading,
              QStringLiteral("山田さんの 英文 練習記録グラフです。"));
    EXPECT_EQ(drawPersonal(kWidth, kHeight, graphs::TimeGraph, englishRow(), path).result.heading,
              QStringLiteral("山田さんの 英文 練習時間グラフです。"));
    EXPECT_EQ(drawPersonal(kWidth, kHeight, graphs::PracticeGraph, kana, path).result.heading,
              QStringLiteral("山田さんの かな/ﾛｰﾏ 練習記録グラフです。"));
}

TEST(PersonalGraph, SetsTheFamilyAndOtherKindsDrawOnlyTheFrame)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({100, 110, 120}));
    const auto d = drawPersonal(kWidth, kHeight, 5, englishRow(), path);
    EXPECT_EQ(d.state.graphFamily, graphs::PersonalFamily);
    EXPECT_TRUE(d.result.heading.isEmpty());
    EXPECT_TRUE(d.drawing.texts.empty());
    EXPECT_EQ(d.drawing.linesIn(kBlack).size(), 10u); // the grid
    EXPECT_EQ(d.drawing.rectsIn(kBlack).size(), 1u);  // the horizontal axis bar
    EXPECT_EQ(d.drawing.rectsIn(kBlack)[0].rect, QRectF(QPointF(600, d.frame.base), QPointF(kWidth - 600, d.frame.base + 8)));
}

class MissingFile : public ::testing::TestWithParam<int> {};

TEST_P(MissingFile, GivesTheEmptyFrameAndCreatesNothing)
{
    RecordFolder folder;
    const QString path = folder.file(QStringLiteral("gone_Qele.dat"));
    const auto d = drawPersonal(kWidth, kHeight, GetParam(), englishRow(), path);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_FALSE(d.result.fileRead);
    EXPECT_FALSE(d.result.heading.isEmpty());
    EXPECT_TRUE(d.drawing.texts.empty());
    EXPECT_EQ(d.drawing.linesIn(kBlack).size(), 10u);
    EXPECT_TRUE(d.drawing.rectsIn(kBlue).empty());
    EXPECT_TRUE(d.drawing.polylines.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, MissingFile, ::testing::Values(0, 1));

TEST(PracticeGraph, PaneClearedToPaleYellow)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({100, 110}));
    QImage image(400, 300, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::black);
    graphs::GraphState state;
    {
        QPainter painter(&image);
        graphs::drawPersonalGraph(painter, 6000, 4500, graphs::PracticeGraph, englishRow(), path, state);
    }
    EXPECT_EQ(image.pixelColor(2, 2), QColor(255, 255, 192));
    EXPECT_EQ(image.pixelColor(399, 299), QColor(255, 255, 192));
}

// --- panes the horizontal scale has no room in ---

TEST(PracticeGraph, NarrowPaneMakesOneColumnOfThePlotWidth)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({100, 110, 120, 130}));
    const auto d = drawPersonal(2000, kHeight, graphs::PracticeGraph, englishRow(), path);
    EXPECT_EQ(d.state.runsPerColumn, 5);
    const auto blue = d.drawing.linesIn(kBlue);
    ASSERT_EQ(blue.size(), 3u);
    for (const auto &l : blue) {
        EXPECT_GE(l.line.x1(), 600);
        EXPECT_LE(l.line.x2(), 1400);
    }
    EXPECT_DOUBLE_EQ(blue.back().line.x2(), 600 + 800 * 4 / 5);
    EXPECT_NE(d.drawing.findText(QStringLiteral(" 5")), nullptr);
}

TEST(PracticeGraph, PaneWithoutPlotDrawsNoRuns)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({100, 110, 120, 130}));
    for (const int width : {1200, 900, 600}) {
        const auto d = drawPersonal(width, kHeight, graphs::PracticeGraph, englishRow(), path);
        EXPECT_TRUE(d.drawing.linesIn(kBlue).empty()) << width;
        EXPECT_TRUE(d.drawing.linesIn(kGreen).empty()) << width;
        EXPECT_TRUE(d.drawing.polylines.empty()) << width;
    }
}

// --- long histories ---

TEST(PracticeGraph, RunsMissingFromAShortFileLieOnTheAxis)
{
    auto content = withSpm(std::vector<int>(10, 200));
    content.storedRunCount = 50'000'000; // far more than the file holds
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), content);
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(QStringLiteral("  200")), path);
    const auto &f = d.frame;
    const std::int64_t perColumn = 50'000'000 / 8 + 1;
    EXPECT_EQ(d.state.runsPerColumn, perColumn);
    std::vector<QPointF> blue;
    for (const auto &p : d.drawing.polylines)
        if (p.colour == kBlue)
            blue.insert(blue.end(), p.points.begin(), p.points.end());
    ASSERT_GE(blue.size(), 2u);
    EXPECT_EQ(blue.front(), QPointF(600, ySpm(f, 200, 20)));
    EXPECT_EQ(blue.back(), QPointF(600 + (1000LL * 50'000'000) / perColumn, f.base));
    for (const auto &p : blue)
        EXPECT_LE(p.x(), kWidth - 600);
    // The trend runs from about 0 down to the axis: the ten fast runs barely count.
    const auto green = d.drawing.linesIn(kGreen);
    ASSERT_EQ(green.size(), 1u);
    EXPECT_DOUBLE_EQ(green[0].line.y2(), f.base);
}

std::vector<samples::Run> noisyRuns(int count)
{
    std::vector<samples::Run> runs;
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) & 0x7fff);
    };
    for (int k = 0; k < count; ++k) {
        int spm = 200 + next() % 100 + k / 400;
        if (next() % 500 == 0)
            spm += 60; // a lone fast run must still show as a spike
        runs.push_back({std::int16_t(spm), std::int16_t(next() % 900)});
    }
    return runs;
}

// 20000 noisy runs drawn merged per pixel column and segment by segment.
std::pair<PersonalDrawing, PersonalDrawing> drawNoisyRunsBothWays()
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withRuns(noisyRuns(20000)));
    return {drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(QStringLiteral("  400")), path),
            drawPersonal(kWidth, kHeight, graphs::PracticeGraph, englishRow(QStringLiteral("  400")), path,
                         graphs::RunLines::EverySegment)};
}

TEST(PracticeGraph, DenseRunsAreMergedPerPixelColumn)
{
    const auto [merged, exact] = drawNoisyRunsBothWays();
    EXPECT_EQ(exact.drawing.linesIn(kBlue).size(), 19999u);
    EXPECT_TRUE(merged.drawing.linesIn(kBlue).empty());
    EXPECT_TRUE(merged.drawing.linesIn(kRed).empty());
    ASSERT_EQ(merged.drawing.polylines.size(), 2u);
    EXPECT_EQ(merged.drawing.polylines[0].colour, kRed);
    EXPECT_EQ(merged.drawing.polylines[1].colour, kBlue);
    const int columns = 8800 / 15 + 1;
    for (const auto &p : merged.drawing.polylines) {
        EXPECT_LE(p.points.size(), std::size_t(4 * columns));
        EXPECT_EQ(p.penWidth, 1);
    }
    // The trend line does not depend on how the runs were drawn.
    ASSERT_EQ(merged.drawing.linesIn(kGreen).size(), 1u);
    EXPECT_EQ(merged.drawing.linesIn(kGreen)[0].line, exact.drawing.linesIn(kGreen)[0].line);
}

// Vertical range a path covers inside each device pixel column (x in [c, c + 1) pixels).
struct Range {
    double low = 1e300;
    double high = -1e300;
};

void cover(std::map<long, Range> &ranges, QPointF a, QPointF b, double twipsPerPixel)
{
    if (a.x() > b.x())
        std::swap(a, b);
    const double ax = a.x() / twipsPerPixel, bx = b.x() / twipsPerPixel;
    auto yAt = [&](double x) { return a.y() + (b.y() - a.y()) * (x - ax) / (bx - ax); };
    for (long c = long(std::floor(ax)); c <= long(std::floor(bx)); ++c) {
        const double from = std::max(ax, double(c));
        const double to = std::min(bx, double(c + 1));
        auto &r = ranges[c];
        const bool vertical = bx == ax;
        for (const double y : {vertical ? a.y() : yAt(from), vertical ? b.y() : yAt(to)}) {
            r.low = std::min(r.low, y);
            r.high = std::max(r.high, y);
        }
    }
}

TEST(PracticeGraph, MergedLinesCoverWhatEverySegmentCoversInEachColumn)
{
    const auto [merged, exact] = drawNoisyRunsBothWays();
    ASSERT_EQ(merged.drawing.polylines.size(), 2u);
    for (const QColor &colour : {kRed, kBlue}) {
        std::map<long, Range> a, b;
        const auto &points = merged.drawing.polylines[colour == kRed ? 0 : 1].points;
        for (std::size_t i = 1; i < points.size(); ++i)
            cover(a, points[i - 1], points[i], 15);
        for (const auto &s : exact.drawing.linesIn(colour))
            cover(b, s.line.p1(), s.line.p2(), 15);
        ASSERT_EQ(a.size(), b.size());
        EXPECT_GT(a.size(), 530u);
        for (const auto &[column, range] : b) {
            ASSERT_TRUE(a.count(column)) << column;
            EXPECT_DOUBLE_EQ(a[column].low, range.low) << "column " << column;
            EXPECT_DOUBLE_EQ(a[column].high, range.high) << "column " << column;
        }
    }
}

QImage render(const QString &path, graphs::RunLines lines)
{
    QImage image(kWidth / 15 + 1, kHeight / 15, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    graphs::GraphState state;
    QPainter painter(&image);
    graphs::drawPersonalGraph(painter, kWidth, kHeight, graphs::PracticeGraph,
                              englishRow(QStringLiteral("  400")), path, state, lines);
    return image;
}

// Pixels of `colour` in `a` that have no pixel of an accepted colour within `reach` in `b`.
int unmatched(const QImage &a, const QImage &b, const QColor &colour, const std::vector<QColor> &accepted,
              int reach = 1)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixelColor(x, y) != colour)
                continue;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy)
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    const QPoint p(x + dx, y + dy);
                    if (b.rect().contains(p))
                        found = std::find(accepted.begin(), accepted.end(), b.pixelColor(p)) != accepted.end();
                }
            count += found ? 0 : 1;
        }
    return count;
}

// --- nothing runs over anything ---

struct OffScaleCase {
    const char *name;
    std::vector<samples::Run> runs;
    const char *best;
};

std::vector<samples::Run> alternating(int count, std::int16_t low, std::int16_t high)
{
    std::vector<samples::Run> runs;
    for (int k = 0; k < count; ++k)
        runs.push_back({k % 2 ? high : low, std::int16_t(k % 3 ? 500 : 12000)});
    return runs;
}

class OffScale : public ::testing::TestWithParam<OffScaleCase> {};

// Speeds below zero or above the axis top, and mistype rates over 100 %, stop at the plot's
// edge; so does the trend line. A long history goes out merged, a short one segment by segment.
TEST_P(OffScale, DataLinesStayInThePlot)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withRuns(GetParam().runs));
    const auto d = drawPersonal(kWidth, kHeight, graphs::PracticeGraph,
                                englishRow(QString::fromLatin1(GetParam().best)), path);
    const QRectF plot = d.frame.plot();
    ASSERT_EQ(plot, QRectF(QPointF(600, d.frame.top), QPointF(kWidth - 600, d.frame.base)));
    const auto inside = [&](QPointF p) {
        return p.x() >= plot.left() - 1e-9 && p.x() <= plot.right() + 1e-9 && p.y() >= plot.top() - 1e-9
            && p.y() <= plot.bottom() + 1e-9;
    };
    int drawn = 0;
    for (const QColor &colour : {kBlue, kRed, kGreen})
        for (const DrawnLine &l : d.drawing.linesIn(colour)) {
            ++drawn;
            EXPECT_TRUE(inside(l.line.p1()) && inside(l.line.p2())) << l.line.x1() << "," << l.line.y1() << " "
                                                                   << l.line.x2() << "," << l.line.y2();
        }
    for (const DrawnPolyline &p : d.drawing.polylines) {
        ++drawn;
        for (const QPointF &point : p.points)
            EXPECT_TRUE(inside(point)) << point.x() << "," << point.y();
    }
    EXPECT_GT(drawn, 2);
    // The lines reach the edges they were cut at.
    double highest = plot.bottom(), lowest = plot.top();
    for (const DrawnLine &l : d.drawing.lines)
        for (const QPointF &p : {l.line.p1(), l.line.p2()}) {
            if (l.colour != kBlue && l.colour != kRed)
                continue;
            highest = std::min(highest, p.y());
            lowest = std::max(lowest, p.y());
        }
    for (const DrawnPolyline &p : d.drawing.polylines)
        for (const QPointF &point : p.points) {
            highest = std::min(highest, point.y());
            lowest = std::max(lowest, point.y());
        }
    EXPECT_DOUBLE_EQ(highest, plot.top());
    EXPECT_DOUBLE_EQ(lowest, plot.bottom());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, OffScale,
    ::testing::Values(OffScaleCase{"NegativeAndBest105", {{40, 500}, {105, 300}, {-60, 200}, {105, 12000}, {-20, 100}}, "  105"},
                      OffScaleCase{"FallingBelowZero", {{40, 500}, {-30, 300}, {-60, 200}, {-90, 30000}}, "   40"},
                      OffScaleCase{"LongHistoryMerged", alternating(3000, -50, 130), "  105"}),
    [](const auto &info) { return std::string(info.param.name); });

// The captions sit at 20 twips unless the top axis label would reach into them; then they
// go up just enough. Heights give tops from 240 (plot height a multiple of 100) to 339.
TEST(PracticeGraph, CaptionsClearTheTopAxisLabels)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({50, 60, 70}));
    for (int height : {5920, 5940, 5950, 5965, 6000, 6019}) {
        const auto d = drawPersonal(kWidth, height, graphs::PracticeGraph, englishRow(), path);
        const auto &f = d.frame;
        const double labelTop = f.top - 70;
        for (const char *caption : {"ストローク／分", "ミスタイプ率(%)"}) {
            const auto *t = d.drawing.findText(QString::fromUtf8(caption));
            ASSERT_NE(t, nullptr) << height;
            EXPECT_LE(t->topLeft.y() + graphs::kPaneTextHeight, labelTop + 1e-6) << height;
            EXPECT_EQ(t->topLeft.y(), labelTop >= 200 ? 20 : labelTop - 180) << height;
        }
    }
}

// In a narrow pane the mistype rate's caption keeps only its unit, or goes, rather than
// run into the speed's.
TEST(PracticeGraph, NarrowPaneCaptionsDoNotOverlap)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withSpm({50, 60, 70}));
    int shortened = 0, dropped = 0;
    for (int width = 1200; width <= 4000; width += 100) {
        const auto d = drawPersonal(width, kHeight, graphs::PracticeGraph, englishRow(), path);
        const auto *speed = d.drawing.findText(QStringLiteral("ストローク／分"));
        ASSERT_NE(speed, nullptr);
        const auto red = d.drawing.textsIn(kRed);
        const auto caption = std::find_if(red.begin(), red.end(), [](const DrawnText &t) { return t.topLeft.y() < 100; });
        if (caption == red.end()) {
            ++dropped;
            continue;
        }
        EXPECT_GE(caption->topLeft.x(), speed->right) << width;
        if (caption->text == QStringLiteral("(%)"))
            ++shortened;
        else
            EXPECT_EQ(caption->topLeft.x(), width - 1500) << width;
    }
    EXPECT_GT(shortened, 0);
    EXPECT_GT(dropped, 0);
}

TEST(PracticeGraph, MergedPictureLooksLikeTheExactOne)
{
    RecordFolder folder;
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), withRuns(noisyRuns(20000)));
    const QImage merged = render(path, graphs::RunLines::Merged);
    const QImage exact = render(path, graphs::RunLines::EverySegment);
    // Every data pixel of the exact picture has its like within a pixel in the merged one
    // (the green trend, drawn last, may hide blue in either). The other way round the reach
    // is two pixels: drawn segment by segment, a sharp tip loses its last pixel or two,
    // which the one polyline keeps.
    EXPECT_EQ(unmatched(exact, merged, kBlue, {kBlue, kGreen}), 0);
    EXPECT_EQ(unmatched(exact, merged, kRed, {kRed}), 0);
    EXPECT_EQ(unmatched(merged, exact, kBlue, {kBlue, kGreen}, 2), 0);
    EXPECT_EQ(unmatched(merged, exact, kRed, {kRed}, 2), 0);
}

} // namespace
