#pragma once
// The few file calls that differ between systems; one source file per platform.

#include <QDateTime>
#include <QString>

class QFile;

namespace qel::platform {

// Opens `path` read-only, shared with programs that write it, without waiting on a FIFO or
// a device, and keeps it only when the opened handle is a regular file; `file` then reads
// it (and closes it when closed itself) and `modified` is its last modification time.
// Never creates a file. False, with `error` saying why, when the path is missing, cannot
// be opened or is no regular file.
bool openRegularFile(QFile &file, const QString &path, QDateTime &modified, QString *error);

} // namespace qel::platform
