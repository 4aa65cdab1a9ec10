#pragma once
// The few file calls that differ between systems; one source file per platform.
//
// Names: on a POSIX system a file name is bytes. A name that is not valid UTF-8 is taken as
// code page 932, the trainer's own (a folder copied from Windows without converting its
// names); the functions here reach such a file by its original bytes when they are given
// its decoded name. On Windows names are UTF-16 and need none of this.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QFile;

namespace qel::platform {

// Opens `path` read-only, shared with programs that write it, without waiting on a FIFO or
// a device, and keeps it only when the opened handle is a regular file; `file` then reads
// it (and closes it when closed itself) and `modified` is its last modification time.
// Never creates a file. False, with `error` saying why, when the path is missing, cannot
// be opened or is no regular file; `missing` (when given) tells the first case apart.
bool openRegularFile(QFile &file, const QString &path, QDateTime &modified, QString *error,
                     bool *missing = nullptr);

// The names in `folder` that `wanted` accepts and that are regular files or links to
// anything but a folder (whose target a read then judges), hidden ones included, in the
// platform's order. False when the folder cannot be listed.
bool listRegularFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
                      QStringList &names);

// Whether there is anything by that name (a link counts, even a broken one).
bool fileExists(const QString &path);

// Gives a file whose name is held in code page 932 the same name in UTF-8, the only form
// Qt's own file calls reach. True when the name is (now) reachable so; false when the file
// is missing or keeps its old name (another file has the new one, or the rename failed).
bool makeNameReachable(const QString &path);

} // namespace qel::platform
