#include "records/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

#include <algorithm>
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

bool openRegularFile(const QString &path, std::intptr_t &handle, FileIdentity &identity, QString *error,
                     bool *missing)
{
    if (missing)
        *missing = false;
    const QString native = QDir::toNativeSeparators(path);
    // Shared with the trainer, which may hold the file open for writing.
    HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (missing)
            *missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        if (error)
            *error = qt_error_string(int(code));
        return false;
    }
    // Judge the handle, not the name: pipes, consoles and devices are no record files.
    BY_HANDLE_FILE_INFORMATION info {};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(file);
        if (error)
            *error = QStringLiteral("not a regular file");
        return false;
    }
    // The same fields the folder listing gives, so the two can be compared.
    identity = {};
    identity.size = qint64((quint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    identity.modified = nanosecondsOf(info.ftLastWriteTime);
    FILE_BASIC_INFO basic {};
    if (::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        identity.changed = nanosecondsOf(basic.ChangeTime);
    identity.fileId = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    handle = reinterpret_cast<std::intptr_t>(file);
    return true;
}

qint64 readFile(std::intptr_t handle, char *data, qint64 maxSize, QString *error)
{
    DWORD got = 0;
    const DWORD want = DWORD(std::min<qint64>(maxSize, 1 << 30));
    if (!::ReadFile(reinterpret_cast<HANDLE>(handle), data, want, &got, nullptr)) {
        if (error)
            *error = qt_error_string(int(::GetLastError()));
        return -1;
    }
    return qint64(got);
}

void closeFile(std::intptr_t handle)
{
    ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

ListingStatus listFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
                        std::vector<ListedFile> &entries, bool)
{
    const auto failed = [](DWORD code) {
        const bool gone = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY;
        return ListingStatus{gone ? ListingStatus::FolderMissing : ListingStatus::Failed, qt_error_string(int(code))};
    };
    if (folder.isEmpty())
        return failed(ERROR_PATH_NOT_FOUND);
    const QString native = QDir::toNativeSeparators(folder);
    // One listing with sizes, times and file ids: on a file server each file opened
    // would cost a round trip.
    HANDLE dir = ::CreateFileW(reinterpret_cast<const wchar_t *>(native.utf16()), FILE_LIST_DIRECTORY,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir == INVALID_HANDLE_VALUE)
        return failed(::GetLastError());
    constexpr DWORD kBufferBytes = 64 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kBufferBytes + 8]);
    // Entries are 8-byte aligned within the buffer.
    char *aligned = reinterpret_cast<char *>((reinterpret_cast<quintptr>(buffer.get()) + 7) & ~quintptr(7));
    ListingStatus status;
    std::size_t read = 0;
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    for (bool more = true; more;) {
        if (!::GetFileInformationByHandleEx(dir, kind, aligned, kBufferBytes)) {
            if (const DWORD code = ::GetLastError(); code != ERROR_NO_MORE_FILES)
                status = failed(code);
            break;
        }
        kind = FileIdBothDirectoryInfo;
        for (const char *at = aligned;; ++read) {
            if (const int fault = injectedListingFault(folder, read)) {
                status = failed(DWORD(fault));
                more = false;
                break;
            }
            const auto *info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO *>(at);
            if (!(info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const QString name = QString::fromWCharArray(info->FileName, int(info->FileNameLength / sizeof(WCHAR)));
                if (!wanted || wanted(name)) {
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
    return status;
}

bool identifyFile(const QString &path, FileIdentity &identity)
{
    std::intptr_t handle = -1;
    if (!openRegularFile(path, handle, identity, nullptr))
        return false;
    closeFile(handle);
    return true;
}

// The folder's own notices (through QFileSystemWatcher) and the periodic checks serve here.
std::intptr_t openWriteNotices(const QString &)
{
    return -1;
}

bool drainWriteNotices(std::intptr_t)
{
    return false;
}

void closeWriteNotices(std::intptr_t) {}

void releaseFreedMemory()
{
    // The process heap is shared by all threads; there is nothing to hand back.
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool removeFile(const QString &path, QString *error, bool *missing)
{
    QFile file(path);
    const bool removed = file.remove();
    if (missing)
        *missing = !removed && !fileExists(path);
    if (!removed && error)
        *error = file.errorString();
    return removed;
}

// The system's own recycle bin, through Qt.
TrashPlace findTrash(const QString &)
{
    return {true, QString(), QString(), QString()};
}

bool moveToTrash(const QString &path, const TrashPlace &, QString *whereNow, QString *error, bool *missing)
{
    QFile file(path);
    const bool moved = file.moveToTrash();
    if (missing)
        *missing = !moved && !fileExists(path);
    if (!moved && error)
        *error = file.errorString();
    if (moved && whereNow)
        *whereNow = file.fileName();
    return moved;
}

} // namespace qel::platform
