#include "records/folderwatch.h"

#include "records/platform.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
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
}

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent), names_(new QFileSystemWatcher(this))
{
    lister_.setMaxThreadCount(1);
    poll_.setSingleShot(true);
    quiet_.setSingleShot(true);
    connect(&poll_, &QTimer::timeout, this, &FolderWatch::listAway);
    connect(&quiet_, &QTimer::timeout, this, &FolderWatch::listAway);
    connect(names_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noticed);
}

FolderWatch::~FolderWatch()
{
    // A listing under way posts its result to this object: it must end first.
    lister_.waitForDone();
    closeWriteNotices();
}

void FolderWatch::watch(const QString &folder, int group, FolderListing listing, std::optional<qint64> settlesAt)
{
    if (folder != folder_ || !watching_) {
        stop();
        folder_ = folder;
        namesRefused_ = false;
        watchNames();
        openWriteNotices();
    }
    group_ = group;
    listing_ = std::move(listing);
    settlesAt_ = settlesAt;
    found_.reset();
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
    if (!names_->directories().isEmpty())
        names_->removePaths(names_->directories());
    closeWriteNotices();
    listing_ = {};
    found_.reset();
}

void FolderWatch::openWriteNotices()
{
    if (writes_ != -1 || folder_.isEmpty())
        return;
    writes_ = platform::openWriteNotices(folder_);
    if (writes_ == -1)
        return;
    writesReady_ = new QSocketNotifier(qintptr(writes_), QSocketNotifier::Read, this);
    connect(writesReady_, &QSocketNotifier::activated, this, [this] {
        if (!platform::drainWriteNotices(writes_))
            closeWriteNotices(); // the folder went; the checks look for it again
        noticed();
    });
}

void FolderWatch::closeWriteNotices()
{
    delete writesReady_;
    writesReady_ = nullptr;
    if (writes_ != -1)
        platform::closeWriteNotices(writes_);
    writes_ = -1;
}

void FolderWatch::noticed()
{
    if (!watching_)
        return;
    noticedSince_ = true;
    found_.reset();
    if (!quiet_.isActive())
        burst_.start();
    if (burst_.elapsed() < kBurstLimitMSecs)
        quiet_.start(kQuietMSecs);
}

// A folder that is missing, or was removed and made again, is watched once it is there. One
// the system refuses to watch is asked for again only after it has gone: Qt warns at each
// refusal, and with the system's notices used up that would be at every check.
void FolderWatch::watchNames()
{
    if (folder_.isEmpty() || !names_->directories().isEmpty())
        return;
    if (!QFileInfo(folder_).isDir()) {
        namesRefused_ = false;
        return;
    }
    if (!namesRefused_)
        namesRefused_ = !names_->addPath(folder_);
}

void FolderWatch::listAway()
{
    if (!watching_)
        return;
    if (listingAway_) {
        // The listing under way may have missed what the notice was about: another follows.
        return;
    }
    watchNames();
    openWriteNotices();
    listingAway_ = true;
    noticedSince_ = false;
    lister_.start([this, folder = folder_, group = group_, generation = generation_] {
        QElapsedTimer took;
        took.start();
        FolderListing now = listGroupFiles(folder, group);
        const qint64 ms = took.elapsed();
        QMetaObject::invokeMethod(
            this,
            [this, now = std::move(now), ms, generation]() mutable {
                listingAway_ = false;
                if (generation == generation_)
                    compare(std::move(now), ms);
                if (watching_ && noticedSince_)
                    listAway();
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
    FolderListing now = listGroupFiles(folder_, group_);
    return compare(std::move(now), took.elapsed());
}

std::optional<FolderListing> FolderWatch::takeListing(qint64 maxAgeMSecs)
{
    std::optional<FolderListing> taken;
    if (found_ && foundAge_.elapsed() <= maxAgeMSecs)
        taken = std::move(found_);
    found_.reset();
    return taken;
}

bool FolderWatch::compare(FolderListing now, qint64 tookMSecs)
{
    interval_ = int(std::clamp<qint64>(tookMSecs * kCheckShare, kFastestCheckMSecs, kSlowestCheckMSecs));
    poll_.start(interval_);
    const bool changedFiles = !sameFiles(now, listing_);
    const bool settling = settlesAt_ && QDateTime::currentMSecsSinceEpoch() >= *settlesAt_;
    if (!changedFiles && !settling)
        return false;
    found_ = std::move(now);
    foundAge_.start();
    emit changed();
    return true;
}

} // namespace qel
