#include "mainwindow/learnerlistmodel.h"

#include "base/contrast.h"
#include "base/namemask.h"
#include "mainwindow/icons.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QDateTime>
#include <algorithm>
#include <numeric>

namespace qel {

LearnerListModel::LearnerListModel(QObject *parent)
    : QAbstractTableModel(parent), english_(icons::image(4)), kana_(icons::image(5))
{
    unmark_.setSingleShot(true);
    connect(&unmark_, &QTimer::timeout, this, [this] { expireMarks(QDateTime::currentMSecsSinceEpoch()); });
}

QString LearnerListModel::columnTitle(int column)
{
    //: Column titles of the list of learners; "モード" is the course.
    const QString titles[kColumns] = {
        tr("名  前"),   tr("モード"),     tr("STEP"),
        tr("練習回数"), tr("総練習時間"), tr("上達度"),
        tr("最高SPM"),  tr("最終練習日時"),
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

void LearnerListModel::setNameMask(NameMask *mask)
{
    if (mask_)
        disconnect(mask_, nullptr, this, nullptr);
    mask_ = mask;
    const auto namesChanged = [this] {
        if (!rows_.empty())
            emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, 0), {Qt::DisplayRole});
    };
    if (mask_)
        connect(mask_, &NameMask::hiddenChanged, this, namesChanged);
    namesChanged();
}

void LearnerListModel::setRows(std::vector<TableRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    rowIndexStale_ = true;
    order_ = {};
    marks_.clear();
    unmark_.stop();
    endResetModel();
}

void LearnerListModel::clear()
{
    setRows({});
}

int LearnerListModel::rowOfKey(const QString &key) const
{
    if (rowIndexStale_) {
        rowIndex_.clear();
        rowIndex_.reserve(qsizetype(rows_.size()));
        for (std::size_t i = 0; i < rows_.size(); ++i)
            rowIndex_.insert(rows_[i].key, int(i));
        rowIndexStale_ = false;
    }
    return rowIndex_.value(key, -1);
}

QString LearnerListModel::cellText(int row, int column) const
{
    if (row < 0 || row >= int(rows_.size()) || column < 0 || column >= kColumns)
        return QString();
    const TableRow &r = rows_[std::size_t(row)];
    return column == 0 ? r.name : r.cells[std::size_t(column - 1)];
}

QString LearnerListModel::shownText(int row, int column) const
{
    if (column == 0 && mask_ && row >= 0 && row < int(rows_.size()))
        return mask_->shown(rows_[std::size_t(row)].name);
    if (column > 0 && row >= 0 && row < int(rows_.size()) && column < kColumns)
        return shownCell(rows_[std::size_t(row)], Column(column - 1));
    return cellText(row, column);
}

void LearnerListModel::reorder(const std::vector<int> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newPlace(rows_.size());
    std::vector<TableRow> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newPlace[std::size_t(order[i])] = int(i);
        sorted.push_back(std::move(rows_[std::size_t(order[i])]));
    }
    rows_ = std::move(sorted);
    rowIndexStale_ = true;

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(index.isValid() ? createIndex(newPlace[std::size_t(index.row())], index.column())
                                     : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<int> LearnerListModel::sorted(const std::vector<TableRow> &rows, const SortOrder &order)
{
    std::vector<int> place(rows.size());
    std::iota(place.begin(), place.end(), 0);
    const bool descending = order.descending;
    if (order.kind == SortOrder::ByText) {
        // Ordinal comparison keeps a blank before any digit, so the space-padded figures
        // sort by their values.
        const auto text = [&rows, column = order.column](int r) -> const QString & {
            const TableRow &row = rows[std::size_t(r)];
            return column == 0 ? row.name : row.cells[std::size_t(column - 1)];
        };
        std::stable_sort(place.begin(), place.end(), [&](int a, int b) {
            const int c = QString::compare(text(a), text(b), Qt::CaseInsensitive);
            return descending ? c > 0 : c < 0;
        });
    } else if (order.kind == SortOrder::ByRate) {
        std::stable_sort(place.begin(), place.end(), [&](int a, int b) {
            const double x = rows[std::size_t(a)].sortValue, y = rows[std::size_t(b)].sortValue;
            return descending ? x > y : x < y;
        });
    }
    return place;
}

void LearnerListModel::sortByText(int column, bool descending)
{
    if (column < 0 || column >= kColumns)
        return;
    order_ = {SortOrder::ByText, column, descending};
    reorder(sorted(rows_, order_));
}

void LearnerListModel::sortByRate(bool descending)
{
    order_ = {SortOrder::ByRate, kRateColumn, descending};
    reorder(sorted(rows_, order_));
}

void LearnerListModel::updateRows(std::vector<TableRow> rows)
{
    // Where each row is to stand: folder order when the list is unsorted (as a fill gives
    // it); else the rows as they stand, newcomers after them, sorted again.
    QHash<QString, int> shown;
    shown.reserve(qsizetype(rows_.size()));
    for (std::size_t i = 0; i < rows_.size(); ++i)
        shown.insert(rows_[i].key, int(i));
    std::vector<TableRow> wanted;
    wanted.reserve(rows.size());
    if (order_.kind == SortOrder::Unsorted) {
        wanted = std::move(rows);
    } else {
        std::vector<std::pair<int, int>> standing; // (place now, row of `rows`)
        standing.reserve(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            standing.emplace_back(shown.value(rows[i].key, int(rows_.size() + i)), int(i));
        std::sort(standing.begin(), standing.end());
        std::vector<TableRow> asShown;
        asShown.reserve(rows.size());
        for (const auto &[place, row] : standing)
            asShown.push_back(std::move(rows[std::size_t(row)]));
        for (int r : sorted(asShown, order_))
            wanted.push_back(std::move(asShown[std::size_t(r)]));
    }
    // The same files in the same places, as after most runs: only the texts change.
    bool samePlaces = wanted.size() == rows_.size();
    for (std::size_t i = 0; samePlaces && i < wanted.size(); ++i)
        samePlaces = wanted[i].key == rows_[i].key;
    if (samePlaces) {
        rows_ = std::move(wanted);
        rowIndexStale_ = true;
        if (!rows_.empty())
            emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, kColumns - 1));
        return;
    }

    QHash<QString, int> target;
    target.reserve(qsizetype(wanted.size()));
    for (std::size_t i = 0; i < wanted.size(); ++i)
        target.insert(wanted[i].key, int(i));

    // Rows of files gone leave, the way a removal takes the selection with them.
    std::vector<int> gone;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!target.contains(rows_[i].key))
            gone.push_back(int(i));
    removeRowsAt(gone);
    // Newcomers join at the end, then everything moves to its place.
    std::vector<int> joining;
    for (std::size_t i = 0; i < wanted.size(); ++i)
        if (!shown.contains(wanted[i].key))
            joining.push_back(int(i));
    if (!joining.empty()) {
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + joining.size()) - 1);
        for (int i : joining)
            rows_.push_back(wanted[std::size_t(i)]);
        rowIndexStale_ = true;
        endInsertRows();
    }
    std::vector<int> order(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        order[std::size_t(target.value(rows_[i].key))] = int(i);
    reorder(order);
    rows_ = std::move(wanted);
    rowIndexStale_ = true;
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, kColumns - 1));

    for (auto it = marks_.begin(); it != marks_.end();)
        it = target.contains(it.key()) ? std::next(it) : marks_.erase(it);
}

void LearnerListModel::markRows(const std::vector<QString> &keys)
{
    if (keys.empty())
        return;
    const qint64 until = QDateTime::currentMSecsSinceEpoch() + kMarkMSecs;
    for (const QString &key : keys)
        marks_.insert(key, until);
    std::vector<int> rows;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (marks_.contains(rows_[i].key))
            rows.push_back(int(i));
    emitRowsChanged(rows);
    // Marks already lit keep their own end: a later mark never holds them on.
    if (!unmark_.isActive())
        unmark_.start(kMarkMSecs);
}

bool LearnerListModel::isMarked(int row) const
{
    return row >= 0 && row < int(rows_.size()) && marks_.contains(rows_[std::size_t(row)].key);
}

void LearnerListModel::expireMarks(qint64 now)
{
    std::optional<qint64> next;
    for (auto it = marks_.begin(); it != marks_.end();) {
        if (it.value() <= now) {
            it = marks_.erase(it);
        } else {
            next = next ? std::min(*next, it.value()) : it.value();
            ++it;
        }
    }
    std::vector<int> all(rows_.size());
    std::iota(all.begin(), all.end(), 0);
    emitRowsChanged(all);
    if (next)
        unmark_.start(int(std::max<qint64>(*next - QDateTime::currentMSecsSinceEpoch(), 0)));
}

void LearnerListModel::emitRowsChanged(const std::vector<int> &rows)
{
    if (rows.empty())
        return;
    const auto [low, high] = std::minmax_element(rows.begin(), rows.end());
    emit dataChanged(index(*low, 0), index(*high, kColumns - 1), {Qt::BackgroundRole, Qt::ForegroundRole});
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
        rowIndexStale_ = true;
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
    rowIndexStale_ = true;
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

QColor LearnerListModel::markGround()
{
    // A quarter of a green over the palette's base: (204, 240, 204) on white.
    return colours::blend(QGuiApplication::palette().color(QPalette::Base), QColor(51, 195, 51), 0.25);
}

QVariant LearnerListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    switch (role) {
    case Qt::DisplayRole: return shownText(index.row(), index.column());
    case Qt::DecorationRole:
        if (index.column() == 0)
            return rows_[std::size_t(index.row())].icon == 4 ? english_ : kana_;
        return {};
    case Qt::TextAlignmentRole: return QVariant::fromValue(columnAlignment(index.column()));
    case Qt::BackgroundRole:
        // A soft green: seen at a glance, and no cell text moves.
        if (isMarked(index.row()))
            return markGround();
        return {};
    case Qt::ForegroundRole:
        // The palette's text may be light (a dark theme): it must still read on the green.
        if (isMarked(index.row()))
            return colours::readableOn(QGuiApplication::palette().color(QPalette::Text), markGround());
        return {};
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

void LearnerListModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    if (!rows_.empty())
        emit dataChanged(index(0, 1), index(int(rows_.size()) - 1, 1), {Qt::DisplayRole});
}

} // namespace qel
