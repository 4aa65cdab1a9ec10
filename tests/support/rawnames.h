#pragma once
// Files named in any bytes, as a folder copied from Windows has them: in code page 932, or
// in bytes that are no text at all. Qt's own file calls reach UTF-8 names only.

#include "records/cp932.h"
#include "records/filenames.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qeltest {

inline QByteArray nativeIn(const QString &folder, const QByteArray &name)
{
    return QFile::encodeName(folder) + '/' + name;
}

// Writes `bytes` into the file at `path`, made or emptied first.
inline bool writeRawFile(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
    return ::close(fd) == 0 && written;
}

// The same for the file `name` (its bytes) of `folder`.
inline bool writeRawNamed(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    return writeRawFile(nativeIn(folder, name), bytes);
}

inline bool rawExists(const QByteArray &path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

// What the file holds; empty when it cannot be read.
inline QByteArray rawContents(const QByteArray &path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    ::close(fd);
    return bytes;
}

// Removes `path` and all in it, whatever the bytes of the names (QDir reaches UTF-8 names
// only, so a QTemporaryDir holding others stays behind).
inline bool removeRawTree(const QByteArray &path)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return ::unlink(path.constData()) == 0;
    if (DIR *dir = ::opendir(path.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                removeRawTree(path + '/' + name);
        }
        ::closedir(dir);
    }
    return ::rmdir(path.constData()) == 0;
}

inline QByteArray cp932(const QString &text)
{
    return qel::toCp932(text);
}

} // namespace qeltest
#endif
