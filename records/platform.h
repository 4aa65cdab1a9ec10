#pragma once
// The few file calls that differ between systems; one source file per platform.

#include "records/readingfile.h"

#include <QString>
#include <functional>
#include <vector>

class QFile;

namespace qel::platform {

// Opens `path` read-only, shared with programs that write it, without waiting on a FIFO or
// a device, and keeps it only when the opened handle is a regular file; `file` then reads
// it (and closes it when closed itself) and `identity` is what the handle tells of it.
// Never creates a file. False, with `error` saying why, when the path is missing, cannot
// be opened or is no regular file.
bool openRegularFile(QFile &file, const QString &path, FileIdentity &identity, QString *error);

// The regular files directly in `folder` whose names `wanted` accepts, with their
// identities, in the order the system lists them; no file is opened. False when the
// folder cannot be listed.
bool listRegularFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
                      std::vector<ListedFile> &entries);

} // namespace qel::platform
