#include "frmMain.h"

#include "graphframe.h"
#include "learnerlistmodel.h"
#include "painting.h"
#include "panes.h"

#include <QMenu>
#include <QPainter>
#include <QTreeWidget>
#include <cmath>

namespace qel {

// ---------------------------------------------------------------- graph pane

void frmMain::drawPersonalGraph()
{
    graphFamily = 1;
    const QTreeWidgetItem *node = tvTreeView->currentItem();
    int found = -1;
    if (node) {
        const QString name = node->text(0);
        for (int r = 0; r < rowCount(); ++r)
            if (listModel->row(r).name == name) {
                found = r;
                break;
            }
        // The same name in the other Course: take the next row of that name.
        if (found >= 0 && listModel->row(found).icon != nodeImage(node)) {
            int next = -1;
            for (int r = found + 1; r < rowCount(); ++r)
                if (listModel->row(r).name == name) {
                    next = r;
                    break;
                }
            found = next;
        }
    }
    if (found < 0) {
        Picture1->hide();
        return;
    }
    Picture1->update();
}

void frmMain::drawGroupGraph()
{
    graphFamily = 2;
    Picture1->update();
}

void frmMain::redrawGraph()
{
    if (graphFamily == 1)
        drawPersonalGraph();
    else
        drawGroupGraph();
}

void frmMain::Picture1_Paint(QPainter &painter)
{
    // The shared frame: grid, axis bars.
    draw::useTwips(painter);
    const auto frame = graphs::GraphFrame::forPane(int(std::lround(pixelsToTwipsX(Picture1->width()))),
                                                   int(std::lround(pixelsToTwipsY(Picture1->height()))));
    graphs::drawFrameBase(painter, frame);
    graphs::drawAxisBars(painter, frame, graphs::kBlack, graphs::kBlack);
}

void frmMain::Picture1_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    const QPoint global = Picture1->mapToGlobal(pos);
    if (graphFamily == 1) {
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
    personalGraphKind = index;
    if (popupFromTree) {
        // The learner chosen in the tree may have been picked without its graph; show the pane.
        lvListView->hide();
        Picture1->show();
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
    groupGraphKind = index;
    drawGroupGraph();
}

void frmMain::menuAllStatics_Click(int index)
{
    mnuAllStep_Click(index);
}

} // namespace qel
