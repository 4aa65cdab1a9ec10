#include "records/folderwatch.h"

#include <QDateTime>
#include <QDir>
#include <QFileSystemWatcher>
#include <QSet>
#include <algorithm>

namespace qel {

namespace {
// Notices that come closer together than this are one burst.
constexpr int kQuietMSecs = 200;
// A burst that goes on is taken up after this long anyway.
constexpr qint64 kBurstLimitMSecs = 1000;
constexpr int kFastestCheckMSecs = 1000;
constexpr int kSlowestCheckMSecs = 60000;
// A check may take one part in this many of the time between checks.
constexpr qint64 kCheckShare = 60;
// Each watched file holds a notice handle of the system's limited supply.
constexpr std::size_t kMostWatchedFiles = 20000;
}

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent), notices_(new QFileSystemWatcher(this))
{
    lister_.setMaxThreadCount(1);
    poll_.setSingleShot(true);
    quiet_.setSingleShot(true);
    connect(&poll_, &QTimer::timeout, this, &FolderWatch::poll);
    connect(&quiet_, &QTimer::timeout, this, [this] {
        if (watching_)
            emit changed();
    });
    connect(notices_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noticed);
    connect(notices_, &QFileSystemWatcher::fileChanged, this, &FolderWatch::noticed);
}

FolderWatch::~FolderWatch()
{
    // A listing under way posts its result to this object: it must end first.
    lister_.waitForDone();
}

void FolderWatch::watch(const QString &folder, int group, FolderListing listing, std::optional<qint64> settlesAt)
{
    if (folder != folder_ || !watching_) {
        stop();
        folder_ = folder;
        if (!folder.isEmpty())
            notices_->addPath(folder);
    }
    group_ = group;
    watchFiles(listing);
    listing_ = std::move(listing);
    settlesAt_ = settlesAt;
    watching_ = true;
    ++generation_;
    poll_.start(interval_);
}

void FolderWatch::stop()
{
    watching_ = false;
    ++generation_;
    poll_.stop();
    quiet_.stop();
    const QStringList watched = notices_->files() + notices_->directories();
    if (!watched.isEmpty())
        notices_->removePaths(watched);
    listing_ = {};
}

int FolderWatch::watchedFiles() const
{
    return int(notices_->files().size());
}

void FolderWatch::watchFiles(const FolderListing &listing)
{
    const QStringList watched = notices_->files();
    if (listing.size() > kMostWatchedFiles) {
        if (!watched.isEmpty())
            notices_->removePaths(watched);
        return;
    }
    QSet<QString> wanted;
    wanted.reserve(qsizetype(listing.size()));
    const QDir dir(folder_);
    for (const ListedFile &file : listing)
        wanted.insert(dir.filePath(file.name));
    QStringList gone;
    for (const QString &path : watched)
        if (!wanted.remove(path))
            gone << path;
    if (!gone.isEmpty())
        notices_->removePaths(gone);
    // A file the system will not watch (its supply used up) is left to the checks.
    if (!wanted.isEmpty())
        notices_->addPaths(QStringList(wanted.cbegin(), wanted.cend()));
}

void FolderWatch::noticed()
{
    if (!watching_)
        return;
    if (!quiet_.isActive())
        burst_.start();
    if (burst_.elapsed() < kBurstLimitMSecs)
        quiet_.start(kQuietMSecs);
}

void FolderWatch::poll()
{
    if (!watching_ || listingAway_)
        return;
    // A folder that was missing, or removed and made again, is watched once it is there.
    if (notices_->directories().isEmpty() && !folder_.isEmpty())
        notices_->addPath(folder_);
    listingAway_ = true;
    lister_.start([this, folder = folder_, group = group_, generation = generation_] {
        QElapsedTimer took;
        took.start();
        FolderListing now = listGroupFiles(folder, group);
        const qint64 ms = took.elapsed();
        QMetaObject::invokeMethod(
            this,
            [this, now = std::move(now), ms, generation] {
                listingAway_ = false;
                if (generation == generation_)
                    compare(now, ms);
                else if (watching_)
                    poll_.start(interval_);
            },
            Qt::QueuedConnection);
    });
}

bool FolderWatch::check()
{
    if (!watching_)
        return false;
    QElapsedTimer took;
    took.start();
    const FolderListing now = listGroupFiles(folder_, group_);
    return compare(now, took.elapsed());
}

bool FolderWatch::compare(const FolderListing &now, qint64 tookMSecs)
{
    interval_ = int(std::clamp<qint64>(tookMSecs * kCheckShare, kFastestCheckMSecs, kSlowestCheckMSecs));
    poll_.start(interval_);
    const bool changedFiles = !sameFiles(now, listing_);
    const bool settling = settlesAt_ && QDateTime::currentMSecsSinceEpoch() >= *settlesAt_;
    if (!changedFiles && !settling)
        return false;
    emit changed();
    return true;
}

} // namespace qel
