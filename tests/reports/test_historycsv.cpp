#include "reports/csv.h"
#include "reports/historycsv.h"

#include "records/cp932.h"
#include "tests/support/testprint.h"

#include <QTemporaryDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::history;

namespace {

// A period the viewer saw without practice says 0; one it did not see says so and leaves
// the practice cells empty.
TEST(HistoryCsv, PeriodCellsTellNoPracticeFromNotObserved)
{
    PeriodFigures seen;
    seen.first = seen.last = QDate(2026, 11, 16);
    seen.days = seen.daysObserved = 1;
    seen.stepReached = 7;
    PeriodFigures practised = seen;
    practised.runs = 4;
    practised.seconds = 390;
    practised.steps = 1;
    practised.summedRuns = 4;
    practised.spmSum = 402;
    practised.mistypeSum = 1000;
    practised.carriedFrom = QDate(2026, 11, 13);
    PeriodFigures unseen = seen;
    unseen.daysObserved = 0;
    const struct {
        PeriodFigures figures;
        const char *line;
    } cases[] = {
        {seen, "taro,英文,2026/11/16,1,0,0.0,,,7,0,"},
        {practised, "taro,英文,2026/11/16,1,4,6.5,100.5,2.50,7,1,11/13以降の分を含む"},
        {unseen, "taro,英文,2026/11/16,0,,,,,7,,未観測"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(csv::namedLine(csv::periodCells(QStringLiteral("taro"), English, c.figures, Period::Day)),
                  QString::fromUtf8(c.line));
    EXPECT_EQ(csv::periodCells(QStringLiteral("taro"), Kana, seen, Period::Week)[2], QStringLiteral("2026/11/16～11/16"));
    EXPECT_EQ(csv::periodHeader().size(), csv::periodCells({}, English, seen, Period::Day).size());
}

TEST(HistoryCsv, WeekLinesEndWithTheGroup)
{
    WeekComparison c;
    LearnerWeeks a;
    a.name = QStringLiteral("=SUM(A1)");
    a.thisWeek = {3, 300, 1, true, QDate(2026, 11, 20)};
    a.lastWeek = {0, 0, 0, false, std::nullopt};
    LearnerWeeks b;
    b.name = QStringLiteral("Lee, Ann");
    b.course = Kana;
    b.thisWeek = {0, 0, 0, true, std::nullopt};
    b.lastWeek = {2, 125, 0, true, std::nullopt};
    c.learners = {a, b};
    c.groupThis = {3, 300, 1, true, QDate(2026, 11, 20)};
    c.groupLast = {2, 125, 0, true, std::nullopt};
    c.learnerCount = 2;
    c.activeThis = 1;
    c.activeLast = 1;
    const QByteArray expected = toCp932(QStringLiteral(
        "名前,モード,今週の練習回数,今週の練習時間(分),今週のＳＴＥＰ増,先週の練習回数,先週の練習時間(分),先週のＳＴＥＰ増,備考\r\n"
        "'=SUM(A1),英文,3,5.0,1,,,,今週: 11/20以降の分を含む、先週: 未観測\r\n"
        "\"Lee, Ann\",かな/ﾛｰﾏ,0,0.0,0,2,2.1,0,\r\n"
        "全体,,3,5.0,1,2,2.1,0,今週: 11/20以降の分を含む\r\n"
        "練習した人数,,1,,,1,,,\r\n"));
    EXPECT_EQ(csv::document(csv::weekLines(c), csv::Encoding::Cp932), expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("weeks.csv"));
    ASSERT_TRUE(csv::saveFile(path, csv::weekLines(c), csv::Encoding::Cp932));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);
}

} // namespace
