#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "base/namemask.h"
#include "dialogs/About.h"
#include "dialogs/frmSearch.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/panes.h"
#include "records/filenames.h"
#include "records/filetrash.h"
#include "records/learnertable.h"
#include "session/foldersession.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QSet>
#include <QToolBar>

namespace qel {

// ---------------------------------------------------------------- file commands

void frmMain::mnuFileOpen_Click()
{
    const auto chosen = asker().chooseFolder(
        this, tr("練習記録ファイルが保存されているフォルダ（ディレクトリ）を選択してください。"),
        state_.recordFolder);
    if (!chosen)
        return;
    state_.recordFolder = QDir::toNativeSeparators(*chosen);
    showViewMode(AllGroup);
    ui->lblTitle[0]->setText(state_.recordFolder);
    ui->lblTitle[0]->setToolTip(state_.recordFolder);
    ui->Picture1->hide();
    pendingRead_.reset();
    learners_->clear();
    state_.collections = {};
    if (!boardOnDisplay())
        ui->lvListView->show();
    loadFolderSettings();
    // The tree, list and board fill once the session has read the new folder.
    session_->open(state_.recordFolder);
    followInJournal();
}

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(FileCommands)
};

QString noTrashQuestion(const QString &reason)
{
    //: %1 the system's reason why the trash cannot be used.
    return Tr::tr("ごみ箱が使えないため、ファイルは完全に削除され、元に戻せません。"
                  "削除してよろしいですか？\n\n%1")
        .arg(reason);
}

// A file of a learner as the window shows it: while names are hidden the learner's part of
// the name is the learner's number ("学習者 3_Qele.dat").
QString shownLearnerFile(const QString &fileName, NameMask &names)
{
    if (!names.hidden())
        return shownFileName(fileName);
    if (const auto record = parseRecordFileName(fileName))
        return names.shown(record->learner) + fileName.mid(record->learnerKey.size());
    const QString settings = QStringLiteral(".ini");
    if (fileName.endsWith(settings, Qt::CaseInsensitive))
        return names.shown(shownFileName(fileName.chopped(settings.size()))) + fileName.right(settings.size());
    return names.shown(shownFileName(fileName));
}

// One message for every file that stayed, each with the system's reason.
QString failureMessage(const std::vector<DiscardedFile> &failed, NameMask &names)
{
    constexpr std::size_t kNamed = 20;
    QString text = Tr::tr("次のファイルを削除できませんでした。\n");
    for (std::size_t i = 0; i < failed.size() && i < kNamed; ++i) {
        const QString &path = failed[i].path;
        text += QLatin1Char('\n') + shownLearnerFile(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1), names)
                + QStringLiteral(": ") + failed[i].error;
    }
    if (failed.size() > kNamed)
        //: After the files named: the number of the others.
        text += QLatin1Char('\n') + Tr::tr("ほか%n個のファイル", nullptr, int(failed.size() - kNamed));
    return text;
}

} // namespace

void frmMain::mnuFileDelete_Click()
{
    if (!asker().message(this, tr("選択されているユーザを削除してよろしいですか？"),
                         //: Title of the delete confirmation.
                         tr("削除確認"), Asker::Buttons::OkCancel, Asker::Icon::Exclamation))
        return;
    // Every step below is one pass, whatever the number of rows: the selection is read
    // once, the tree is rebuilt once and the list loses its rows in one change. The rows are
    // taken by their files, as the list may change before the files are gone; the last row
    // goes first.
    QStringList keys;
    for (int r : learners_->selectedRows())
        keys.prepend(learners_->row(r).key);
    if (keys.isEmpty())
        return;
    // Whether the folder has a trash is the file system's to say, away from this thread.
    session_->run<TrashCheck>([folder = state_.recordFolder] { return checkTrash(folder); },
                              [this, keys, hold = holdCommand()](TrashCheck trash) {
                                  // Without a trash the files would be gone for good: that is
                                  // asked once, Cancel first.
                                  Deletion how = Deletion::ToTrash;
                                  if (!trash.available) {
                                      if (!asker().message(this, noTrashQuestion(trash.error),
                                                           tr("削除確認"), Asker::Buttons::OkCancel,
                                                           Asker::Icon::Exclamation, Asker::Default::Cancel))
                                          return;
                                      how = Deletion::ForGood;
                                  }
                                  deleteLearners(keys, how);
                              });
}

// The files go away from this thread; the status bar says how far it has come. A file that
// could not be removed keeps its row and node, so the list shows the folder as it is.
void frmMain::deleteLearners(const QStringList &keys, Deletion how)
{
    // The count stays as it was until the next read of the folder.
    const QString statusText = ui->statusPanels[0]->text();
    session_->runReporting<LearnerDeletion>(
        [folder = state_.recordFolder, keys, how](const FolderSession::Report &report) {
            return deleteLearnerRows(folder, keys, how, report);
        },
        [this](int done, int total) {
            ui->statusPanels[0]->setText(tr("削除しています… %1 / %2").arg(done).arg(total));
        },
        [this, statusText, hold = holdCommand()](LearnerDeletion deletion) {
            const QSet<QString> goneKeys(deletion.removedKeys.begin(), deletion.removedKeys.end());
            learners_->remove(goneKeys);
            session_->forget(deletion.removedKeys);
            if (const auto table = session_->table(); table && !goneKeys.isEmpty())
                showOnBoard(viewOfGroup(table->scan, table->rows, state_.viewMode));
            ui->statusPanels[0]->setText(statusText);
            // The toolbar button deletes under a graph too; the graph may have lost its learner.
            if (!goneKeys.isEmpty() && !ui->Picture1->isHidden())
                drawPaneAgain();
            if (const auto failed = deletion.failures(); !failed.empty())
                asker().message(this, failureMessage(failed, *names_), QString(), Asker::Buttons::Ok,
                                Asker::Icon::Exclamation);
        });
}

void frmMain::mnuFileFind_Click()
{
    frmSearch dialog(*this, this);
    // Learners who arrive while the dialog is open are found too: the list goes on
    // following the folder.
    findOpen_ = true;
    const int result = asker().showDialog(dialog);
    findOpen_ = false;
    // Found, not found or cancelled, the list takes the pane: never an empty space under a
    // graph's heading.
    showList();
    if (result == QDialog::Accepted)
        ui->lvListView->setFocus();
}

void frmMain::mnuFileClose_Click()
{
    close();
}

void frmMain::mnuHelpAbout_Click()
{
    About dialog(this);
    asker().showDialog(dialog);
}

void frmMain::tbToolBar_ButtonClick(const QString &key)
{
    ui->tbToolBar->repaint();
    if (key == QLatin1String("Open"))
        mnuFileOpen_Click();
    else if (key == QLatin1String("Find"))
        mnuFileFind_Click();
    else if (key == QLatin1String("Delete"))
        mnuFileDelete_Click();
    else if (key == QLatin1String("View Details"))
        mnuListViewMode_Click(0);
    else if (key == QLatin1String("English"))
        mnuListViewMode_Click(1);
    else if (key == QLatin1String("Kana"))
        mnuListViewMode_Click(2);
    else if (key == QLatin1String("p3"))
        mnuViewGraph_Click(0);
    else if (key == QLatin1String("p4"))
        mnuViewGraph_Click(1);
    else if (key == QLatin1String("pa1"))
        mnuAllStep_Click(0);
    else if (key == QLatin1String("pa2"))
        mnuAllStep_Click(1);
    else if (key == QLatin1String("pp1"))
        mnuPorpPersonal_Click();
    else if (key == QLatin1String("p2"))
        mnuPropAll_Click();
}

// ---------------------------------------------------------------- the find dialog's view

void frmMain::hideGraphPane()
{
    showList();
}

bool frmMain::selectLearnerRow(const QString &name)
{
    // While names are hidden a learner is found by the number on display as well.
    for (int r = 0; r < learners_->rowCount(); ++r) {
        if (QString::compare(learners_->row(r).name, name, Qt::CaseInsensitive) != 0
            && (!names_->hidden() || QString::compare(ui->listModel->shownText(r, 0), name, Qt::CaseInsensitive) != 0))
            continue;
        learners_->setRowSelected(r, true);
        learners_->setCurrentRow(r);
        ui->lvListView->scrollTo(ui->listModel->index(r, 0));
        showList();
        ui->lvListView->setFocus();
        return true;
    }
    return false;
}

} // namespace qel
