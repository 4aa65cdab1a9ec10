#include "reports/historycsv.h"

namespace qel::csv {

using namespace history;

QStringList periodHeader()
{
    return QStringLiteral("名前,モード,期間,観測日数,練習回数,練習時間(分),平均ＳＰＭ,ミスタイプ率(%),到達ＳＴＥＰ,ＳＴＥＰ増,備考")
        .split(QLatin1Char(','));
}

QStringList periodCells(const QString &name, Course course, const PeriodFigures &f, Period period)
{
    const QString step = f.stepReached ? QString::number(*f.stepReached) : QString();
    QStringList cells{name, courseListText(course), periodText(f, period), QString::number(f.daysObserved)};
    if (f.observed())
        cells << QString::number(f.runs) << minutesText(f.seconds) << spmText(f.meanSpm())
              << percentText(f.mistypePercent()) << step << QString::number(f.steps);
    else
        cells << QString() << QString() << QString() << QString() << step << QString();
    cells << noteText(f.observed(), f.carriedFrom);
    return cells;
}

QStringList weekHeader()
{
    return QStringLiteral("名前,モード,今週の練習回数,今週の練習時間(分),今週のＳＴＥＰ増,先週の練習回数,"
                          "先週の練習時間(分),先週のＳＴＥＰ増,備考")
        .split(QLatin1Char(','));
}

QStringList weekCells(const WeekFigures &week)
{
    if (!week.observed)
        return {QString(), QString(), QString()};
    return {QString::number(week.runs), minutesText(week.seconds), QString::number(week.steps)};
}

QString weekNote(const WeekFigures &thisWeek, const WeekFigures &lastWeek)
{
    QStringList notes;
    if (const QString note = noteText(thisWeek.observed, thisWeek.carriedFrom); !note.isEmpty())
        notes << QStringLiteral("今週: ") + note;
    if (const QString note = noteText(lastWeek.observed, lastWeek.carriedFrom); !note.isEmpty())
        notes << QStringLiteral("先週: ") + note;
    return notes.join(QStringLiteral("、"));
}

std::vector<QStringList> weekLines(const WeekComparison &c)
{
    std::vector<QStringList> lines{weekHeader()};
    for (const LearnerWeeks &l : c.learners)
        lines.push_back(QStringList{l.name, courseListText(l.course)} + weekCells(l.thisWeek) + weekCells(l.lastWeek)
                        + QStringList{weekNote(l.thisWeek, l.lastWeek)});
    lines.push_back(QStringList{QStringLiteral("全体"), QString()} + weekCells(c.groupThis) + weekCells(c.groupLast)
                    + QStringList{weekNote(c.groupThis, c.groupLast)});
    lines.push_back({QStringLiteral("練習した人数"), QString(), QString::number(c.activeThis), QString(), QString(),
                     QString::number(c.activeLast), QString(), QString(), QString()});
    return lines;
}

} // namespace qel::csv
