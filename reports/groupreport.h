#pragma once
// The group report: the group statistics of the record folder and the histograms of the
// passed STEP and the practice count of the group shown, on one page.

#include "reports/pagegeometry.h"

#include "records/groupstats.h"

#include <QString>
#include <cstdint>

class QPainter;

namespace qel::reports {

// Learners per division of a printed histogram: the smallest whole number whose ten
// divisions hold the largest bin up to 100, then tens. (The pane's rule differs.)
std::int64_t printedPeoplePerDivision(std::int64_t largestCount);

// Label over a bar: `blanks` blanks and the count, cut to five characters, then "人  ".
QString countLabel(std::int64_t count, int blanks);
// Label under bar 1..11: "0～", "<from>～", the last "<10 x width>以上".
QString rangeLabel(int bar, std::int64_t binWidth);

// Draws the page. `page` is the group variant of the geometry. Both lists of
// `collections` are sorted ascending in place, as the histograms need.
void drawGroupReport(QPainter &painter, const PageGeometry &page, const QString &folder,
                     const GroupStatistics &statistics, GroupCollections &collections);

} // namespace qel::reports
