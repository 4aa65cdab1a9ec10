// The freedesktop.org trash, of our own: Qt's reaches a file by its
// UTF-8 name only, and copies a file it cannot rename. Here a file goes by a rename alone,
// under its own bytes, into the home trash when that lies on the file's device, else into the
// trash of the file's partition ($topdir/.Trash/$uid or $topdir/.Trash-$uid).

#include "records/platform.h"

#include "records/filenames.h"

#include <QDateTime>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qel::platform {

namespace {

QByteArray native(const QString &path)
{
    return fileNameToBytes(path);
}

QByteArray parentOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The path with every link and ".." resolved; empty, with errno set, when it cannot be.
QByteArray realPath(const QByteArray &path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.constData(), nullptr), &std::free);
    return resolved ? QByteArray(resolved.get()) : QByteArray();
}

QString failure(const QByteArray &path, int code)
{
    return QStringLiteral("%1: %2").arg(shownPath(fileNameFromBytes(path)), qt_error_string(code));
}

// The home trash: $XDG_DATA_HOME/Trash, else ~/.local/share/Trash.
QByteArray homeTrash()
{
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (!data.startsWith('/')) {
        QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/'))
            if (const passwd *user = ::getpwuid(::getuid()))
                home = user->pw_dir;
        if (!home.startsWith('/'))
            return {};
        data = joined(home, ".local/share");
    }
    return joined(data, "Trash");
}

// The device a path lies on, or would lie on once made: that of the nearest part of it
// that is there.
bool deviceOf(QByteArray path, dev_t &device)
{
    for (;;) {
        struct stat info {};
        if (::stat(path.constData(), &info) == 0) {
            device = info.st_dev;
            return true;
        }
        if (path == "/" || path == ".")
            return false;
        path = parentOf(path);
    }
}

// A folder of our own: there (or made, with `mode`) as a folder, not a link, owned by us.
bool ownFolder(const QByteArray &path, mode_t mode, QString &error)
{
    if (::mkdir(path.constData(), mode) != 0 && errno != EEXIST) {
        error = failure(path, errno);
        return false;
    }
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0) {
        error = failure(path, errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
        error = failure(path, S_ISDIR(info.st_mode) ? EPERM : ENOTDIR);
        return false;
    }
    return true;
}

// Makes the folder and the ones above it that are missing.
bool makeFolders(const QByteArray &path, QString &error)
{
    struct stat info {};
    if (::stat(path.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        error = failure(path, ENOTDIR);
        return false;
    }
    if (errno != ENOENT) {
        error = failure(path, errno);
        return false;
    }
    if (path != "/" && !makeFolders(parentOf(path), error))
        return false;
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        error = failure(path, errno);
        return false;
    }
    return true;
}

// The trash's "files" and "info", on `device`.
bool prepareTrash(const QByteArray &trash, dev_t device, QString &error)
{
    for (const char *part : {"files", "info"}) {
        const QByteArray path = joined(trash, part);
        if (!ownFolder(path, 0700, error))
            return false;
        struct stat info {};
        if (::stat(path.constData(), &info) != 0 || info.st_dev != device) {
            error = failure(path, EXDEV);
            return false;
        }
    }
    return true;
}

// The folder the partition of `path` (on `device`) is mounted at.
QByteArray topFolderOf(QByteArray path, dev_t device)
{
    while (path != "/") {
        const QByteArray parent = parentOf(path);
        struct stat info {};
        if (::stat(parent.constData(), &info) != 0 || info.st_dev != device)
            break;
        path = parent;
    }
    return path;
}

// "%" and two hex digits for every byte but the unreserved ones and "/".
QByteArray percentEncoded(const QByteArray &path)
{
    return path.toPercentEncoding("/");
}

// The name a file takes in the trash at the `attempt`-th try: its own, then with a number
// before the extension. A name too long for the info file's suffix is cut.
QByteArray trashName(const QByteArray &name, int attempt, long longest)
{
    qsizetype dot = name.lastIndexOf('.');
    if (dot <= 0)
        dot = name.size();
    QByteArray stem = name.left(dot);
    QByteArray tail = name.mid(dot);
    if (attempt > 1)
        tail = '.' + QByteArray::number(attempt) + tail;
    const qsizetype room = qsizetype(longest) - qsizetype(sizeof ".trashinfo" - 1) - tail.size();
    if (stem.size() > room)
        stem.truncate(std::max<qsizetype>(room, 1));
    return stem + tail;
}

bool renameNoReplace(const QByteArray &from, const QByteArray &to)
{
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // Where the file system cannot refuse by itself, look first.
    struct stat info {};
    if (::lstat(to.constData(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.constData(), to.constData()) == 0;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

TrashPlace findTrash(const QString &folder)
{
    TrashPlace place;
    const QByteArray real = realPath(native(folder));
    struct stat info {};
    if (real.isEmpty() || ::stat(real.constData(), &info) != 0) {
        const int code = errno;
        place.error = failure(native(folder), code);
        return place;
    }
    const dev_t device = info.st_dev;

    // The home trash takes the files of its own device, and only those.
    const QByteArray home = homeTrash();
    dev_t homeDevice = 0;
    if (!home.isEmpty() && deviceOf(home, homeDevice) && homeDevice == device) {
        if (makeFolders(home, place.error) && prepareTrash(home, device, place.error)) {
            place.available = true;
            place.path = fileNameFromBytes(home);
        }
        return place;
    }

    const QByteArray top = topFolderOf(real, device);
    const QByteArray uid = QByteArray::number(qulonglong(::geteuid()));
    // $topdir/.Trash, made by the administrator: a real folder with the sticky bit.
    const QByteArray shared = joined(top, ".Trash");
    QString error;
    if (::lstat(shared.constData(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX)) {
        const QByteArray own = joined(shared, uid);
        if (ownFolder(own, 0700, error) && prepareTrash(own, device, error)) {
            place.available = true;
            place.path = fileNameFromBytes(own);
            place.relativeTo = fileNameFromBytes(top);
            return place;
        }
    }
    const QByteArray own = joined(top, ".Trash-" + uid);
    if (ownFolder(own, 0700, place.error) && prepareTrash(own, device, place.error)) {
        place.available = true;
        place.path = fileNameFromBytes(own);
        place.relativeTo = fileNameFromBytes(top);
    }
    return place;
}

bool moveToTrash(const QString &path, const TrashPlace &trash, QString *whereNow, QString *error, bool *missing)
{
    if (missing)
        *missing = false;
    const auto fail = [&](int code) {
        if (missing)
            *missing = code == ENOENT;
        if (error)
            *error = qt_error_string(code);
        return false;
    };
    if (!trash.available || trash.path.isEmpty())
        return fail(ENOENT);
    const QByteArray file = native(path);
    struct stat info {};
    if (::lstat(file.constData(), &info) != 0)
        return fail(errno);
    const QByteArray folder = realPath(parentOf(file));
    if (folder.isEmpty())
        return fail(errno);
    const QByteArray name = file.mid(file.lastIndexOf('/') + 1);
    QByteArray original = joined(folder, name);
    if (!trash.relativeTo.isEmpty()) {
        const QByteArray top = native(trash.relativeTo);
        const QByteArray prefix = top.endsWith('/') ? top : top + '/';
        if (original.startsWith(prefix))
            original = original.mid(prefix.size());
    }
    const QByteArray place = native(trash.path);
    const QByteArray description = "[Trash Info]\nPath=" + percentEncoded(original) + "\nDeletionDate="
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1()
                             + '\n';
    long longest = ::pathconf(joined(place, "info").constData(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = 255;
    constexpr int kAttempts = 1000;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const QByteArray entry = trashName(name, attempt, longest);
        const QByteArray infoFile = joined(joined(place, "info"), entry + ".trashinfo");
        // The info file claims the name: whoever trashes by the same rules picks another.
        const int fd = ::open(infoFile.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return fail(errno);
        }
        const bool written = writeAll(fd, description);
        int writeError = errno;
        const bool closed = ::close(fd) == 0;
        if (written && !closed)
            writeError = errno;
        if (!written || !closed) {
            ::unlink(infoFile.constData());
            return fail(writeError);
        }
        const QByteArray target = joined(joined(place, "files"), entry);
        if (renameNoReplace(file, target)) {
            if (whereNow)
                *whereNow = fileNameFromBytes(target);
            return true;
        }
        const int renameError = errno;
        ::unlink(infoFile.constData());
        if (renameError != EEXIST)
            return fail(renameError);
    }
    return fail(EEXIST);
}

} // namespace qel::platform
