#include "records/platform.h"

#include "records/filenames.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace qel::platform {

namespace {

FileIdentity identityOf(const struct stat &status)
{
#ifdef Q_OS_DARWIN
    const timespec &modified = status.st_mtimespec;
    const timespec &changed = status.st_ctimespec;
#else
    const timespec &modified = status.st_mtim;
    const timespec &changed = status.st_ctim;
#endif
    constexpr qint64 kNano = 1000000000;
    FileIdentity identity;
    identity.size = qint64(status.st_size);
    identity.modified = qint64(modified.tv_sec) * kNano + modified.tv_nsec;
    identity.changed = qint64(changed.tv_sec) * kNano + changed.tv_nsec;
    identity.device = quint64(status.st_dev);
    identity.fileId = quint64(status.st_ino);
    return identity;
}

// The exact bytes of a path held as a file name.
QByteArray native(const QString &path)
{
    return fileNameToBytes(path);
}

} // namespace

bool openRegularFile(const QString &path, std::intptr_t &handle, FileIdentity &identity, QString *error,
                     bool *missing)
{
    if (missing)
        *missing = false;
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
    const QByteArray name = native(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (missing)
            *missing = errno == ENOENT || errno == ENOTDIR;
        if (error)
            *error = qt_error_string(errno);
        return false;
    }
    // Judge the handle, not the name: the name may have been swapped since it was listed.
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        if (error)
            *error = QStringLiteral("not a regular file");
        return false;
    }
    identity = identityOf(status);
    handle = fd;
    return true;
}

qint64 readFile(std::intptr_t handle, char *data, qint64 maxSize, QString *error)
{
    ssize_t got = -1;
    do {
        got = ::read(int(handle), data, size_t(std::min<qint64>(maxSize, SSIZE_MAX)));
    } while (got < 0 && errno == EINTR);
    if (got < 0 && error)
        *error = qt_error_string(errno);
    return qint64(got);
}

void closeFile(std::intptr_t handle)
{
    ::close(int(handle));
}

ListingStatus listFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
                        std::vector<ListedFile> &entries, bool identities)
{
    const auto failed = [](int code) {
        const bool gone = code == ENOENT || code == ENOTDIR;
        return ListingStatus{gone ? ListingStatus::FolderMissing : ListingStatus::Failed, qt_error_string(code)};
    };
    DIR *dir = folder.isEmpty() ? nullptr : ::opendir(native(folder).constData());
    if (!dir)
        return failed(folder.isEmpty() ? ENOENT : errno);
    const int dirFd = ::dirfd(dir);
    ListingStatus status;
    for (std::size_t read = 0;; ++read) {
        if (const int fault = injectedListingFault(folder, read)) {
            status = failed(fault);
            break;
        }
        // Only readdir's own errno tells a cut listing; a stat below may leave ENOENT.
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            if (errno != 0)
                status = failed(errno);
            break;
        }
        unsigned char type = DT_UNKNOWN;
#ifdef _DIRENT_HAVE_D_TYPE
        type = entry->d_type;
#endif
        // FIFOs, devices and sockets themselves are never listed; a link to one is, and its
        // read then finds it no regular file.
        if (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN)
            continue;
        const QByteArray bytes(entry->d_name);
        if (bytes == "." || bytes == "..")
            continue;
        const QString name = fileNameFromBytes(bytes);
        if (wanted && !wanted(name))
            continue;
        if (type == DT_REG && !identities) {
            entries.push_back({name, {}});
            continue;
        }
        struct stat info {};
        if (type == DT_UNKNOWN
            && (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0
                || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))))
            continue;
        if (::fstatat(dirFd, entry->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode))
            continue;
        entries.push_back({name, identityOf(info)});
    }
    ::closedir(dir);
    return status;
}

bool identifyFile(const QString &path, FileIdentity &identity)
{
    struct stat status {};
    if (::stat(native(path).constData(), &status) != 0 || S_ISDIR(status.st_mode))
        return false;
    identity = identityOf(status);
    return true;
}

#ifdef Q_OS_LINUX
std::intptr_t openWriteNotices(const QString &folder)
{
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::inotify_add_watch(fd, native(folder).constData(),
                            IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR)
        < 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool drainWriteNotices(std::intptr_t handle)
{
    alignas(struct inotify_event) char buffer[16384];
    bool folderThere = true;
    for (;;) {
        const ssize_t got = ::read(int(handle), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return folderThere && (got == 0 || errno == EAGAIN || errno == EWOULDBLOCK);
        for (ssize_t at = 0; at < got;) {
            const auto *event = reinterpret_cast<const struct inotify_event *>(buffer + at);
            if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED))
                folderThere = false;
            at += ssize_t(sizeof(struct inotify_event) + event->len);
        }
    }
}

void closeWriteNotices(std::intptr_t handle)
{
    ::close(int(handle));
}
#else
std::intptr_t openWriteNotices(const QString &)
{
    return -1;
}

bool drainWriteNotices(std::intptr_t)
{
    return false;
}

void closeWriteNotices(std::intptr_t) {}
#endif

void releaseFreedMemory()
{
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
}

bool fileExists(const QString &path)
{
    struct stat status {};
    return ::lstat(native(path).constData(), &status) == 0;
}

bool removeFile(const QString &path, QString *error, bool *missing)
{
    const bool removed = ::unlink(native(path).constData()) == 0;
    if (missing)
        *missing = !removed && errno == ENOENT;
    if (!removed && error)
        *error = qt_error_string(errno);
    return removed;
}

} // namespace qel::platform
