#include "records/platform.h"

#include "records/cp932.h"

#include <QFile>

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

QByteArray utf8Name(const QString &path)
{
    return QFile::encodeName(path);
}

// The same path with its last part in code page 932; nothing where that gives the same
// bytes (a name in ASCII) or a character has no such form.
std::optional<QByteArray> cp932Name(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    bool ascii = true;
    for (QChar c : name)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return std::nullopt;
    const auto bytes = toCp932Exactly(name);
    if (!bytes)
        return std::nullopt;
    return utf8Name(path.left(slash + 1)) + *bytes;
}

// Runs `call` on the path's UTF-8 bytes and, when that name is missing, on its code page
// 932 bytes; what the call returns, with errno as it left it.
template <typename Call>
auto byEitherName(const QString &path, Call call)
{
    auto result = call(utf8Name(path));
    if (result < 0 && errno == ENOENT) {
        if (const auto other = cp932Name(path)) {
            auto second = call(*other);
            if (second >= 0 || errno != ENOENT)
                return second;
            errno = ENOENT;
        }
    }
    return result;
}

} // namespace

bool openRegularFile(const QString &path, std::intptr_t &handle, FileIdentity &identity, QString *error,
                     bool *missing)
{
    if (missing)
        *missing = false;
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
    const int fd = byEitherName(path, [](const QByteArray &native) {
        int opened = -1;
        do {
            opened = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        } while (opened < 0 && errno == EINTR);
        return opened;
    });
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

bool listFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
               std::vector<ListedFile> &entries, bool identities)
{
    DIR *dir = ::opendir(utf8Name(folder).constData());
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir);
    bool complete = true;
    for (;;) {
        // Only readdir's own errno tells a cut listing; a stat below may leave ENOENT.
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            complete = errno == 0;
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
        const QString name = decodeFileName(bytes);
        if (wanted && !wanted(name))
            continue;
        if (type == DT_REG && !identities) {
            entries.push_back({name, {}});
            continue;
        }
        struct stat status {};
        if (type == DT_UNKNOWN
            && (::fstatat(dirFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0
                || !(S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))))
            continue;
        if (::fstatat(dirFd, entry->d_name, &status, 0) != 0 || S_ISDIR(status.st_mode))
            continue;
        entries.push_back({name, identityOf(status)});
    }
    ::closedir(dir);
    return complete;
}

bool identifyFile(const QString &path, FileIdentity &identity)
{
    struct stat status {};
    if (byEitherName(path, [&](const QByteArray &native) { return ::stat(native.constData(), &status); }) != 0
        || S_ISDIR(status.st_mode))
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
    if (::inotify_add_watch(fd, QFile::encodeName(folder).constData(),
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
    return byEitherName(path, [&](const QByteArray &native) { return ::lstat(native.constData(), &status); }) == 0;
}

bool makeNameReachable(const QString &path)
{
    struct stat status {};
    const QByteArray utf8 = utf8Name(path);
    if (::lstat(utf8.constData(), &status) == 0)
        return true;
    const auto old = cp932Name(path);
    if (!old || ::lstat(old->constData(), &status) != 0)
        return false;
    // A link keeps the old name where the new one is taken, so nothing is overwritten.
    if (::link(old->constData(), utf8.constData()) == 0) {
        if (::unlink(old->constData()) == 0)
            return true;
        ::unlink(utf8.constData());
        return false;
    }
    if (errno == EEXIST)
        return false;
    // Where the file system has no hard links, a rename after checking the name is free.
    return ::lstat(utf8.constData(), &status) != 0 && errno == ENOENT
           && ::rename(old->constData(), utf8.constData()) == 0;
}

} // namespace qel::platform
