#pragma once
// The one way the library opens and reads the trainer's files (record and settings files):
// through the platform's non-blocking open of regular files only, and past an observer
// that tests set to count what is opened and read.

#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>

namespace qel {

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

// Sets the observer of every open and read; returns the one it replaces. For tests on the
// thread that reads: the library itself sets none.
FileReadObserver setFileReadObserver(FileReadObserver observer);

class ReadingFile {
public:
    // False when the file is missing, cannot be opened or is no regular file; `error` says why.
    bool open(const QString &path, QString *error = nullptr);
    // After a failed open: there is no file by that name.
    bool missing() const { return m_missing; }
    // Up to `maxSize` bytes; fewer only at the end of the file (a regular file's read
    // comes short nowhere else); -1 on an error.
    qint64 read(char *data, qint64 maxSize);
    QDateTime lastModified() const { return m_modified; }
    QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
    QString m_path;
    QDateTime m_modified;
    bool m_missing = false;
};

} // namespace qel
