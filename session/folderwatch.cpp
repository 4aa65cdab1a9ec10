#include "session/folderwatch.h"

#include "records/platform.h"

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
// A look may take one part in this many of the time between periodic looks.
constexpr qint64 kCheckShare = 60;
}

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent), names_(new QFileSystemWatcher(this))
{
    poll_.setSingleShot(true);
    quiet_.setSingleShot(true);
    connect(&poll_, &QTimer::timeout, this, &FolderWatch::fire);
    connect(&quiet_, &QTimer::timeout, this, &FolderWatch::fire);
    connect(names_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noticed);
}

FolderWatch::~FolderWatch()
{
    closeWriteNotices();
}

void FolderWatch::watch(const QString &folder)
{
    if (folder != folder_ || !watching_) {
        stop();
        folder_ = folder;
        watching_ = true;
        namesRefused_ = false;
        ensureNotices();
    }
    poll_.start(interval_);
}

void FolderWatch::stop()
{
    watching_ = false;
    poll_.stop();
    quiet_.stop();
    if (!names_->directories().isEmpty())
        names_->removePaths(names_->directories());
    closeWriteNotices();
}

void FolderWatch::lookTook(qint64 msecs)
{
    interval_ = int(std::clamp<qint64>(msecs * kCheckShare, kFastestCheckMSecs, kSlowestCheckMSecs));
    if (watching_)
        poll_.start(interval_);
}

// A folder that is missing, or was removed and made again, is watched once it is there. One
// the system refuses to watch is asked for again only after it has gone: Qt warns at each
// refusal, and with the system's notices used up that would be at every tick.
void FolderWatch::ensureNotices()
{
    if (!watching_ || folder_.isEmpty())
        return;
    if (names_->directories().isEmpty()) {
        if (!QFileInfo(folder_).isDir())
            namesRefused_ = false;
        else if (!namesRefused_)
            namesRefused_ = !names_->addPath(folder_);
    }
    openWriteNotices();
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
            closeWriteNotices(); // the folder went; the ticks look for it again
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
    if (!quiet_.isActive())
        burst_.start();
    if (burst_.elapsed() < kBurstLimitMSecs)
        quiet_.start(kQuietMSecs);
}

void FolderWatch::fire()
{
    if (!watching_)
        return;
    quiet_.stop();
    ensureNotices();
    poll_.start(interval_);
    emit due();
}

} // namespace qel
