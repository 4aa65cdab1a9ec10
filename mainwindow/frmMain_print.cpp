#include "mainwindow/frmMain.h"

#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/outputcommands.h"
#include "mainwindow/panes.h"
#include "reports/personalreport.h"
#include "session/foldersession.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

namespace qel {

// ---------------------------------------------------------------- printing

void frmMain::mnuPrint_Click()
{
    const bool learner = canShowPersonal();
    ui->mnuPrintPersonal->setEnabled(learner);
    ui->mnuPreviewPersonal->setEnabled(learner);
}

void frmMain::mnuPrintPersonal_Click()
{
    mnuPopEditPrint_Click();
}

void frmMain::mnuPrintAll_Click()
{
    menuAllPrint_Click();
}

void frmMain::mnuPreviewPersonal_Click()
{
    mnuPopEditPreview_Click();
}

void frmMain::mnuPreviewAll_Click()
{
    menuAllPreview_Click();
}

void frmMain::mnuPopEditPrint_Click()
{
    outputs_->printLearners(personalNames());
}

void frmMain::mnuPopEditPreview_Click()
{
    outputs_->previewLearners(personalNames());
}

QStringList frmMain::personalNames() const
{
    // Selected rows in list order; a row selected by some of its cells counts too.
    std::vector<int> rows;
    if (const QItemSelectionModel *selection = ui->lvListView->selectionModel())
        for (const QItemSelectionRange &range : selection->selection())
            for (int r = range.top(); r <= range.bottom(); ++r)
                rows.push_back(r);
    // Ranges come in the order they were selected; a name's repeats go in the name list.
    std::sort(rows.begin(), rows.end());
    QStringList selectedNames;
    selectedNames.reserve(qsizetype(rows.size()));
    for (int r : rows)
        if (r >= 0 && r < learners_->rowCount())
            selectedNames << learnerKeyOf(learners_->row(r).key);

    reports::TreeSelection node;
    if (const QTreeWidgetItem *current = ui->tvTreeView->currentItem()) {
        node.kind = current == learners_->rootNode() ? reports::TreeSelection::GroupNode
                                                     : reports::TreeSelection::LearnerNode;
        node.text = learnerKeyOf(nodeKey(current));
    }
    return reports::personalNameList(selectedNames, node);
}

// The group printout takes the figures of the folder as it is now, gathered away from this
// thread; the list, tree and selection stay as they are.
void frmMain::menuAllPrint_Click()
{
    session_->requestGroupFigures(state_.viewMode, [this, hold = holdCommand()](const GroupStatistics &figures,
                                                                                const GroupCollections &collections) {
        outputs_->printGroup(figures, collections);
    });
}

void frmMain::menuAllPreview_Click()
{
    session_->requestGroupFigures(state_.viewMode, [this, hold = holdCommand()](const GroupStatistics &figures,
                                                                                const GroupCollections &collections) {
        outputs_->previewGroup(figures, collections);
    });
}

} // namespace qel
