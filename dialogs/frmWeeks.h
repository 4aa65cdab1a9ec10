#pragma once
// The group's "今週と先週": per learner and for the group, runs, minutes and STEPs gained this
// week and last week, and the learners who practised; sortable, with CSV export (code page
// 932, as the learner list's) and a one-page printout with its preview. Takes the figures as
// a value; reads nothing.

#include "base/namemask.h"
#include "base/printpreview.h"
#include "history/figures.h"

#include <QDialog>
#include <QPointer>

class QIcon;
class QLabel;
class QPushButton;
class QTableView;

namespace qel {

class WeekTableModel;

struct WeekView {
    history::WeekComparison comparison;
    QString folder;    // the record folder, named on the printout
    int group = 0;     // the group shown: its name heads the view
    QString csvFolder; // where the save dialog opens
    // The names as the window shows them; the CSV file and the printout keep the names.
    QPointer<NameMask> names = {};
    // Whether an output file may be written (not over a file of the record folder); without
    // it the dialog looks itself.
    OutputCheck check = {};
};

// "今週 2026/11/23～11/29（11/25まで）　先週 2026/11/16～11/22"
QString weeksText(const history::WeekComparison &comparison);
// "全体：今週 12回 34.5分 STEP増 3、練習した人 5/8人" and the same for last week.
QString groupWeekText(const history::WeekComparison &comparison, bool thisWeek);

class frmWeeks : public QDialog {
    Q_OBJECT
public:
    frmWeeks(WeekView view, const QIcon &icon, QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    static QString documentName();
    void cmdCSV_Click();
    void cmdPrint_Click();
    void cmdPreview_Click();
    bool printWeeks();

    WeekView m_view;
    WeekTableModel *m_model = nullptr;
    QLabel *lblWeeks = nullptr;
    QTableView *tblWeeks = nullptr;
    QLabel *lblThisWeek = nullptr;
    QLabel *lblLastWeek = nullptr;
    QPushButton *cmdCSV = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdPreview = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace qel
