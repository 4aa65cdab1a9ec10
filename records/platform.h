#pragma once
// The few file calls that differ between systems; one source file per platform, and the
// freedesktop.org trash of the POSIX systems in one of its own.
//
// Names: every path given here is held as records/filenames.h tells; on a POSIX system it
// reaches the file by exactly the bytes its name was listed with.

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
// (links followed), in the order the system lists them; no file is opened. Whether the
// folder was there and listed to its end, and if not why: the entries of a listing that is
// not complete are only some of the folder's. Without `identities` a plain file's identity
// is left empty where the system would need a call per file to tell it (names only).
ListingStatus listFiles(const QString &folder, const std::function<bool(const QString &name)> &wanted,
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

// Removes the name for good. False, with `error` saying why, when it is still there;
// `missing` tells that there was none.
bool removeFile(const QString &path, QString *error, bool *missing = nullptr);

// Where the files of a folder go when they are trashed: a trash on the folder's own device,
// reached by a rename (a file is never copied, so it keeps its bytes and its name).
struct TrashPlace {
    bool available = false;
    QString error; // why there is none
    QString path;  // the trash (holding "files" and "info"); empty where the system keeps its own
    // The folder the trash lies in, when the original places are written relative to it
    // (the trash of a partition); empty for absolute places (the home trash).
    QString relativeTo;
};
// Finds, and makes where it is missing, the trash for the files of `folder`.
TrashPlace findTrash(const QString &folder);
// Moves the file into `trash`, never over a file there. False, with `error` saying why, when
// it is still where it was; `missing` tells that there was no such file. `whereNow` gets its
// place in the trash.
bool moveToTrash(const QString &path, const TrashPlace &trash, QString *whereNow, QString *error,
                 bool *missing = nullptr);

} // namespace qel::platform
