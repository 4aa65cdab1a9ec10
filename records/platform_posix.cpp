#include "records/platform.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qel::platform {

bool openRegularFile(QFile &file, const QString &path, QDateTime &modified, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
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

} // namespace qel::platform
