#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "base/namemask.h"
#include "config/classsettings.h"
#include "dialogs/historyviews.h"
#include "history/journal.h"
#include "mainwindow/classboard.h"
#include "mainwindow/classboardoutput.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/outputcommands.h"
#include "mainwindow/panes.h"
#include "session/foldersession.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <utility>

namespace qel {

// ---------------------------------------------------------------- wiring

void frmMain::connectClass()
{
    showJournalNotices(this, *journal_);
    connect(session_, &FolderSession::rowsRead, this, &frmMain::observeRows);
    connect(session_, &FolderSession::healthChanged, this, &frmMain::followInJournal);

    // One numbering of names for every place the window shows them.
    ui->tvTreeView->setNameMask(names_);
    ui->listModel->setNameMask(names_);
    ui->lvClassBoard->setNameMask(names_);
    connect(names_, &NameMask::hiddenChanged, this, &frmMain::namesShownChanged);
    // Numbers are handed out while views paint: they are stored afterwards, once for a burst.
    connect(names_, &NameMask::numberingChanged, this, [this] {
        if (!std::exchange(numbersToStore_, true))
            QMetaObject::invokeMethod(this, &frmMain::storeNameNumbers, Qt::QueuedConnection);
    });
}

// ---------------------------------------------------------------- the journal

void frmMain::observeRows(const std::shared_ptr<const FolderTable> &table, const std::vector<std::size_t> &reread)
{
    journal_->observe(table->folder, AllGroup, rowsAt(*table, reread));
}

// Quiet hours count as hours without practice only while a change would have been seen:
// the folder followed, read, and answering.
void frmMain::followInJournal()
{
    const bool live = state_.autoRefresh && session_->table() && session_->health() == FolderHealth::Answering;
    const QString folder = live ? session_->folder() : QString();
    if (folder == liveFolder_)
        return;
    if (!liveFolder_.isEmpty())
        journal_->setLive(liveFolder_, AllGroup, false);
    liveFolder_ = folder;
    if (!liveFolder_.isEmpty())
        journal_->setLive(liveFolder_, AllGroup, true);
}

// The board's rules that look back (minutes this week, STEPs in two weeks) get the journal's
// figures once it has answered; until then they do not fire.
void frmMain::askBoardHistory(const std::shared_ptr<const FolderTable> &table)
{
    if (!table)
        return;
    QStringList keys;
    keys.reserve(qsizetype(table->rows.size()));
    for (const TableRow &row : table->rows)
        keys << row.key;
    const quint64 asked = ++boardHistoryAsked_;
    journal_->weekComparison(table->folder, keys).then(this, [this, asked](const history::WeekComparison &weeks) {
        if (asked != boardHistoryAsked_)
            return; // a later look has asked again
        auto figures = std::make_shared<QHash<QString, HistoryFigures>>();
        figures->reserve(qsizetype(weeks.learners.size()));
        for (const history::LearnerWeeks &learner : weeks.learners) {
            // Only weeks the journal watched whole measure anything: a learner first seen
            // today may have practised all week.
            HistoryFigures f;
            if (learner.thisWeek.whole)
                f.minutesThisWeek = int(learner.thisWeek.seconds / 60);
            if (learner.thisWeek.whole && learner.lastWeek.whole)
                f.stepsGainedTwoWeeks = int(learner.thisWeek.steps + learner.lastWeek.steps);
            figures->insert(learner.key, f);
        }
        ui->lvClassBoard->setHistory([figures](const TableRow &row) { return figures->value(row.key); });
    });
}

// ---------------------------------------------------------------- the folder's own settings

void frmMain::loadFolderSettings()
{
    ClassBoard &board = *ui->lvClassBoard;
    // Nothing of the folder before stays on the board, nor its figures on their way.
    ++boardHistoryAsked_;
    board.setHistory({});
    board.setRows({});
    board.setTargets(loadTargets(state_.recordFolder));
    names_->setNumbering(loadNameNumbers(state_.recordFolder));
    numbersFailureTold_ = false;
}

void frmMain::storeNameNumbers()
{
    numbersToStore_ = false;
    const StoreStatus stored = saveNameNumbers(state_.recordFolder, names_->numbering());
    if (stored || std::exchange(numbersFailureTold_, true))
        return;
    asker().message(this, tr("学習者の番号を保存できませんでした。\n%1").arg(stored.failure), QString(),
                    Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

// ---------------------------------------------------------------- names hidden

QString frmMain::shownName(const QString &name) const
{
    return names_->shown(name);
}

void frmMain::mnuViewHideNames_Click()
{
    names_->setHidden(ui->mnuViewHideNames->isChecked());
}

// Tree, list and board follow the mask themselves; the texts made from names are made again.
void frmMain::namesShownChanged()
{
    ui->mnuViewHideNames->setChecked(names_->hidden());
    showFolderStatus();
    if (!ui->Picture1->isHidden())
        drawPaneAgain();
}

// ---------------------------------------------------------------- the class's history

void frmMain::mnuHistory_Click()
{
    const QString key = personalRecord();
    if (key.isEmpty())
        return;
    showLearnerHistory(this, *journal_, state_.recordFolder, key, windowIcon(), names_)
        .then(this, [hold = holdCommand()] {});
}

void frmMain::mnuWeeks_Click()
{
    // The group's learners in the order the list shows them.
    QStringList keys;
    keys.reserve(learners_->rowCount());
    for (int r = 0; r < learners_->rowCount(); ++r)
        keys << learners_->row(r).key;
    showWeekComparison(this, *journal_, state_.recordFolder, state_.viewMode, keys, csvStartFolder(state_.csvFolder),
                       windowIcon(), names_, outputs_->outputCheck())
        .then(this, [hold = holdCommand()] {});
}

void frmMain::mnuFileTidyHistory_Click()
{
    tidyHistory(this, *journal_, state_.recordFolder, names_).then(this, [hold = holdCommand()](int) {});
}

// ---------------------------------------------------------------- the class board

void frmMain::showOnBoard(const GroupView &view)
{
    ClassBoard &board = *ui->lvClassBoard;
    board.setGroup(state_.viewMode);
    board.setRows(view.rows);
    if (boardOnDisplay())
        showBoardHeading();
}

void frmMain::showBoardHeading()
{
    //: Heading of the class board; %1 the group shown.
    ui->lblTitle[1]->setText(tr("クラスの様子（%1）").arg(groupName(state_.viewMode)));
}

void frmMain::mnuViewClassBoard_Click()
{
    ClassBoard &board = *ui->lvClassBoard;
    board.show();
    showListOrBoard();
    // The keyboard starts on the neediest learner.
    if (board.currentKey().isEmpty() && board.model()->rowCount() > 0)
        board.setCurrentIndex(board.model()->index(0, 0));
    board.setFocus();
}

void frmMain::mnuViewTargets_Click()
{
    editClassTargets(this, *ui->lvClassBoard, state_.recordFolder);
}

void frmMain::mnuPrintClassBoard_Click()
{
    printClassBoard(this, *ui->lvClassBoard, state_.recordFolder, outputs_->outputCheck());
}

void frmMain::mnuPreviewClassBoard_Click()
{
    previewClassBoard(this, *ui->lvClassBoard, state_.recordFolder, outputs_->outputCheck());
}

void frmMain::mnuClassBoardCSV_Click()
{
    exportClassBoardCsv(
        this, *ui->lvClassBoard, state_.recordFolder, csvStartFolder(state_.csvFolder),
        [this](const QString &savedIn) { state_.csvFolder = savedIn; }, outputs_->outputCheck());
}

// A tile chosen: the learner's practice graph, as a click on the learner's node gives it.
void frmMain::lvClassBoard_LearnerActivated(const QString &key)
{
    QTreeWidgetItem *node = learners_->nodeOf(key);
    if (!node || node == learners_->rootNode())
        return;
    state_.graph.personalGraphKind = graphs::PracticeGraph;
    state_.rightPressOnTree = false;
    ui->tvTreeView->setCurrentItem(node);
    tvTreeView_NodeClick(node);
}

// A tile's pop-up is the learner's: the tile's learner becomes the one the personal commands
// act on, as a right click on a list row makes it. Off the tiles, the group's.
void frmMain::lvClassBoard_Popup(const QString &key, const QPoint &globalPos)
{
    QTreeWidgetItem *node = key.isEmpty() ? nullptr : learners_->nodeOf(key);
    if (!node || node == learners_->rootNode()) {
        ui->mnuPopAllAll->setEnabled(true);
        openPopup(ui->menuPopAll, globalPos);
        ui->mnuPopAllAll->setEnabled(ui->Picture1->hasFocus());
        focusAfterPopup();
        return;
    }
    ui->lvListView->clearSelection();
    if (const int row = learners_->rowOf(key); row >= 0) {
        learners_->setRowSelected(row, true);
        learners_->setCurrentRow(row);
    }
    ui->tvTreeView->setCurrentItem(node);
    state_.graph.popupFromTree = true;
    settleLearnerPopup();
    openPopup(ui->menuPop, globalPos);
    focusAfterPopup();
}

} // namespace qel
