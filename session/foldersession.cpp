#include "session/foldersession.h"

#include "records/concurrent.h"
#include "records/platform.h"
#include "session/folderwatch.h"

#include <QDateTime>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>
#include <algorithm>

namespace qel {

struct FolderSession::LookResult {
    std::shared_ptr<const FolderTable> table; // none: nothing changed, or the folder failed
    std::vector<std::size_t> reread;
    std::vector<std::size_t> changed;
    bool nodesKept = false;
    FolderHealth health = FolderHealth::Answering;
    std::optional<qint64> listingMSecs; // how long listing the folder with identities took
};

namespace {

constexpr int kJobThreads = 16;

// The rows' keys at these places.
std::vector<QString> keysAt(const FolderTable &table, const std::vector<std::size_t> &at)
{
    std::vector<QString> keys;
    keys.reserve(at.size());
    for (std::size_t i : at)
        keys.push_back(table.rows[i].key);
    return keys;
}

} // namespace

std::vector<TableRow> rowsAt(const FolderTable &table, const std::vector<std::size_t> &at)
{
    std::vector<TableRow> rows;
    rows.reserve(at.size());
    for (std::size_t i : at)
        if (i < table.rows.size())
            rows.push_back(table.rows[i]);
    return rows;
}

namespace {

FolderHealth healthOf(const ListingStatus &listing)
{
    switch (listing.kind) {
    case ListingStatus::Complete: return FolderHealth::Answering;
    case ListingStatus::FolderMissing: return FolderHealth::Missing;
    case ListingStatus::Failed: break;
    }
    return FolderHealth::Unreadable;
}

} // namespace

QThreadPool &FolderSession::jobPool()
{
    // Never destroyed: a job caught on a server that does not answer must not hold up the
    // end of the program, as a pool's destructor would by waiting for it.
    static QThreadPool *const pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(kJobThreads);
        p->setExpiryTimeout(30000);
        return p;
    }();
    return *pool;
}

FolderSession::FolderSession(QObject *parent)
    : QObject(parent), watch_(new FolderWatch(this)), quiet_(new QTimer(this)), settle_(new QTimer(this))
{
    qRegisterMetaType<qel::TableChange>();
    quiet_->setSingleShot(true);
    settle_->setSingleShot(true);
    connect(watch_, &FolderWatch::due, this, [this] { refresh(false); });
    connect(quiet_, &QTimer::timeout, this, [this] {
        if (!looking_)
            return;
        setHealth(FolderHealth::NotAnswering);
        // Whoever waits for figures gets those of the last whole read rather than none.
        std::vector<std::function<void()>> waiting;
        waiting.swap(afterLook_);
        for (const auto &call : waiting)
            call();
    });
    connect(settle_, &QTimer::timeout, this, [this] { refresh(false); });
}

FolderSession::~FolderSession()
{
    if (stop_)
        stop_->store(true);
}

bool FolderSession::busy() const
{
    return looking_ || nextLook_ || historyLoading_ || pendingJobs_ > 0;
}

void FolderSession::open(const QString &folder)
{
    folder_ = folder;
    table_.reset();
    shownKey_.clear();
    shownHistory_.reset();
    ++historyGeneration_;
    historyLoading_ = false;
    nextLook_.reset();
    // A look at the folder before is not waited for: it may be waiting on a server.
    if (stop_)
        stop_->store(true);
    looking_ = false;
    settle_->stop();
    if (following_)
        watch_->watch(folder_);
    startLook(Look::Open);
}

void FolderSession::refresh(bool everything)
{
    if (folder_.isEmpty())
        return;
    const Look look = everything ? Look::Everything : Look::Check;
    if (!table_ && !looking_) {
        startLook(Look::Open);
        return;
    }
    if (looking_) {
        // The look under way began before this was asked: another follows it.
        if (!nextLook_ || (*nextLook_ == Look::Check && look == Look::Everything))
            nextLook_ = look;
        return;
    }
    startLook(look);
}

void FolderSession::setFollowing(bool on)
{
    following_ = on;
    if (on && !folder_.isEmpty())
        watch_->watch(folder_);
    else
        watch_->stop();
    settleLater();
}

void FolderSession::startLook(Look look)
{
    looking_ = true;
    const quint64 generation = ++generation_;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    const std::shared_ptr<const FolderTable> previous = look == Look::Open ? nullptr : table_;

    auto work = [folder = folder_, previous, look, stop = stop_](QPromise<std::shared_ptr<LookResult>> &promise) {
        auto result = std::make_shared<LookResult>();
        // The maximum counts the group node, which is never read: the range stops at the
        // last file, so that the last step is always told (steps are told at most 25 times a
        // second, but for the last).
        const ProgressHook progress = [&promise](int value, int maximum) {
            promise.setProgressRange(0, maximum - 1);
            promise.setProgressValue(value);
        };
        if (!previous) {
            const ScanResult scan = scanFolder(folder, AllGroup);
            if (stop->load())
                return;
            auto table = std::make_shared<FolderTable>();
            table->folder = folder;
            table->scan = scan;
            result->health = healthOf(scan.listing);
            table->rows = makeView(folder, scan.nodes, nullptr, progress);
            table->listing = listingOf(table->rows);
            table->settlesAt = settlesAt(table->rows);
            result->reread.resize(table->rows.size());
            for (std::size_t i = 0; i < table->rows.size(); ++i)
                result->reread[i] = i;
            result->table = std::move(table);
        } else {
            ListingStatus status;
            QElapsedTimer listingTook;
            listingTook.start();
            FolderListing listing = listGroupFiles(folder, AllGroup, &status, stop.get(), progress);
            result->listingMSecs = listingTook.elapsed();
            if (stop->load())
                return;
            if (!status.complete()) {
                // The last whole table stays; a part of a listing is not the class.
                result->health = healthOf(status);
                promise.addResult(result);
                return;
            }
            const bool settling = previous->settlesAt && QDateTime::currentMSecsSinceEpoch() >= *previous->settlesAt;
            if (look == Look::Check && !settling && previous->scan.listing.complete()
                && sameFiles(listing, previous->listing)) {
                promise.addResult(result);
                return;
            }
            UpdateOptions options;
            options.everything = look == Look::Everything;
            options.progress = progress;
            options.listing = &listing;
            options.nodes = previous->scan.listing.complete() ? &previous->scan.nodes : nullptr;
            options.stop = stop.get();
            TableUpdate update = updateTable(folder, AllGroup, previous->rows, options);
            if (update.stopped)
                return;
            auto table = std::make_shared<FolderTable>();
            table->folder = folder;
            table->scan = std::move(update.scan);
            table->rows = std::move(update.rows);
            table->listing = std::move(update.listing);
            table->settlesAt = update.settlesAt;
            result->reread = std::move(update.reread);
            result->changed = std::move(update.changed);
            result->nodesKept = update.nodesKept;
            result->table = std::move(table);
        }
        // What a helper thread freed stays with it unless handed back.
        platform::releaseFreedMemory();
        promise.addResult(result);
    };

    auto *watcher = new QFutureWatcher<std::shared_ptr<LookResult>>(this);
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this, [this, watcher, generation, look](int value) {
        if (generation != generation_)
            return;
        heardFromFolder();
        if (look != Look::Check)
            emit progress(value, watcher->progressMaximum() + 1);
    });
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, look] {
        watcher->deleteLater();
        const QFuture<std::shared_ptr<LookResult>> future = watcher->future();
        // A look that was stopped has no result; it was dropped when it was stopped.
        if (future.resultCount() == 0) {
            if (generation == generation_) {
                looking_ = false;
                startNextLook();
            }
            return;
        }
        lookEnded(generation, look, future.result());
    });
    lookClock_.start();
    quiet_->start(kNotAnsweringMSecs);
    watcher->setFuture(QtConcurrent::run(&jobPool(), std::move(work)));
}

void FolderSession::heardFromFolder()
{
    if (looking_)
        quiet_->start(kNotAnsweringMSecs);
    if (health_ == FolderHealth::NotAnswering)
        setHealth(FolderHealth::Answering);
}

void FolderSession::lookEnded(quint64 generation, Look look, const std::shared_ptr<LookResult> &result)
{
    if (generation != generation_)
        return;
    looking_ = false;
    quiet_->stop();
    setHealth(result->health);
    // The periodic look is a listing: its time, not that of reading files, sets the pace.
    if (result->listingMSecs)
        watch_->lookTook(*result->listingMSecs);
    if (result->table) {
        table_ = result->table;
        if (!result->reread.empty())
            emit rowsRead(table_, result->reread);
        if (look == Look::Open || !result->reread.empty() || !result->nodesKept) {
            TableChange change;
            change.kind = look == Look::Open ? TableChange::Opened : TableChange::Refreshed;
            change.table = table_;
            change.changed = keysAt(*table_, result->changed);
            change.reread = keysAt(*table_, result->reread);
            change.nodesKept = result->nodesKept;
            emit tableChanged(change);
        }
        // The pane's learner was read anew: its runs are loaded again.
        if (!shownKey_.isEmpty()
            && std::any_of(result->reread.begin(), result->reread.end(),
                           [&](std::size_t i) { return table_->rows[i].key == shownKey_; }))
            loadShownHistory();
    }
    settleLater();
    std::vector<std::function<void()>> waiting;
    waiting.swap(afterLook_);
    for (const auto &call : waiting)
        call();
    startNextLook();
}

void FolderSession::startNextLook()
{
    if (looking_)
        return;
    if (nextLook_) {
        const Look look = *nextLook_;
        nextLook_.reset();
        startLook(table_ || look != Look::Check ? look : Look::Open);
        return;
    }
    maybeIdle();
}

void FolderSession::settleLater()
{
    // A folder not followed stands still until it is asked to look.
    if (!following_ || !table_ || !table_->settlesAt) {
        settle_->stop();
        return;
    }
    const qint64 wait = *table_->settlesAt - QDateTime::currentMSecsSinceEpoch();
    settle_->start(int(std::clamp<qint64>(wait, 0, 60000)));
}

void FolderSession::setHealth(FolderHealth health)
{
    if (health == health_)
        return;
    health_ = health;
    emit healthChanged(health);
}

void FolderSession::maybeIdle()
{
    if (!busy())
        emit idle();
}

// ---------------------------------------------------------------- a pane's runs

void FolderSession::showHistory(const QString &key)
{
    // The same file again: it is loaded or on its way, and loaded anew when a look reads it.
    if (key == shownKey_)
        return;
    shownKey_ = key;
    shownHistory_.reset();
    ++historyGeneration_;
    historyLoading_ = false;
    if (!key.isEmpty())
        loadShownHistory();
    else
        maybeIdle();
}

void FolderSession::loadShownHistory()
{
    const quint64 generation = ++historyGeneration_;
    historyLoading_ = true;
    const QString key = shownKey_;
    QtConcurrent::run(&jobPool(),
                      [path = recordFolderPath(folder_, key)]() -> std::shared_ptr<const LoadedHistory> {
                          auto loaded = LoadedHistory::read(path);
                          if (!loaded)
                              return nullptr;
                          return std::make_shared<const LoadedHistory>(std::move(*loaded));
                      })
        .then(this, [this, generation, key](std::shared_ptr<const LoadedHistory> loaded) {
            if (generation != historyGeneration_)
                return;
            historyLoading_ = false;
            shownHistory_ = std::move(loaded);
            emit historyLoaded(key);
            maybeIdle();
        });
}

std::shared_ptr<const LoadedHistory> FolderSession::history(const QString &key) const
{
    return key == shownKey_ ? shownHistory_ : nullptr;
}

bool FolderSession::historyPending(const QString &key) const
{
    return key == shownKey_ && historyLoading_ && !shownHistory_;
}

// ---------------------------------------------------------------- figures, learners, deletion

void FolderSession::requestGroupFigures(int shown,
                                        std::function<void(const GroupStatistics &, const GroupCollections &)> done)
{
    afterLook_.push_back([this, shown, done] {
        static const std::vector<TableRow> none;
        const std::vector<TableRow> &rows = table_ ? table_->rows : none;
        const GroupStatistics figures = computeAllGroups(rows, shown);
        const GroupView view = table_ ? viewOfGroup(table_->scan, rows, shown) : GroupView{};
        done(figures, view.collections);
    });
    // The figures are those of the folder now: a look that began before this was asked
    // does not serve.
    if (looking_)
        nextLook_ = nextLook_.value_or(Look::Check);
    else
        startLook(table_ ? Look::Check : Look::Open);
}

void FolderSession::loadLearners(const QStringList &names, std::function<void(std::vector<LearnerRecord>)> done)
{
    run<std::vector<LearnerRecord>>(
        [folder = folder_, names] {
            std::vector<LearnerRecord> learners(std::size_t(names.size()));
            forEachFile(learners.size(), [&](std::size_t i) { learners[i] = loadLearnerRecord(folder, names[qsizetype(i)]); });
            return learners;
        },
        std::move(done));
}

void FolderSession::forget(const QStringList &keys)
{
    if (!table_ || keys.isEmpty())
        return;
    const QSet<QString> gone(keys.begin(), keys.end());
    auto table = std::make_shared<FolderTable>(*table_);
    const auto goneRow = [&](const TableRow &row) { return gone.contains(row.key); };
    table->rows.erase(std::remove_if(table->rows.begin(), table->rows.end(), goneRow), table->rows.end());
    auto &nodes = table->scan.nodes;
    nodes.erase(std::remove_if(nodes.begin(), nodes.end(), [&](const TreeNode &n) { return gone.contains(n.key); }),
                nodes.end());
    table->scan.statusText = fileCountText(std::int64_t(nodes.size()));
    auto &listing = table->listing;
    listing.erase(std::remove_if(listing.begin(), listing.end(),
                                 [&](const ListedFile &f) { return gone.contains(f.name); }),
                  listing.end());
    table_ = std::move(table);
    // A look under way may have listed the files before they went: it is dropped, and the
    // folder looked at again.
    if (looking_) {
        stop_->store(true);
        startLook(Look::Check);
    }
}

} // namespace qel
