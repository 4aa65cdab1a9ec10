#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/panes.h"
#include "session/foldersession.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace qel {

// ---------------------------------------------------------------- following the record folder

void frmMain::connectSession()
{
    connect(session_, &FolderSession::tableChanged, this, &frmMain::folderRead);
    connect(session_, &FolderSession::healthChanged, this, &frmMain::folderHealthChanged);
    connect(session_, &FolderSession::historyLoaded, this, &frmMain::historyLoaded);
    connect(session_, &FolderSession::progress, this, &frmMain::buildProgress);
    // A refresh held back by a command comes in once the command has ended.
    connect(&askerEvents(), &AskerEvents::settled, this, &frmMain::commandEnded);
    for (QMenu *menu : findChildren<QMenu *>())
        connect(menu, &QMenu::aboutToHide, this, &frmMain::commandEnded, Qt::QueuedConnection);
    qApp->installEventFilter(this);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A button let go may end what held a refresh back (a drag, a selection).
    if (event->type() == QEvent::MouseButtonRelease && pendingRead_)
        QMetaObject::invokeMethod(this, &frmMain::commandEnded, Qt::QueuedConnection);
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mnuViewRefresh_Click()
{
    session_->refresh(true);
}

void frmMain::mnuViewAutoRefresh_Click()
{
    state_.autoRefresh = ui->mnuViewAutoRefresh->isChecked();
    session_->setFollowing(state_.autoRefresh);
    followInJournal();
    // What changed while the list stood still comes in at once.
    if (state_.autoRefresh)
        session_->refresh(false);
}

std::shared_ptr<void> frmMain::holdCommand()
{
    ++commandDepth_;
    return std::shared_ptr<void>(nullptr, [this, alive = alive_](void *) {
        if (!*alive)
            return;
        --commandDepth_;
        commandEnded();
    });
}

void frmMain::commandEnded()
{
    if (pendingRead_ && !refreshMustWait())
        applyFolderRead();
}

bool frmMain::refreshMustWait() const
{
    // The find dialog only reads the list: the list may go on following the folder.
    const bool questionOpen = (askerBusy() || QApplication::activeModalWidget()) && !findOpen_;
    return commandDepth_ > 0 || questionOpen || state_.splitterDragging || QApplication::activePopupWidget()
           || QGuiApplication::mouseButtons() != Qt::NoButton;
}

void frmMain::folderRead(const TableChange &change)
{
    // What came before and was not shown yet is in this read too; only the marks add up.
    if (pendingRead_) {
        std::vector<QString> marks = std::move(pendingRead_->changed);
        marks.insert(marks.end(), change.changed.begin(), change.changed.end());
        const bool opened = pendingRead_->kind == TableChange::Opened;
        *pendingRead_ = change;
        pendingRead_->changed = std::move(marks);
        if (opened)
            pendingRead_->kind = TableChange::Opened;
    } else {
        pendingRead_ = std::make_unique<TableChange>(change);
    }
    followInJournal();
    if (!refreshMustWait())
        applyFolderRead();
}

void frmMain::applyFolderRead()
{
    const std::unique_ptr<TableChange> change = std::move(pendingRead_);
    if (!change)
        return;
    // The session's table is the newest: a read held back by a deletion is older than what
    // the deletion left, and would bring its rows back.
    const std::shared_ptr<const FolderTable> table = session_->table();
    askBoardHistory(table);
    if (change->kind == TableChange::Opened) {
        makeView();
        showListOrBoard();
        if (!firstReadShown_) {
            firstReadShown_ = true;
            emit readyToShow();
        }
        return;
    }
    if (!table)
        return;
    GroupView view = viewOfGroup(table->scan, table->rows, state_.viewMode);
    const QString shownKey = state_.pane.nodeKey;
    learners_->update(view, change->changed);
    showOnBoard(view);
    state_.collections = std::move(view.collections);
    showFolderStatus();
    // The graph on display follows the group's figures; a learner whose file is gone
    // leaves the list in the graph's place (the learner's own runs come by historyLoaded).
    if (!ui->Picture1->isHidden()) {
        if (state_.graph.graphFamily != graphs::PersonalFamily)
            drawGroupGraph();
        else if (!learners_->nodeOf(shownKey))
            drawPaneAgain();
    }
}

void frmMain::historyLoaded(const QString &key)
{
    if (key != state_.pane.nodeKey || ui->Picture1->isHidden())
        return;
    // The row may show new figures too (the best SPM in the heading).
    if (state_.graph.graphFamily == graphs::PersonalFamily)
        drawPaneAgain();
}

void frmMain::folderHealthChanged()
{
    showFolderStatus();
}

} // namespace qel
