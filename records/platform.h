#pragma once
// The few file calls that differ between systems; one source file per platform.
//
// Names: on a POSIX system a file name is bytes. A name that is not valid UTF-8 is taken as
// code page 932, the trainer's own (a folder copied from Windows without converting its
// names); the functions here reach such a file by its original bytes when they are given
// its decoded name. On Windows names are UTF-16 and need none of this.

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
// missing, cannot be opened or is no regular file; `missing` (when given) tells the first
// case apart.
bool openRegularFile(const QString &path, std::intptr_t &handle, FileIdentity &identity, QString *error,
                     bool *missing = nullptr);
// Up to `maxSize` bytes from where the last read ended; 0 at the end, -1 on an error.
qint64 readFile(std::intptr_t handle, char *data, qint64 maxSize, QString *error);
void closeFile(std::intptr_t handle);

// The regular files and links to anything but a folder directly in `folder` (hidden ones
// included, dangling links left out) whose names `wanted` accepts, with their identities
// (links followed), in the order the system lists them; no file is opened. False when the
// folder cannot be listed, or not to its end. Without `identities` a plain file's identity
// is left empty where the system would need a call per file to tell it (names only).
bool listFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
               std::vector<ListedFile> &entries, bool identities = true);

// The identity of the file a listed name leads to (links followed); false when it is gone
// or is a folder. A listing without identities is completed with this, many at a time.
bool identifyFile(const QString &path, FileIdentity &identity);

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

// Whether there is anything by that name (a link counts, even a broken one).
bool fileExists(const QString &path);

// Gives a file whose name is held in code page 932 the same name in UTF-8, the only form
// Qt's own file calls reach. True when the name is (now) reachable so; false when the file
// is missing or keeps its old name (another file has the new one, or the rename failed).
bool makeNameReachable(const QString &path);

} // namespace qel::platform
