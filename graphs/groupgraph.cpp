#include "graphs/groupgraph.h"

#include "base/painting.h"
#include "graphs/graphframe.h"
#include "graphs/scales.h"
#include "records/groupstats.h"
#include "records/textformat.h"

#include <QPainter>
#include <algorithm>

namespace qel::graphs {

namespace {
// A count label never starts above this far below the top grid line (one pixel at 96 dpi).
constexpr double kCountInset = 15;
}

QString stepStatusText(int learnerCount, double mean)
{
    return QString::number(learnerCount) + QStringLiteral("人 平均： ") + twoDecimals(mean)
         + QStringLiteral(" STEP");
}

QString runStatusText(int learnerCount, double mean)
{
    return QString::number(learnerCount) + QStringLiteral("人、 平均： ") + twoDecimals(mean)
         + QStringLiteral(" 回");
}

QString countLabel(std::int64_t count, int padding)
{
    return padRight(QString(padding, QLatin1Char(' ')), QString::number(count), 5)
         + QStringLiteral("人");
}

GroupGraphResult groupGraphTexts(int kind, const QString &groupName, int learnerCount,
                                 GroupCollections &collections)
{
    if (kind != StepStatistics && kind != RunStatistics)
        return {};
    const bool steps = kind == StepStatistics;
    std::vector<std::int32_t> &values = steps ? collections.groupSteps : collections.groupRunCounts;
    std::sort(values.begin(), values.end());
    const double mean = meanOf(values);
    return {groupName + QStringLiteral("の練習者の")
                + (steps ? QStringLiteral("STEP統計グラフです。") : QStringLiteral("練習回数統計グラフです。")),
            steps ? stepStatusText(learnerCount, mean) : runStatusText(learnerCount, mean)};
}

GroupGraphResult drawGroupGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                const QString &groupName, int learnerCount,
                                GroupCollections &collections, GraphState &state)
{
    GroupGraphResult result;
    state.graphFamily = GroupFamily;
    painter.save();
    draw::useTwips(painter);
    usePaneFont(painter);
    const GraphFrame f = GraphFrame::forPane(widthTwips, heightTwips);
    drawFrameBase(painter, f);
    drawAxisBars(painter, f, kBlack, kBlack);

    if (kind != StepStatistics && kind != RunStatistics) {
        painter.restore();
        return result;
    }
    const bool steps = kind == StepStatistics;
    std::vector<std::int32_t> &values = steps ? collections.groupSteps : collections.groupRunCounts;
    result = groupGraphTexts(kind, groupName, learnerCount, collections);
    const Histogram h = makeHistogram(values, state.statPercentile);
    if (values.empty()) {
        painter.restore();
        return result;
    }

    const std::int64_t perDivision = peoplePerDivision(h.largestCount);
    for (int i = 0; i <= 10; ++i)
        writeNumber(painter, 240, f.base - i * f.division - 70, perDivision * i, kBlue);
    const int slot = f.plotWidth / 11;
    for (int k = 1; k <= 11; ++k) {
        const std::int64_t count = h.counts[std::size_t(k - 1)];
        const double height = double(f.division) * double(count) / double(perDivision);
        const int left = 600 + slot * (k - 1);
        fillBox(painter, left + 100, f.base, slot * k + 500, f.base - height, kBlue);
        // A count over a bar that (nearly) reaches the top stays inside the plot, on the bar.
        const QString label = countLabel(count, steps ? 3 : 4);
        const double labelY = f.base - height - 170;
        if (labelY >= f.top + kCountInset)
            writeText(painter, slot * k - 100, labelY, label, kBlack);
        else
            writeTextOn(painter, slot * k - 100, f.top + kCountInset, label, kBlack, kPaneBackground);
        QString range;
        if (k == 1)
            range = QStringLiteral("0～");
        else if (k <= 10)
            range = QString::number(std::int64_t(k - 1) * h.binWidth) + QStringLiteral("～");
        else
            range = QString::number(std::int64_t(10) * h.binWidth) + QStringLiteral("以上");
        writeText(painter, left + 150, f.base + 100, range, kBlue);
    }
    writeText(painter, (f.width / 2) - 200, f.base + 300,
              steps ? QStringLiteral("STEP") : QStringLiteral("練習回数"), kBlue);
    writeText(painter, 400, f.captionTop(), QStringLiteral("人"), kBlue);
    painter.restore();
    return result;
}

} // namespace qel::graphs
