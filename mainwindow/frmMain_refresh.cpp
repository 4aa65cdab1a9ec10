#include "mainwindow/frmMain.h"

#include "base/asker.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "records/folderwatch.h"
#include "records/platform.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <utility>

namespace qel {

namespace {
// How soon a refresh that waits for a command looks again.
constexpr int kRetryMSecs = 250;
}

// ---------------------------------------------------------------- following the record folder

void frmMain::followFolder()
{
    const std::vector<TableRow> &rows = ui->listModel->rows();
    followFolder(listingOf(rows), settlesAt(rows));
}

// The one place the watch is made and started.
void frmMain::followFolder(FolderListing listing, std::optional<qint64> settlesAt)
{
    refreshPending_ = false;
    if (!state_.autoRefresh) {
        if (watch_)
            watch_->stop();
        return;
    }
    if (!watch_) {
        watch_ = new FolderWatch(this);
        watch_->setObjectName(QStringLiteral("folderWatch"));
        connect(watch_, &FolderWatch::changed, this, &frmMain::folderChanged);
    }
    watch_->watch(state_.recordFolder, state_.viewMode, std::move(listing), settlesAt);
}

void frmMain::mnuViewRefresh_Click()
{
    refreshFromFolder(true);
}

void frmMain::mnuViewAutoRefresh_Click()
{
    state_.autoRefresh = ui->mnuViewAutoRefresh->isChecked();
    if (!state_.autoRefresh) {
        followFolder();
        return;
    }
    // What changed while the list stood still comes in at once.
    refreshFromFolder(false);
}

void frmMain::folderChanged()
{
    if (!state_.autoRefresh)
        return;
    refreshPending_ = true;
    if (commandUnderWay()) {
        if (!refreshRetry_) {
            refreshRetry_ = new QTimer(this);
            refreshRetry_->setSingleShot(true);
            connect(refreshRetry_, &QTimer::timeout, this, [this] {
                if (refreshPending_)
                    folderChanged();
            });
        }
        if (!refreshRetry_->isActive())
            refreshRetry_->start(kRetryMSecs);
        return;
    }
    refreshFromFolder(false);
}

bool frmMain::commandUnderWay() const
{
    // A question or dialog open, the group figures or a printout under way, a menu open, a
    // button held (a drag, a selection, a right-click on its way to its menu).
    return building_ || commandDepth_ > 0 || state_.splitterDragging || askerBusy()
           || QApplication::activeModalWidget() || QApplication::activePopupWidget()
           || QGuiApplication::mouseButtons() != Qt::NoButton;
}

void frmMain::refreshFromFolder(bool everything)
{
    if (building_)
        return;
    refreshPending_ = false;
    building_ = true;
    QScrollBar *down = ui->lvListView->verticalScrollBar();
    QScrollBar *across = ui->lvListView->horizontalScrollBar();
    QScrollBar *treeDown = ui->tvTreeView->verticalScrollBar();
    const int top = down->value(), left = across->value(), treeTop = treeDown->value();
    const QString shownKey = state_.pane.nodeKey;

    // What the watch found, when it is fresh, saves listing the folder again; the nodes
    // shown save scanning it while the same files are there.
    const std::optional<FolderListing> listed = watch_ ? watch_->takeListing(FolderWatch::kFreshMSecs) : std::nullopt;
    UpdateOptions options;
    options.collect = &state_.collections;
    options.everything = everything;
    options.progress = [this](int value, int maximum) { buildProgress(value, maximum); };
    options.listing = listed ? &*listed : nullptr;
    options.nodes = &shownNodes_;
    pumpClock_.start();
    TableUpdate update = updateTable(state_.recordFolder, state_.viewMode, ui->listModel->rows(), options);
    const bool shownRead = std::any_of(update.reread.begin(), update.reread.end(),
                                       [&](std::size_t r) { return update.rows[r].key == shownKey; });
    std::vector<QString> marked;
    marked.reserve(update.changed.size());
    for (std::size_t r : update.changed)
        marked.push_back(update.rows[r].key);

    if (!update.nodesKept) {
        syncTree(update.scan);
        shownNodes_ = update.scan.nodes;
    }
    ui->statusPanels[0]->setText(update.scan.statusText);
    ui->listModel->updateRows(std::move(update.rows));
    noteUnreadable(ui->listModel->rows());
    ui->listModel->markRows(marked);
    down->setValue(top);
    across->setValue(left);
    treeDown->setValue(treeTop);
    building_ = false;

    // The graph on display follows its learner's file, or the group's figures; a learner
    // whose file is gone leaves the list in the graph's place.
    if (!ui->Picture1->isHidden()) {
        if (state_.graph.graphFamily != graphs::PersonalFamily)
            drawGroupGraph();
        else if (shownRead || !nodeByKey(shownKey))
            drawPaneAgain();
    }
    followFolder(std::move(update.listing), update.settlesAt);
}

ScanResult frmMain::scanWhilePainting(const QString &folder, int group)
{
    // Nothing the window does may come between: no refresh, no command, no second scan.
    // The worker sees only its own copies and hands its result over at the join; it touches
    // no widget. A close meanwhile is taken as usual and the scan's result is still laid down.
    const CommandScope command(*this);
    const bool wasBuilding = std::exchange(building_, true);
    ScanResult result;
    std::atomic<bool> done = false;
    QThread *lister = QThread::create([&result, &done, folder, group] {
        result = ::qel::scanFolder(folder, group);
        done = true;
    });
    // The thread's end wakes the loop below.
    connect(lister, &QThread::finished, this, [] {});
    lister->start();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    lister->wait();
    delete lister;
    building_ = wasBuilding;
    platform::releaseFreedMemory();
    return result;
}

// The learner nodes become those of the scan; nodes of files still there stay as they are.
void frmMain::syncTree(const ScanResult &scan)
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return;
    const std::vector<TreeNode> &nodes = scan.nodes;
    const int count = root->childCount();
    bool same = count == int(nodes.size());
    for (int i = 0; same && i < count; ++i)
        same = nodeKey(root->child(i)) == nodes[std::size_t(i)].key;
    if (same)
        return;

    QSet<QString> wanted;
    wanted.reserve(qsizetype(nodes.size()));
    for (const TreeNode &node : nodes)
        wanted.insert(node.key);
    QTreeWidgetItem *current = ui->tvTreeView->currentItem();
    const QString currentKey = nodeKey(current);
    // A learner whose file is gone hands the selection to the group node, not to a
    // neighbour nobody chose.
    if (current && current != root && !wanted.contains(currentKey))
        ui->tvTreeView->setCurrentItem(root);
    QSet<QString> staying;
    for (int i = root->childCount() - 1; i >= 0; --i) {
        const QString key = nodeKey(root->child(i));
        if (wanted.contains(key))
            staying.insert(key);
        else
            delete root->takeChild(i);
    }
    for (int i = 0; i < int(nodes.size()); ++i) {
        const TreeNode &node = nodes[std::size_t(i)];
        if (i < root->childCount() && nodeKey(root->child(i)) == node.key)
            continue;
        if (staying.contains(node.key)) {
            // Out of order: the nodes are laid down again.
            const QList<QTreeWidgetItem *> old = root->takeChildren();
            QList<QTreeWidgetItem *> fresh;
            fresh.reserve(qsizetype(nodes.size()));
            for (const TreeNode &n : nodes)
                fresh.append(newLearnerNode(n));
            root->addChildren(fresh);
            qDeleteAll(old);
            if (QTreeWidgetItem *again = nodeByKey(currentKey))
                ui->tvTreeView->setCurrentItem(again);
            return;
        }
        root->insertChild(i, newLearnerNode(node));
    }
}

} // namespace qel
