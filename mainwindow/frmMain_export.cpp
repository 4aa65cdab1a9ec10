#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "dialogs/frmMprop.h"
#include "dialogs/frmPropaty.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/outputcommands.h"
#include "mainwindow/panes.h"
#include "records/filenames.h"
#include "session/foldersession.h"

#include <QTreeWidget>
#include <algorithm>

namespace qel {

// ---------------------------------------------------------------- properties dialogs

// The learner of the personal commands: the tree's selected learner node after a pop-up
// from the tree, else the list's selected row (the current one when it is selected).
QString frmMain::personalLearner() const
{
    return learnerKeyOf(personalRecord());
}

QString frmMain::personalRecord() const
{
    const QString fromTree = learners_->learnerKey(ui->tvTreeView->currentItem());
    QString fromList;
    const int current = learners_->currentRow();
    if (current >= 0 && learners_->rowSelected(current)) {
        fromList = learners_->row(current).key;
    } else if (const std::vector<int> rows = learners_->selectedRows(); !rows.empty()) {
        fromList = learners_->row(rows.front()).key;
    }
    // The other place serves when the deciding one names no learner, so a lit toolbar
    // button always has someone to show.
    if (state_.graph.popupFromTree)
        return fromTree.isEmpty() ? fromList : fromTree;
    return fromList.isEmpty() ? fromTree : fromList;
}

void frmMain::mnuPorpPersonal_Click()
{
    const QString record = personalRecord();
    const QString name = learnerKeyOf(record);
    if (name.isEmpty())
        return;
    const bool fromTree = state_.graph.popupFromTree;
    // As the list shows the learner: a number while names are hidden.
    const int row = learners_->rowOf(record);
    const QString shown = row >= 0 ? ui->listModel->shownText(row, 0) : shownName(shownFileName(name));
    // The learner's files are read away from this thread; the dialog opens once they are in.
    session_->loadLearners({name}, [this, name, shown, fromTree, hold = holdCommand()](std::vector<LearnerRecord> read) {
        if (read.empty())
            return;
        {
            frmPropaty dialog(read.front().summary, name, windowIcon(),
                              [this](const QString &learner) { outputs_->printLearners({learner}); }, this);
            dialog.setShownName(shown);
            asker().showDialog(dialog);
        }
        if (fromTree)
            ui->tvTreeView->setFocus();
        else
            focusAfterPopup();
    });
}

void frmMain::mnuPopPropaty_Click()
{
    mnuPorpPersonal_Click();
}

void frmMain::mnuPropAll_Click()
{
    frmMprop dialog(*this, windowIcon(), this);
    asker().showDialog(dialog);
}

void frmMain::menuAllprop_Click()
{
    mnuPropAll_Click();
}

void frmMain::requestGroupFigures(std::function<void(const GroupStatistics &)> done)
{
    session_->requestGroupFigures(state_.viewMode, [this, done](const GroupStatistics &figures,
                                                                const GroupCollections &collections) {
        figuresCollections_ = collections;
        done(figures);
    });
}

void frmMain::printGroupReport(const GroupStatistics &figures)
{
    outputs_->printGroup(figures, figuresCollections_);
}

// ---------------------------------------------------------------- CSV export

void frmMain::mnuPopEditCSV_Click()
{
    std::vector<int> rows = learners_->selectedRows();
    if (rows.empty()) {
        const QString key = learners_->learnerKey(ui->tvTreeView->currentItem());
        if (const int r = key.isEmpty() ? -1 : learners_->rowOf(key); r >= 0)
            rows.push_back(r);
    }

    // The file is named after the current row unless that row is not in it: a name
    // pointing at another learner invites overwriting that learner's export.
    int nameRow = learners_->currentRow();
    if (!rows.empty() && std::find(rows.begin(), rows.end(), nameRow) == rows.end())
        nameRow = rows.front();
    if (nameRow < 0)
        return;

    std::vector<TableRow> chosen;
    chosen.reserve(rows.size());
    for (int r : rows)
        chosen.push_back(learners_->row(r));
    // The file holds the names; the name offered for it is the one on display.
    outputs_->exportRows(chosen, ui->listModel->shownText(nameRow, 0), state_.csvFolder);
}

void frmMain::mnuEditOutput_Click()
{
    if (state_.treeFocusedLast) {
        QTreeWidgetItem *node = ui->tvTreeView->currentItem();
        if (!node)
            return;
        if (!asker().message(this, tr("%1のデータを出力しますか？").arg(node->text(0)), QString(),
                             Asker::Buttons::OkCancel, Asker::Icon::Question))
            return;
        if (node == learners_->rootNode()) {
            mnuEditSelectAll_Click();
        } else {
            // The question named this learner: the file holds this learner's row alone,
            // not whichever row happened to be current or selected in the list.
            const int row = learners_->rowOf(learners_->learnerKey(node));
            if (row >= 0) {
                ui->lvListView->clearSelection();
                learners_->setRowSelected(row, true);
                learners_->setCurrentRow(row);
            }
        }
        mnuPopEditCSV_Click();
        return;
    }
    if (!asker().message(this, tr("選択されたユーザのデータを出力しますか？"), QString(),
                         Asker::Buttons::OkCancel, Asker::Icon::Question))
        return;
    mnuPopEditCSV_Click();
}

void frmMain::menuAllCSV_Click()
{
    tvTreeView_NodeClick(learners_->rootNode());
    ui->lvListView->selectAll();
    mnuPopEditCSV_Click();
}

} // namespace qel
