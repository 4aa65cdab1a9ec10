#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "base/namemask.h"
#include "mainwindow/classboard.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/panes.h"
#include "session/foldersession.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <utility>

namespace qel {

// ---------------------------------------------------------------- the group shown

void frmMain::makeView()
{
    const auto table = session_->table();
    if (!table) {
        learners_->clear();
        state_.collections = {};
        showOnBoard({});
        return;
    }
    GroupView view = viewOfGroup(table->scan, table->rows, state_.viewMode);
    learners_->fill(view);
    showOnBoard(view);
    state_.collections = std::move(view.collections);
    sortAgain();
    if (std::exchange(rateSortOnFirstFill_, false)) {
        ui->listModel->sortByRate(state_.sortDirection == 1);
        showSortIndicator(LearnerListModel::kRateColumn);
    }
    ui->lblTitle[1]->setText(listTitleText());
    showFolderStatus();
}

// Only a text order outlives a fill.
void frmMain::sortAgain()
{
    if (state_.sortedByText)
        ui->listModel->sortByText(state_.sortColumn, state_.sortDirection == 1);
    showSortIndicator(state_.sortedByText ? state_.sortColumn : -1);
}

// The group's file count, and the files that could not be read: said once, with the first
// of them in the tip; each row already shows empty figures. A folder that fails says so
// instead, over the last rows it gave.
void frmMain::showFolderStatus()
{
    constexpr int kNamedInTip = 10;
    QLabel *panel = ui->statusPanels[0];
    switch (session_->health()) {
    case FolderHealth::NotAnswering:
        panel->setText(tr("記録フォルダーが応答しません。前回読み込んだ内容を表示しています。"));
        panel->setToolTip(state_.recordFolder);
        return;
    case FolderHealth::Missing:
        panel->setText(tr("記録フォルダー「%1」が見つかりません。").arg(state_.recordFolder));
        panel->setToolTip(QString());
        return;
    case FolderHealth::Unreadable:
        panel->setText(tr("記録フォルダーを読み込めませんでした。前回読み込んだ内容を表示しています。"));
        panel->setToolTip(state_.recordFolder);
        return;
    case FolderHealth::Answering: break;
    }
    const std::vector<TableRow> &rows = ui->listModel->rows();
    const QString text = fileCountText(std::int64_t(rows.size()));
    int count = 0;
    QStringList named;
    for (const TableRow &row : rows) {
        if (row.readable)
            continue;
        // While names are hidden the file goes by the learner's number and the Course.
        const QString file = names_->hidden()
                                 ? tr("%1（%2）").arg(shownName(row.name), shownCell(row, CourseColumn))
                                 : row.key;
        if (++count <= kNamedInTip)
            named << QStringLiteral("%1: %2").arg(file, row.error);
    }
    if (count == 0) {
        panel->setText(text);
        panel->setToolTip(QString());
        return;
    }
    if (count > kNamedInTip)
        named << QStringLiteral("…");
    //: %1 the file count, such as "12個のファイル"; %n how many of them could not be read.
    panel->setText(tr("%1（うち%n個は読み込めませんでした）", nullptr, count).arg(text));
    panel->setToolTip(tr("読み込めなかったファイル:\n%1").arg(named.join(QLatin1Char('\n'))));
}

// ---------------------------------------------------------------- tree

void frmMain::tvTreeView_NodeClick(QTreeWidgetItem *node)
{
    if (state_.rightPressOnTree) {
        state_.rightPressOnTree = false;
        return;
    }
    if (!node)
        return;
    ui->tvTreeView->setCurrentItem(node);
    if (node == learners_->rootNode()) {
        showList();
        return;
    }
    ui->lvListView->hide();
    showPane();
    state_.graph.resetPersonalScales();
    drawPersonalGraph();
    ui->tvTreeView->setFocus();
}

void frmMain::tvTreeView_DblClick()
{
    QTreeWidgetItem *node = ui->tvTreeView->currentItem();
    if (node && node == learners_->rootNode())
        setNodeImage(node, node->isExpanded() ? 1 : 2);
}

void frmMain::tvTreeView_MouseDown(Qt::MouseButton button)
{
    state_.rightPressOnTree = button == Qt::RightButton;
    ui->lvListView->clearSelection();
}

void frmMain::tvTreeView_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    LearnerTree *tree = ui->tvTreeView;
    if (QTreeWidgetItem *hit = tree->itemAt(pos))
        tree->setCurrentItem(hit);
    else if (QTreeWidgetItem *marked = tree->dropHighlighted())
        tree->setCurrentItem(marked);
    // The press selected without drawing; no node click is pending after the release.
    state_.rightPressOnTree = false;
    openTreePopup(tree->viewport()->mapToGlobal(pos));
}

// The pop-up of the selected node: the group's or the learner's.
void frmMain::openTreePopup(const QPoint &globalPos)
{
    QTreeWidgetItem *selected = ui->tvTreeView->currentItem();
    if (!selected || selected == learners_->rootNode()) {
        openPopup(ui->menuPopAll, globalPos);
        return;
    }
    state_.graph.popupFromTree = true;
    settleLearnerPopup();
    openPopup(ui->menuPop, globalPos);
}

// The keyboard's right click: the pop-up of the current node, over it.
void frmMain::tvTreeView_MenuKey()
{
    LearnerTree *tree = ui->tvTreeView;
    QPoint at;
    if (QTreeWidgetItem *current = tree->currentItem()) {
        tree->scrollToItem(current);
        at = tree->visualItemRect(current).center();
    }
    openTreePopup(tree->viewport()->mapToGlobal(at));
}

void frmMain::tvTreeView_GotFocus()
{
    state_.treeFocusedLast = true;
}

// ---------------------------------------------------------------- list

void frmMain::lvListView_Click()
{
    settleLearnerButtons();
}

void frmMain::lvListView_DblClick()
{
    const int row = learners_->currentRow();
    if (row < 0)
        return;
    if (QTreeWidgetItem *node = learners_->nodeOf(learners_->row(row).key)) {
        ui->tvTreeView->setCurrentItem(node);
        tvTreeView_NodeClick(node);
    }
}

void frmMain::lvlistview_ColumnClick(int column)
{
    if (column < 0 || column >= LearnerListModel::kColumns)
        return;
    state_.sortDirection = 1 - state_.sortDirection;
    const bool descending = state_.sortDirection == 1;
    if (column == LearnerListModel::kRateColumn) {
        state_.sortedByText = false;
        ui->listModel->sortByRate(descending);
    } else {
        state_.sortColumn = column;
        state_.sortedByText = true;
        ui->listModel->sortByText(column, descending);
    }
    showSortIndicator(column);
    if (learners_->rowCount() > 0) {
        learners_->setCurrentRow(0);
        learners_->setRowSelected(0, false);
        ui->lvListView->scrollToTop();
    }
}

void frmMain::lvListView_MouseDown(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    const QModelIndex index = ui->lvListView->indexAt(pos);
    if (index.isValid() && !learners_->rowSelected(index.row()))
        ui->lvListView->clearSelection();
}

void frmMain::lvListView_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    openListPopup(ui->lvListView->viewport()->mapToGlobal(pos));
}

void frmMain::openListPopup(const QPoint &globalPos)
{
    state_.graph.popupFromTree = false;
    settleLearnerPopup();
    openPopup(ui->menuPop, globalPos);
    focusAfterPopup();
}

// The keyboard's right click on the current row: a row outside the selection becomes the
// selection first, as under a right-button press.
void frmMain::lvListView_MenuKey()
{
    const int row = learners_->currentRow();
    QPoint at;
    if (row >= 0) {
        if (!learners_->rowSelected(row)) {
            ui->lvListView->clearSelection();
            learners_->setRowSelected(row, true);
        }
        const QModelIndex index = ui->listModel->index(row, 0);
        ui->lvListView->scrollTo(index);
        const QRect cell = ui->lvListView->visualRect(index);
        at = QPoint(cell.left() + cell.height(), cell.center().y());
    }
    openListPopup(ui->lvListView->viewport()->mapToGlobal(at));
}

void frmMain::lvListView_GotFocus()
{
    state_.treeFocusedLast = false;
}

// The header marks the column the rows stand sorted by (-1: none) in the direction they
// stand.
void frmMain::showSortIndicator(int column)
{
    QHeaderView *header = ui->lvListView->header();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header->setSortIndicator(column, state_.sortDirection == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// ---------------------------------------------------------------- right pane and pop-ups

// The list takes the right pane, under its own heading.
void frmMain::showList()
{
    ui->lvClassBoard->hide();
    ui->lvListView->show();
    ui->Picture1->hide();
    ui->lblTitle[1]->setText(listTitleText());
    // A statistics graph wrote its own figures there; the list's are the file count.
    showFolderStatus();
    settleLearnerButtons();
}

void frmMain::showListOrBoard()
{
    if (!boardOnDisplay()) {
        showList();
        return;
    }
    ui->lvListView->hide();
    ui->Picture1->hide();
    showBoardHeading();
    showFolderStatus();
    settleLearnerButtons();
}

void frmMain::showPane()
{
    ui->lvClassBoard->hide();
    ui->Picture1->show();
}

// The list holds the right pane unless a graph or the class board is shown in its place.
bool frmMain::listOnDisplay() const
{
    return ui->Picture1->isHidden() && ui->lvClassBoard->isHidden();
}

bool frmMain::boardOnDisplay() const
{
    return !ui->lvClassBoard->isHidden();
}

// Deleting needs selected rows on display; the personal graphs and properties need a
// selected row or a learner's graph on display. The menus open with the same rules.
bool frmMain::canDeleteRows() const
{
    return listOnDisplay() && learners_->anyRowSelected();
}

bool frmMain::canShowPersonal() const
{
    return learners_->anyRowSelected() || (state_.graph.graphFamily == graphs::PersonalFamily && !ui->Picture1->isHidden());
}

void frmMain::settleLearnerButtons()
{
    setToolbarButtonsEnabled({ToolbarButton::Delete}, canDeleteRows());
    setToolbarButtonsEnabled({ToolbarButton::PracticeGraph, ToolbarButton::TimeGraph, ToolbarButton::PersonalProperties},
                             canShowPersonal());
}

void frmMain::focusAfterPopup()
{
    if (!ui->lvListView->isHidden())
        ui->lvListView->setFocus();
    else if (boardOnDisplay())
        ui->lvClassBoard->setFocus();
    else
        ui->tvTreeView->setFocus();
}

// The learner pop-up's items as it opens: back to the list from wherever it was left,
// select all on the list, the learner's history when there is a learner.
void frmMain::settleLearnerPopup()
{
    ui->mnuPopReport->setEnabled(!listOnDisplay());
    ui->mnuPopEditSelectAll->setEnabled(listOnDisplay());
    ui->mnuHistory->setEnabled(!personalRecord().isEmpty());
    ui->mnuGraphData->setEnabled(graphDataReady());
}

void frmMain::openPopup(QMenu *menu, const QPoint &globalPos)
{
    asker().showPopup(*menu, globalPos);
}

void frmMain::setToolbarButtonsEnabled(std::initializer_list<ToolbarButton> buttons, bool enabled)
{
    for (ToolbarButton position : buttons)
        ui->button(position)->setEnabled(enabled);
}

// ---------------------------------------------------------------- view menu and edit menu

// The group shown, in the view menu's check mark and the toolbar's pressed button.
void frmMain::showViewMode(int index)
{
    const ToolbarButton modeButtons[3] = {ToolbarButton::ViewDetails, ToolbarButton::English, ToolbarButton::Kana};
    for (int i = 0; i < 3; ++i) {
        ui->mnuListViewMode[std::size_t(i)]->setChecked(i == index);
        ui->button(modeButtons[i])->setChecked(i == index);
    }
    ui->tbToolBar->repaint();
    state_.viewMode = index;
}

void frmMain::mnuListViewMode_Click(int index)
{
    if (index < 0 || index > 2) {
        showViewMode(state_.viewMode); // the item's own toggle is undone
        return;
    }
    showViewMode(index);
    ui->Picture1->hide();
    // The group is a part of what the session read; what changed since comes with a look.
    pendingRead_.reset();
    makeView();
    showListOrBoard();
    session_->refresh(false);
}

void frmMain::mnuEditSelectAll_Click()
{
    ui->lvListView->selectAll();
    ui->lvListView->setFocus();
}

void frmMain::mnuPopEditSelectAll_Click()
{
    ui->lvListView->selectAll();
}

void frmMain::mnuPopReport_Click()
{
    showList();
}

void frmMain::mnuPopAllAll_Click()
{
    showList();
}

void frmMain::mnuFile_Click()
{
    ui->mnuFileDelete->setEnabled(canDeleteRows());
}

void frmMain::mnuEdit_Click()
{
    ui->mnuEditSelectAll->setEnabled(listOnDisplay());
}

void frmMain::mnuView_Click()
{
    const bool personal = canShowPersonal();
    ui->mnuPersonal->menuAction()->setEnabled(personal);
    ui->mnuPorpPersonal->setEnabled(personal);
    ui->mnuHistory->setEnabled(!personalRecord().isEmpty());
    ui->mnuGraphData->setEnabled(graphDataReady());
}

} // namespace qel
