#pragma once
// A graph's data as a table, for whoever cannot see the graph: a caption saying what graph
// and whose, a line with what the table leaves out (the trend line, the group's size and
// mean, a file that could not be read), the table, "コピー" (also Ctrl+C: the whole table,
// tab-separated, to the clipboard) and "閉じる".

#include "graphs/personalgraph.h"
#include "records/groupstats.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace qel {

class LoadedHistory;
struct GroupCollections;

namespace graphs {
class GraphDataModel;
}

class frmGraphData : public QDialog {
    Q_OBJECT
public:
    frmGraphData(std::unique_ptr<graphs::GraphDataModel> model, QWidget *parent = nullptr);
    ~frmGraphData() override;

    graphs::GraphDataModel *model() const { return m_model.get(); }
    // Puts the whole table on the clipboard.
    void copyTable();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    std::unique_ptr<graphs::GraphDataModel> m_model;
    QLabel *lblCaption = nullptr;
    QLabel *lblSummary = nullptr;
    QTableView *tblData = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdClose = nullptr;
};

// One call per graph, each showing the dialog through the Asker and returning once it has
// closed. `history` is the learner's record file as the pane draws it (nullptr: it could not
// be read); the dialog keeps it alive while it is open.
void showPracticeData(QWidget *parent, const graphs::PersonalGraphRow &row,
                      std::shared_ptr<const LoadedHistory> history);
void showPracticeTimeData(QWidget *parent, const graphs::PersonalGraphRow &row,
                          std::shared_ptr<const LoadedHistory> history);
// The group shown: its name as the tree's root shows it ("全体", "英文", "かな/ローマ"), its
// number of learners and collections as the statistics graphs take them.
void showStepStatisticsData(QWidget *parent, const QString &groupName, int learnerCount,
                            const GroupCollections &collections, double percentile = kStatPercentile);
void showRunStatisticsData(QWidget *parent, const QString &groupName, int learnerCount,
                           const GroupCollections &collections, double percentile = kStatPercentile);

} // namespace qel
