#include "mainwindow/frmMain.h"

#include "base/twips.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"

#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPicture>
#include <QTreeWidget>
#include <cmath>

namespace qel {

namespace {

// The pane's inner size in twips, at the dpi the drawing scales the painter with.
QSize paneTwips(const QWidget *pane)
{
    return TwipsScale(pane).twips(pane->size());
}

int findRow(const LearnerListModel &list, const QString &name, int from)
{
    for (int r = from; r < list.rowCount(); ++r)
        if (list.row(r).name == name)
            return r;
    return -1;
}

// The list row of a learner node: the first row of its name, or, when that one is the
// learner's other Course, the next row of the name. -1 when there is none.
int learnerRow(const frmMain &w, const QTreeWidgetItem *node)
{
    // The group node is no learner, even when someone is called "全体".
    if (!node || node == w.rootNode())
        return -1;
    const QString name = node->text(0);
    const int first = findRow(*w.listModel, name, 0);
    if (first < 0 || w.listModel->row(first).icon == frmMain::nodeImage(node))
        return first;
    return findRow(*w.listModel, name, first + 1);
}

// The personal graph of the node selected in the tree. With a painter it draws (the
// paint); without one it only sets the heading and asks for a paint (the commands),
// since the drawing reads the whole record file and a click should read it once.
void drawPersonal(frmMain &w, QPainter *painter)
{
    w.graphFamily = graphs::PersonalFamily;
    // A paint redraws the learner on display, even when a right-click has since selected
    // another node (the group node, say) without drawing it.
    const QTreeWidgetItem *node = painter && !w.graphNodeKey.isEmpty() ? w.nodeByKey(w.graphNodeKey) : nullptr;
    if (!node)
        node = w.tvTreeView->currentItem();
    const int row = learnerRow(w, node);
    if (!painter)
        w.graphNodeKey = row < 0 ? QString() : frmMain::nodeKey(node);
    if (row < 0) {
        w.Picture1->hide();
        // The right pane is never left empty.
        w.lvListView->show();
        return;
    }
    // The row is the list's own while its graph is drawn, and no longer selected after.
    w.setCurrentRow(row);
    w.setRowSelected(row, true);
    const TableRow &r = w.listModel->row(row);
    const graphs::PersonalGraphRow data{r.name, r.cells[CourseColumn], r.cells[BestColumn]};
    QString heading;
    if (painter) {
        const QSize size = paneTwips(w.Picture1);
        heading = graphs::drawPersonalGraph(*painter, size.width(), size.height(), w.personalGraphKind, data,
                                            recordFolderPath(w.recordFolder, frmMain::nodeKey(node)), w.graph)
                      .heading;
    } else {
        if (w.personalGraphKind == graphs::PracticeGraph)
            heading = graphs::practiceHeading(data);
        else if (w.personalGraphKind == graphs::TimeGraph)
            heading = graphs::timeHeading(data);
        w.Picture1->update();
    }
    if (!heading.isEmpty())
        w.lblTitle[1]->setText(heading);
    w.setRowSelected(row, false);
}

void drawGroup(frmMain &w, QPainter &painter)
{
    const QTreeWidgetItem *root = w.rootNode();
    const QSize size = paneTwips(w.Picture1);
    const auto result = graphs::drawGroupGraph(painter, size.width(), size.height(), w.groupGraphKind,
                                               root ? root->text(0) : QString(), root ? root->childCount() : 0,
                                               w.collections, w.graph);
    if (!result.heading.isEmpty())
        w.lblTitle[1]->setText(result.heading);
    if (!result.statusText.isEmpty())
        w.statusPanels[0]->setText(result.statusText);
}

} // namespace

// ---------------------------------------------------------------- graph pane

void frmMain::drawPersonalGraph()
{
    drawPersonal(*this, nullptr);
}

void frmMain::drawGroupGraph()
{
    // No file to read: drawn once here for the heading, the status text and the sort, and
    // again by the paint.
    QPicture scratch;
    QPainter painter(&scratch);
    drawGroup(*this, painter);
    painter.end();
    Picture1->update();
}

void frmMain::redrawGraph()
{
    if (graphFamily == graphs::PersonalFamily)
        drawPersonalGraph();
    else
        drawGroupGraph();
}

void frmMain::Picture1_Paint(QPainter &painter)
{
    if (Picture1->isHidden())
        return;
    if (graphFamily == graphs::PersonalFamily)
        drawPersonal(*this, &painter);
    else
        drawGroup(*this, painter);
}

void frmMain::Picture1_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    const QPoint global = Picture1->mapToGlobal(pos);
    if (graphFamily == graphs::PersonalFamily) {
        mnuPopReport->setEnabled(!Picture1->isHidden());
        mnuPopEditSelectAll->setEnabled(Picture1->isHidden());
        openPopup(menuPop, global);
    } else {
        openPopup(menuPopAll, global);
    }
    focusAfterPopup();
}

void frmMain::Picture1_GotFocus()
{
    mnuPopAllAll->setEnabled(true);
}

void frmMain::Picture1_LostFocus()
{
    mnuPopAllAll->setEnabled(false);
}

void frmMain::mnuViewGraph_Click(int index)
{
    personalGraphKind = std::int16_t(index);
    if (popupFromTree) {
        // From the main menu or the toolbar the list may still be up; the learner picked in
        // the tree gets its graph shown, not drawn behind the list.
        const QTreeWidgetItem *node = tvTreeView->currentItem();
        if (node && node != rootNode()) {
            lvListView->hide();
            Picture1->show();
        }
        drawPersonalGraph();
    } else {
        lvListView_DblClick();
    }
}

void frmMain::mnuPopViewGraph_Click(int index)
{
    Picture1->show();
    lvListView->hide();
    mnuViewGraph_Click(index);
}

void frmMain::mnuAllStep_Click(int index)
{
    Picture1->show();
    groupGraphKind = std::int16_t(index);
    drawGroupGraph();
}

void frmMain::menuAllStatics_Click(int index)
{
    mnuAllStep_Click(index);
}

} // namespace qel
