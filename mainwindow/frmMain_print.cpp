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
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <vector>

namespace qel {

namespace {

const QString kPersonalDocument = QStringLiteral("個人プロパティ");
const QString kGroupDocument = QStringLiteral("全体プロパティ");

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

// Qt's preview in Japanese. The page set-up and the orientation go: the reports are laid
// out for a portrait page and turn every printer to portrait. The print button runs
// `print`, the report's own print command; the preview closes when that went ahead.
void dressPreview(QPrintPreviewDialog &dialog, const std::function<bool()> &print)
{
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    static const struct {
        const char *source;
        const char *caption; // nullptr: not offered
    } kActions[] = {
        {"Next page", "次のページ"},
        {"Previous page", "前のページ"},
        {"First page", "最初のページ"},
        {"Last page", "最後のページ"},
        {"Fit width", "幅に合わせる"},
        {"Fit page", "ページ全体"},
        {"Zoom in", "拡大"},
        {"Zoom out", "縮小"},
        {"Show single page", "1ページ表示"},
        {"Show facing pages", "見開き表示"},
        {"Show overview of all pages", "全ページ表示"},
        {"Print", "印刷"},
        {"Portrait", nullptr},
        {"Landscape", nullptr},
        {"Page setup", nullptr},
    };
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : dialog.findChildren<QAction *>()) {
        const QString text = action->text();
        if (text == printText) {
            QObject::disconnect(action, &QAction::triggered, &dialog, nullptr);
            QObject::connect(action, &QAction::triggered, &dialog, [&dialog, print] {
                if (print())
                    dialog.accept();
            });
        }
        for (const auto &entry : kActions) {
            if (text != QCoreApplication::translate("QPrintPreviewDialog", entry.source))
                continue;
            if (entry.caption)
                action->setText(QString::fromUtf8(entry.caption));
            else
                action->setVisible(false);
            break;
        }
    }
}

} // namespace

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
    printPersonal(personalNames());
}

void frmMain::mnuPopEditPreview_Click()
{
    previewPersonal(personalNames());
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
        if (r >= 0 && r < rowCount())
            selectedNames << learnerKeyOf(ui->listModel->row(r).key);

    reports::TreeSelection node;
    if (const QTreeWidgetItem *current = ui->tvTreeView->currentItem()) {
        node.kind = current == rootNode() ? reports::TreeSelection::GroupNode
                                          : reports::TreeSelection::LearnerNode;
        node.text = learnerKeyOf(nodeKey(current));
    }
    return reports::personalNameList(selectedNames, node);
}

bool frmMain::printPersonal(const QStringList &names)
{
    if (names.isEmpty())
        return false;
    return printReport(kPersonalDocument, [this, names](QPrinter &printer, QString *error) {
        return reports::printPersonalReport(printer, state_.recordFolder, names, error);
    });
}

void frmMain::previewPersonal(const QStringList &names)
{
    if (names.isEmpty())
        return;
    previewReport(
        kPersonalDocument,
        [this, names](QPrinter &printer, QString *error) {
            return reports::printPersonalReport(printer, state_.recordFolder, names, error);
        },
        [this, names] { return printPersonal(names); });
}

void frmMain::collectGroupStatistics()
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
}

void frmMain::menuAllPrint_Click()
{
    // The printout uses the figures collected just before: no refresh in between.
    const CommandScope command(*this);
    collectGroupStatistics();
    printALL();
}

void frmMain::menuAllPreview_Click()
{
    const CommandScope command(*this);
    collectGroupStatistics();
    previewReport(
        kGroupDocument,
        [this](QPrinter &printer, QString *error) {
            return reports::printGroupReport(printer, state_.recordFolder, state_.statistics,
                                             state_.collections, error);
        },
        [this] { return printALL(); });
}

void frmMain::printGroupReport()
{
    printALL();
}

bool frmMain::printALL()
{
    return printReport(kGroupDocument, [this](QPrinter &printer, QString *error) {
        return reports::printGroupReport(printer, state_.recordFolder, state_.statistics, state_.collections, error);
    });
}

bool frmMain::printReport(const QString &document, const ReportJob &job)
{
    QWidget *parent = printParent(this);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    if (!asker().choosePrinter(parent, printer))
        return false;
    QString error;
    bool printed = false;
    {
        WaitCursor wait;
        printed = job(printer, &error);
    }
    if (!printed)
        reportFailure(parent, error);
    return true;
}

void frmMain::previewReport(const QString &document, const ReportJob &job, const std::function<bool()> &print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    QPrintPreviewDialog dialog(&printer, printParent(this));
    // The preview draws its pages with the job the print command runs, on its own printer.
    bool reported = false;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        QString error;
        bool drawn = false;
        {
            WaitCursor wait;
            drawn = job(*target, &error);
        }
        if (!drawn && !reported) {
            reported = true;
            reportFailure(&dialog, error);
        }
    });
    dressPreview(dialog, print);
    asker().showDialog(dialog);
}

} // namespace qel
