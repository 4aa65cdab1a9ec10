#pragma once
// One RecordFolder as a viewer follows it: the listing, the tree nodes and list rows of all
// learners, the unreadable files, the folder watch and when to look again. Every file access
// of the folder runs on worker threads; what they find comes back to the owner's thread
// whole, through one signal per kind of result. The window and `qelviewer-cli watch` both
// follow their folder through it.

#include "records/groupstats.h"
#include "records/learnertable.h"
#include "records/loadedhistory.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThreadPool;

namespace qel {

class FolderWatch;

// The folder as last read whole: the group of all learners. A group's view is a part of it
// (viewOfGroup).
struct FolderTable {
    QString folder;
    ScanResult scan;
    std::vector<TableRow> rows; // one per node of the scan, in its order
    FolderListing listing;      // what the rows were read from, for the next look
    std::optional<qint64> settlesAt;
};

// The rows at these places (as `rowsRead` names them), for a journal.
std::vector<TableRow> rowsAt(const FolderTable &table, const std::vector<std::size_t> &at);

// How the folder answered the last look.
enum class FolderHealth {
    Answering,
    NotAnswering, // a look has waited this long without a file answering
    Missing,      // the folder is not there (renamed, deleted, unmounted)
    Unreadable,   // the folder is there but could not be listed to its end
};

struct TableChange {
    enum Kind {
        Opened,    // a folder read from the start: the views start afresh
        Refreshed, // files came, went or changed: the views keep their place
    };
    Kind kind = Opened;
    std::shared_ptr<const FolderTable> table;
    std::vector<QString> changed; // rows new to the table or whose texts changed
    std::vector<QString> reread;  // rows read anew
    bool nodesKept = false;       // the same record files as before
};

class FolderSession : public QObject {
    Q_OBJECT
public:
    explicit FolderSession(QObject *parent = nullptr);
    // Returns at once: work still waiting on a file server is left to end on its own, and
    // what it finds is dropped.
    ~FolderSession() override;

    // Reads `folder` from the start; `tableChanged` (Opened) follows. Work on an earlier
    // folder is dropped.
    void open(const QString &folder);
    const QString &folder() const { return folder_; }
    // The table as last read; empty until the first read of the folder has ended.
    std::shared_ptr<const FolderTable> table() const { return table_; }

    // Looks at the folder now and reads what changed (every file when `everything`).
    void refresh(bool everything = false);
    // Follows the folder as it changes: notices, periodic looks ("自動更新").
    void setFollowing(bool on);
    bool following() const { return following_; }
    FolderHealth health() const { return health_; }
    // True while a look or read of the table is under way or waiting to start.
    bool busy() const;

    // The record file whose runs a pane draws: loaded away from this thread, loaded again
    // whenever a look reads it anew; `historyLoaded` tells when it is in. Empty: none.
    void showHistory(const QString &key);
    // The runs of `key` as last loaded: nothing while loading or when the file could not
    // be read (historyFailed then tells).
    std::shared_ptr<const LoadedHistory> history(const QString &key) const;
    bool historyPending(const QString &key) const;

    // The figures of the three groups as the folder holds them now (the folder is looked at
    // first); `done` gets them with the collections of `shown` on this thread.
    void requestGroupFigures(int shown, std::function<void(const GroupStatistics &, const GroupCollections &)> done);

    // Runs file work of this folder away from this thread; `done` gets its result here, or
    // never when the session goes first.
    template <typename Result>
    void run(std::function<Result()> work, std::function<void(Result)> done)
    {
        ++pendingJobs_;
        QtConcurrent::run(&jobPool(), std::move(work)).then(this, [this, done = std::move(done)](Result result) {
            --pendingJobs_;
            done(std::move(result));
            maybeIdle();
        });
    }
    // The same for longer work that says how far it has come: `report(value, maximum)` on
    // the worker, `progress(value, maximum)` here.
    using Report = std::function<void(int value, int maximum)>;
    template <typename Result>
    void runReporting(std::function<Result(const Report &report)> work, std::function<void(int, int)> progress,
                      std::function<void(Result)> done)
    {
        ++pendingJobs_;
        auto *watcher = new QFutureWatcher<Result>(this);
        connect(watcher, &QFutureWatcherBase::progressValueChanged, this,
                [watcher, progress](int value) { progress(value, watcher->progressMaximum()); });
        connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, done] {
            watcher->deleteLater();
            --pendingJobs_;
            if (watcher->future().resultCount() > 0)
                done(watcher->future().result());
            maybeIdle();
        });
        watcher->setFuture(QtConcurrent::run(&jobPool(), [work](QPromise<Result> &promise) {
            promise.addResult(work([&promise](int value, int maximum) {
                promise.setProgressRange(0, maximum);
                promise.setProgressValue(value);
            }));
        }));
    }
    // Learners' summaries and runs for the properties and the printouts.
    void loadLearners(const QStringList &names, std::function<void(std::vector<LearnerRecord>)> done);

    // Record files the window deleted: their rows leave the table without a look.
    void forget(const QStringList &keys);

    // How long a look may go without a file answering before the folder counts as not
    // answering.
    static constexpr int kNotAnsweringMSecs = 3000;

signals:
    void tableChanged(const qel::TableChange &change);
    // Rows read from their files (Opened: all of them), for whoever keeps a journal.
    void rowsRead(std::shared_ptr<const qel::FolderTable> table, const std::vector<std::size_t> &reread);
    // How far the read under way has come: value of maximum (maximum counts one more).
    void progress(int value, int maximum);
    void healthChanged(qel::FolderHealth health);
    void historyLoaded(const QString &key);
    // Nothing is under way or waiting any more.
    void idle();

private:
    enum class Look { Open, Check, Everything };
    struct LookResult;
    static QThreadPool &jobPool();

    void startLook(Look look);
    void lookEnded(quint64 generation, Look look, const std::shared_ptr<LookResult> &result);
    void startNextLook();
    void setHealth(FolderHealth health);
    void heardFromFolder();
    void settleLater();
    void loadShownHistory();
    void maybeIdle();

    QString folder_;
    std::shared_ptr<const FolderTable> table_;
    FolderWatch *watch_ = nullptr;
    bool following_ = false;
    FolderHealth health_ = FolderHealth::Answering;

    // The look under way, and what waits for it to end.
    quint64 generation_ = 0;
    bool looking_ = false;
    std::optional<Look> nextLook_;
    std::shared_ptr<std::atomic<bool>> stop_;
    QTimer *quiet_ = nullptr;  // no file has answered for kNotAnsweringMSecs
    QTimer *settle_ = nullptr; // an unsettled row can be read for good
    QElapsedTimer lookClock_;
    std::vector<std::function<void()>> afterLook_;

    QString shownKey_;
    std::shared_ptr<const LoadedHistory> shownHistory_;
    std::optional<FileIdentity> shownIdentity_;
    quint64 historyGeneration_ = 0;
    bool historyLoading_ = false;
    int pendingJobs_ = 0;
};

} // namespace qel

Q_DECLARE_METATYPE(qel::TableChange)
Q_DECLARE_METATYPE(qel::FolderHealth)
