#include "reports/historycsv.h"

namespace qel::csv {

using namespace history;

namespace {
constexpr const char *kContext = "HistoryCsv";
}

QStringList periodHeader(Wording wording)
{
    // The columns of a learner's days or weeks.
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("HistoryCsv", "名前"),
        //: The course.
        QT_TRANSLATE_NOOP("HistoryCsv", "モード"),
        //: The day or week.
        QT_TRANSLATE_NOOP("HistoryCsv", "期間"),
        //: Days of the period on which the viewer watched the folder.
        QT_TRANSLATE_NOOP("HistoryCsv", "観測日数"),
        QT_TRANSLATE_NOOP("HistoryCsv", "練習回数"),
        QT_TRANSLATE_NOOP("HistoryCsv", "練習時間(分)"),
        QT_TRANSLATE_NOOP("HistoryCsv", "平均ＳＰＭ"),
        QT_TRANSLATE_NOOP("HistoryCsv", "ミスタイプ率(%)"),
        //: The highest STEP passed by the period's end.
        QT_TRANSLATE_NOOP("HistoryCsv", "到達ＳＴＥＰ"),
        //: STEPs gained in the period.
        QT_TRANSLATE_NOOP("HistoryCsv", "ＳＴＥＰ増"),
        //: Notes.
        QT_TRANSLATE_NOOP("HistoryCsv", "備考"),
    };
    QStringList header;
    for (const char *name : names)
        header << worded(wording, kContext, name);
    return header;
}

QStringList periodCells(const QString &name, Course course, const PeriodFigures &f, Period period, Wording wording)
{
    const QString step = f.stepReached ? QString::number(*f.stepReached) : QString();
    QStringList cells{name, courseListText(course, wording), periodText(f, period), QString::number(f.daysObserved)};
    if (f.observed())
        cells << QString::number(f.runs) << minutesText(f.seconds) << spmText(f.meanSpm())
              << percentText(f.mistypePercent()) << step << QString::number(f.steps);
    else
        cells << QString() << QString() << QString() << QString() << step << QString();
    cells << noteText(f.observed(), f.carriedFrom, wording);
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

QString weekNote(const WeekFigures &thisWeek, const WeekFigures &lastWeek, Wording wording)
{
    QStringList notes;
    if (const QString note = noteText(thisWeek.observed, thisWeek.carriedFrom, wording); !note.isEmpty())
        //: A note on this week's figures (%1).
        notes << worded(wording, kContext, QT_TRANSLATE_NOOP("HistoryCsv", "今週: %1")).arg(note);
    if (const QString note = noteText(lastWeek.observed, lastWeek.carriedFrom, wording); !note.isEmpty())
        //: A note on last week's figures (%1).
        notes << worded(wording, kContext, QT_TRANSLATE_NOOP("HistoryCsv", "先週: %1")).arg(note);
    //: Between the notes of the two weeks.
    return notes.join(worded(wording, kContext, QT_TRANSLATE_NOOP("HistoryCsv", "、")));
}

std::vector<QStringList> weekLines(const WeekComparison &c)
{
    std::vector<QStringList> lines{weekHeader()};
    for (const LearnerWeeks &l : c.learners)
        lines.push_back(QStringList{l.name, courseListText(l.course, Wording::Japanese)} + weekCells(l.thisWeek) + weekCells(l.lastWeek)
                        + QStringList{weekNote(l.thisWeek, l.lastWeek, Wording::Japanese)});
    lines.push_back(QStringList{QStringLiteral("全体"), QString()} + weekCells(c.groupThis) + weekCells(c.groupLast)
                    + QStringList{weekNote(c.groupThis, c.groupLast, Wording::Japanese)});
    lines.push_back({QStringLiteral("練習した人数"), QString(), QString::number(c.activeThis), QString(), QString(),
                     QString::number(c.activeLast), QString(), QString(), QString()});
    return lines;
}

} // namespace qel::csv
