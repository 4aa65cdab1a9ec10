#include "mainwindow/learnerlistmodel.h"

#include "mainwindow/icons.h"

#include <algorithm>
#include <numeric>

namespace qel {

LearnerListModel::LearnerListModel(QObject *parent)
    : QAbstractTableModel(parent), english_(icons::image(4)), kana_(icons::image(5))
{
}

QString LearnerListModel::columnTitle(int column)
{
    static const QString titles[kColumns] = {
        QStringLiteral("名  前"),   QStringLiteral("モード"),     QStringLiteral("STEP"),
        QStringLiteral("練習回数"), QStringLiteral("総練習時間"), QStringLiteral("上達度"),
        QStringLiteral("最高SPM"),  QStringLiteral("最終練習日時"),
    };
    return column >= 0 && column < kColumns ? titles[column] : QString();
}

int LearnerListModel::columnWidthTwips(int column)
{
    static const int widths[kColumns] = {2117, 1058, 706, 1147, 1764, 1147, 1235, 4233};
    return column >= 0 && column < kColumns ? widths[column] : 0;
}

Qt::Alignment LearnerListModel::columnAlignment(int column)
{
    const bool left = column == 0 || column == 1 || column == 7;
    return (left ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
}

void LearnerListModel::setRows(std::vector<TableRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void LearnerListModel::clear()
{
    setRows({});
}

QString LearnerListModel::cellText(int row, int column) const
{
    if (row < 0 || row >= int(rows_.size()) || column < 0 || column >= kColumns)
        return QString();
    const TableRow &r = rows_[std::size_t(row)];
    return column == 0 ? r.name : r.cells[std::size_t(column - 1)];
}

template <typename Less> void LearnerListModel::reorder(Less less)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);

    std::vector<int> newPlace(rows_.size());
    std::vector<TableRow> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newPlace[std::size_t(order[i])] = int(i);
        sorted.push_back(std::move(rows_[std::size_t(order[i])]));
    }
    rows_ = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(index.isValid() ? createIndex(newPlace[std::size_t(index.row())], index.column())
                                     : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void LearnerListModel::sortByText(int column, bool descending)
{
    if (column < 0 || column >= kColumns)
        return;
    // Ordinal comparison keeps a blank before any digit, so the space-padded figures sort
    // by their values.
    std::vector<QString> keys(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        keys[i] = cellText(int(i), column);
    reorder([&keys, descending](int a, int b) {
        const int c = QString::compare(keys[std::size_t(a)], keys[std::size_t(b)], Qt::CaseInsensitive);
        return descending ? c > 0 : c < 0;
    });
}

void LearnerListModel::sortByRate(bool descending)
{
    std::vector<double> keys(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        keys[i] = rows_[i].sortValue;
    reorder([&keys, descending](int a, int b) {
        return descending ? keys[std::size_t(a)] > keys[std::size_t(b)]
                          : keys[std::size_t(a)] < keys[std::size_t(b)];
    });
}

void LearnerListModel::removeRowsAt(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [this](int r) { return r < 0 || r >= int(rows_.size()); }),
               rows.end());
    if (rows.empty())
        return;
    if (rows.back() - rows.front() + 1 == int(rows.size())) {
        beginRemoveRows({}, rows.front(), rows.back());
        rows_.erase(rows_.begin() + rows.front(), rows_.begin() + rows.back() + 1);
        endRemoveRows();
        return;
    }
    // Rows scattered over the list go in one pass: a removal per row would move the rows
    // behind it (and the view's and the selection's account of them) each time.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newPlace(rows_.size(), -1);
    std::vector<TableRow> kept;
    kept.reserve(rows_.size() - rows.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (next < rows.size() && rows[next] == int(i)) {
            ++next;
            continue;
        }
        newPlace[i] = int(kept.size());
        kept.push_back(std::move(rows_[i]));
    }
    rows_ = std::move(kept);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before) {
        const int place = index.isValid() ? newPlace[std::size_t(index.row())] : -1;
        after.append(place >= 0 ? createIndex(place, index.column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int LearnerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int LearnerListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant LearnerListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == 0)
            return rows_[std::size_t(index.row())].icon == 4 ? english_ : kana_;
        return {};
    case Qt::TextAlignmentRole: return QVariant::fromValue(columnAlignment(index.column()));
    default: return {};
    }
}

QVariant LearnerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return columnTitle(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columnAlignment(section));
    return {};
}

} // namespace qel
