#pragma once
// Files named in any bytes, as a folder copied from Windows has them (code page 932, or no
// character set at all): Qt's own file calls reach UTF-8 names only.

#include "records/cp932.h"
#include "records/filenames.h"

#include <QByteArray>
#include <QFile>

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

inline bool writeRawFile(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
    return fd >= 0 && ::close(fd) == 0 && written;
}

inline bool writeRawNamed(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    return writeRawFile(nativeIn(folder, name), bytes);
}

inline bool rawExists(const QByteArray &path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

// Empty when the file cannot be read.
inline QByteArray rawContents(const QByteArray &path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    char buffer[4096];
    for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    if (fd >= 0)
        ::close(fd);
    return bytes;
}

// Removes `path` and all in it (a QTemporaryDir cannot, where names are not UTF-8).
inline bool removeRawTree(const QByteArray &path)
{
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return ::unlink(path.constData()) == 0;
    if (DIR *dir = ::opendir(path.constData())) {
        while (const dirent *entry = ::readdir(dir))
            if (QByteArray name(entry->d_name); name != "." && name != "..")
                removeRawTree(path + '/' + name);
        ::closedir(dir);
    }
    return ::rmdir(path.constData()) == 0;
}

} // namespace qeltest
#endif
