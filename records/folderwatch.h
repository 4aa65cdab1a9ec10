#pragma once
// Tells when the record files of a group may no longer be what a table was read from: the
// system's notices of names coming and going in the folder and, where it gives them for a
// whole folder, of files written in place; for what notices miss (a file server that sends
// none) a periodic check of the files' identities. Folders are listed away from the
// caller's thread; a burst of changes gives one signal.

#include "records/learnertable.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <optional>

class QFileSystemWatcher;
class QSocketNotifier;

namespace qel {

class FolderWatch : public QObject {
    Q_OBJECT
public:
    // A listing of the watch this old still serves an update (see takeListing).
    static constexpr qint64 kFreshMSecs = 1000;

    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches `group` in `folder`, whose table was read from `listing` and whose first
    // unsettled row settles at `settlesAt` (see TableUpdate). Called again after every
    // update of the table.
    void watch(const QString &folder, int group, FolderListing listing, std::optional<qint64> settlesAt);
    void stop();

    // Lists the folder now, on this thread; true, and `changed` emitted, when its record
    // files differ from the listing the table was read from or an unsettled row can now be
    // read for good.
    bool check();
    // The listing of the check that last found a change, while it is at most `maxAgeMSecs`
    // old and no newer notice has come: an update can start from it instead of listing again.
    std::optional<FolderListing> takeListing(qint64 maxAgeMSecs);
    // Milliseconds between periodic checks: a second, stretched for a large folder so that
    // checking takes a small share of one core.
    int checkInterval() const { return interval_; }

signals:
    void changed();

private:
    void noticed();
    void watchNames();
    void listAway();
    bool compare(FolderListing now, qint64 tookMSecs);
    void openWriteNotices();
    void closeWriteNotices();

    QFileSystemWatcher *names_ = nullptr;
    std::intptr_t writes_ = -1; // the platform's notices of writes, where it has them
    QSocketNotifier *writesReady_ = nullptr;
    QThreadPool lister_;
    QTimer poll_;
    QTimer quiet_;
    QElapsedTimer burst_;
    QString folder_;
    int group_ = AllGroup;
    FolderListing listing_;
    std::optional<qint64> settlesAt_;
    bool watching_ = false;
    // The system would not watch the folder though it was there (no notices left, say).
    bool namesRefused_ = false;
    bool listingAway_ = false;
    bool noticedSince_ = false; // a notice came after the listing under way began
    quint64 generation_ = 0;    // a listing begun before the last watch() is out of date
    int interval_ = 1000;
    std::optional<FolderListing> found_;
    QElapsedTimer foundAge_;
};

} // namespace qel
