// The class board on one printed page: the grid that fits it, and every tile on it.

#include "reports/classsheet.h"
#include "reports/printjob.h"

#include "tests/reports/fixtures.h"
#include "tests/reports/pagedrawing.h"
#include "tests/support/boardrows.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::reports;
using namespace qel::test;

namespace {

const QDateTime kNow(QDate(2026, 5, 13), QTime(10, 0, 0));

std::vector<AttentionEntry> classOf(int learners)
{
    std::vector<TableRow> rows;
    for (int i = 0; i < learners; ++i)
        rows.push_back(qeltest::boardRow(QString("学習者名%1").arg(i, 3, 10, QChar('0')), kNow.addDays(-(i % 12)),
                                         qeltest::sameRuns(5 + i % 10, {90 + i, 100 + 40 * (i % 5)}),
                                         i % 3 ? English : Kana));
    rows.push_back(qeltest::unreadableRow("壊れた"));
    return assessClass(rows, kNow, ClassTargets{});
}

} // namespace

TEST(ClassSheet, GridFitsTheAreaAtTheLargestScale)
{
    struct Case {
        int tiles;
        double width, height;
        int columns;
        double scale;
    };
    const Case cases[] = {
        {0, 170, 250, 1, 1.0},
        {1, 170, 250, 1, 1.0},  // never larger than full size
        {3, 170, 250, 2, 1.0},  // the most columns among equals; a third would need 184 mm
        {18, 170, 250, 2, 250.0 / (26 * 9 + 2 * 8)},
        {19, 170, 250, 3, 170.0 / (60 * 3 + 2 * 2)}, // ten rows of two would be smaller still
        {80, 170, 250, 5, 170.0 / (60 * 5 + 2 * 4)},
    };
    for (const Case &c : cases) {
        const SheetGrid grid = sheetGrid(c.tiles, c.width, c.height);
        EXPECT_EQ(grid.columns, c.columns) << c.tiles;
        EXPECT_DOUBLE_EQ(grid.scale, c.scale) << c.tiles;
        EXPECT_GE(grid.columns * grid.rows, c.tiles);
        EXPECT_LE(grid.columns * grid.tileWidth() + (grid.columns - 1) * grid.gap(), c.width + 1e-9) << c.tiles;
        EXPECT_LE(grid.rows * grid.tileHeight() + (grid.rows - 1) * grid.gap(), c.height + 1e-9) << c.tiles;
    }
}

TEST(ClassSheet, EveryTileOnOnePageWithTheNamesChosen)
{
    ensureGuiApplication();
    const auto entries = classOf(80);
    for (const bool numbers : {false, true}) {
        int next = 0;
        const ClassSheet sheet = classSheet(
            entries,
            [&](const AttentionEntry &e) { return numbers ? QString("No.%1").arg(++next) : e.name; }, EnglishGroup,
            kNow);
        EXPECT_EQ(sheet.title, "クラスの様子（英文）");
        EXPECT_EQ(sheet.stamp, "2026/05/13 10:00:00 現在");
        PageDevice device;
        QPainter painter(&device);
        const PageGeometry page = pageGeometry(210, 297, 0, 0);
        drawClassSheet(painter, page, sheet);
        painter.end();
        const PageDrawing drawing = device.drawing();
        EXPECT_EQ(drawing.page, 1);
        QString all;
        for (const DrawnText &t : drawing.texts) {
            all += t.text + '\n';
            EXPECT_GE(t.topLeft().x(), mm(page.left) - 1) << t.text.toStdString();
            EXPECT_LE(t.end.x(), mm(page.right) + 1) << t.text.toStdString();
            EXPECT_LE(t.baseline.y(), mm(page.bottom) + 1) << t.text.toStdString();
        }
        for (const AttentionEntry &e : entries)
            EXPECT_EQ(all.contains(e.name), !numbers) << e.name.toStdString();
        EXPECT_EQ(all.contains("No.81"), numbers);
        for (const char *state : {"今日は未練習", "目標未達", "伸び悩み", "読み込めません"})
            EXPECT_TRUE(all.contains(QString::fromUtf8(state))) << state;
    }
}

TEST(ClassSheet, PdfOfOnePageNeverOverATrainerFile)
{
    ensureGuiApplication();
    QTemporaryDir dir;
    const ClassSheet sheet = classSheet(classOf(40), [](const AttentionEntry &e) { return e.name; }, AllGroup, kNow);
    QString error;
    ASSERT_TRUE(writeClassSheetPdf(dir.filePath("board.pdf"), dir.path(), sheet, &error)) << error.toStdString();
    EXPECT_EQ(pdfPages(dir.filePath("board.pdf")), 1);
    EXPECT_TRUE(pdfText(dir.filePath("board.pdf")).contains("学習者名039"));
    EXPECT_FALSE(writeClassSheetPdf(dir.filePath("taro_Qele.dat"), dir.path(), sheet, &error));
    EXPECT_FALSE(QFile::exists(dir.filePath("taro_Qele.dat")));
}
