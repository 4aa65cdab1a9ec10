#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "dialogs/frmMprop.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "reports/personalreport.h"
#include "reports/printjob.h"

#include <QApplication>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPrinter>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

namespace qel {

namespace {

// The print dialog and any failure notice sit on whatever modal window asked for the
// printout (the group or personal properties dialog), else on the main window.
QWidget *printParent(QWidget *window)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : window;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

void reportFailure(QWidget *parent, const QString &error)
{
    asker().message(parent, error.isEmpty() ? QStringLiteral("印刷できませんでした。") : error,
                    QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

} // namespace

// ---------------------------------------------------------------- printing

void frmMain::mnuPrint_Click()
{
    ui->mnuPrintPersonal->setEnabled(anyRowSelected()
                                     || (state_.graph.graphFamily == graphs::PersonalFamily && !ui->Picture1->isHidden()));
}

void frmMain::mnuPrintPersonal_Click()
{
    mnuPopEditPrint_Click();
}

void frmMain::mnuPrintAll_Click()
{
    menuAllPrint_Click();
}

void frmMain::mnuPopEditPrint_Click()
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
        if (r >= 0 && r < rowCount())
            selectedNames << ui->listModel->row(r).name;

    reports::TreeSelection node;
    if (const QTreeWidgetItem *current = ui->tvTreeView->currentItem()) {
        node.kind = current == rootNode() ? reports::TreeSelection::GroupNode
                                          : reports::TreeSelection::LearnerNode;
        node.text = current->text(0);
    }
    const QStringList names = reports::personalNameList(selectedNames, node);
    if (names.isEmpty())
        return;
    printPersonal(names);
}

void frmMain::printPersonal(const QStringList &names)
{
    if (names.isEmpty())
        return;
    QWidget *parent = printParent(this);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("個人プロパティ"));
    if (!asker().choosePrinter(parent, printer))
        return;
    QString error;
    bool printed = false;
    {
        WaitCursor wait;
        printed = reports::printPersonalReport(printer, state_.recordFolder, names, &error);
    }
    if (!printed)
        reportFailure(parent, error);
}

void frmMain::menuAllPrint_Click()
{
    // The dialog computes the figures of all three groups into `statistics`, switching the
    // window through them and back, and closes itself.
    const CommandScope command(*this);
    state_.printRequest = true;
    {
        frmMprop dialog(*this, state_.printRequest, windowIcon(), this);
        asker().showDialog(dialog);
    }
    state_.printRequest = false;
    QCoreApplication::processEvents();
    printALL();
}

void frmMain::printGroupReport()
{
    printALL();
}

void frmMain::printALL()
{
    QWidget *parent = printParent(this);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("全体プロパティ"));
    if (!asker().choosePrinter(parent, printer))
        return;
    QString error;
    bool printed = false;
    {
        WaitCursor wait;
        printed = reports::printGroupReport(printer, state_.recordFolder, state_.statistics, state_.collections, &error);
    }
    if (!printed)
        reportFailure(parent, error);
}

} // namespace qel
