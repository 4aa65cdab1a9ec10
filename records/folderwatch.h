#pragma once
// Tells when the record files of a group may no longer be what a table was read from: the
// system's change notices on the folder and on each record file, and for what notices miss
// (a file server that sends none) a periodic check of the files' identities, listed away
// from the caller's thread. A burst of changes gives one signal.

#include "records/learnertable.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <optional>

class QFileSystemWatcher;

namespace qel {

class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches `group` in `folder`, whose table was read from `listing` and whose first
    // unsettled row settles at `settlesAt` (see TableUpdate). Called again after every
    // update of the table.
    void watch(const QString &folder, int group, FolderListing listing, std::optional<qint64> settlesAt);
    void stop();
    bool watching() const { return watching_; }

    // Lists the folder now, on this thread; true, and `changed` emitted, when its record
    // files differ from the listing the table was read from or an unsettled row can now be
    // read for good.
    bool check();
    // Milliseconds between periodic checks: a second, stretched for a large folder so that
    // checking takes a small share of one core.
    int checkInterval() const { return interval_; }
    // The record files watched one by one (up to a limit; beyond it the checks alone serve).
    int watchedFiles() const;

signals:
    void changed();

private:
    void noticed();
    void poll();
    bool compare(const FolderListing &now, qint64 tookMSecs);
    void watchFiles(const FolderListing &listing);

    QFileSystemWatcher *notices_ = nullptr;
    QThreadPool lister_;
    QTimer poll_;
    QTimer quiet_;
    QElapsedTimer burst_;
    QString folder_;
    int group_ = AllGroup;
    FolderListing listing_;
    std::optional<qint64> settlesAt_;
    bool watching_ = false;
    bool listingAway_ = false;
    quint64 generation_ = 0; // a listing started before the last watch() is out of date
    int interval_ = 1000;
};

} // namespace qel
