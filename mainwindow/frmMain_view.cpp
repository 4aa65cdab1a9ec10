#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <utility>

namespace qel {

// ---------------------------------------------------------------- folder scan and table

QTreeWidgetItem *frmMain::rootNode() const
{
    return ui->tvTreeView->topLevelItemCount() > 0 ? ui->tvTreeView->topLevelItem(0) : nullptr;
}

QTreeWidgetItem *frmMain::nodeByKey(const QString &key) const
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return nullptr;
    if (nodeKey(root) == key)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (nodeKey(root->child(i)) == key)
            return root->child(i);
    return nullptr;
}

void frmMain::scanFolder(int group)
{
    const QString &folder = state_.recordFolder;
    ui->lblTitle[0]->setText(folder);
    ui->lblTitle[0]->setToolTip(folder); // a long path does not fit above the tree
    ui->Picture1->hide();
    const ScanResult result = scanWhilePainting(folder, group);

    auto *root = new QTreeWidgetItem;
    root->setText(0, result.rootText);
    root->setData(0, kNodeKeyRole, result.rootText);
    setNodeImage(root, 1);
    QList<QTreeWidgetItem *> children;
    children.reserve(qsizetype(result.nodes.size()));
    {
        // Tens of thousands of nodes take a while to make; nothing else comes between.
        const CommandScope command(*this);
        const bool wasBuilding = std::exchange(building_, true);
        pumpClock_.start();
        for (const TreeNode &node : result.nodes) {
            children.append(newLearnerNode(node));
            if (children.size() % 1024 == 0)
                keepPainting();
        }
        building_ = wasBuilding;
    }
    root->addChildren(children);
    ui->tvTreeView->addTopLevelItem(root);
    root->setExpanded(true);
    setNodeImage(root, 1);
    ui->tvTreeView->setCurrentItem(root);
    ui->statusPanels[0]->setText(result.statusText);
    shownNodes_ = result.nodes;
}

void frmMain::makeView(bool collect)
{
    if (building_)
        return;
    building_ = true;
    ui->listModel->clear();
    std::vector<TreeNode> nodes;
    if (QTreeWidgetItem *root = rootNode()) {
        nodes.reserve(std::size_t(root->childCount()));
        for (int i = 0; i < root->childCount(); ++i) {
            const QTreeWidgetItem *child = root->child(i);
            nodes.push_back({nodeKey(child), child->text(0), nodeImage(child)});
        }
    }
    pumpClock_.start();
    std::vector<TableRow> rows =
        ::qel::makeView(state_.recordFolder, nodes, collect ? &state_.collections : nullptr,
                        [this](int value, int maximum) { buildProgress(value, maximum); });
    noteUnreadable(rows);
    ui->listModel->setRows(std::move(rows));
    if (state_.sortedByText)
        ui->listModel->sortByText(state_.sortColumn, state_.sortDirection == 1);
    // Only a text order outlives a fill.
    showSortIndicator(state_.sortedByText ? state_.sortColumn : -1);
    ui->lblTitle[1]->setText(listTitleText());
    building_ = false;
    followFolder();
}

// Files of the scan that could not be read: said once, in the status bar, with the first of
// them in its tip; each row already shows empty figures.
void frmMain::noteUnreadable(const std::vector<TableRow> &rows)
{
    constexpr int kNamedInTip = 10;
    int count = 0;
    QStringList named;
    for (const TableRow &row : rows) {
        if (row.readable)
            continue;
        if (++count <= kNamedInTip)
            named << QStringLiteral("%1: %2").arg(row.key, row.error);
    }
    QLabel *panel = ui->statusPanels[0];
    if (count == 0) {
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
    if (node == rootNode()) {
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
    if (node && node == rootNode())
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
    if (!selected || selected == rootNode()) {
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
    const int row = currentRow();
    QTreeWidgetItem *root = rootNode();
    if (row < 0 || !root)
        return;
    const TableRow &r = ui->listModel->row(row);
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem *node = root->child(i);
        if (node->text(0) == r.name && nodeImage(node) == r.icon) {
            ui->tvTreeView->setCurrentItem(node);
            tvTreeView_NodeClick(node);
            return;
        }
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
    if (rowCount() > 0) {
        setCurrentRow(0);
        setRowSelected(0, false);
        ui->lvListView->scrollToTop();
    }
}

void frmMain::lvListView_MouseDown(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    const QModelIndex index = ui->lvListView->indexAt(pos);
    if (index.isValid() && !rowSelected(index.row()))
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

int frmMain::rowCount() const
{
    return ui->listModel->rowCount();
}

bool frmMain::rowSelected(int row) const
{
    return ui->lvListView->selectionModel()->isRowSelected(row, QModelIndex());
}

std::vector<int> frmMain::selectedRows() const
{
    // Columns selected per row, from the selection's ranges at once: asking row by row
    // searches every range each time.
    const int columns = ui->listModel->columnCount();
    std::vector<std::uint32_t> marks(std::size_t(rowCount()), 0);
    for (const QItemSelectionRange &range : ui->lvListView->selectionModel()->selection()) {
        if (range.parent().isValid())
            continue;
        std::uint32_t bits = 0;
        for (int c = std::max(range.left(), 0); c <= std::min(range.right(), columns - 1); ++c)
            bits |= 1u << c;
        for (int r = std::max(range.top(), 0); r <= std::min(range.bottom(), rowCount() - 1); ++r)
            marks[std::size_t(r)] |= bits;
    }
    const std::uint32_t whole = columns >= 32 ? ~0u : (1u << columns) - 1;
    std::vector<int> rows;
    for (std::size_t r = 0; r < marks.size(); ++r)
        if (marks[r] == whole)
            rows.push_back(int(r));
    return rows;
}

void frmMain::setRowSelected(int row, bool selected)
{
    const QModelIndex index = ui->listModel->index(row, 0);
    if (!index.isValid())
        return;
    ui->lvListView->selectionModel()->select(
        index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows);
}

int frmMain::currentRow() const
{
    const QModelIndex index = ui->lvListView->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void frmMain::setCurrentRow(int row)
{
    ui->lvListView->selectionModel()->setCurrentIndex(ui->listModel->index(row, 0), QItemSelectionModel::NoUpdate);
}

bool frmMain::anyRowSelected() const
{
    const QItemSelectionModel *selection = ui->lvListView->selectionModel();
    return selection && selection->hasSelection();
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
    settleLearnerButtons();
}

// Deleting needs selected rows on display; the personal graphs and properties need a
// selected row or a learner's graph on display. The menus open with the same rules.
bool frmMain::canDeleteRows() const
{
    return ui->Picture1->isHidden() && anyRowSelected();
}

bool frmMain::canShowPersonal() const
{
    return anyRowSelected() || (state_.graph.graphFamily == graphs::PersonalFamily && !ui->Picture1->isHidden());
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
    if (building_ || index < 0 || index > 2) {
        showViewMode(state_.viewMode); // the item's own toggle is undone
        return;
    }
    showViewMode(index);

    ui->listModel->clear();
    ui->tvTreeView->hide();
    ui->tvTreeView->clear();
    scanFolder(index);
    ui->tvTreeView->show();

    ui->lvListView->hide();
    makeView(true);
    showList();
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
