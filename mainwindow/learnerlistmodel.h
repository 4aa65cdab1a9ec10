#pragma once
// The learner list's rows for a view that must stay quick with ten thousand of them.

#include "records/learnertable.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

namespace qel {

class LearnerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;
    static constexpr int kRateColumn = 5; // "上達度"

    explicit LearnerListModel(QObject *parent = nullptr);

    static QString columnTitle(int column);
    static int columnWidthTwips(int column);
    static Qt::Alignment columnAlignment(int column);

    void setRows(std::vector<TableRow> rows);
    void clear();
    const std::vector<TableRow> &rows() const { return rows_; }
    const TableRow &row(int index) const { return rows_[std::size_t(index)]; }
    // Column 0 is the name, 1 to 7 the cells.
    QString cellText(int row, int column) const;

    // Text order (case ignored, spaces before digits) or progress-rate order. Stable, and
    // selections follow their rows.
    void sortByText(int column, bool descending);
    void sortByRate(bool descending);

    // Removes the given rows (any order).
    void removeRowsAt(std::vector<int> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    template <typename Less> void reorder(Less less);
    std::vector<TableRow> rows_;
    QIcon english_, kana_;
};

} // namespace qel
