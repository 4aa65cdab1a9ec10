#include "records/platform.h"

#include "records/cp932.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qel::platform {

namespace {

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

// A regular file, or a link that leads to something other than a folder: a link that
// leads to a FIFO or a device is listed, and its row then shows it unreadable.
bool isListed(const QByteArray &path, unsigned char type)
{
    if (type == DT_REG)
        return true;
    struct stat status {};
    if (type == DT_UNKNOWN) {
        if (::lstat(path.constData(), &status) != 0)
            return false;
        if (S_ISREG(status.st_mode))
            return true;
        if (!S_ISLNK(status.st_mode))
            return false;
    } else if (type != DT_LNK) {
        return false;
    }
    return ::stat(path.constData(), &status) == 0 && !S_ISDIR(status.st_mode);
}

} // namespace

bool openRegularFile(QFile &file, const QString &path, QDateTime &modified, QString *error, bool *missing)
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
#ifdef Q_OS_DARWIN
    const timespec &time = status.st_mtimespec;
#else
    const timespec &time = status.st_mtim;
#endif
    modified = QDateTime::fromMSecsSinceEpoch(qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000, Qt::UTC);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (error)
            *error = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

bool listRegularFiles(const QString &folder, const std::function<bool(const QString &)> &wanted,
                      QStringList &names)
{
    const QByteArray native = utf8Name(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return false;
    const QByteArray prefix = native.endsWith('/') ? native : native + '/';
    bool complete = true;
    for (;;) {
        // Only readdir's own errno tells a cut listing; a stat below may leave ENOENT.
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            complete = errno == 0;
            break;
        }
        const QByteArray bytes(entry->d_name);
        if (bytes == "." || bytes == "..")
            continue;
        const QString name = decodeFileName(bytes);
        if (wanted && !wanted(name))
            continue;
        if (isListed(prefix + bytes, entry->d_type))
            names << name;
    }
    ::closedir(dir);
    return complete;
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
