#include "dialogs/historymodels.h"

#include "base/namemask.h"
#include "reports/historycsv.h"

#include <QBrush>
#include <QCollator>
#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <numeric>

namespace qel {

using namespace history;

namespace {
const QColor kNotObservedText(128, 128, 128);
constexpr int kFirstPeriodCell = 2; // past name and mode in the CSV's cells

Qt::Alignment alignmentOf(bool number)
{
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

// The application hears of a new language before any window does.
void followLanguage(QObject *model)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(model);
}

bool isLanguageChange(QObject *watched, QEvent *event)
{
    return event->type() == QEvent::LanguageChange && watched == QCoreApplication::instance();
}

// Every cell and header of `model` put into words anew.
void rewordAll(QAbstractItemModel &model)
{
    const int rows = model.rowCount(), columns = model.columnCount();
    if (rows > 0)
        emit model.dataChanged(model.index(0, 0), model.index(rows - 1, columns - 1), {Qt::DisplayRole});
    emit model.headerDataChanged(Qt::Horizontal, 0, columns - 1);
}
} // namespace

PeriodTableModel::PeriodTableModel(QObject *parent) : QAbstractTableModel(parent)
{
    followLanguage(this);
}

void PeriodTableModel::setPeriods(const std::vector<PeriodFigures> &periods, Period period)
{
    beginResetModel();
    m_periods.assign(periods.rbegin(), periods.rend());
    m_period = period;
    fillCells();
    endResetModel();
}

void PeriodTableModel::fillCells()
{
    m_cells.clear();
    for (const PeriodFigures &f : m_periods)
        m_cells.push_back(csv::periodCells(QString(), English, f, m_period, Wording::Shown).mid(kFirstPeriodCell));
}

bool PeriodTableModel::eventFilter(QObject *watched, QEvent *event)
{
    if (isLanguageChange(watched, event)) {
        fillCells();
        rewordAll(*this);
    }
    return QAbstractTableModel::eventFilter(watched, event);
}

int PeriodTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cells.size());
}

int PeriodTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(csv::periodHeader().size()) - kFirstPeriodCell;
}

QVariant PeriodTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const std::size_t row = std::size_t(index.row());
    const bool number = index.column() > 0 && index.column() < columnCount() - 1;
    switch (role) {
    case Qt::DisplayRole:
        return m_cells[row][index.column()];
    case Qt::TextAlignmentRole:
        return int(alignmentOf(number));
    case Qt::ForegroundRole:
        return m_periods[row].observed() ? QVariant() : QVariant(QBrush(kNotObservedText));
    default:
        return {};
    }
}

QVariant PeriodTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return csv::periodHeader(Wording::Shown)[section + kFirstPeriodCell];
}

WeekTableModel::WeekTableModel(QObject *parent) : QAbstractTableModel(parent)
{
    followLanguage(this);
}

bool WeekTableModel::eventFilter(QObject *watched, QEvent *event)
{
    if (isLanguageChange(watched, event))
        rewordAll(*this);
    return QAbstractTableModel::eventFilter(watched, event);
}

void WeekTableModel::setComparison(const WeekComparison &comparison)
{
    beginResetModel();
    m_comparison = comparison;
    m_order.resize(m_comparison.learners.size());
    std::iota(m_order.begin(), m_order.end(), std::size_t(0));
    endResetModel();
}

WeekComparison WeekTableModel::shownComparison() const
{
    WeekComparison shown = m_comparison;
    shown.learners.clear();
    for (std::size_t i : m_order)
        shown.learners.push_back(m_comparison.learners[i]);
    return shown;
}

void WeekTableModel::setNameMask(NameMask *mask)
{
    m_mask = mask;
    if (!m_order.empty())
        emit dataChanged(index(0, NameColumn), index(rowCount() - 1, NameColumn), {Qt::DisplayRole});
}

QString WeekTableModel::shownName(const LearnerWeeks &learner) const
{
    return m_mask ? m_mask->shown(learner.name) : learner.name;
}

int WeekTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int WeekTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant WeekTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const LearnerWeeks &l = m_comparison.learners[m_order[std::size_t(index.row())]];
    const int column = index.column();
    const bool figure = column >= RunsThisColumn && column <= StepsLastColumn;
    const WeekFigures &week = column < RunsLastColumn ? l.thisWeek : l.lastWeek;
    switch (role) {
    case Qt::DisplayRole:
        if (column == NameColumn)
            return shownName(l);
        if (column == ModeColumn)
            return courseListText(l.course);
        if (column == NoteColumn)
            return csv::weekNote(l.thisWeek, l.lastWeek, Wording::Shown);
        if (!week.observed)
            return column == RunsThisColumn || column == RunsLastColumn ? notObservedText() : QString();
        return csv::weekCells(week)[(column - RunsThisColumn) % 3];
    case Qt::TextAlignmentRole:
        return int(alignmentOf(figure));
    case Qt::ForegroundRole:
        return figure && !week.observed ? QVariant(QBrush(kNotObservedText)) : QVariant();
    default:
        return {};
    }
}

QVariant WeekTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    //: Columns of the table of this week and last week: the learner, the Course, this week's runs,
    //: minutes and STEPs gained, the same for last week, and a note.
    static const char *const kHeads[ColumnCount] = {
        QT_TR_NOOP("名前"),           QT_TR_NOOP("モード"),       QT_TR_NOOP("今週\n回数"),
        QT_TR_NOOP("今週\n時間(分)"), QT_TR_NOOP("今週\nSTEP増"), QT_TR_NOOP("先週\n回数"),
        QT_TR_NOOP("先週\n時間(分)"), QT_TR_NOOP("先週\nSTEP増"), QT_TR_NOOP("備考")};
    return tr(kHeads[section]);
}

void WeekTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    // A week not seen sorts below one without practice.
    const auto figure = [column](const LearnerWeeks &l) -> double {
        const WeekFigures &w = column < RunsLastColumn ? l.thisWeek : l.lastWeek;
        if (!w.observed)
            return -1;
        switch ((column - RunsThisColumn) % 3) {
        case 0:
            return double(w.runs);
        case 1:
            return double(w.seconds);
        default:
            return double(w.steps);
        }
    };
    QCollator collator;
    collator.setNumericMode(true);
    const auto text = [&](const LearnerWeeks &l) {
        return column == NameColumn  ? shownName(l)
               : column == ModeColumn ? courseListText(l.course)
                                      : csv::weekNote(l.thisWeek, l.lastWeek, Wording::Shown);
    };
    const auto less = [&](std::size_t a, std::size_t b) {
        const LearnerWeeks &x = m_comparison.learners[a], &y = m_comparison.learners[b];
        if (column >= RunsThisColumn && column <= StepsLastColumn)
            return figure(x) < figure(y);
        return collator.compare(text(x), text(y)) < 0;
    };
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> rowOf(m_order.size());
    std::vector<std::size_t> old = m_order;
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_order.begin(), m_order.end(), less);
    else
        std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) { return less(b, a); });
    for (std::size_t r = 0; r < m_order.size(); ++r)
        rowOf[m_order[r]] = r;
    QModelIndexList after;
    for (const QModelIndex &index : before)
        after << this->index(int(rowOf[old[std::size_t(index.row())]]), index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace qel
