#pragma once
// The journal's figures as CSV lines (through csv::document and csv::saveFile): a record
// file's days or weeks, and the group's this week against last week.

#include "history/figures.h"

#include <QStringList>
#include <vector>

namespace qel::csv {

// The CSV writes its words in Japanese; a view of the same lines asks for them as shown.
// "名前,モード,期間,観測日数,練習回数,練習時間(分),平均ＳＰＭ,ミスタイプ率(%),到達ＳＴＥＰ,ＳＴＥＰ増,備考"
QStringList periodHeader(Wording wording = Wording::Japanese);
// One period of a record file. A period the viewer did not see leaves its practice cells
// empty and says "未観測", where a period it saw without practice says 0.
QStringList periodCells(const QString &name, Course course, const history::PeriodFigures &figures,
                        history::Period period, Wording wording = Wording::Japanese);

// "名前,モード,今週の練習回数,今週の練習時間(分),今週のＳＴＥＰ増,先週の練習回数,
//  先週の練習時間(分),先週のＳＴＥＰ増,備考"
QStringList weekHeader();
// One week's three cells; empty when the week was not observed.
QStringList weekCells(const history::WeekFigures &week);
// "今週: …" and "先週: …" for the weeks that need a note, joined by "、".
QString weekNote(const history::WeekFigures &thisWeek, const history::WeekFigures &lastWeek,
                 Wording wording = Wording::Japanese);
// The header, a line per record file in the comparison's order, then "全体" and
// "練習した人数" (learners with a run in the week).
std::vector<QStringList> weekLines(const history::WeekComparison &comparison);

} // namespace qel::csv
