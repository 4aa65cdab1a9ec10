#include "graphs/scales.h"

#include "records/textformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace qel::graphs {

int spmPerDivision(int bestSpm)
{
    const auto s = roundHalfEven(bestSpm / 10.0);
    if (s < 10)
        return 10;
    return int(((s - 1) / 10) * 10 + 10);
}

std::int64_t RunAxis::offset(std::int64_t run) const
{
    return (std::int64_t(columnWidth) * run) / runsPerColumn;
}

RunAxis runAxisFor(int plotWidth, std::int64_t runs)
{
    RunAxis axis;
    runs = std::max<std::int64_t>(runs, 0);
    axis.columns = std::max(plotWidth, 0) / 1000;
    if (axis.columns == 0 && plotWidth > 0) {
        axis.columns = 1;
        axis.columnWidth = plotWidth;
    }
    axis.runsPerColumn = runs / std::max(axis.columns, 1) + 1;
    return axis;
}

std::int64_t peoplePerDivision(std::int64_t m)
{
    if (m <= 10)
        return 1;
    if (m <= 100)
        return 10;
    return ((m - 1) / 100) * 10 + 10;
}

std::int64_t TimeAxis::label(int i) const
{
    if (secondsPerDivision == 60)
        return i;
    if (secondsPerDivision == 300)
        return 5 * i;
    return (secondsPerDivision / 3600) * i;
}

TimeAxis timeAxisFor(std::int64_t longest)
{
    TimeAxis axis;
    if (longest < 600) {
        axis.secondsPerDivision = 60;
    } else if (longest < 3000) {
        axis.secondsPerDivision = 300;
    } else {
        axis.secondsPerDivision = (longest / 36000 + 1) * 3600;
    }
    axis.caption = axis.secondsPerDivision < 3600
                       //: Caption of the time axis, counted in minutes.
                       ? QCoreApplication::translate("Scales", "分")
                       //: Caption of the time axis, counted in hours.
                       : QCoreApplication::translate("Scales", "時間");
    return axis;
}

} // namespace qel::graphs
