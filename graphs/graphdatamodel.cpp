#include "graphs/graphdatamodel.h"

#include "graphs/groupgraph.h"
#include "records/learnertable.h"
#include "records/loadedhistory.h"
#include "records/textformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace qel::graphs {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(GraphData)
};

QString unreadableText()
{
    //: In place of a learner's graph data: the record file could not be read.
    return Tr::tr("記録ファイルを読めませんでした。");
}

QString rangeText(std::int64_t from, std::int64_t to)
{
    if (from == to)
        return QString::number(from);
    //: A range in a graph's data: from %1 to %2 (runs, STEPs or practice counts).
    return Tr::tr("%1～%2").arg(from).arg(to);
}
} // namespace

std::unique_ptr<GraphDataModel> GraphDataModel::practice(const PersonalGraphRow &row,
                                                         std::shared_ptr<const LoadedHistory> history)
{
    std::unique_ptr<GraphDataModel> model(new GraphDataModel(Kind::Practice));
    model->m_row = row;
    model->m_read = history != nullptr;
    if (history) {
        model->m_practice = practiceTable(*history);
        model->m_history = std::move(history);
    }
    model->makeTexts();
    return model;
}

std::unique_ptr<GraphDataModel> GraphDataModel::practiceTime(const PersonalGraphRow &row,
                                                             std::shared_ptr<const LoadedHistory> history)
{
    std::unique_ptr<GraphDataModel> model(new GraphDataModel(Kind::Time));
    model->m_row = row;
    model->m_read = history != nullptr;
    if (history)
        model->m_steps = stepTimeTable(history->history().stepTimes());
    model->makeTexts();
    return model;
}

std::unique_ptr<GraphDataModel> GraphDataModel::statistics(int kind, const QString &groupName, int learnerCount,
                                                           const GroupCollections &collections,
                                                           double percentile)
{
    const bool steps = kind == StepStatistics;
    std::unique_ptr<GraphDataModel> model(new GraphDataModel(steps ? Kind::Steps : Kind::Runs));
    model->m_groupName = groupName;
    model->m_learnerCount = learnerCount;
    model->m_values = steps ? collections.groupSteps : collections.groupRunCounts;
    // Sorted here, as the drawing sorts its own list; the caller's stay as they are.
    std::sort(model->m_values.begin(), model->m_values.end());
    model->m_bins = binTable(model->m_values, percentile);
    model->makeTexts();
    return model;
}

void GraphDataModel::makeTexts()
{
    QStringList summary;
    switch (m_kind) {
    case Kind::Practice:
        m_caption = practiceHeading(m_row);
        if (!m_read) {
            summary << unreadableText();
            break;
        }
        if (m_practice.gap() == PracticeGap::TooFewRuns)
            //: In place of the practice graph's data for fewer than two runs.
            summary << Tr::tr("回数が２回目からグラフ表示されます。");
        else if (m_practice.gap() == PracticeGap::RunsNotKept)
            //: A damaged record file claims more runs than the viewer keeps; the graph draws none.
            summary << Tr::tr("練習回数が多すぎるため、回ごとの値はありません。");
        if (const auto &trend = m_practice.trend())
            //: The trend line of the practice graph: fitted SPM %1 at run 1 and %3 at the last run, %2.
            summary << Tr::tr("傾向線： 1回目 %1 SPM、%2回目 %3 SPM")
                           .arg(trend->first)
                           .arg(m_practice.runCount())
                           .arg(trend->last);
        break;
    case Kind::Time:
        m_caption = timeHeading(m_row);
        if (!m_read)
            summary << unreadableText();
        else if (m_steps.empty())
            //: In place of the practice time graph's data of a learner at no STEP yet.
            summary << Tr::tr("STEPの記録はありません。");
        break;
    case Kind::Steps:
    case Kind::Runs: {
        const bool steps = m_kind == Kind::Steps;
        GroupCollections lists;
        (steps ? lists.groupSteps : lists.groupRunCounts) = m_values;
        const GroupGraphResult texts = groupGraphTexts(steps ? StepStatistics : RunStatistics, m_groupName,
                                                       m_learnerCount, lists);
        m_caption = texts.heading;
        //: In place of a statistics graph's data of a group without learners.
        summary << (m_bins.empty() ? Tr::tr("このグループには練習者がいません。") : texts.statusText);
        break;
    }
    }
    m_summary = summary.join(QLatin1Char(' '));
}

void GraphDataModel::retranslate()
{
    makeTexts();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    // The ranges' words ("～", "以上") are in the cells.
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

int GraphDataModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_kind) {
    case Kind::Practice:
        // At most the runs a LoadedHistory keeps, and one row for the runs a file lacks.
        return int(m_practice.rowCount());
    case Kind::Time:
        return int(m_steps.size());
    case Kind::Steps:
    case Kind::Runs:
        return int(m_bins.size());
    }
    return 0;
}

int GraphDataModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_kind == Kind::Practice ? 3 : 2;
}

QString GraphDataModel::cell(int row, int column) const
{
    switch (m_kind) {
    case Kind::Practice: {
        const PracticeRow r = m_practice.row(row);
        if (column == 0)
            return r.firstRun == r.lastRun ? QString::number(r.firstRun) : rangeText(r.firstRun, r.lastRun);
        return column == 1 ? QString::number(r.spm) : twoDecimals(r.mistypeRate / 100.0);
    }
    case Kind::Time: {
        const StepTime &s = m_steps[std::size_t(row)];
        return column == 0 ? QString::number(s.step) : timeText(s.seconds);
    }
    case Kind::Steps:
    case Kind::Runs: {
        const Bin &b = m_bins[std::size_t(row)];
        if (column == 1)
            return QString::number(b.count);
        //: The top range of a statistics graph's table: %1 and more.
        return b.to ? rangeText(b.from, *b.to) : Tr::tr("%1以上").arg(b.from);
    }
    }
    return {};
}

QVariant GraphDataModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant GraphDataModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    switch (m_kind) {
    case Kind::Practice:
        //: Column titles of the practice graph's data: the run, its strokes per minute, its mistype rate.
        return section == 0 ? Tr::tr("回数") : section == 1 ? Tr::tr("SPM") : Tr::tr("ミスタイプ率(%)");
    case Kind::Time:
        //: Column titles of the practice time graph's data: the STEP, the time practised at it.
        return section == 0 ? Tr::tr("STEP") : Tr::tr("練習時間");
    case Kind::Steps:
    case Kind::Runs:
        if (section == 1)
            //: Column title of a statistics graph's data: the number of learners in a range.
            return Tr::tr("人数");
        //: Column title of a statistics graph's data: the range of passed STEPs, or of practice counts.
        return m_kind == Kind::Steps ? Tr::tr("STEP") : Tr::tr("練習回数");
    }
    return {};
}

QString GraphDataModel::tabSeparated() const
{
    QString text;
    const int columns = columnCount();
    const int rows = rowCount();
    for (int c = 0; c < columns; ++c)
        text += headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() + (c + 1 < columns ? u'\t' : u'\n');
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            text += cell(r, c) + (c + 1 < columns ? u'\t' : u'\n');
    return text;
}

} // namespace qel::graphs
