#include "records/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace qel::platform {

bool openRegularFile(QFile &file, const QString &path, QDateTime &modified, QString *error, bool *missing)
{
    if (missing)
        *missing = false;
    const QString native = QDir::toNativeSeparators(path);
    // Shared with the trainer, which may hold the file open for writing.
    HANDLE handle = ::CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (missing)
            *missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        if (error)
            *error = qt_error_string(int(code));
        return false;
    }
    // Judge the handle, not the name: pipes, consoles and devices are no record files.
    BY_HANDLE_FILE_INFORMATION info {};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(handle);
        if (error)
            *error = QStringLiteral("not a regular file");
        return false;
    }
    // 100-nanosecond steps since 1601 to milliseconds since 1970.
    const quint64 ticks = (quint64(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
    modified = QDateTime::fromMSecsSinceEpoch(qint64(ticks / 10000) - Q_INT64_C(11644473600000), Qt::UTC);
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        if (error)
            *error = QStringLiteral("cannot open the file handle");
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (error)
            *error = file.errorString();
        ::_close(fd); // closes the handle too
        return false;
    }
    return true;
}

bool listRegularFiles(const QString &folder, const std::function<bool(const QString &)> &wanted,
                      QStringList &names)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return false;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted))
        if (!wanted || wanted(name))
            names << name;
    return true;
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool makeNameReachable(const QString &path)
{
    return fileExists(path);
}

} // namespace qel::platform
