#include "mainwindow/frmMain.h"

#include "base/twips.h"
#include "dialogs/frmGraphData.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/panes.h"
#include "session/foldersession.h"

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
    const QString key = learners_->learnerKey(node);
    const int row = key.isEmpty() ? -1 : learners_->rowOf(key);
    if (row < 0) {
        pane.nodeKey.clear();
        session_->showHistory(QString());
        // The right pane is never left empty.
        showList();
        return;
    }
    // The row is the list's current one while its graph is shown; a selection stays as the
    // user left it.
    learners_->setCurrentRow(row);
    const TableRow &r = learners_->row(row);
    pane.kind = state_.graph.personalGraphKind;
    pane.learner = {r.name, shownCell(r, CourseColumn), r.cells[BestColumn]};
    pane.nodeKey = key;
    // The paints draw the runs the session loads; `historyLoaded` asks for one more.
    session_->showHistory(key);

    // The heading names the learner as the window shows names.
    graphs::PersonalGraphRow named = pane.learner;
    named.name = shownName(named.name);
    QString heading;
    if (pane.kind == graphs::PracticeGraph)
        heading = graphs::practiceHeading(named);
    else if (pane.kind == graphs::TimeGraph)
        heading = graphs::timeHeading(named);
    if (!heading.isEmpty())
        ui->lblTitle[1]->setText(heading);
    // A screen reader says what the pane holds.
    ui->Picture1->setAccessibleDescription(heading);
    settleLearnerButtons();
    ui->Picture1->update();
}

void frmMain::drawGroupGraph()
{
    state_.graph.graphFamily = graphs::GroupFamily;
    state_.pane.kind = state_.graph.groupGraphKind;
    const QTreeWidgetItem *root = learners_->rootNode();
    const graphs::GroupGraphResult texts = graphs::groupGraphTexts(
        state_.pane.kind, root ? root->text(0) : QString(), root ? root->childCount() : 0, state_.collections);
    if (!texts.heading.isEmpty())
        ui->lblTitle[1]->setText(texts.heading);
    ui->Picture1->setAccessibleDescription(texts.heading);
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
        QTreeWidgetItem *shown = learners_->nodeOf(state_.pane.nodeKey);
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
        // Until the learner's runs are in, the frame alone: nothing half-read is drawn.
        const std::shared_ptr<const LoadedHistory> loaded = session_->history(pane.nodeKey);
        graphs::drawPersonalGraph(painter, size.width(), size.height(), pane.kind, pane.learner, loaded.get(),
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
        settleLearnerPopup();
        openPopup(ui->menuPop, global);
    } else {
        ui->mnuGraphData->setEnabled(graphDataReady());
        openPopup(ui->menuPopAll, global);
    }
    focusAfterPopup();
}

void frmMain::Picture1_MenuKey()
{
    Picture1_MouseUp(Qt::RightButton, ui->Picture1->rect().center());
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
        if (node && node != learners_->rootNode()) {
            ui->lvListView->hide();
            showPane();
        }
        drawPersonalGraph();
    } else {
        lvListView_DblClick();
    }
}

void frmMain::mnuPopViewGraph_Click(int index)
{
    showPane();
    ui->lvListView->hide();
    mnuViewGraph_Click(index);
    // With no learner to draw (no current row) the pane shows what it showed before.
    if (!ui->Picture1->isHidden())
        drawPaneAgain();
}

bool frmMain::graphDataReady() const
{
    if (ui->Picture1->isHidden())
        return false;
    // A learner's runs still on their way would read as a file that could not be read.
    return state_.graph.graphFamily != graphs::PersonalFamily
           || (!state_.pane.nodeKey.isEmpty() && !session_->historyPending(state_.pane.nodeKey));
}

void frmMain::mnuGraphData_Click()
{
    if (!graphDataReady())
        return;
    const PaneGraph &pane = state_.pane;
    if (state_.graph.graphFamily == graphs::PersonalFamily) {
        graphs::PersonalGraphRow named = pane.learner;
        named.name = shownName(named.name);
        const auto show = pane.kind == graphs::PracticeGraph ? &showPracticeData : &showPracticeTimeData;
        show(this, named, session_->history(pane.nodeKey));
        return;
    }
    const QTreeWidgetItem *root = learners_->rootNode();
    const auto show = pane.kind == graphs::StepStatistics ? &showStepStatisticsData : &showRunStatisticsData;
    show(this, root ? root->text(0) : QString(), root ? root->childCount() : 0, state_.collections,
         state_.graph.statPercentile);
}

void frmMain::mnuAllStep_Click(int index)
{
    showPane();
    state_.graph.groupGraphKind = std::int16_t(index);
    drawGroupGraph();
}

void frmMain::menuAllStatics_Click(int index)
{
    mnuAllStep_Click(index);
}

} // namespace qel
