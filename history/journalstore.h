#pragma once
// The journal's database, used from one thread: one SQLite file in WAL mode that viewers and
// the snapshot timer share. Each look at a folder is one transaction that takes the write
// lock first, so two writers wait for each other (a busy timeout, then a few retries) and
// neither loses a row; an observation older than what another writer stored is dropped.
//
// Nothing here shows a message: failures come back as values.

#include "history/journaltypes.h"

#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace qel::history {

// The database file: $QEL_HISTORY_DB when set, else "history.db" in the viewer's
// application data folder (the same for the viewer and qelviewer-cli).
QString defaultDatabasePath();

// The record folder as the journal names it: its canonical path when it exists.
QString canonicalFolder(const QString &folder);

enum class Failure {
    None,
    Busy,        // another writer held the database past the busy timeout and the retries
    CannotWrite, // the disk is full, or a write failed
    Damaged,     // not a sound database: it was moved aside and a new one begun
    Unavailable, // the file cannot be opened or written (rights, a missing drive)
};

struct Outcome {
    Failure failure = Failure::None;
    QString detail;      // what SQLite or the file system said
    QString movedAside;  // Damaged: where the damaged file went
    explicit operator bool() const { return failure == Failure::None; }
};

// Figures the views need of a folder: its record files' journals and the stretches in which
// each Course was looked at.
struct FolderJournal {
    std::array<std::vector<Stretch>, 2> stretches; // by Course
    std::vector<FileJournal> files;                 // by file name
    const FileJournal *file(const QString &key) const;
};

class JournalStore {
public:
    explicit JournalStore(QString path, QTimeZone zone = QTimeZone::systemTimeZone());
    ~JournalStore();
    JournalStore(const JournalStore &) = delete;
    JournalStore &operator=(const JournalStore &) = delete;

    QString path() const;

    // Opens the database, making it and its folder when missing. A file that is not a sound
    // database is moved aside, under its name with the time (`now`), and a new one begun:
    // the outcome is then Damaged with `movedAside` set, and the store is open. Folds
    // observations older than a year when that was last done a day or more ago.
    Outcome open(qint64 now);
    bool isOpen() const;

    // Adds a look at a folder, in one transaction: a row for each file that changed, and the
    // look itself. Opens the database first when it is not open. A write that finds the
    // database damaged moves it aside and writes the batch into a new one.
    Outcome record(const Batch &batch);
    // A look that found nothing changed: the viewer follows the folder and would have seen
    // a change.
    Outcome sight(const QString &folder, int group, qint64 seen);

    // The journals of a folder's record files from `since` on (entries and stretches that
    // end earlier are left out); `keys` empty: every file with a journal.
    std::optional<FolderJournal> read(const QString &folder, const QStringList &keys = {},
                                      qint64 since = 0, Outcome *outcome = nullptr);
    // The learners with a journal in the folder, by their learner keys (records/filenames.h).
    QStringList learners(const QString &folder, Outcome *outcome = nullptr);
    // Removes the journals of these learners' record files; the number of files removed.
    Outcome forget(const QString &folder, const QStringList &learners, int *removed = nullptr);

    // Folds each day's rows of a file older than a year before `now` into one, and the day's
    // stretches into one; the figures of days and weeks stay as they were.
    Outcome fold(qint64 now);

    // The schema version this build writes.
    static constexpr int kSchemaVersion = 1;

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace qel::history
