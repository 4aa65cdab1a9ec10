#pragma once
// A learner's "練習の記録": runs and minutes per day or week, mean SPM and mistype rate,
// the STEP reached, as a bar graph and a table. Takes the figures as a value; reads nothing.

#include "graphs/practicebars.h"
#include "history/figures.h"

#include <QDialog>
#include <vector>

class QIcon;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace qel {

class PeriodTableModel;
class PracticeBarPane;

// The bars of days or weeks: runs, or minutes; labelled with the day (a week by its Monday).
std::vector<graphs::PracticeBar> historyBars(const std::vector<history::PeriodFigures> &periods, bool minutes);

// "<name>（英文）の練習の記録"
QString historyTitle(const history::LearnerHistory &history);

class frmHistory : public QDialog {
    Q_OBJECT
public:
    frmHistory(history::LearnerHistory history, const QIcon &icon, QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showPeriods();
    void showBars();

    history::LearnerHistory m_history;
    QLabel *lblTitle = nullptr;
    QLabel *lblEmpty = nullptr;
    QRadioButton *optDay = nullptr;
    QRadioButton *optWeek = nullptr;
    QRadioButton *optRuns = nullptr;
    QRadioButton *optMinutes = nullptr;
    PracticeBarPane *picGraph = nullptr;
    QTableView *tblPeriods = nullptr;
    PeriodTableModel *m_model = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace qel
