#include "graphs/groupgraph.h"

#include "base/painting.h"
#include "graphs/graphframe.h"
#include "graphs/scales.h"
#include "records/groupstats.h"
#include "records/textformat.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>

namespace qel::graphs {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(GroupGraph)
};

// A count label never starts above this far below the top grid line (one pixel at 96 dpi).
constexpr double kCountInset = 15;
}

QString stepStatusText(int learnerCount, double mean)
{
    //: Status bar of the STEP statistics graph: %n learners, %1 their mean passed STEP.
    return Tr::tr("%n人 平均： %1 STEP", nullptr, learnerCount).arg(twoDecimals(mean));
}

QString runStatusText(int learnerCount, double mean)
{
    //: Status bar of the run-count statistics graph: %n learners, %1 their mean number of runs.
    return Tr::tr("%n人、 平均： %1 回", nullptr, learnerCount).arg(twoDecimals(mean));
}

QString countLabel(std::int64_t count, int padding)
{
    //: Above a bar: %1 the number of learners (padded with blanks, keep them in front).
    return Tr::tr("%1人").arg(padRight(QString(padding, QLatin1Char(' ')), QString::number(count), 5));
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
    //: Heading of a statistics graph; %1 the group ("全体", "英文", "かな/ローマ").
    return {(steps ? Tr::tr("%1の練習者のSTEP統計グラフです。")
                   //: Heading of a statistics graph; %1 the group ("全体", "英文", "かな/ローマ").
                   : Tr::tr("%1の練習者の練習回数統計グラフです。"))
                .arg(groupName),
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
            //: Under the first bar: values from 0.
            range = Tr::tr("0～");
        else if (k <= 10)
            //: Under a bar: values from %1 (up to the next bar's).
            range = Tr::tr("%1～").arg(std::int64_t(k - 1) * h.binWidth);
        else
            //: Under the last bar: %1 and more.
            range = Tr::tr("%1以上").arg(std::int64_t(10) * h.binWidth);
        writeText(painter, left + 150, f.base + 100, range, kBlue);
    }
    writeText(painter, (f.width / 2) - 200, f.base + 300,
              //: Caption of the horizontal axis: passed STEP.
              steps ? Tr::tr("STEP")
                    //: Caption of the horizontal axis: number of runs.
                    : Tr::tr("練習回数"),
              kBlue);
    //: Caption of the vertical axis: number of learners.
    writeText(painter, 400, f.captionTop(), Tr::tr("人"), kBlue);
    painter.restore();
    return result;
}

} // namespace qel::graphs
