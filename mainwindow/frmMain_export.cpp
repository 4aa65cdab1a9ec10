#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "dialogs/frmMprop.h"
#include "dialogs/frmPropaty.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "reports/csv.h"
#include "reports/outputfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTreeWidget>
#include <algorithm>

namespace qel {

// ---------------------------------------------------------------- properties dialogs

// The list row of a tree node: same record file, so a learner with both Courses gets
// the row of the node's Course.
int frmMain::rowOfNode(const QTreeWidgetItem *node) const
{
    const QString key = nodeKey(node);
    for (int r = 0; r < rowCount(); ++r)
        if (ui->listModel->row(r).key == key)
            return r;
    return -1;
}

// The learner of the personal commands: the tree's selected learner node after a pop-up
// from the tree, else the list's selected row (the current one when it is selected).
QString frmMain::personalLearner() const
{
    QTreeWidgetItem *node = ui->tvTreeView->currentItem();
    const QString fromTree = node && node != rootNode() ? learnerKeyOf(nodeKey(node)) : QString();
    QString fromList;
    const int current = currentRow();
    if (current >= 0 && rowSelected(current)) {
        fromList = learnerKeyOf(ui->listModel->row(current).key);
    } else {
        for (int r = 0; r < rowCount(); ++r)
            if (rowSelected(r)) {
                fromList = learnerKeyOf(ui->listModel->row(r).key);
                break;
            }
    }
    // The other place serves when the deciding one names no learner, so a lit toolbar
    // button always has someone to show.
    if (state_.graph.popupFromTree)
        return fromTree.isEmpty() ? fromList : fromTree;
    return fromList.isEmpty() ? fromTree : fromList;
}

void frmMain::mnuPorpPersonal_Click()
{
    const QString name = personalLearner();
    if (name.isEmpty())
        return;
    {
        frmPropaty dialog(state_.recordFolder, name, windowIcon(),
                          [this](const QString &learner) { printPersonal(QStringList{learner}); }, this);
        asker().showDialog(dialog);
    }
    if (state_.graph.popupFromTree)
        ui->tvTreeView->setFocus();
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
    asker().showDialog(dialog);
}

void frmMain::menuAllprop_Click()
{
    mnuPropAll_Click();
}

// ---------------------------------------------------------------- CSV export

void frmMain::mnuPopEditCSV_Click()
{
    std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        QTreeWidgetItem *node = ui->tvTreeView->currentItem();
        if (node && node != rootNode())
            if (const int r = rowOfNode(node); r >= 0)
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
                                           QStringLiteral(".csv"),
                                           QDir(csvStartFolder()).filePath(ui->listModel->row(nameRow).name));
    if (!path || path->isEmpty())
        return;
    if (reports::isTrainerFile(state_.recordFolder, *path)) {
        asker().message(this, reports::trainerFileRefusal(*path), QString(), Asker::Buttons::Ok,
                        Asker::Icon::Exclamation);
        return;
    }

    std::vector<csv::Row> lines;
    lines.reserve(rows.size());
    for (int r : rows) {
        const TableRow &row = ui->listModel->row(r);
        lines.push_back({row.name, row.cells});
    }
    QString error;
    if (!csv::saveFile(*path, lines, csv::Encoding::Cp932, &error))
        asker().message(this, QStringLiteral("CSV出力に失敗しました。\n") + error, QString(),
                        Asker::Buttons::Ok, Asker::Icon::Exclamation);
    else
        state_.csvFolder = QFileInfo(*path).absolutePath();
}

// Where the save dialog opens: the folder of the last export while it is there, else the
// user's documents (or home, where there is no such folder: the dialog would ignore it),
// never the folder the program happened to start in.
QString frmMain::csvStartFolder() const
{
    if (!state_.csvFolder.isEmpty() && QFileInfo(state_.csvFolder).isDir())
        return state_.csvFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void frmMain::mnuEditOutput_Click()
{
    if (state_.treeFocusedLast) {
        QTreeWidgetItem *node = ui->tvTreeView->currentItem();
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
            const int row = rowOfNode(node);
            if (row >= 0) {
                ui->lvListView->clearSelection();
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
    ui->lvListView->selectAll();
    mnuPopEditCSV_Click();
}

} // namespace qel
