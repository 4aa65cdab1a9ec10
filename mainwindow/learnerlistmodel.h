#pragma once
// The learner list's rows for a view that must stay quick with ten thousand of them.

#include "base/namemask.h"
#include "records/learnertable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QTimer>
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

    // The name column shows the names as the mask does (a number while it hides them); the
    // rows, their texts for every other use and their order keep the names themselves.
    void setNameMask(NameMask *mask);

    void setRows(std::vector<TableRow> rows);
    void clear();
    // The column titles and the Course cells in the language installed now.
    void retranslate();
    const std::vector<TableRow> &rows() const { return rows_; }
    const TableRow &row(int index) const { return rows_[std::size_t(index)]; }
    // The row of a record file; -1 when it has none.
    int rowOfKey(const QString &key) const;
    // Column 0 is the name, 1 to 7 the cells.
    QString cellText(int row, int column) const;
    // What the list shows of a cell: the name as the mask shows it, the other cells as they are.
    QString shownText(int row, int column) const;

    // Text order (case ignored, spaces before digits) or progress-rate order. Stable, and
    // selections follow their rows.
    void sortByText(int column, bool descending);
    void sortByRate(bool descending);

    // The order the rows were last sorted in; a new set of rows is unsorted.
    struct SortOrder {
        enum Kind { Unsorted, ByText, ByRate };
        Kind kind = Unsorted;
        int column = 0;
        bool descending = false;
    };

    // Takes the rows of a table update, in folder order: rows of the same record file keep
    // their places, new ones join, gone ones leave and the last sort holds again; the
    // selection and the current row follow their record files.
    void updateRows(std::vector<TableRow> rows);

    // "Just practised": rows shown marked for a while.
    static constexpr int kMarkMSecs = 10000;
    void markRows(const std::vector<QString> &keys);
    bool isMarked(int row) const;
    // The ground of a marked row, from the application's palette.
    static QColor markGround();
    // Unmarks the rows marked until `now` (ms since 1970) or before.
    void expireMarks(qint64 now);

    // Removes the given rows (any order).
    void removeRowsAt(std::vector<int> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Puts old row order[i] at row i; persistent indexes follow their rows.
    void reorder(const std::vector<int> &order);
    // Row numbers in the order `order` puts the rows in, ties kept as they come.
    static std::vector<int> sorted(const std::vector<TableRow> &rows, const SortOrder &order);
    void emitRowsChanged(const std::vector<int> &rows);
    std::vector<TableRow> rows_;
    QIcon english_, kana_;
    SortOrder order_;
    QHash<QString, qint64> marks_; // record file -> shown marked until (ms since 1970)
    mutable QHash<QString, int> rowIndex_; // record file -> row, made again after a change
    mutable bool rowIndexStale_ = true;
    QTimer unmark_;
    QPointer<NameMask> mask_;
};

} // namespace qel
