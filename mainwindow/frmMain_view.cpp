#include "mainwindow/frmMain.h"

#include "base/asker.h"
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
        return;
    }
    GroupView view = viewOfGroup(table->scan, table->rows, state_.viewMode);
    learners_->fill(view);
    state_.collections = std::move(view.collections);
    sortAgain();
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
        panel->setText(QStringLiteral("記録フォルダーが応答しません。前回読み込んだ内容を表示しています。"));
        panel->setToolTip(state_.recordFolder);
        return;
    case FolderHealth::Missing:
        panel->setText(QStringLiteral("記録フォルダー「%1」が見つかりません。").arg(state_.recordFolder));
        panel->setToolTip(QString());
        return;
    case FolderHealth::Unreadable:
        panel->setText(QStringLiteral("記録フォルダーを読み込めませんでした。前回読み込んだ内容を表示しています。"));
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
        if (++count <= kNamedInTip)
            named << QStringLiteral("%1: %2").arg(row.key, row.error);
    }
    if (count == 0) {
        panel->setText(text);
        panel->setToolTip(QString());
        return;
    }
    if (count > kNamedInTip)
        named << QStringLiteral("…");
    panel->setText(fileCountText(std::int64_t(rows.size()))
                   + QStringLiteral("（うち%1個は読み込めませんでした）").arg(count));
    panel->setToolTip(QStringLiteral("読み込めなかったファイル:\n") + named.join(QLatin1Char('\n')));
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
    ui->Picture1->show();
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

    QTreeWidgetItem *selected = tree->currentItem();
    const QPoint global = tree->viewport()->mapToGlobal(pos);
    if (!selected || selected == learners_->rootNode()) {
        openPopup(ui->menuPopAll, global);
        return;
    }
    state_.graph.popupFromTree = true;
    ui->mnuPopReport->setEnabled(!ui->Picture1->isHidden());
    ui->mnuPopEditSelectAll->setEnabled(ui->Picture1->isHidden());
    openPopup(ui->menuPop, global);
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
    state_.graph.popupFromTree = false;
    ui->mnuPopReport->setEnabled(!ui->Picture1->isHidden());
    ui->mnuPopEditSelectAll->setEnabled(ui->Picture1->isHidden());
    openPopup(ui->menuPop, ui->lvListView->viewport()->mapToGlobal(pos));
    focusAfterPopup();
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
    ui->lvListView->show();
    ui->Picture1->hide();
    ui->lblTitle[1]->setText(listTitleText());
    // A statistics graph wrote its own figures there; the list's are the file count.
    showFolderStatus();
    settleLearnerButtons();
}

// Deleting needs selected rows on display; the personal graphs and properties need a
// selected row or a learner's graph on display. The menus open with the same rules.
bool frmMain::canDeleteRows() const
{
    return ui->Picture1->isHidden() && learners_->anyRowSelected();
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
    else
        ui->tvTreeView->setFocus();
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
    showList();
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
    ui->mnuEditSelectAll->setEnabled(ui->Picture1->isHidden());
}

void frmMain::mnuView_Click()
{
    const bool personal = canShowPersonal();
    ui->mnuPersonal->menuAction()->setEnabled(personal);
    ui->mnuPorpPersonal->setEnabled(personal);
}

} // namespace qel
