#pragma once
// "今週と先週" on one page: each learner's runs, minutes and STEPs gained this week and last
// week, then the group's and the learners who practised.

#include "history/figures.h"
#include "reports/pagegeometry.h"

#include <QString>

class QPainter;

namespace qel::reports {

// Rows of learners at their tallest and at their smallest, in millimetres; a list too long
// for the smallest keeps the rows that fit and says how many it left out.
constexpr double kWeekRowTallest = 6.0;
constexpr double kWeekRowSmallest = 3.2;

struct WeekPageLayout {
    double rowHeight = kWeekRowTallest;
    int rowsShown = 0;  // learners on the page
    int rowsLeftOut = 0;
};
// How the learners fit between `top` and `bottom` (millimetres, the table's head excluded).
WeekPageLayout weekPageLayout(int learners, double top, double bottom);

// "ほか%1件は載せきれませんでした。"
QString leftOutText(int rows);
// The mark before a week's runs that may hold practice of days before the week no one saw,
// and the note under the table that says so.
QString carriedMark();
QString carriedNote();

// Draws the page; `folder` is named under the title. `page` is the group variant of the
// geometry.
void drawWeekReport(QPainter &painter, const PageGeometry &page, const QString &folder,
                    const history::WeekComparison &comparison);

} // namespace qel::reports
