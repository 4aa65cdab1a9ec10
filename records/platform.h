#pragma once
// The few file calls that differ between systems; one source file per platform.

#include "records/readingfile.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace qel::platform {

// Opens `path` read-only, shared with programs that write it, without waiting on a FIFO or
// a device, and keeps it only when the opened handle is a regular file; `handle` is then
// read with readFile and given back with closeFile, and `identity` is what the handle
// tells of the file. Never creates a file. False, with `error` saying why, when the path is
// missing, cannot be opened or is no regular file.
bool openRegularFile(const QString &path, std::intptr_t &handle, FileIdentity &identity, QString *error);
// Up to `maxSize` bytes from where the last read ended; 0 at the end, -1 on an error.
qint64 readFile(std::intptr_t handle, char *data, qint64 maxSize, QString *error);
void closeFile(std::intptr_t handle);

// What lies directly in `folder`, folders and dangling links left out, whose names `wanted`
// accepts, with their identities (links followed), in the order the system lists them; no
// file is opened. False when the folder cannot be listed.
bool listFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
                      std::vector<ListedFile> &entries);

// Notices of files in `folder` written in place, where the system gives them for a whole
// folder at once: a handle that turns readable (for a QSocketNotifier) when one is written
// or its times change; -1 where there are none. drainWriteNotices empties it once readable,
// false when the folder itself has gone.
std::intptr_t openWriteNotices(const QString &folder);
bool drainWriteNotices(std::intptr_t handle);
void closeWriteNotices(std::intptr_t handle);

// Gives the memory a finished helper thread freed back to the system: the C library keeps
// it for that thread, where nothing else can use it.
void releaseFreedMemory();

} // namespace qel::platform
