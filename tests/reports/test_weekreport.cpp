#include "reports/printjob.h"
#include "reports/weekreport.h"

#include "tests/reports/fixtures.h"
#include "tests/reports/pagedrawing.h"
#include "tests/support/testprint.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::history;
using namespace qel::reports;
using namespace qel::test;

namespace {

constexpr double kTol = 0.5;

TEST(WeekReport, RowsShrinkToFitThenTheRestIsLeftOut)
{
    const struct {
        int learners;
        double room;
        double rowHeight;
        int shown, leftOut;
    } cases[] = {
        {0, 200, kWeekRowTallest, 0, 0},
        {10, 200, 6.0, 10, 0},
        {50, 200, 4.0, 50, 0},
        {62, 200, 200.0 / 62, 62, 0},
        {100, 200, 3.2, 61, 39}, // 62 rows fit; one place says how many are left out
    };
    for (const auto &c : cases) {
        const WeekPageLayout layout = weekPageLayout(c.learners, 50, 50 + c.room);
        EXPECT_NEAR(layout.rowHeight, c.rowHeight, 1e-9) << c.learners;
        EXPECT_EQ(layout.rowsShown, c.shown) << c.learners;
        EXPECT_EQ(layout.rowsLeftOut, c.leftOut) << c.learners;
    }
}

WeekComparison comparison(int learners)
{
    WeekComparison c;
    c.today = QDate(2026, 11, 25);
    c.thisWeek = QDate(2026, 11, 23);
    c.lastWeek = QDate(2026, 11, 16);
    for (int i = 0; i < learners; ++i) {
        LearnerWeeks l;
        l.key = QStringLiteral("l%1_Qele.dat").arg(i);
        l.name = QStringLiteral("learner %1").arg(i);
        l.thisWeek = {i, 60 * i, i % 2, true, std::nullopt};
        l.lastWeek = {2 * i, 90 * i, 0, i != 1, std::nullopt};
        c.learners.push_back(l);
    }
    c.groupThis = {12, 3456, 3, true, std::nullopt};
    c.groupLast = {20, 900, 0, true, std::nullopt};
    c.learnerCount = learners;
    c.activeThis = 2;
    c.activeLast = 3;
    return c;
}

struct WeekDrawing {
    PageDevice device;
    PageDrawing drawn;
    explicit WeekDrawing(const WeekComparison &c, const PageGeometry &g)
    {
        ensureGuiApplication();
        QPainter painter(&device);
        drawWeekReport(painter, g, QStringLiteral("/home/teacher/Records"), c);
        painter.end();
        drawn = device.drawing();
    }
    std::vector<const DrawnText *> find(const QString &text) const
    {
        std::vector<const DrawnText *> found;
        for (const DrawnText &t : drawn.texts)
            if (t.text == text)
                found.push_back(&t);
        return found;
    }
};

TEST(WeekReport, EachLearnerOnARowTheGroupBelow)
{
    const PageGeometry g = groupPageGeometry(210, 297, 3, 4);
    const WeekComparison c = comparison(3);
    const WeekDrawing d(c, g);
    ASSERT_EQ(d.find(QStringLiteral("今週と先週")).size(), 1u);
    ASSERT_EQ(d.find(QStringLiteral("(/home/teacher/Records)")).size(), 1u);
    EXPECT_EQ(d.find(QStringLiteral("今週 2026/11/23～11/29（11/25まで）　先週 2026/11/16～11/22")).size(), 1u);
    double previous = 0;
    for (int i = 0; i < 3; ++i) {
        const auto name = d.find(QStringLiteral("learner %1").arg(i));
        ASSERT_EQ(name.size(), 1u) << i;
        EXPECT_GT(name[0]->topLeft().y(), previous);
        previous = name[0]->topLeft().y();
        EXPECT_NEAR(name[0]->topLeft().x(), mm(g.left + 4), kTol);
    }
    // learner 2's figures on learner 2's row, right-aligned at their columns.
    const double row2 = d.find(QStringLiteral("learner 2"))[0]->baseline.y();
    const auto onRow = [&](const QString &text, double right) {
        for (const DrawnText &t : d.drawn.texts)
            if (t.text == text && std::abs(t.baseline.y() - row2) < kTol && std::abs(t.end.x() - mm(g.left + right)) < mm(0.3))
                return true;
        return false;
    };
    EXPECT_TRUE(onRow(QStringLiteral("2"), 92));
    EXPECT_TRUE(onRow(QStringLiteral("2.0"), 110));
    EXPECT_TRUE(onRow(QStringLiteral("4"), 146));
    EXPECT_TRUE(onRow(QStringLiteral("3.0"), 164));
    // learner 1's last week was not seen: one "未観測", no figures.
    EXPECT_EQ(d.find(notObservedText()).size(), 1u);
    EXPECT_EQ(d.find(QStringLiteral("57.6")).size(), 1u); // the group's 3456 seconds
    EXPECT_EQ(d.find(QStringLiteral("2/3人")).size(), 1u);
    EXPECT_EQ(d.find(QStringLiteral("3/3人")).size(), 1u);
    EXPECT_TRUE(d.find(leftOutText(0)).empty());
    EXPECT_TRUE(d.find(carriedNote()).empty());
    // A week that may hold runs of days before it no one saw: its runs marked, and a note.
    WeekComparison carried = c;
    carried.learners[2].thisWeek.carriedFrom = carried.groupThis.carriedFrom = QDate(2026, 11, 20);
    const WeekDrawing marked(carried, g);
    EXPECT_EQ(marked.find(carriedMark() + QStringLiteral("2")).size(), 1u);
    EXPECT_EQ(marked.find(carriedMark() + QStringLiteral("12")).size(), 1u);
    EXPECT_EQ(marked.find(carriedNote()).size(), 1u);
    for (const DrawnText &t : d.drawn.texts)
        EXPECT_LT(t.baseline.y(), mm(g.bottom)) << t.text.toStdString();
}

TEST(WeekReport, ALongListKeepsToOnePage)
{
    const PageGeometry g = groupPageGeometry(210, 297, 3, 4);
    const WeekDrawing d(comparison(150), g);
    const WeekPageLayout layout = weekPageLayout(150, g.top + 38, g.bottom - 22);
    ASSERT_GT(layout.rowsLeftOut, 0);
    EXPECT_EQ(d.find(leftOutText(layout.rowsLeftOut)).size(), 1u);
    EXPECT_EQ(d.find(QStringLiteral("learner %1").arg(layout.rowsShown - 1)).size(), 1u);
    EXPECT_TRUE(d.find(QStringLiteral("learner %1").arg(layout.rowsShown)).empty());
    EXPECT_EQ(d.drawn.page, 1);
    for (const DrawnText &t : d.drawn.texts)
        EXPECT_LT(t.baseline.y(), mm(g.bottom)) << t.text.toStdString();
}

TEST(WeekReport, APdfFileAndNeverOverATrainersFile)
{
    ensureGuiApplication();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("weeks.pdf"));
    QString error;
    ASSERT_TRUE(writeWeekPdf(pdf, dir.path(), comparison(5), &error)) << error.toStdString();
    EXPECT_EQ(pdfPages(pdf), 1);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("今週と先週"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("learner 4"))) << text.toStdString();

    const QString record = dir.filePath(QStringLiteral("taro_Qele.dat"));
    ASSERT_TRUE(QFile(record).open(QIODevice::WriteOnly));
    EXPECT_FALSE(writeWeekPdf(record, dir.path(), comparison(5), &error));
    EXPECT_EQ(QFileInfo(record).size(), 0);
}

} // namespace
