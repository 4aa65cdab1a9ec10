#pragma once
// The table of a graph's data (graphs/graphdata.h) as an item model, with a caption saying
// what graph and whose, and a line with what the table leaves out: the trend line, the
// group's size and mean, or why there is nothing to show.
//
// The practice graph's rows are made when asked for: a history of a million runs is not
// turned into a million rows of text.

#include "graphs/graphdata.h"
#include "graphs/personalgraph.h"

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <vector>

namespace qel {
class LoadedHistory;
struct GroupCollections;
} // namespace qel

namespace qel::graphs {

class GraphDataModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The personal graphs of the learner `row` names. `history` stays alive with the model;
    // nullptr stands for a record file that could not be read.
    static std::unique_ptr<GraphDataModel> practice(const PersonalGraphRow &row,
                                                    std::shared_ptr<const LoadedHistory> history);
    static std::unique_ptr<GraphDataModel> practiceTime(const PersonalGraphRow &row,
                                                        std::shared_ptr<const LoadedHistory> history);
    // A statistics graph (StepStatistics or RunStatistics) of the group `groupName`
    // ("全体", "英文", "かな/ローマ") of `learnerCount` learners; the collections are not changed.
    static std::unique_ptr<GraphDataModel> statistics(int kind, const QString &groupName, int learnerCount,
                                                      const GroupCollections &collections,
                                                      double percentile);

    // The caption, the summary and the column titles anew in the language installed now.
    void retranslate();

    QString caption() const { return m_caption; }
    QString summary() const { return m_summary; }
    // The column titles and every row, cells split by tabs, lines ended by "\n".
    QString tabSeparated() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    enum class Kind { Practice, Time, Steps, Runs };
    explicit GraphDataModel(Kind kind) : m_kind(kind) {}
    QString cell(int row, int column) const;
    void makeTexts();

    Kind m_kind;
    // What the texts are made from.
    PersonalGraphRow m_row;
    QString m_groupName;
    int m_learnerCount = 0;
    std::vector<std::int32_t> m_values; // the group's values, sorted
    bool m_read = true;                 // false: the record file could not be read

    QString m_caption;
    QString m_summary;
    std::shared_ptr<const LoadedHistory> m_history; // what m_practice views
    PracticeTable m_practice;
    std::vector<StepTime> m_steps;
    std::vector<Bin> m_bins;
};

} // namespace qel::graphs
