#pragma once
// The journal's figures as tables for the history views: a record file's days or weeks,
// newest first, and the group's this week and last week, sortable by any column. Both speak
// the language now spoken and tell their views when it changes.

#include "history/figures.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace qel {

class NameMask;

// Columns: 期間, 観測日数, 練習回数, 練習時間(分), 平均ＳＰＭ, ミスタイプ率(%), 到達ＳＴＥＰ,
// ＳＴＥＰ増, 備考, as the history CSV has them.
class PeriodTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PeriodTableModel(QObject *parent = nullptr);

    void setPeriods(const std::vector<history::PeriodFigures> &periods, history::Period period);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillCells();

    std::vector<history::PeriodFigures> m_periods; // newest first
    history::Period m_period = history::Period::Day;
    std::vector<QStringList> m_cells;
};

// Columns as the CSV of "今週と先週": name, mode, this week's runs, minutes and STEPs gained,
// last week's, and a note. A week the viewer did not see shows "未観測" and sorts below a
// week without practice.
class WeekTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NameColumn,
        ModeColumn,
        RunsThisColumn,
        MinutesThisColumn,
        StepsThisColumn,
        RunsLastColumn,
        MinutesLastColumn,
        StepsLastColumn,
        NoteColumn,
        ColumnCount
    };

    explicit WeekTableModel(QObject *parent = nullptr);

    void setComparison(const history::WeekComparison &comparison);
    // The names as the window shows them (a number while it hides them), shown and sorted
    // so; the comparison keeps the names themselves.
    void setNameMask(NameMask *mask);
    // The comparison with its learners in the order shown.
    history::WeekComparison shownComparison() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString shownName(const history::LearnerWeeks &learner) const;

    history::WeekComparison m_comparison;
    std::vector<std::size_t> m_order; // learners in the order shown
    QPointer<NameMask> m_mask;
};

} // namespace qel
