// The graphs' data as tables: each holds what its drawing draws, and the model serves it.

#include "tests/graphs/testsupport.h"

#include "graphs/graphdata.h"
#include "graphs/graphdatamodel.h"
#include "graphs/scales.h"
#include "records/groupstats.h"
#include "records/loadedhistory.h"
#include "records/textformat.h"

#include <QAbstractItemModelTester>
#include <set>

using namespace qel;
using namespace qel::test;
using graphs::kBlack;
using graphs::kBlue;
using graphs::kGreen;
using graphs::kRed;

namespace {

std::shared_ptr<const LoadedHistory> load(const RecordFolder &folder, const samples::RecordContent &content)
{
    const QString path = folder.write(QStringLiteral("a_Qele.dat"), content);
    auto loaded = LoadedHistory::read(path);
    EXPECT_TRUE(loaded);
    return loaded ? std::make_shared<const LoadedHistory>(std::move(*loaded)) : nullptr;
}

struct Drawn {
    PersonalDrawing d;
    std::set<std::pair<double, double>> blue, red;
};

// The practice graph segment by segment, with every end point of its data lines.
Drawn drawPractice(const LoadedHistory &loaded, const QString &best)
{
    Drawn out;
    PaneDevice device(pixelsFor(kWidth), pixelsFor(kHeight));
    {
        QPainter painter(&device);
        out.d.result = graphs::drawPersonalGraph(painter, kWidth, kHeight, graphs::PracticeGraph, englishRow(best),
                                                 &loaded, out.d.state, graphs::RunLines::EverySegment);
    }
    out.d.drawing = device.drawing();
    out.d.frame = graphs::GraphFrame::forPane(kWidth, kHeight);
    for (const auto &l : out.d.drawing.lines) {
        auto *set = l.colour == kBlue ? &out.blue : l.colour == kRed ? &out.red : nullptr;
        if (set) {
            set->insert({l.line.x1(), l.line.y1()});
            set->insert({l.line.x2(), l.line.y2()});
        }
    }
    for (const auto &p : out.d.drawing.polylines) {
        auto *set = p.colour == kBlue ? &out.blue : p.colour == kRed ? &out.red : nullptr;
        for (const auto &point : p.points)
            if (set)
                set->insert({point.x(), point.y()});
    }
    return out;
}

struct PracticeCase {
    const char *name;
    std::vector<samples::Run> runs;
    std::int64_t stored; // 0: as many as the runs
    std::vector<graphs::PracticeRow> rows;
    graphs::PracticeGap gap;
};

std::vector<PracticeCase> practiceCases()
{
    return {
        {"FiveRuns", {{100, 250}, {120, 0}, {90, 1000}, {150, 333}, {140, 10000}}, 0,
         {{1, 1, 100, 250}, {2, 2, 120, 0}, {3, 3, 90, 1000}, {4, 4, 150, 333}, {5, 5, 140, 10000}},
         graphs::PracticeGap::None},
        // The runs the stated count holds beyond the file's end are drawn as one line at zero.
        {"ShortFile", {{80, 100}, {90, 200}, {100, 300}}, 9, {{1, 1, 80, 100}, {2, 2, 90, 200}, {3, 3, 100, 300}, {4, 9, 0, 0}},
         graphs::PracticeGap::None},
        {"OneRun", {{80, 100}}, 0, {}, graphs::PracticeGap::TooFewRuns},
        {"NoRun", {}, 0, {}, graphs::PracticeGap::TooFewRuns},
    };
}

class PracticeData : public ::testing::TestWithParam<PracticeCase> {};

TEST_P(PracticeData, HoldsThePointsTheDrawingDraws)
{
    const auto &c = GetParam();
    RecordFolder folder;
    auto content = withRuns(c.runs);
    if (c.stored)
        content.storedRunCount = c.stored;
    const auto loaded = load(folder, content);
    ASSERT_TRUE(loaded);
    const graphs::PracticeTable table = graphs::practiceTable(*loaded);
    EXPECT_EQ(table.gap(), c.gap);
    ASSERT_EQ(table.rowCount(), std::int64_t(c.rows.size()));
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        const auto r = table.row(std::int64_t(i));
        EXPECT_EQ(std::tie(r.firstRun, r.lastRun, r.spm, r.mistypeRate),
                  std::tie(c.rows[i].firstRun, c.rows[i].lastRun, c.rows[i].spm, c.rows[i].mistypeRate))
            << "row " << i;
    }

    const Drawn drawn = drawPractice(*loaded, QStringLiteral("  150"));
    const auto &f = drawn.d.frame;
    const std::int64_t perColumn = drawn.d.state.runsPerColumn;
    const auto x = [&](std::int64_t k) { return 600.0 + double((1000 * k) / perColumn); };
    const auto ySpm = [&](int v) { return f.base - double(v) * f.division / drawn.d.state.spmPerDivision; };
    const auto yRate = [&](int w) { return f.base - w * double(f.division / 10) / 100.0; };
    std::set<std::pair<double, double>> blue, red;
    for (std::int64_t i = 0; i < table.rowCount(); ++i) {
        const auto r = table.row(i);
        for (std::int64_t k : {r.firstRun, r.lastRun}) {
            blue.insert({x(k), ySpm(r.spm)});
            red.insert({x(k), yRate(r.mistypeRate)});
        }
    }
    EXPECT_EQ(drawn.blue, blue);
    EXPECT_EQ(drawn.red, red);

    // The green line (cut to the plot) lies on the line through the trend's ends.
    const auto green = drawn.d.drawing.linesIn(kGreen);
    ASSERT_EQ(green.size(), table.trend() ? 1u : 0u);
    if (table.trend()) {
        const QPointF a(x(1), ySpm(int(table.trend()->first)));
        const QPointF b(x(table.runCount()), ySpm(int(table.trend()->last)));
        for (const QPointF &p : {green[0].line.p1(), green[0].line.p2()}) {
            const double cross = (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
            EXPECT_NEAR(cross / QLineF(a, b).length(), 0.0, 0.01);
        }
        EXPECT_DOUBLE_EQ(green[0].line.x1(), a.x());
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, PracticeData, ::testing::ValuesIn(practiceCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TimeData, OneRowPerBarDrawn)
{
    for (const int steps : {-3, 0, 1, 7, 250}) {
        samples::RecordContent content;
        content.currentStep = std::uint16_t(std::int16_t(steps));
        for (int i = 0; i < 200; ++i)
            content.stepSeconds[std::size_t(i)] = 30 * (i % 13) + i;
        RecordFolder folder;
        const auto loaded = load(folder, content);
        ASSERT_TRUE(loaded);
        const auto rows = graphs::stepTimeTable(loaded->history().stepTimes());

        PaneDevice device(pixelsFor(kWidth), pixelsFor(kHeight));
        graphs::GraphState state;
        {
            QPainter painter(&device);
            graphs::drawPersonalGraph(painter, kWidth, kHeight, graphs::TimeGraph, englishRow(), loaded.get(), state);
        }
        const auto bars = device.drawing().rectsIn(kBlue);
        ASSERT_EQ(rows.size(), bars.size()) << "steps " << steps;
        const auto f = graphs::GraphFrame::forPane(kWidth, kHeight);
        const auto axis = graphs::timeAxisFor(maxstep(loaded->history().stepTimes(), std::max(steps, 0)));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].step, int(i) + 1);
            EXPECT_NEAR(bars[i].rect.height() * double(axis.secondsPerDivision) / f.division, double(rows[i].seconds),
                        1e-6)
                << "step " << rows[i].step;
        }
    }
}

// What a statistics graph writes under and over each bar: the range's lower end and the count.
std::vector<std::pair<QString, std::int64_t>> drawnBins(const GroupDrawing &d)
{
    constexpr int kSlot = 8800 / 11;
    std::vector<std::pair<QString, std::int64_t>> out;
    for (int k = 1; k <= 11; ++k) {
        std::pair<QString, std::int64_t> bin{QString(), -1};
        for (const auto &t : d.drawing.textsIn(kBlue))
            if (t.topLeft == QPointF(600 + kSlot * (k - 1) + 150, d.frame.base + 100))
                bin.first = t.text;
        for (const auto &t : d.drawing.textsIn(kBlack))
            if (t.topLeft.x() == kSlot * k - 100 && t.text.endsWith(u'人'))
                bin.second = t.text.chopped(1).trimmed().toLongLong();
        out.push_back(bin);
    }
    return out;
}

TEST(StatisticsData, BinsAreTheBarsDrawn)
{
    std::vector<std::int32_t> spread{250, 0, 3, 30, 30};
    for (int i = 0; i < 38; ++i)
        spread.push_back(10 + i % 20);
    const std::vector<std::vector<std::int32_t>> groups{
        spread, {12, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}, {7}, std::vector<std::int32_t>(101, 0), {60, 57, 0, 5, 33}};
    for (const int kind : {int(graphs::StepStatistics), int(graphs::RunStatistics)}) {
        for (const auto &values : groups) {
            GroupCollections collections;
            collections.groupSteps = values;
            collections.groupRunCounts = values;
            const auto bins = graphs::binTable(values, kStatPercentile);
            const auto d = drawGroup(kWidth, kHeight, kind, collections);
            const auto drawn = drawnBins(d);
            ASSERT_EQ(bins.size(), drawn.size());
            std::int64_t total = 0;
            for (std::size_t k = 0; k < bins.size(); ++k) {
                const QString lower = QString::number(bins[k].from) + (bins[k].to ? QStringLiteral("～") : QStringLiteral("以上"));
                EXPECT_EQ(drawn[k].first, lower) << "bar " << k;
                EXPECT_EQ(drawn[k].second, bins[k].count) << "bar " << k;
                if (bins[k].to) {
                    EXPECT_EQ(*bins[k].to + 1, bins[k + 1].from);
                }
                total += bins[k].count;
            }
            EXPECT_EQ(total, std::int64_t(values.size()));
        }
    }
    EXPECT_TRUE(graphs::binTable({}, kStatPercentile).empty());
}

// --- the model ---

std::unique_ptr<graphs::GraphDataModel> checked(std::unique_ptr<graphs::GraphDataModel> model)
{
    QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    return model;
}

TEST(GraphDataModel, TablesAsText)
{
    RecordFolder folder;
    auto content = withRuns({{100, 250}, {120, 0}, {90, 1000}});
    content.storedRunCount = 5;
    content.currentStep = 2;
    content.stepSeconds[0] = 3725;
    content.stepSeconds[1] = 59;
    const auto loaded = load(folder, content);
    ASSERT_TRUE(loaded);

    auto practice = checked(graphs::GraphDataModel::practice(englishRow(), loaded));
    EXPECT_EQ(practice->caption(), graphs::practiceHeading(englishRow()));
    const auto trend = loaded->history().trendLine();
    ASSERT_TRUE(trend);
    EXPECT_TRUE(practice->summary().contains(QString::number(trend->last))) << practice->summary().toStdString();
    EXPECT_EQ(practice->tabSeparated(), QStringLiteral("回数\tSPM\tミスタイプ率(%)\n"
                                                       "1\t100\t2.50\n2\t120\t0.00\n3\t90\t10.00\n4～5\t0\t0.00\n"));

    auto time = checked(graphs::GraphDataModel::practiceTime(englishRow(), loaded));
    EXPECT_EQ(time->caption(), graphs::timeHeading(englishRow()));
    EXPECT_EQ(time->tabSeparated(), QStringLiteral("STEP\t練習時間\n1\t01:02:05\n2\t00:00:59\n"));

    GroupCollections collections;
    collections.groupSteps = {3, 0, 12, 1};
    collections.groupRunCounts = {40, 5, 5, 0};
    auto steps = checked(graphs::GraphDataModel::statistics(graphs::StepStatistics, QStringLiteral("英文"), 4,
                                                            collections, kStatPercentile));
    EXPECT_EQ(steps->caption(), QStringLiteral("英文の練習者のSTEP統計グラフです。"));
    EXPECT_EQ(steps->tabSeparated(), QStringLiteral("STEP\t人数\n0～1\t2\n2～3\t1\n4～5\t0\n6～7\t0\n8～9\t0\n"
                                                    "10～11\t0\n12～13\t1\n14～15\t0\n16～17\t0\n18～19\t0\n20以上\t0\n"));
    EXPECT_EQ(collections.groupSteps, (std::vector<std::int32_t>{3, 0, 12, 1})); // not sorted behind our back
    auto runs = checked(graphs::GraphDataModel::statistics(graphs::RunStatistics, QStringLiteral("英文"), 4,
                                                           collections, kStatPercentile));
    EXPECT_TRUE(runs->tabSeparated().startsWith(QStringLiteral("練習回数\t人数\n0～4\t1\n5～9\t2\n")))
        << runs->tabSeparated().toStdString();
}

TEST(GraphDataModel, SaysWhatIsMissing)
{
    auto unread = checked(graphs::GraphDataModel::practice(englishRow(), nullptr));
    EXPECT_EQ(unread->rowCount(), 0);
    EXPECT_EQ(unread->summary(), QStringLiteral("記録ファイルを読めませんでした。"));
    EXPECT_EQ(checked(graphs::GraphDataModel::practiceTime(englishRow(), nullptr))->summary(), unread->summary());
    auto empty = checked(graphs::GraphDataModel::statistics(graphs::RunStatistics, QStringLiteral("全体"), 0, {},
                                                            kStatPercentile));
    EXPECT_EQ(empty->rowCount(), 0);
    EXPECT_EQ(empty->summary(), QStringLiteral("このグループには練習者がいません。"));
}

TEST(GraphDataModel, ServesALongHistoryFromTheRunsKept)
{
    std::vector<samples::Run> runs;
    for (int k = 0; k < 300000; ++k)
        runs.push_back({std::int16_t(k % 300), std::int16_t(k % 7000)});
    RecordFolder folder;
    const auto loaded = load(folder, withRuns(runs));
    ASSERT_TRUE(loaded);
    auto model = graphs::GraphDataModel::practice(englishRow(), loaded);
    ASSERT_EQ(model->rowCount(), 300000);
    for (const int row : {0, 149999, 299999}) {
        EXPECT_EQ(model->index(row, 0).data().toString(), QString::number(row + 1));
        EXPECT_EQ(model->index(row, 1).data().toInt(), row % 300);
        EXPECT_EQ(model->index(row, 2).data().toString(), twoDecimals((row % 7000) / 100.0));
    }
}

} // namespace
