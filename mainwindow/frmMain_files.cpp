#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "dialogs/About.h"
#include "dialogs/frmSearch.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "records/filenames.h"
#include "records/filetrash.h"

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
    if (building_)
        return;
    const auto chosen = asker().chooseFolder(
        this, QStringLiteral("練習記録ファイルが保存されているフォルダ（ディレクトリ）を選択してください。"),
        state_.recordFolder);
    if (!chosen)
        return;
    state_.recordFolder = QDir::toNativeSeparators(*chosen);
    showViewMode(AllGroup);

    ui->tvTreeView->clear();
    scanFolder(AllGroup);
    ui->lvListView->hide();
    ui->listModel->clear();
    makeView(true);
    ui->lvListView->show();
}

namespace {

QString noTrashQuestion(const QString &reason)
{
    return QStringLiteral("ごみ箱が使えないため、ファイルは完全に削除され、元に戻せません。"
                          "削除してよろしいですか？\n\n")
           + reason;
}

// One message for every file that stayed, each with the system's reason.
QString failureMessage(const std::vector<DiscardedFile> &failed)
{
    constexpr std::size_t kNamed = 20;
    QString text = QStringLiteral("次のファイルを削除できませんでした。\n");
    for (std::size_t i = 0; i < failed.size() && i < kNamed; ++i) {
        const QString &path = failed[i].path;
        text += QLatin1Char('\n') + shownFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1))
                + QStringLiteral(": ") + failed[i].error;
    }
    if (failed.size() > kNamed)
        text += QStringLiteral("\nほか%1個のファイル").arg(failed.size() - kNamed);
    return text;
}

} // namespace

void frmMain::mnuFileDelete_Click()
{
    if (building_)
        return;
    if (!asker().message(this, QStringLiteral("選択されているユーザを削除してよろしいですか？"),
                         QStringLiteral("削除確認"), Asker::Buttons::OkCancel, Asker::Icon::Exclamation))
        return;
    // Every step below is one pass, whatever the number of rows: the selection is read
    // once, the tree is rebuilt once and the list loses its rows in one change. The rows are
    // taken by their files, as the window may paint (and its list be read) in between; the
    // last row goes first.
    QStringList keys;
    for (int r : selectedRows())
        keys.prepend(ui->listModel->row(r).key);
    if (keys.isEmpty())
        return;
    // Without a trash the files would be gone for good: that is asked once, Cancel first.
    Deletion how = Deletion::ToTrash;
    if (const TrashCheck trash = checkTrash(state_.recordFolder); !trash.available) {
        if (!asker().message(this, noTrashQuestion(trash.error), QStringLiteral("削除確認"),
                             Asker::Buttons::OkCancel, Asker::Icon::Exclamation, Asker::Default::Cancel))
            return;
        how = Deletion::ForGood;
    }
    building_ = true; // no rescan while the window paints in between
    const QString statusText = ui->statusPanels[0]->text();
    pumpClock_.start();
    const LearnerDeletion deletion = deleteLearnerRows(state_.recordFolder, keys, how,
                                                       [this](int done, int total) { deleteProgress(done, total); });
    // A file that could not be removed keeps its row and node, so the list shows the folder
    // as it is.
    const QSet<QString> goneKeys(deletion.removedKeys.begin(), deletion.removedKeys.end());
    removeNodes(goneKeys);
    std::vector<int> removed;
    for (int r = 0; r < rowCount(); ++r)
        if (goneKeys.contains(ui->listModel->row(r).key))
            removed.push_back(r);
    ui->listModel->removeRowsAt(std::move(removed));
    ui->statusPanels[0]->setText(statusText);
    building_ = false;
    // The toolbar button deletes under a graph too; the graph may have lost its learner.
    if (!goneKeys.isEmpty() && !ui->Picture1->isHidden())
        drawPaneAgain();
    if (const auto failed = deletion.failures(); !failed.empty())
        asker().message(this, failureMessage(failed), QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

// A long deletion keeps the window painting and says how far it has come.
void frmMain::deleteProgress(int done, int total)
{
    if (pumpClock_.elapsed() < 50)
        return;
    ui->statusPanels[0]->setText(QStringLiteral("削除しています… %1 / %2").arg(done).arg(total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    pumpClock_.restart();
}

// Takes the learner nodes of these keys out of the tree in one pass. The current node
// stays; where it goes itself, the next node that stays (else the one before) takes its
// place, as when a single node is deleted.
void frmMain::removeNodes(const QSet<QString> &keys)
{
    QTreeWidgetItem *root = rootNode();
    if (!root || keys.isEmpty())
        return;
    QTreeWidgetItem *current = ui->tvTreeView->currentItem();
    const QList<QTreeWidgetItem *> children = root->takeChildren();
    QList<QTreeWidgetItem *> kept;
    kept.reserve(children.size());
    QTreeWidgetItem *after = nullptr, *before = nullptr;
    bool pastCurrent = current == root || !current;
    for (QTreeWidgetItem *child : children) {
        if (child == current)
            pastCurrent = true;
        if (keys.contains(nodeKey(child))) {
            if (child == current)
                current = nullptr;
            delete child;
            continue;
        }
        kept.append(child);
        if (!pastCurrent)
            before = child;
        else if (!after && child != current)
            after = child;
    }
    root->addChildren(kept);
    if (current)
        ui->tvTreeView->setCurrentItem(current);
    else
        ui->tvTreeView->setCurrentItem(after ? after : before ? before : root);
}

void frmMain::mnuFileFind_Click()
{
    frmSearch dialog(*this, this);
    const int result = asker().showDialog(dialog);
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
    for (int r = 0; r < rowCount(); ++r) {
        if (QString::compare(ui->listModel->row(r).name, name, Qt::CaseInsensitive) != 0)
            continue;
        setRowSelected(r, true);
        setCurrentRow(r);
        ui->lvListView->scrollTo(ui->listModel->index(r, 0));
        showList();
        ui->lvListView->setFocus();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- the group dialog's view

int frmMain::shownGroup() const
{
    for (int i = 0; i < 3; ++i)
        if (ui->mnuListViewMode[std::size_t(i)]->isChecked())
            return i;
    return state_.viewMode;
}

bool frmMain::shownGroupIsEmpty() const
{
    const QTreeWidgetItem *root = rootNode();
    return !root || root->childCount() == 0;
}

int frmMain::selectedNodeIndex() const
{
    const QTreeWidgetItem *node = ui->tvTreeView->currentItem();
    QTreeWidgetItem *root = rootNode();
    if (!node || !root || node == root)
        return 0;
    return root->indexOfChild(const_cast<QTreeWidgetItem *>(node)) + 1;
}

void frmMain::selectNodeIndex(int index)
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return;
    if (index <= 0)
        ui->tvTreeView->setCurrentItem(root);
    else if (index <= root->childCount())
        ui->tvTreeView->setCurrentItem(root->child(index - 1));
}

bool frmMain::graphPaneVisible() const
{
    return !ui->Picture1->isHidden();
}

void frmMain::setGraphPaneVisible(bool visible)
{
    // The pane takes the list's place, as after a node click, and shows its graph again:
    // the rescans in between filled the list and its heading anew.
    ui->lvListView->setVisible(!visible);
    ui->Picture1->setVisible(visible);
    if (visible)
        drawPaneAgain();
}

void frmMain::switchGroup(int group)
{
    // As the view menu does it, so the switch is seen as that menu's command.
    if (group >= 0 && group <= 2)
        ui->mnuListViewMode[std::size_t(group)]->trigger();
}

} // namespace qel
