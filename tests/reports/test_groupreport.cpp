#include "reports/groupreport.h"

#include "tests/reports/fixtures.h"
#include "tests/reports/pagedrawing.h"

#include "base/painting.h"
#include "records/learnertable.h"

#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::reports;
using namespace qel::test;
using draw::mmToTwips;

namespace {

constexpr double kTol = 0.5;
constexpr double kPrinterPixel = 1440.0 / 300.0;

TEST(GroupReportRules, PeoplePerDivision)
{
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {0, 1}, {1, 1}, {10, 1}, {11, 2}, {15, 2}, {20, 2}, {21, 3}, {99, 10}, {100, 10},
        {101, 20}, {200, 20}, {201, 30}, {1000, 100},
    };
    for (const auto &[largest, perDivision] : cases)
        EXPECT_EQ(printedPeoplePerDivision(largest), perDivision) << largest;
}

TEST(GroupReportRules, CountAndRangeLabels)
{
    EXPECT_EQ(countLabel(7, 3), "   7人  ");
    EXPECT_EQ(countLabel(7, 4), "    7人  ");
    EXPECT_EQ(countLabel(15, 3), "   15人  ");
    EXPECT_EQ(countLabel(0, 4), "    0人  ");
    EXPECT_EQ(countLabel(12345, 4), "12345人  ");
    EXPECT_EQ(countLabel(123456, 3), "23456人  "); // cut to the last five characters
    EXPECT_EQ(rangeLabel(1, 5), "0～");
    EXPECT_EQ(rangeLabel(2, 5), "5～");
    EXPECT_EQ(rangeLabel(10, 5), "45～");
    EXPECT_EQ(rangeLabel(11, 5), "50以上");
    EXPECT_EQ(rangeLabel(11, 1), "10以上");
}

struct GroupDrawing {
    PageDevice device;
    PageDrawing drawn;

    GroupDrawing(const PageGeometry &page, const QString &folder, const GroupStatistics &stats,
                 GroupCollections &collections)
    {
        ensureGuiApplication();
        QPainter painter(&device);
        drawGroupReport(painter, page, folder, stats, collections);
        drawn = device.drawing();
    }
    const DrawnText *find(const QString &text, double nearY = -1) const
    {
        for (const DrawnText &t : drawn.texts)
            if (t.text == text && (nearY < 0 || std::abs(t.topLeft().y() - nearY) < kTol))
                return &t;
        return nullptr;
    }
    QStringList textsAtX(double x) const
    {
        QStringList list;
        for (const DrawnText &t : drawn.texts)
            if (std::abs(t.topLeft().x() - x) < kTol)
                list << t.text;
        return list;
    }
    // The hatched boxes outlined in a colour, narrower than the band frames.
    std::vector<DrawnRect> bars(const QColor &outline) const
    {
        std::vector<DrawnRect> found;
        for (const DrawnRect &r : hatchedBoxes(drawn))
            if (r.penColour == outline && r.rect.width() < mmToTwips(20))
                found.push_back(r);
        return found;
    }
};

// STEPs: fifteen learners at STEP 5 and one each at 0 and 12; the largest bin holds 15.
// Practice counts: 0 to 49 and 100, so the bins are 5 wide and hold 5 each, 1 above 50.
GroupCollections sampleCollections()
{
    GroupCollections c;
    c.groupSteps.assign(15, 5);
    c.groupSteps.push_back(12);
    c.groupSteps.push_back(0);
    for (int v = 49; v >= 0; --v)
        c.groupRunCounts.push_back(v);
    c.groupRunCounts.push_back(100);
    return c;
}

TEST(GroupReport, AxisNumbersFollowThePrintedRule)
{
    const PageGeometry g = groupPageGeometry(210, 297, 0, 0);
    GroupCollections c = sampleCollections();
    GroupDrawing d(g, "/records", GroupStatistics(), c);
    const double h = g.histogramHeight();
    ASSERT_EQ(h, 92.0);

    // Largest STEP bin 15: two learners per division, 0 to 20. (The pane would use 10.)
    QStringList step, runs;
    for (int i = 0; i <= 10; ++i) {
        const double stepY = mmToTwips(g.top + 63 + std::int64_t(std::nearbyint(h * (10 - i))) / 10) - 30;
        const double runsY = mmToTwips((g.bottom - 5) - std::int64_t(std::nearbyint(h * i)) / 10) - 60;
        for (const DrawnText &t : d.drawn.texts) {
            if (std::abs(t.topLeft().x() - (mmToTwips(g.left) + 10)) > kTol)
                continue;
            if (std::abs(t.topLeft().y() - stepY) < kTol)
                step << t.text.trimmed();
            if (std::abs(t.topLeft().y() - runsY) < kTol)
                runs << t.text.trimmed();
            EXPECT_NEAR(t.points, 6, 0.01);
        }
    }
    EXPECT_EQ(step, QStringList({"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20"}));
    EXPECT_EQ(runs, QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST(GroupReport, BarsLabelsAndBands)
{
    const PageGeometry g = groupPageGeometry(210, 297, 0, 0);
    GroupCollections c = sampleCollections();
    GroupDrawing d(g, "/records", GroupStatistics(), c);
    const double h = g.histogramHeight();
    const double slot = mmToTwips(g.histogramWidth()) / 11.0;
    const double plotLeft = mmToTwips(g.left + 5);
    const double division = mmToTwips(h) / 10.0;

    const auto stepBars = d.bars(Qt::black);
    const auto runBars = d.bars(QColor(0, 0, 255));
    ASSERT_EQ(stepBars.size(), 11u);
    ASSERT_EQ(runBars.size(), 11u);
    const double stepBottom = mmToTwips(g.top + 63 + h);
    const double runBottom = mmToTwips(g.top + 73 + 2 * h);
    // Bin 5 of the STEPs: 15 learners at 2 a division.
    const DrawnRect &bin5 = stepBars[5];
    EXPECT_NEAR(bin5.rect.left(), plotLeft + slot * 5 + 50, kTol);
    EXPECT_NEAR(bin5.rect.right(), plotLeft + slot * 6 - 50, kTol);
    EXPECT_NEAR(bin5.rect.bottom(), stepBottom, kTol);
    EXPECT_NEAR(bin5.rect.top(), stepBottom - division * 15 / 2, kTol);
    EXPECT_TRUE(bin5.rect.height() > 0 && isHatchedBox(d.drawn, bin5));
    // Bin 10 of the STEPs holds 12 (12 \ 1 >= 10); bin 10 of the counts holds 100.
    EXPECT_NEAR(stepBars[10].rect.top(), stepBottom - division * 1 / 2, kTol);
    EXPECT_NEAR(runBars[0].rect.top(), runBottom - division * 5, kTol);
    EXPECT_NEAR(runBars[10].rect.top(), runBottom - division * 1, kTol);
    EXPECT_NEAR(runBars[10].rect.bottom(), mmToTwips(g.bottom - 5), kTol);

    // Count labels: 600 twips left of the bar's right edge, 170 above its top.
    const DrawnText *fifteen = d.find("   15人  ");
    ASSERT_NE(fifteen, nullptr);
    EXPECT_NEAR(fifteen->topLeft().x(), bin5.rect.right() - 600, kTol);
    EXPECT_NEAR(fifteen->topLeft().y(), bin5.rect.top() - 170, kTol);
    EXPECT_EQ(fifteen->colour, QColor(Qt::black));
    EXPECT_NE(d.find("   0人  "), nullptr);
    EXPECT_NE(d.find("   1人  "), nullptr);
    EXPECT_NE(d.find("    5人  "), nullptr);
    EXPECT_NE(d.find("    1人  "), nullptr);
    EXPECT_EQ(d.find("   5人  "), nullptr); // no STEP bin of 5

    // Range labels under the bars, 8 points, 227 twips into the slot, 1 mm below the band.
    QStringList stepRanges, runRanges;
    for (const DrawnText &t : d.drawn.texts) {
        if (std::abs(t.topLeft().y() - mmToTwips(g.top + 63 + h + 1)) < kTol)
            stepRanges << t.text;
        if (std::abs(t.topLeft().y() - mmToTwips(g.bottom - 5 + 1)) < kTol)
            runRanges << t.text;
    }
    EXPECT_EQ(stepRanges, QStringList({"0～", "1～", "2～", "3～", "4～", "5～", "6～", "7～", "8～", "9～", "10以上"}));
    EXPECT_EQ(runRanges, QStringList({"0～", "5～", "10～", "15～", "20～", "25～", "30～", "35～", "40～", "45～", "50以上"}));
    const DrawnText *range = d.find("5～", mmToTwips(g.top + 63 + h + 1));
    ASSERT_NE(range, nullptr);
    EXPECT_NEAR(range->topLeft().x(), plotLeft + slot * 5 + 227, kTol);
    EXPECT_NEAR(range->points, 8, 0.01);

    // Band frames 4 wide, separator 5 wide, nine grid lines in each band.
    int bands = 0;
    for (const DrawnRect &r : d.drawn.rects)
        if (std::abs(r.penWidth - 4 * kPrinterPixel) < 0.01) {
            ++bands;
            EXPECT_NEAR(r.rect.left(), plotLeft, kTol);
            EXPECT_NEAR(r.rect.right(), mmToTwips(g.right - 5), kTol);
            EXPECT_EQ(r.brushStyle, Qt::NoBrush);
        }
    EXPECT_EQ(bands, 2);
    int separators = 0, grid = 0;
    for (const DrawnLine &l : d.drawn.lines) {
        if (std::abs(l.width - 5 * kPrinterPixel) < 0.01) {
            ++separators;
            EXPECT_NEAR(l.line.y1(), mmToTwips(g.top + 67 + h), kTol);
        }
        if (std::abs(l.width - kPrinterPixel) < 0.01 && std::abs(l.line.x1() - plotLeft) < kTol)
            ++grid;
    }
    EXPECT_EQ(separators, 1);
    EXPECT_EQ(grid, 18);

    EXPECT_NE(d.find("ＳＴＥＰ", mmToTwips(g.top + 58)), nullptr);
    EXPECT_NE(d.find("練習回数", mmToTwips(g.top + 68 + h)), nullptr);
    EXPECT_NE(d.find("人", mmToTwips(g.top + 60) - 30), nullptr);
    EXPECT_NE(d.find("人", mmToTwips(g.top + 69 + h)), nullptr);

    // The lists are left sorted.
    EXPECT_TRUE(std::is_sorted(c.groupSteps.begin(), c.groupSteps.end()));
    EXPECT_TRUE(std::is_sorted(c.groupRunCounts.begin(), c.groupRunCounts.end()));
}

TEST(GroupReport, TableShowsTheStatisticsTexts)
{
    Folder folder;
    // English: STEPs 3, 5, 4 and counts 10, 20, 40; "kana" also practises Kana/Romaji.
    folder.write("a", true, content(4, risingRuns(10, 50, 1)));
    folder.write("b", true, content(6, risingRuns(20, 50, 1)));
    folder.write("kana", true, content(5, risingRuns(40, 50, 1)));
    folder.write("kana", false, content(2, risingRuns(3, 50, 1)));
    const GroupStatistics stats = computeAllGroups(folder.path(), AllGroup);
    GroupCollections collections;
    makeView(folder.path(), scanFolder(folder.path(), AllGroup).nodes, &collections);
    const PageGeometry g = groupPageGeometry(210, 297, 3, 4);
    GroupDrawing d(g, folder.path(), stats, collections);

    const auto x = [&](double paper) { return mm(paper - g.offsetX); };
    const DrawnText *heading = d.find("全体", mm(15));
    ASSERT_NE(heading, nullptr);
    EXPECT_NEAR(heading->topLeft().x(), x(25), kTol);
    EXPECT_NEAR(heading->points, 20, 0.01);
    const DrawnText *path = d.find("(" + folder.path() + ")");
    ASSERT_NE(path, nullptr);
    EXPECT_NEAR(path->topLeft().x(), x(39), kTol);
    EXPECT_NEAR(path->topLeft().y(), mm(17), kTol);
    EXPECT_NE(d.find("全体", mm(25)), nullptr);
    EXPECT_NE(d.find("英文練習", mm(25)), nullptr);
    EXPECT_NE(d.find("かな／ローマ練習", mm(25)), nullptr);

    const char *labels[] = {"練習人数", "平均ＳＴＥＰ", "平均練習回数", "最高ＳＴＥＰ", "最低ＳＴＥＰ", "最高練習回数", "最低練習回数"};
    const double labelX[] = {40, 32, 32, 32, 32, 32, 32};
    const double columnX[] = {78, 118, 158};
    for (int row = 0; row < 7; ++row) {
        const double y = mm(33 + 5 * row);
        const DrawnText *label = d.find(QString::fromUtf8(labels[row]), y);
        ASSERT_NE(label, nullptr) << row;
        EXPECT_NEAR(label->topLeft().x(), x(labelX[row]), kTol);
        EXPECT_NEAR(label->points, 12, 0.01);
        for (int group = 0; group < 3; ++group) {
            ASSERT_FALSE(stats.text(row, group).isEmpty());
            bool found = false;
            for (const DrawnText &t : d.drawn.texts)
                found = found || (t.text == stats.text(row, group) && std::abs(t.topLeft().y() - y) < kTol
                                  && std::abs(t.topLeft().x() - x(columnX[group])) < kTol);
            EXPECT_TRUE(found) << row << " " << group << " " << stats.text(row, group).toStdString();
        }
    }
    // The English column as the dialog computes it.
    EXPECT_EQ(stats.text(MeanRunsStat, EnglishGroup), "23.33");
    EXPECT_EQ(stats.text(LearnerCountStat, AllGroup), "4");

    // Rules from paper x 28 to 188 at y + 4 of each row, and the closing one at y + 6 of row 7.
    std::vector<double> rules;
    for (const DrawnLine &l : d.drawn.lines)
        if (std::abs(l.line.x1() - x(28)) < kTol && std::abs(l.line.x2() - x(188)) < kTol)
            rules.push_back(toMm(l.line.y1()));
    ASSERT_EQ(rules.size(), 8u);
    EXPECT_NEAR(rules.front(), 37, 0.01);
    EXPECT_NEAR(rules[6], 67, 0.01);
    EXPECT_NEAR(rules[7], 69, 0.01);
}

TEST(GroupReport, WideLeftMarginStartsTheFrameAtThePrintableEdge)
{
    GroupCollections c = sampleCollections();
    GroupDrawing d(groupPageGeometry(210, 297, 25, 5), "/records", GroupStatistics(), c);
    const DrawnRect &frame = d.drawn.rects.front();
    EXPECT_NEAR(frame.rect.left(), 0, kTol);
    EXPECT_NEAR(frame.rect.top(), mm(10), kTol);
    EXPECT_NEAR(frame.rect.right(), mm(175), kTol);
}

TEST(GroupReport, EmptyGroupDrawsEmptyHistograms)
{
    GroupCollections empty;
    const PageGeometry g = groupPageGeometry(210, 297, 0, 0);
    GroupDrawing d(g, "/records", GroupStatistics(), empty);
    const auto stepBars = d.bars(Qt::black);
    ASSERT_EQ(stepBars.size(), 11u);
    for (const DrawnRect &r : stepBars)
        EXPECT_NEAR(r.rect.height(), 0, kTol);
    EXPECT_EQ(d.textsAtX(mmToTwips(g.left) + 10).size(), 22);
    EXPECT_NE(d.find("   0人  "), nullptr);
    EXPECT_NE(d.find("10以上"), nullptr);
}

// The cell a text takes on the page: its top to one em below, its start to its end.
QRectF cellOf(const DrawnText &t)
{
    const double em = t.points * kDeviceDpi / 72.0;
    return QRectF(t.topLeft(), QPointF(t.end.x(), t.topLeft().y() + em));
}

// Bar 6 of both histograms fills its band (ten learners at STEP 5, each with 5 runs):
// its count stays inside the band, under the band's title, on a white box.
TEST(GroupReport, FullBarCountsStayInsideTheirBands)
{
    GroupCollections c;
    c.groupSteps.assign(10, 5);
    c.groupRunCounts.assign(10, 5);
    const PageGeometry g = groupPageGeometry(210, 297, 0, 0);
    GroupDrawing d(g, "/records", GroupStatistics(), c);
    const double h = g.histogramHeight();
    const struct {
        const char *title, *count;
        double bandTop;
    } bands[] = {{"ＳＴＥＰ", "   10人  ", double(mmToTwips(g.top + 63))},
                 {"練習回数", "   10人  ", double(mmToTwips(g.top + 73 + h))}};
    for (const auto &band : bands) {
        const DrawnText *title = nullptr;
        for (const DrawnText &t : d.drawn.texts)
            if (t.text == QString::fromUtf8(band.title) && t.points > 11)
                title = &t;
        ASSERT_NE(title, nullptr) << band.title;
        int labels = 0;
        for (const DrawnText &t : d.drawn.texts) {
            const QRectF cell = cellOf(t);
            if (!t.text.endsWith(QStringLiteral("人  ")) || cell.top() < band.bandTop - mm(8)
                || cell.top() > band.bandTop + mm(h))
                continue;
            ++labels;
            EXPECT_FALSE(cell.intersects(cellOf(*title))) << band.title << " " << t.text.toStdString();
            EXPECT_GE(cell.top(), band.bandTop) << band.title << " " << t.text.toStdString();
        }
        EXPECT_EQ(labels, 11) << band.title;
        const DrawnText *full = d.find(QString::fromUtf8(band.count), band.bandTop + 30);
        ASSERT_NE(full, nullptr) << band.title;
        const bool boxed = std::any_of(d.drawn.rects.begin(), d.drawn.rects.end(), [&](const DrawnRect &r) {
            return r.brushStyle == Qt::SolidPattern && r.brushColour == QColor(Qt::white)
                && r.rect.contains(QPointF(full->baseline.x() + mm(4), full->baseline.y() - mm(1)));
        });
        EXPECT_TRUE(boxed) << band.title;
    }
}

// A folder path too long for the heading is shortened in its middle and ends inside the frame.
TEST(GroupReport, LongFolderPathIsElidedInsideTheFrame)
{
    GroupCollections c = sampleCollections();
    const PageGeometry g = groupPageGeometry(210, 297, 0, 0);
    const QString folder = QStringLiteral("/home/teacher/") + QString(136, QLatin1Char('k'));
    ASSERT_EQ(folder.size(), 150);
    GroupDrawing d(g, folder, GroupStatistics(), c);
    const DrawnText *heading = nullptr;
    for (const DrawnText &t : d.drawn.texts)
        if (t.text.startsWith(QStringLiteral("(/home/teacher/")))
            heading = &t;
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->text.endsWith(QStringLiteral("kk)")));
    EXPECT_TRUE(heading->text.contains(QChar(0x2026)));
    EXPECT_LT(heading->text.size(), folder.size());
    EXPECT_NEAR(heading->topLeft().x(), mm(39), kTol);
    EXPECT_LE(heading->end.x(), mm(g.right));
}

} // namespace
