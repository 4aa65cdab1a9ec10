#include "records/platform.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <memory>

namespace qel::platform {

namespace {

// 100-nanosecond steps since 1601 to nanoseconds since 1970.
qint64 nanosecondsOf(LARGE_INTEGER ticks)
{
    return (ticks.QuadPart - Q_INT64_C(116444736000000000)) * 100;
}

qint64 nanosecondsOf(FILETIME time)
{
    LARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = LONG(time.dwHighDateTime);
    return nanosecondsOf(ticks);
}

} // namespace

bool openRegularFile(QFile &file, const QString &path, FileIdentity &identity, QString *error)
{
    const QString native = QDir::toNativeSeparators(path);
    // Shared with the trainer, which may hold the file open for writing.
    HANDLE handle = ::CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        if (error)
            *error = qt_error_string(int(::GetLastError()));
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
    // The same fields the folder listing gives, so the two can be compared.
    identity = {};
    identity.size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    identity.modified = nanosecondsOf(info.ftLastWriteTime);
    FILE_BASIC_INFO basic {};
    if (::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic))
        identity.changed = nanosecondsOf(basic.ChangeTime);
    identity.fileId = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
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

bool listRegularFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
                      std::vector<ListedFile> &entries)
{
    const QString native = QDir::toNativeSeparators(folder);
    // One listing with sizes, times and file ids: on a file server each file opened
    // would cost a round trip.
    HANDLE dir = ::CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), FILE_LIST_DIRECTORY,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir == INVALID_HANDLE_VALUE)
        return false;
    constexpr DWORD kBufferBytes = 64 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kBufferBytes + 8]);
    // Entries are 8-byte aligned within the buffer.
    char *aligned = reinterpret_cast<char *>((reinterpret_cast<quintptr>(buffer.get()) + 7) & ~quintptr(7));
    bool ok = true;
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    for (;;) {
        if (!::GetFileInformationByHandleEx(dir, kind, aligned, kBufferBytes)) {
            ok = ::GetLastError() == ERROR_NO_MORE_FILES;
            break;
        }
        kind = FileIdBothDirectoryInfo;
        for (const char *at = aligned;;) {
            const auto *info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO *>(at);
            if (!(info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const QString name = QString::fromWCharArray(info->FileName, int(info->FileNameLength / sizeof(WCHAR)));
                if (wanted(name)) {
                    FileIdentity identity;
                    identity.size = info->EndOfFile.QuadPart;
                    identity.modified = nanosecondsOf(info->LastWriteTime);
                    identity.changed = nanosecondsOf(info->ChangeTime);
                    identity.fileId = quint64(info->FileId.QuadPart);
                    entries.push_back({name, identity});
                }
            }
            if (info->NextEntryOffset == 0)
                break;
            at += info->NextEntryOffset;
        }
    }
    ::CloseHandle(dir);
    return ok;
}

} // namespace qel::platform
