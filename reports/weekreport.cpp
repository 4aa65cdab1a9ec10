#include "reports/weekreport.h"

#include "reports/historycsv.h"
#include "reports/printdraw.h"

#include "base/painting.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qel::reports {

using namespace history;

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(WeekReport)
};

// Below the frame's top: the title, the folder, the weeks, the column heads.
constexpr double kTitle = 3;
constexpr double kFolderLine = 12;
constexpr double kWeeksLine = 18;
constexpr double kHeadTop = 26;
constexpr double kFirstRow = 38;
// Below the learners: a double rule, the group, the learners who practised and a note.
constexpr double kTail = 22;

// Column edges in millimetres from the frame's left: name, mode, then three figures of each
// week, right-aligned at their right edges.
constexpr double kNameX = 4;
constexpr double kModeX = 52;
constexpr double kFigureRight[6] = {92, 110, 124, 146, 164, 178};
} // namespace

QString carriedMark()
{
    return QStringLiteral("*");
}

QString carriedNote()
{
    //: Note under the table; keep the mark "*" in front, it marks the counts meant.
    return Tr::tr("* 記録フォルダを見ていなかった日の練習を含む回数です。");
}

QString leftOutText(int rows)
{
    //: The last line of a page too short for all learners: %n learners not printed.
    return Tr::tr("ほか%n件は載せきれませんでした。", nullptr, rows);
}

WeekPageLayout weekPageLayout(int learners, double top, double bottom)
{
    WeekPageLayout layout;
    const double room = bottom - top;
    if (learners <= 0 || room <= 0)
        return layout;
    layout.rowHeight = std::clamp(room / learners, kWeekRowSmallest, kWeekRowTallest);
    layout.rowsShown = std::min(learners, int(std::floor(room / layout.rowHeight + 1e-9)));
    if (layout.rowsShown < learners) {
        // One row's place goes to the line that says so.
        layout.rowsShown = std::max(0, int(std::floor((room - layout.rowHeight) / layout.rowHeight + 1e-9)));
    }
    layout.rowsLeftOut = learners - layout.rowsShown;
    return layout;
}

namespace {

QString elided(const QPainter &painter, const QString &text, double width)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    // The metrics are in device pixels; the painter's units are millimetres.
    const double scale = std::abs(painter.worldTransform().m11());
    return metrics.elidedText(text, Qt::ElideMiddle, std::max(width * scale, 0.0));
}

void rightText(QPainter &painter, double right, double y, const QString &text)
{
    textAt(painter, right - draw::textWidth(painter, text), y, text);
}

// A week's three figures, or "未観測" across them; runs that may come from days before the
// week nobody saw are marked.
void weekFigures(QPainter &painter, double left, int first, double y, const WeekFigures &week)
{
    if (!week.observed) {
        rightText(painter, left + kFigureRight[first + 2], y, notObservedText());
        return;
    }
    QStringList cells = csv::weekCells(week);
    if (week.carriedFrom)
        cells[0] = carriedMark() + cells[0];
    for (int i = 0; i < 3; ++i)
        rightText(painter, left + kFigureRight[first + i], y, cells[i]);
}

bool carried(const WeekComparison &c)
{
    return c.groupThis.carriedFrom || c.groupLast.carriedFrom;
}

} // namespace

void drawWeekReport(QPainter &painter, const PageGeometry &g, const QString &folder, const WeekComparison &c)
{
    draw::useMillimetres(painter);
    setLine(painter, 1);
    painter.setBrush(Qt::white);
    drawBox(painter, g.left, g.top, g.right, g.bottom);
    const double left = g.left;
    const double width = g.right - g.left;

    setPrintFont(painter, 20);
    //: Title of the weekly comparison page.
    textAt(painter, left + kNameX, g.top + kTitle, Tr::tr("今週と先週"));
    setPrintFont(painter, 10);
    textAt(painter, left + kNameX, g.top + kFolderLine, elided(painter, QLatin1Char('(') + folder + QLatin1Char(')'), width - 8));
    textAt(painter, left + kNameX, g.top + kWeeksLine,
           //: The two weeks: this week from %1 to %2 (counted up to today, %3), last week from %4 to %5.
           Tr::tr("今週 %1～%2（%3まで）　先週 %4～%5")
               .arg(dateText(c.thisWeek), shortDateText(c.thisWeek.addDays(6)), shortDateText(c.today),
                    dateText(c.lastWeek), shortDateText(c.lastWeek.addDays(6))));

    setPrintFont(painter, 10);
    const double head = g.top + kHeadTop;
    // Each week's name over the middle of its three columns.
    const auto centred = [&](double from, double to, const QString &text) {
        textAt(painter, left + (from + to) / 2 - draw::textWidth(painter, text) / 2, head, text);
    };
    centred(kFigureRight[0] - 14, kFigureRight[2], Tr::tr("今週"));
    centred(kFigureRight[3] - 14, kFigureRight[5], Tr::tr("先週"));
    //: Column head: number of runs in the week.
    const QString runs = Tr::tr("回数");
    //: Column head: practice time in the week, in minutes.
    const QString minutes = Tr::tr("時間(分)");
    //: Column head: STEPs gained in the week.
    const QString steps = Tr::tr("STEP増");
    const QString heads[6] = {runs, minutes, steps, runs, minutes, steps};
    textAt(painter, left + kNameX, head + 5, Tr::tr("名前"));
    //: Column head: the course.
    textAt(painter, left + kModeX, head + 5, Tr::tr("モード"));
    for (int i = 0; i < 6; ++i)
        rightText(painter, left + kFigureRight[i], head + 5, heads[i]);
    painter.drawLine(QPointF(left + 2, g.top + kFirstRow - 1.5), QPointF(g.right - 2, g.top + kFirstRow - 1.5));

    const double rowsTop = g.top + kFirstRow;
    const WeekPageLayout layout = weekPageLayout(int(c.learners.size()), rowsTop, g.bottom - kTail);
    const double points = std::min(10.0, layout.rowHeight * 0.62 / draw::kMillimetresPerInch * 72.0);
    setPrintFont(painter, points);
    double y = rowsTop;
    for (int r = 0; r < layout.rowsShown; ++r, y += layout.rowHeight) {
        const LearnerWeeks &l = c.learners[std::size_t(r)];
        textAt(painter, left + kNameX, y, elided(painter, l.name, kModeX - kNameX - 2));
        textAt(painter, left + kModeX, y, courseListText(l.course));
        weekFigures(painter, left, 0, y, l.thisWeek);
        weekFigures(painter, left, 3, y, l.lastWeek);
    }
    if (layout.rowsLeftOut > 0) {
        textAt(painter, left + kNameX, y, leftOutText(layout.rowsLeftOut));
        y += layout.rowHeight;
    }

    setPrintFont(painter, 10);
    y += 1;
    painter.drawLine(QPointF(left + 2, y), QPointF(g.right - 2, y));
    painter.drawLine(QPointF(left + 2, y + 0.8), QPointF(g.right - 2, y + 0.8));
    y += 2.5;
    //: Row of the whole group under the learners.
    textAt(painter, left + kNameX, y, Tr::tr("全体"));
    weekFigures(painter, left, 0, y, c.groupThis);
    weekFigures(painter, left, 3, y, c.groupLast);
    y += 5.5;
    textAt(painter, left + kNameX, y, Tr::tr("練習した人数"));
    //: %1 learners who practised in the week, of %2 learners.
    const QString active = Tr::tr("%1/%2人");
    rightText(painter, left + kFigureRight[0], y, active.arg(c.activeThis).arg(c.learnerCount));
    rightText(painter, left + kFigureRight[3], y, active.arg(c.activeLast).arg(c.learnerCount));
    if (carried(c))
        textAt(painter, left + kNameX, y + 6, carriedNote());
}

} // namespace qel::reports
