#pragma once
// The one way the library opens and reads the trainer's files (record and settings files):
// through the platform's non-blocking open of regular files only, and past an observer
// that tests set to count what is opened and read.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace qel {

// What the file system tells of a file without opening it. A record file whose identity is
// unchanged still holds what it held when it was read.
struct FileIdentity {
    qint64 size = -1;
    qint64 modified = 0; // last write, nanoseconds since 1970 (UTC)
    qint64 changed = 0;  // last change of contents or attributes, where the system keeps it
    quint64 device = 0;
    quint64 fileId = 0; // tells a file replaced by another from one rewritten in place
    qint64 modifiedMSecs() const; // `modified` rounded down to milliseconds
    bool operator==(const FileIdentity &) const = default;
};

// A file of a folder listing.
struct ListedFile {
    QString name;
    FileIdentity identity;
    bool operator==(const ListedFile &) const = default;
};

// How a folder listing ended. Only a complete one tells which files are there.
struct ListingStatus {
    enum Kind { Complete, FolderMissing, Failed };
    Kind kind = Complete;
    QString error; // the system's reason when not complete
    bool complete() const { return kind == Complete; }
    bool operator==(const ListingStatus &) const = default;
};

struct FileReadEvent {
    enum Kind { Opened, OpenFailed, Read };
    Kind kind = Opened;
    QString path;
    qint64 bytes = 0; // Read: bytes delivered (0 at the end, -1 on an error)
};
using FileReadObserver = std::function<void(const FileReadEvent &)>;

// A file that is there but could not be read: what it holds is unknown, which is not the
// same as a file that is missing (a learner without that Course or without settings).
struct UnreadableFile {
    QString path;
    QString error;
};

// Sets the observer of every open and read; returns the one it replaces. For tests: the
// library itself sets none. Files are read on many threads at once, and the observer is
// called on the thread that reads.
FileReadObserver setFileReadObserver(FileReadObserver observer);

// Makes folder listings fail, for tests of what follows a failure the file systems at hand
// cannot be made to give (EIO half way through a large folder). Called before each entry a
// listing reads, with the folder and the number of entries it has read so far; a system
// error code other than 0 fails that read with it. Returns the injector it replaces; the
// library itself sets none. Set it before any listing starts, on any thread.
using ListingFaultInjector = std::function<int(const QString &folder, std::size_t entriesRead)>;
ListingFaultInjector setListingFaultInjector(ListingFaultInjector injector);
// For the platform's listing: the error code to fail the next entry's read with, or 0.
int injectedListingFault(const QString &folder, std::size_t entriesRead);

class ReadingFile {
public:
    ReadingFile() = default;
    ~ReadingFile() { close(); }
    ReadingFile(const ReadingFile &) = delete;
    ReadingFile &operator=(const ReadingFile &) = delete;

    // False when the file is missing, cannot be opened or is no regular file; `error` says why.
    bool open(const QString &path, QString *error = nullptr);
    // After a failed open: there is no file by that name.
    bool missing() const { return m_missing; }
    // Up to `maxSize` bytes; fewer only at the end of the file (a regular file's read
    // comes short nowhere else); -1 on an error.
    qint64 read(char *data, qint64 maxSize);
    void close();
    QDateTime lastModified() const;
    // The identity of the file as opened, taken from the handle.
    const FileIdentity &identity() const { return m_identity; }
    QString errorString() const { return m_error; }

private:
    std::intptr_t m_handle = -1;
    qint64 m_position = 0;
    QString m_path;
    QString m_error;
    FileIdentity m_identity;
    bool m_missing = false;
};

} // namespace qel
