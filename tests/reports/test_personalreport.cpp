#include "reports/personalreport.h"

#include "tests/reports/fixtures.h"
#include "tests/reports/pagedrawing.h"

#include "base/painting.h"
#include "graphs/scales.h"
#include "tests/support/readcounter.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::reports;
using namespace qel::test;

namespace {

constexpr double kTol = 0.5; // device pixels (twips)
constexpr double kPrinterPixel = 1440.0 / 300.0;
const PageGeometry kA4 = pageGeometry(210, 297, 0, 0);

// Draws a report on a recording A4 page.
struct Drawing {
    PageDevice device;
    PageDrawing drawn;
    bool ok = false;
    QString error;

    Drawing(const PageGeometry &page, const QString &folder, const QStringList &names)
    {
        ensureGuiApplication();
        QPainter painter(&device);
        ok = drawPersonalReport(painter, page, int(names.size()), readingLearners(folder, names),
                                [this] { return device.newPage(); }, &error);
        drawn = device.drawing();
    }

    std::vector<DrawnText> textsOn(int page) const
    {
        std::vector<DrawnText> found;
        for (const DrawnText &t : drawn.texts)
            if (t.page == page)
                found.push_back(t);
        return found;
    }
    const DrawnText *find(const QString &text, int page = 1) const
    {
        for (const DrawnText &t : drawn.texts)
            if (t.page == page && t.text == text)
                return &t;
        return nullptr;
    }
    // Texts whose cell top lies at `yMm` (in millimetres, on the layouts' scale).
    std::vector<DrawnText> textsAtY(double yPixels, int page = 1) const
    {
        std::vector<DrawnText> found;
        for (const DrawnText &t : drawn.texts)
            if (t.page == page && std::abs(t.topLeft().y() - yPixels) < kTol)
                found.push_back(t);
        std::sort(found.begin(), found.end(),
                  [](const DrawnText &a, const DrawnText &b) { return a.baseline.x() < b.baseline.x(); });
        return found;
    }
    // Lines inside a box of device pixels.
    std::vector<DrawnLine> linesIn(const QRectF &box, int page = 1) const
    {
        std::vector<DrawnLine> found;
        for (const DrawnLine &l : drawn.lines)
            if (l.page == page && box.contains(l.line.p1()) && box.contains(l.line.p2()))
                found.push_back(l);
        return found;
    }
};

// Millimetre positions are drawn on the millimetre scale: 1440 / 25.4 pixels each.
void expectAt(const DrawnText *t, double xMm, double yMm, double points)
{
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(t->topLeft().x(), mm(xMm), kTol) << t->text.toStdString();
    EXPECT_NEAR(t->topLeft().y(), mm(yMm), kTol) << t->text.toStdString();
    EXPECT_NEAR(t->points, points, 0.01) << t->text.toStdString();
    EXPECT_EQ(t->family, draw::kGothic);
    EXPECT_FALSE(t->bold);
}

TEST(PersonalNameList, SelectedRowsThenTreeNode)
{
    using K = TreeSelection::Kind;
    struct Case {
        const char *what;
        QStringList rows;
        TreeSelection node;
        QStringList expected;
    } cases[] = {
        {"both rows of one learner", {"taro", "taro"}, {K::Nothing, {}}, {"taro"}},
        {"list order, no repeats", {"c", "a", "c", "b", "a"}, {K::Nothing, {}}, {"c", "a", "b"}},
        {"names compare with case", {"Taro", "taro"}, {K::Nothing, {}}, {"Taro", "taro"}},
        {"rows win over the node", {"a"}, {K::LearnerNode, "b"}, {"a"}},
        {"no row, learner node", {}, {K::LearnerNode, "hanako"}, {"hanako"}},
        {"no row, group node", {}, {K::GroupNode, "全体"}, {}},
        {"no row, no node", {}, {K::Nothing, {}}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(personalNameList(c.rows, c.node), c.expected) << c.what;
}

class PersonalReport : public testing::Test {
protected:
    void SetUp() override { ensureGuiApplication(); }
    Folder folder;
};

TEST_F(PersonalReport, OneLearnerWithBothCoursesIsOnePage)
{
    folder.write("taro", true, content(3, risingRuns(5, 50, 5)));
    folder.write("taro", false, content(2, risingRuns(3, 30, 2)));
    Drawing d(kA4, folder.path(), personalNameList({"taro", "taro"}, {}));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.drawn.page, 1);
    const DrawnText *footer = d.find("- 1/1 -");
    expectAt(footer, 105, 279, 8); // (20 + 200) \ 2 - 5, bottom + 2
    EXPECT_EQ(d.drawn.others, 0);
}

TEST_F(PersonalReport, ThreeLearnersGetThreePagesInListOrder)
{
    for (const char *name : {"ichiro", "jiro", "saburo"})
        folder.write(name, true, content(2, risingRuns(4, 40, 3)));
    Drawing d(kA4, folder.path(), {"saburo", "ichiro", "jiro"});
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.drawn.page, 3);
    const char *order[] = {"saburo", "ichiro", "jiro"};
    for (int page = 1; page <= 3; ++page) {
        const QString footer = QStringLiteral("- %1/3 -").arg(page);
        expectAt(d.find(footer, page), 105, 279, 8);
        expectAt(d.find(order[page - 1], page), 25, 18, 20);
        // Each page has its frame.
        const auto frames = std::count_if(d.drawn.rects.begin(), d.drawn.rects.end(), [&](const DrawnRect &r) {
            return r.page == page && std::abs(r.rect.left() - mm(20)) < kTol
                && std::abs(r.rect.bottom() - mm(277)) < kTol;
        });
        EXPECT_EQ(frames, 1) << page;
    }
}

TEST_F(PersonalReport, AFailingPageBreakStopsTheJob)
{
    for (const char *name : {"a", "b", "c"})
        folder.write(name, true, content(2, risingRuns(2, 40, 3)));
    PageDevice device;
    QPainter painter(&device);
    int breaks = 0;
    QString error;
    const QStringList names{"a", "b", "c"};
    const bool ok = drawPersonalReport(painter, kA4, int(names.size()), readingLearners(folder.path(), names),
                                       [&] { return ++breaks < 2; }, &error);
    painter.end();
    EXPECT_FALSE(ok);
    EXPECT_EQ(breaks, 2);
    EXPECT_TRUE(error.contains("3")) << error.toStdString();
    // Page 3 was never drawn.
    const PageDrawing drawn = device.drawing();
    EXPECT_EQ(std::count_if(drawn.texts.begin(), drawn.texts.end(),
                            [](const DrawnText &t) { return t.text == "c"; }),
              0);
}

TEST_F(PersonalReport, FrameDividersAndTableRules)
{
    folder.write("taro", true, content(3, risingRuns(5, 50, 5)));
    for (const PageGeometry &g : {kA4, pageGeometry(210, 297, 4, 5)}) {
        Drawing d(g, folder.path(), {"taro"});
        const double ox = g.offsetX;
        const double top = g.top;

        const DrawnRect &frame = d.drawn.rects.front();
        EXPECT_NEAR(frame.rect.left(), mm(g.left), kTol);
        EXPECT_NEAR(frame.rect.top(), mm(g.top), kTol);
        EXPECT_NEAR(frame.rect.right(), mm(g.right), kTol);
        EXPECT_NEAR(frame.rect.bottom(), mm(g.bottom), kTol);
        EXPECT_NEAR(frame.penWidth, kPrinterPixel, 0.01);

        // Rules of the table: 13 rows, double rules after rows 8 and 13, 32 to 192 on the paper.
        std::vector<double> ruleYs;
        for (const DrawnLine &l : d.drawn.lines)
            if (std::abs(l.line.x1() - mm(32 - ox)) < kTol && std::abs(l.line.x2() - mm(192 - ox)) < kTol) {
                EXPECT_NEAR(l.line.y1(), l.line.y2(), 1e-6);
                ruleYs.push_back(toMm(l.line.y1()) - top);
            }
        const std::vector<double> expected = {25, 30, 35, 40, 45, 50, 55, 60, 62, 67, 72, 77, 82, 87, 88};
        ASSERT_EQ(ruleYs.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(ruleYs[i], expected[i], 0.01) << i;

        // Panel dividers, 4 printer pixels wide (the English trend line is as wide).
        int horizontal = 0, vertical = 0;
        for (const DrawnLine &l : d.drawn.lines) {
            if (std::abs(l.width - 4 * kPrinterPixel) > 0.01)
                continue;
            if (l.line.y1() == l.line.y2()) {
                ++horizontal;
                EXPECT_NEAR(l.line.y1(), mm(g.dividerY()), kTol);
                EXPECT_NEAR(l.line.x1(), mm(g.left + 2), kTol);
                EXPECT_NEAR(l.line.x2(), mm(g.right - 2), kTol);
            } else if (l.line.x1() == l.line.x2()) {
                ++vertical;
                EXPECT_NEAR(l.line.x1(), mm(g.centreX()), kTol);
                EXPECT_NEAR(l.line.y1(), mm(g.top + 90), kTol);
                EXPECT_NEAR(l.line.y2(), mm(g.bottom - 2), kTol);
            }
        }
        EXPECT_EQ(horizontal, 1);
        EXPECT_EQ(vertical, 1);
    }
}

TEST_F(PersonalReport, TitleHeadsAndTableTexts)
{
    samples::RecordContent english = content(4, {{100, 300}, {110, 200}, {120, 100}});
    english.totalSeconds = 3725;
    folder.write("taro", true, english);
    folder.writeSettings("taro", "[TEXT]\r\nEnglishText=abc\r\n[OPTION]\r\nRomeMode=15\r\nKeyboard=0\r\nShowKanji=11\r\n");
    const PageGeometry g = pageGeometry(210, 297, 4, 5);
    Drawing d(g, folder.path(), {"taro"});
    const double top = g.top;
    const auto x = [&](double paper) { return paper - g.offsetX; };

    expectAt(d.find("taro"), x(25), top + 3, 20);
    expectAt(d.find("英文練習"), x(87), top + 13, 14);
    expectAt(d.find("かな／ローマ練習"), x(142), top + 13, 14);

    struct Row {
        double y;
        QStringList texts; // left to right
        QList<double> paperXs;
    } rows[] = {
        {21, {"合格済ステップ", "3", "0"}, {32, 72, 132}},
        {26, {"練習回数", "3", "0"}, {44, 72, 132}},
        {31, {"総練習時間", "01:02:05", "00:00:00"}, {40, 72, 132}},
        {36, {"上達度", "10.00", "0.00"}, {48, 72, 132}},
        {41, {"最高ＳＰＭ", "120", "0"}, {40, 72, 132}},
        {46, {"最終練習日", "?", "未練習"}, {40, 72, 132}},
        {51, {"テキスト", "abc", "個別設定なし"}, {44, 72, 132}},
        {56, {"変換モード", "フリーモード"}, {40, 132}},
        {63, {"スピードガイド", "個別設定なし"}, {32, 72}},
        {68, {"キーボード", "非表示", "ミスタイプ", "－"}, {40, 72, 122, 152}},
        {73, {"漢字", "表示", "読み", "表示"}, {52, 72, 134, 152}},
        {78, {"カーソル", "個別設定なし"}, {44, 72}},
        {83, {"経過時間", "個別設定なし"}, {44, 72}},
    };
    for (const Row &row : rows) {
        const auto found = d.textsAtY(mm(top + row.y));
        ASSERT_EQ(found.size(), std::size_t(row.texts.size())) << row.texts.join(' ').toStdString();
        for (int i = 0; i < row.texts.size(); ++i) {
            if (row.texts[i] != "?") {
                EXPECT_EQ(found[std::size_t(i)].text, row.texts[i]);
            }
            expectAt(&found[std::size_t(i)], x(row.paperXs[i]), top + row.y, 12);
        }
    }
}

// Plot of a Course's practice graph on an A4 page without offsets, in twips.
struct PracticePlot {
    double x0, width, y0, step;
    static PracticePlot of(const PageGeometry &g, int course)
    {
        return {double(draw::mmToTwips(g.panelLeft(course) + 5)),
                double(draw::mmToTwips((g.right - g.left) / 2 - 10)),
                double(draw::mmToTwips(g.dividerY() - 4)), double(g.graphStep)};
    }
};

std::vector<DrawnLine> dataLines(const Drawing &d, int course, Qt::PenStyle style, double width)
{
    const PageGeometry &g = kA4;
    const QRectF panel(QPointF(draw::mmToTwips(g.panelLeft(course) + 5) - 1, draw::mmToTwips(g.top + 92) - 2000),
                       QPointF(draw::mmToTwips(g.panelRight(course) - 5) + 1, draw::mmToTwips(g.dividerY() - 4) + 1));
    std::vector<DrawnLine> found;
    for (const DrawnLine &l : d.linesIn(panel))
        if (l.style == style && std::abs(l.width - width) < 0.01)
            found.push_back(l);
    return found;
}

TEST_F(PersonalReport, PracticeGraphScalesAndLines)
{
    // 25 runs, best SPM 150: 20 SPM per division, runs 3 per column, 30 runs across.
    std::vector<samples::Run> runs = risingRuns(25, 30, 5, 1000);
    runs[24].spm = 150;
    folder.write("taro", true, content(2, runs));
    Drawing d(kA4, folder.path(), {"taro"});
    const PageGeometry &g = kA4;
    const int pl = g.panelLeft(0);
    const int pr = g.panelRight(0);

    QStringList left, right, bottom;
    for (const DrawnText &t : d.drawn.texts) {
        const QPointF p = t.topLeft();
        if (std::abs(p.x() - (draw::mmToTwips(pl + 1) - 50)) < kTol && p.y() > mm(g.top + 90) && p.y() < mm(g.dividerY()))
            left << t.text.trimmed();
        if (std::abs(p.x() - (draw::mmToTwips(pr - 4) - 40)) < kTol && p.y() < mm(g.dividerY()))
            right << t.text;
        if (std::abs(p.y() - (draw::mmToTwips(g.dividerY() - 3) - 20)) < kTol && p.x() < mm(pr))
            bottom << t.text.trimmed();
    }
    EXPECT_EQ(left, QStringList({"200", "180", "160", "140", "120", "100", "80", "60", "40", "20", "0"}));
    EXPECT_EQ(right, QStringList({"100%", "90%", "80%", "70%", "60%", "50%", "40%", "30%", "20%", "10%"}));
    EXPECT_EQ(bottom, QStringList({"3", "6", "9", "12", "15", "18", "21", "24", "27", "30"}));
    // First left number at tw(top + 91), the next one graph step lower.
    const DrawnText *top200 = d.find(" 200");
    ASSERT_NE(top200, nullptr);
    EXPECT_NEAR(top200->topLeft().y(), draw::mmToTwips(g.top + 91), kTol);
    EXPECT_NEAR(top200->points, 6, 0.01);

    const PracticePlot plot = PracticePlot::of(g, 0);
    const auto spm = dataLines(d, 0, Qt::SolidLine, kPrinterPixel);
    const auto rate = dataLines(d, 0, Qt::DotLine, kPrinterPixel);
    ASSERT_EQ(spm.size(), 24u);
    ASSERT_EQ(rate.size(), 24u);
    // Run 25 ends at 25/30 of the plot width; SPM 150 at 150 / 20 divisions up.
    EXPECT_NEAR(spm.back().line.x2(), plot.x0 + plot.width * 25 / 30, kTol);
    EXPECT_NEAR(spm.back().line.y2(), plot.y0 - 150 * plot.step / 20, kTol);
    EXPECT_NEAR(spm.front().line.x1(), plot.x0 + plot.width / 30, kTol);
    // A mistype rate of 10 % (1000 hundredths) lies one division up.
    EXPECT_NEAR(rate.front().line.y1(), plot.y0 - 1000 * (g.graphStep / 10) / 100.0, kTol);
    for (const DrawnLine &l : spm)
        EXPECT_EQ(l.colour, QColor(Qt::black));

    // The trend line, 4 printer pixels wide, from run 1 to run 25.
    const auto trend = dataLines(d, 0, Qt::SolidLine, 4 * kPrinterPixel);
    ASSERT_EQ(trend.size(), 1u);
    EXPECT_NEAR(trend[0].line.x1(), plot.x0 + plot.width / 30, kTol);
    EXPECT_NEAR(trend[0].line.x2(), plot.x0 + plot.width * 25 / 30, kTol);
    EXPECT_LT(trend[0].line.y2(), trend[0].line.y1()); // rising

    // The frame, 2 printer pixels wide, with its nine grid lines.
    const auto frame = std::find_if(d.drawn.rects.begin(), d.drawn.rects.end(), [&](const DrawnRect &r) {
        return std::abs(r.rect.left() - draw::mmToTwips(pl + 5)) < kTol
            && std::abs(r.rect.top() - draw::mmToTwips(g.top + 92)) < kTol;
    });
    ASSERT_NE(frame, d.drawn.rects.end());
    EXPECT_NEAR(frame->rect.right(), draw::mmToTwips(pr - 5), kTol);
    EXPECT_NEAR(frame->rect.bottom(), draw::mmToTwips(g.dividerY() - 4), kTol);
    EXPECT_NEAR(frame->penWidth, 2 * kPrinterPixel, 0.01);
    EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, 2 * kPrinterPixel).size(), 9u);

    expectAt(d.find("ストローク／分"), toMm(draw::mmToTwips(pl + 5)), toMm(draw::mmToTwips(g.top + 89)), 8);
    expectAt(d.find("ミスタイプ率(%)"), toMm(draw::mmToTwips(pl + 64)), toMm(draw::mmToTwips(g.top + 89)), 8);
}

// Speeds below zero and above the axis top, and mistype rates over 100 %, stop at the
// practice graph's frame: below it lie the run numbers and the thick divider, above it the
// captions. The lines a page with such runs has beyond those of a page without any are the
// data lines and the trend line.
TEST_F(PersonalReport, DataLinesStayInsideThePracticeFrame)
{
    const std::vector<samples::Run> wild{{40, 500}, {105, 30000}, {-60, 200}, {105, 300}, {-90, 100}, {100, 800}};
    folder.write("wild", true, content(2, wild));
    folder.write("wild", false, content(2, {{-10, 100}, {-80, 200}, {-120, 300}}));
    folder.write("calm", true, content(2, {{40, 500}}));
    folder.write("calm", false, content(2, {{40, 500}}));
    Drawing wildPage(kA4, folder.path(), {"wild"});
    Drawing calmPage(kA4, folder.path(), {"calm"});
    const auto same = [](const DrawnLine &a, const DrawnLine &b) {
        return a.line == b.line && a.style == b.style && std::abs(a.width - b.width) < 0.01;
    };
    const PageGeometry &g = kA4;
    int data[2] = {0, 0};
    for (const DrawnLine &l : wildPage.drawn.lines) {
        if (std::any_of(calmPage.drawn.lines.begin(), calmPage.drawn.lines.end(),
                        [&](const DrawnLine &c) { return same(l, c); }))
            continue;
        const int course = l.line.x1() < draw::mmToTwips(g.centreX()) ? 0 : 1;
        ++data[course];
        const QRectF frame(QPointF(draw::mmToTwips(g.panelLeft(course) + 5), draw::mmToTwips(g.top + 92)),
                           QPointF(draw::mmToTwips(g.panelRight(course) - 5), draw::mmToTwips(g.dividerY() - 4)));
        for (const QPointF &p : {l.line.p1(), l.line.p2()})
            EXPECT_TRUE(frame.adjusted(-kTol, -kTol, kTol, kTol).contains(p))
                << "course " << course << ": " << p.x() << "," << p.y();
    }
    // Both series of both Courses, and the English trend.
    EXPECT_GE(data[0], 2 * 3 + 1);
    EXPECT_GE(data[1], 2);
}

TEST_F(PersonalReport, FewRunsDrawFewerLines)
{
    folder.write("two", true, content(2, risingRuns(2, 40, 10)));
    folder.write("one", true, content(2, risingRuns(1, 40, 10)));
    folder.write("three", true, content(2, risingRuns(3, 40, 10)));
    struct Case {
        const char *name;
        std::size_t segments, trends;
    } cases[] = {{"one", 0, 0}, {"two", 1, 0}, {"three", 2, 1}};
    for (const Case &c : cases) {
        Drawing d(kA4, folder.path(), {c.name});
        EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, kPrinterPixel).size(), c.segments) << c.name;
        EXPECT_EQ(dataLines(d, 0, Qt::DotLine, kPrinterPixel).size(), c.segments) << c.name;
        EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, 4 * kPrinterPixel).size(), c.trends) << c.name;
        // Frame and grid stay.
        EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, 2 * kPrinterPixel).size(), 9u) << c.name;
    }
}

TEST_F(PersonalReport, AStoredCountFarBeyondTheFileEndsFlatAtTheBase)
{
    // A damaged file: a million runs claimed, five present. The missing runs read as
    // zero and are drawn as one flat stretch, not a million segments.
    samples::RecordContent c = content(2, risingRuns(5, 60, 10, 800));
    c.storedRunCount = 1000000;
    folder.write("big", true, c);
    Drawing d(kA4, folder.path(), {"big"});
    const PracticePlot plot = PracticePlot::of(kA4, 0);
    const auto spm = dataLines(d, 0, Qt::SolidLine, kPrinterPixel);
    ASSERT_EQ(spm.size(), 6u); // runs 1-2 ... 5-6, then 6 to 1000000
    EXPECT_NEAR(spm[4].line.y2(), plot.y0, kTol);
    EXPECT_NEAR(spm[5].line.x1(), plot.x0 + plot.width * 6 / 1000000, kTol);
    EXPECT_NEAR(spm[5].line.x2(), plot.x0 + plot.width, kTol);
    EXPECT_NEAR(spm[5].line.y1(), plot.y0, kTol);
    EXPECT_NEAR(spm[5].line.y2(), plot.y0, kTol);
    EXPECT_EQ(dataLines(d, 0, Qt::DotLine, kPrinterPixel).size(), 6u);
    EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, 4 * kPrinterPixel).size(), 1u);
}

TEST_F(PersonalReport, ALongHistoryIsMergedPerDevicePixelColumn)
{
    // More runs than a page keeps one by one: each data line goes out as one polyline of at
    // most four points per device pixel column, from run 1 to the last, on the page's scales.
    const samples::RecordContent history = samples::risingHistory(70000);
    folder.write("long", true, history);
    Drawing d(kA4, folder.path(), {"long"});
    const PracticePlot plot = PracticePlot::of(kA4, 0);
    EXPECT_TRUE(dataLines(d, 0, Qt::SolidLine, kPrinterPixel).empty());
    EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, 4 * kPrinterPixel).size(), 1u); // the trend

    int best = 0, worstRate = 0;
    for (const samples::Run &r : history.runs) {
        best = std::max<int>(best, r.spm);
        worstRate = std::max<int>(worstRate, r.mistypeRate);
    }
    const int s = graphs::spmPerDivision(best);
    const auto &polylines = d.device.painting().polylines;
    ASSERT_EQ(polylines.size(), 2u);
    for (const auto &line : polylines) {
        const bool spm = line.state.pen.style() == Qt::SolidLine;
        SCOPED_TRACE(spm ? "SPM" : "mistype rate");
        std::vector<QPointF> points;
        for (const QPointF &p : line.points)
            points.push_back(line.state.transform.map(p));
        EXPECT_LE(points.size(), std::size_t(4 * (plot.width + 2)));
        EXPECT_NEAR(points.front().x(), plot.x0 + plot.width / 70000, kTol);
        EXPECT_NEAR(points.back().x(), plot.x0 + plot.width, kTol);
        const double top = std::min_element(points.begin(), points.end(), [](QPointF a, QPointF b) {
                               return a.y() < b.y();
                           })->y();
        EXPECT_NEAR(top, spm ? plot.y0 - best * plot.step / s : plot.y0 - worstRate * (kA4.graphStep / 10) / 100.0,
                    kTol);
    }
    EXPECT_NE(polylines[0].state.pen.style(), polylines[1].state.pen.style());
}

TEST_F(PersonalReport, APageReadsEachOfItsFilesOnce)
{
    folder.write("taro", true, content(5, risingRuns(30, 40, 2)));
    folder.write("taro", false, content(3, risingRuns(4, 50, 1), {100, 200}));
    folder.writeSettings("taro", "[OPTION]\r\nKeyboard=1\r\n");
    qeltest::ReadCounter counter;
    Drawing d(kA4, folder.path(), {"taro"});
    ASSERT_TRUE(d.ok);
    const std::map<QString, int> once{
        {folder.file("taro_Qele.dat"), 1}, {folder.file("taro_Qelk.dat"), 1}, {folder.file("taro.ini"), 1}};
    EXPECT_EQ(counter.opens, once);
}

std::vector<DrawnRect> hatchedBars(const Drawing &d, int course)
{
    std::vector<DrawnRect> bars;
    const PageGeometry &g = kA4;
    for (const DrawnRect &r : hatchedBoxes(d.drawn))
        if (r.rect.left() >= draw::mmToTwips(g.panelLeft(course) + 5) - kTol
            && r.rect.right() <= draw::mmToTwips(g.panelRight(course) - 5) + kTol)
            bars.push_back(r);
    return bars;
}

QStringList timeAxisNumbers(const Drawing &d, int course)
{
    const PageGeometry &g = kA4;
    QStringList numbers;
    for (const DrawnText &t : d.drawn.texts)
        if (std::abs(t.topLeft().x() - (draw::mmToTwips(g.panelLeft(course) + 1) - 50)) < kTol
            && t.topLeft().y() > mm(g.dividerY()))
            numbers << t.text.trimmed();
    return numbers;
}

TEST_F(PersonalReport, TimeGraphBarsLabelsAndUnit)
{
    // 35 STEPs, the longest 4000 s: one hour per division, STEPs numbered every fifth.
    std::vector<std::int32_t> seconds(35, 600);
    seconds[9] = 4000;
    folder.write("taro", true, content(35, risingRuns(3, 50, 1), seconds));
    Drawing d(kA4, folder.path(), {"taro"});
    const PageGeometry &g = kA4;
    const auto bars = hatchedBars(d, 0);
    ASSERT_EQ(bars.size(), 35u);
    const double x0 = draw::mmToTwips(g.panelLeft(0) + 5);
    const double width = draw::mmToTwips((g.right - g.left) / 2 - 10);
    const double base = draw::mmToTwips(g.bottom - 4);
    const int h = g.graphStep - g.graphStep % 10;
    EXPECT_NEAR(bars[9].rect.left(), x0 + width * 9 / 35, kTol);
    EXPECT_NEAR(bars[9].rect.right(), x0 + width * 10 / 35, kTol); // bars touch
    EXPECT_NEAR(bars[9].rect.bottom(), base, kTol);
    EXPECT_NEAR(bars[9].rect.top(), base - h * 4000.0 / 3600, kTol);
    EXPECT_EQ(bars[9].penColour, QColor(Qt::black));

    QStringList steps;
    for (const DrawnText &t : d.drawn.texts)
        if (std::abs(t.topLeft().y() - draw::mmToTwips(g.bottom - 3)) < kTol && t.topLeft().x() < mm(g.centreX()))
            steps << t.text.trimmed();
    EXPECT_EQ(steps, QStringList({"5", "10", "15", "20", "25", "30", "35"}));
    EXPECT_EQ(timeAxisNumbers(d, 0), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    const DrawnText *unit = d.find("時間");
    ASSERT_NE(unit, nullptr);
    EXPECT_NEAR(unit->topLeft().x(), draw::mmToTwips(g.panelLeft(0) + 5), kTol);
    EXPECT_NEAR(unit->topLeft().y(), draw::mmToTwips(g.dividerY() + 1), kTol);
    const DrawnText *title = d.find("STEP毎 練習時間");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->points, 8, 0.01);
}

TEST_F(PersonalReport, TimeGraphStepNumbersThinOutWithMoreSteps)
{
    // STEP count -> bars drawn, first and last number, how many numbers.
    struct Case {
        int steps;
        std::size_t bars;
        QString first, last;
        int numbers;
    } cases[] = {
        {19, 19, "1", "19", 19}, {20, 20, "5", "20", 4},      {49, 49, "5", "45", 9},
        {50, 50, "10", "50", 5}, {200, 200, "10", "200", 20}, {250, 200, "10", "200", 20},
    };
    const PageGeometry &g = kA4;
    for (const Case &c : cases) {
        const QString name = QStringLiteral("s%1").arg(c.steps);
        folder.write(name, false, content(c.steps, risingRuns(3, 50, 1), std::vector<std::int32_t>(200, 120)));
        Drawing d(kA4, folder.path(), {name});
        EXPECT_EQ(hatchedBars(d, 1).size(), c.bars) << c.steps;
        QStringList steps;
        for (const DrawnText &t : d.drawn.texts)
            if (std::abs(t.topLeft().y() - draw::mmToTwips(g.bottom - 3)) < kTol && t.topLeft().x() > mm(g.centreX()))
                steps << t.text.trimmed();
        ASSERT_EQ(steps.size(), c.numbers) << c.steps;
        EXPECT_EQ(steps.front(), c.first) << c.steps;
        EXPECT_EQ(steps.back(), c.last) << c.steps;
        // 120 s at most: a minute per division, 0 to 10.
        EXPECT_EQ(timeAxisNumbers(d, 1).front(), "0");
        EXPECT_EQ(timeAxisNumbers(d, 1).back(), "10");
    }
}

TEST_F(PersonalReport, ACourseWithoutRecordFileGetsFramesAndAxesOnly)
{
    folder.write("hanako", false, content(3, risingRuns(4, 40, 2), {100, 200}));
    const QString englishFile = folder.file("hanako_Qele.dat");
    Drawing d(kA4, folder.path(), {"hanako"});
    ASSERT_TRUE(d.ok);
    EXPECT_FALSE(QFile::exists(englishFile));

    const PageGeometry &g = kA4;
    // English: no data, no trend, no bars; frames, grids, axes and captions all there.
    EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, kPrinterPixel).size(), 0u);
    EXPECT_EQ(dataLines(d, 0, Qt::DotLine, kPrinterPixel).size(), 0u);
    EXPECT_EQ(dataLines(d, 0, Qt::SolidLine, 2 * kPrinterPixel).size(), 9u);
    EXPECT_EQ(hatchedBars(d, 0).size(), 0u);
    EXPECT_EQ(timeAxisNumbers(d, 0), QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    int englishFrames = 0;
    for (const DrawnRect &r : d.drawn.rects)
        if (std::abs(r.rect.left() - draw::mmToTwips(g.panelLeft(0) + 5)) < kTol)
            ++englishFrames;
    EXPECT_EQ(englishFrames, 2);
    const QRectF timePanel(QPointF(draw::mmToTwips(g.panelLeft(0) + 5) - 1, draw::mmToTwips(g.dividerY() + 4) - 1),
                           QPointF(draw::mmToTwips(g.panelRight(0) - 5) + 1, draw::mmToTwips(g.bottom - 4) + 1));
    EXPECT_EQ(d.linesIn(timePanel).size(), 9u);
    EXPECT_NE(d.find("英文練習"), nullptr);
    EXPECT_EQ(d.textsAtY(draw::mmToTwips(g.top + 89)).size(), 6u); // captions of both panels
    // The figures of English are those of no runs.
    EXPECT_NE(d.find("未練習"), nullptr);

    // Kana/Romaji: three segments and three bars (STEP count 3; the third, 0 s, lies flat).
    EXPECT_EQ(dataLines(d, 1, Qt::SolidLine, kPrinterPixel).size(), 3u);
    EXPECT_EQ(hatchedBars(d, 1).size(), 3u);
}

// A Course file that is there but cannot be read (here a folder by its name) is not one
// never practised: its figures stay empty and the file is named to the caller.
TEST_F(PersonalReport, AnUnreadableCourseFileLeavesItsFiguresEmpty)
{
    folder.write("hanako", false, content(3, risingRuns(4, 40, 2), {100, 200}));
    ASSERT_TRUE(QDir(folder.path()).mkdir("hanako_Qele.dat"));
    PageDevice device;
    std::vector<UnreadableFile> unreadable;
    {
        QPainter painter(&device);
        ASSERT_TRUE(drawPersonalReport(painter, kA4, 1, readingLearners(folder.path(), {"hanako"}),
                                       [&] { return device.newPage(); }, nullptr, &unreadable));
    }
    const PageDrawing drawn = device.drawing();
    for (const DrawnText &t : drawn.texts)
        EXPECT_NE(t.text, QStringLiteral("未練習"));
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].path, folder.file("hanako_Qele.dat"));
}

TEST_F(PersonalReport, EmptyNameListDrawsNothing)
{
    Drawing d(kA4, folder.path(), {});
    EXPECT_TRUE(d.ok);
    EXPECT_TRUE(d.drawn.texts.empty());
    EXPECT_TRUE(d.drawn.rects.empty());
}

TEST(PageFooter, Text)
{
    EXPECT_EQ(pageFooterText(2, 5), "- 2/5 -");
    EXPECT_EQ(pageFooterText(1, 1), "- 1/1 -");
}

} // namespace
