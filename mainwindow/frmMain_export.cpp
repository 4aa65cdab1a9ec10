#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "dialogs/frmMprop.h"
#include "dialogs/frmPropaty.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "reports/csv.h"

#include <QTreeWidget>
#include <algorithm>

namespace qel {

// ---------------------------------------------------------------- properties dialogs

namespace {

// The list row of a tree node: same record file, so a learner with both Courses gets
// the row of the node's Course.
int rowOfNode(const LearnerListModel &model, const QTreeWidgetItem *node)
{
    const QString key = frmMain::nodeKey(node);
    for (int r = 0; r < model.rowCount(); ++r)
        if (model.row(r).key == key)
            return r;
    return -1;
}

// The learner of the personal commands: the tree's selected learner node after a pop-up
// from the tree, else the list's selected row (the current one when it is selected).
QString personalLearner(const frmMain &window)
{
    QTreeWidgetItem *node = window.tvTreeView->currentItem();
    const QString fromTree = node && node != window.rootNode() ? node->text(0) : QString();
    QString fromList;
    const int current = window.currentRow();
    if (current >= 0 && window.rowSelected(current)) {
        fromList = window.rowText(current);
    } else {
        for (int r = 0; r < window.rowCount(); ++r)
            if (window.rowSelected(r)) {
                fromList = window.rowText(r);
                break;
            }
    }
    // The other place serves when the deciding one names no learner, so a lit toolbar
    // button always has someone to show.
    if (window.popupFromTree)
        return fromTree.isEmpty() ? fromList : fromTree;
    return fromList.isEmpty() ? fromTree : fromList;
}

} // namespace

void frmMain::mnuPorpPersonal_Click()
{
    const QString name = personalLearner(*this);
    if (name.isEmpty())
        return;
    {
        frmPropaty dialog(recordFolder, name, windowIcon(),
                          [this](const QString &learner) { printPersonal(QStringList{learner}); }, this);
        execDialog(dialog);
    }
    if (popupFromTree)
        tvTreeView->setFocus();
    else
        focusAfterPopup();
}

void frmMain::mnuPopPropaty_Click()
{
    mnuPorpPersonal_Click();
}

void frmMain::mnuPropAll_Click()
{
    frmMprop dialog(*this, false, windowIcon(), this);
    execDialog(dialog);
}

void frmMain::menuAllprop_Click()
{
    mnuPropAll_Click();
}

// ---------------------------------------------------------------- CSV export

void frmMain::mnuPopEditCSV_Click()
{
    std::vector<int> rows;
    for (int r = 0; r < rowCount(); ++r)
        if (rowSelected(r))
            rows.push_back(r);
    if (rows.empty()) {
        QTreeWidgetItem *node = tvTreeView->currentItem();
        if (node && node != rootNode())
            if (const int r = rowOfNode(*listModel, node); r >= 0)
                rows.push_back(r);
    }

    // The file is named after the current row unless that row is not in it: a name
    // pointing at another learner invites overwriting that learner's export.
    int nameRow = currentRow();
    if (!rows.empty() && std::find(rows.begin(), rows.end(), nameRow) == rows.end())
        nameRow = rows.front();
    if (nameRow < 0)
        return;

    const auto path = asker().saveFileName(this, QStringLiteral("出力先を指定して下さい。"),
                                           QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*.*)"),
                                           QStringLiteral(".csv"), rowText(nameRow));
    if (!path || path->isEmpty())
        return;

    std::vector<csv::Row> lines;
    lines.reserve(rows.size());
    for (int r : rows) {
        const TableRow &row = listModel->row(r);
        lines.push_back({row.name, row.cells});
    }
    QString error;
    if (!csv::saveFile(*path, lines, csv::Encoding::Cp932, &error))
        asker().message(this, QStringLiteral("CSV出力に失敗しました。\n") + error, QString(),
                        Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

void frmMain::mnuEditOutput_Click()
{
    if (treeFocusedLast) {
        QTreeWidgetItem *node = tvTreeView->currentItem();
        if (!node)
            return;
        if (!asker().message(this, node->text(0) + QStringLiteral("のデータを出力しますか？"), QString(),
                             Asker::Buttons::OkCancel, Asker::Icon::Question))
            return;
        if (node == rootNode()) {
            mnuEditSelectAll_Click();
        } else {
            // The question named this learner: the file holds this learner's row alone,
            // not whichever row happened to be current or selected in the list.
            const int row = rowOfNode(*listModel, node);
            if (row >= 0) {
                lvListView->clearSelection();
                setRowSelected(row, true);
                setCurrentRow(row);
            }
        }
        mnuPopEditCSV_Click();
        return;
    }
    if (!asker().message(this, QStringLiteral("選択されたユーザのデータを出力しますか？"), QString(),
                         Asker::Buttons::OkCancel, Asker::Icon::Question))
        return;
    mnuPopEditCSV_Click();
}

void frmMain::menuAllCSV_Click()
{
    tvTreeView_NodeClick(rootNode());
    lvListView->selectAll();
    mnuPopEditCSV_Click();
}

} // namespace qel
