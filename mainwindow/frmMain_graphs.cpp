#include "mainwindow/frmMain.h"

#include "base/twips.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTreeWidget>
#include <algorithm>

namespace qel {

namespace {

// The pane's inner size in twips, at the dpi the drawing scales the painter with.
QSize paneTwips(const QWidget *pane)
{
    return TwipsScale(pane).twips(pane->size());
}

// The list row of a learner node: the row of its record file, never that of another
// learner whose name reads alike. -1 when there is none; the group node is no learner,
// even when someone is called "全体".
int learnerRow(const LearnerListModel &list, const QTreeWidgetItem *node, const QTreeWidgetItem *root)
{
    if (!node || node == root)
        return -1;
    const QString key = nodeKey(node);
    for (int r = 0; r < list.rowCount(); ++r)
        if (list.row(r).key == key)
            return r;
    return -1;
}

} // namespace

// ---------------------------------------------------------------- graph commands

void frmMain::drawPersonalGraph()
{
    drawPersonalGraphOf(ui->tvTreeView->currentItem());
}

void frmMain::drawPersonalGraphOf(QTreeWidgetItem *node)
{
    PaneGraph &pane = state_.pane;
    state_.graph.graphFamily = graphs::PersonalFamily;
    const int row = learnerRow(*ui->listModel, node, rootNode());
    if (row < 0) {
        pane.nodeKey.clear();
        // The right pane is never left empty.
        showList();
        return;
    }
    // The row is the list's current one while its graph is shown; a selection stays as the
    // user left it.
    setCurrentRow(row);
    const TableRow &r = ui->listModel->row(row);
    pane.kind = state_.graph.personalGraphKind;
    pane.learner = {r.name, r.cells[CourseColumn], r.cells[BestColumn]};
    pane.nodeKey = nodeKey(node);
    pane.recordPath = recordFolderPath(state_.recordFolder, pane.nodeKey);

    QString heading;
    if (pane.kind == graphs::PracticeGraph)
        heading = graphs::practiceHeading(pane.learner);
    else if (pane.kind == graphs::TimeGraph)
        heading = graphs::timeHeading(pane.learner);
    if (!heading.isEmpty())
        ui->lblTitle[1]->setText(heading);
    settleLearnerButtons();
    // The drawing reads the whole record file; the paint does that, once.
    ui->Picture1->update();
}

void frmMain::drawGroupGraph()
{
    state_.graph.graphFamily = graphs::GroupFamily;
    state_.pane.kind = state_.graph.groupGraphKind;
    const QTreeWidgetItem *root = rootNode();
    const graphs::GroupGraphResult texts = graphs::groupGraphTexts(
        state_.pane.kind, root ? root->text(0) : QString(), root ? root->childCount() : 0, state_.collections);
    if (!texts.heading.isEmpty())
        ui->lblTitle[1]->setText(texts.heading);
    if (!texts.statusText.isEmpty())
        ui->statusPanels[0]->setText(texts.statusText);
    settleLearnerButtons();
    ui->Picture1->update();
}

void frmMain::redrawGraph()
{
    if (state_.graph.graphFamily == graphs::PersonalFamily)
        drawPersonalGraph();
    else
        drawGroupGraph();
}

void frmMain::drawPaneAgain()
{
    if (state_.graph.graphFamily == graphs::PersonalFamily) {
        QTreeWidgetItem *shown = nodeByKey(state_.pane.nodeKey);
        drawPersonalGraphOf(shown ? shown : ui->tvTreeView->currentItem());
    } else {
        drawGroupGraph();
    }
}

// ---------------------------------------------------------------- graph pane

void frmMain::Picture1_Paint(QPainter &painter) const
{
    if (ui->Picture1->isHidden())
        return;
    const QSize size = paneTwips(ui->Picture1);
    const PaneGraph &pane = state_.pane;
    // The drawing notes its scales in the state it is given and sorts the list it reads (the
    // command has sorted it already): it gets copies, so a paint changes nothing. The texts
    // it returns are the command's business.
    graphs::GraphState drawn = state_.graph;
    if (drawn.graphFamily == graphs::PersonalFamily) {
        graphs::drawPersonalGraph(painter, size.width(), size.height(), pane.kind, pane.learner, pane.recordPath,
                                  drawn);
    } else {
        GroupCollections lists = state_.collections;
        graphs::drawGroupGraph(painter, size.width(), size.height(), pane.kind, QString(), 0, lists, drawn);
    }
}

void frmMain::Picture1_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    const QPoint global = ui->Picture1->mapToGlobal(pos);
    if (state_.graph.graphFamily == graphs::PersonalFamily) {
        ui->mnuPopReport->setEnabled(!ui->Picture1->isHidden());
        ui->mnuPopEditSelectAll->setEnabled(ui->Picture1->isHidden());
        openPopup(ui->menuPop, global);
    } else {
        openPopup(ui->menuPopAll, global);
    }
    focusAfterPopup();
}

void frmMain::Picture1_GotFocus()
{
    ui->mnuPopAllAll->setEnabled(true);
}

void frmMain::Picture1_LostFocus()
{
    ui->mnuPopAllAll->setEnabled(false);
}

void frmMain::mnuViewGraph_Click(int index)
{
    state_.graph.personalGraphKind = std::int16_t(index);
    if (state_.graph.popupFromTree) {
        // From the main menu or the toolbar the list may still be up; the learner picked in
        // the tree gets its graph shown, not drawn behind the list.
        const QTreeWidgetItem *node = ui->tvTreeView->currentItem();
        if (node && node != rootNode()) {
            ui->lvListView->hide();
            ui->Picture1->show();
        }
        drawPersonalGraph();
    } else {
        lvListView_DblClick();
    }
}

void frmMain::mnuPopViewGraph_Click(int index)
{
    ui->Picture1->show();
    ui->lvListView->hide();
    mnuViewGraph_Click(index);
    // With no learner to draw (no current row) the pane shows what it showed before.
    if (!ui->Picture1->isHidden())
        drawPaneAgain();
}

void frmMain::mnuAllStep_Click(int index)
{
    ui->Picture1->show();
    state_.graph.groupGraphKind = std::int16_t(index);
    drawGroupGraph();
}

void frmMain::menuAllStatics_Click(int index)
{
    mnuAllStep_Click(index);
}

} // namespace qel
