#pragma once
// Deleting learners' files: into a trash where the folder has one, else for good when the
// user agreed to that. A file that cannot go keeps its name and its place, and the caller
// learns why.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace qel {

enum class DiscardResult {
    Trashed, // in the trash, recoverable
    Deleted, // removed for good
    Missing, // there was no such file
    Failed,  // the file is still where it was
};

struct DiscardedFile {
    QString path;
    DiscardResult result = DiscardResult::Failed;
    QString error;    // the system's reason, when it failed
    QString whereNow; // its place in the trash
};

// Whether the files of `folder` can go to a trash (made where it is missing); `error` says
// why not.
struct TrashCheck {
    bool available = false;
    QString error;
};
TrashCheck checkTrash(const QString &folder);

enum class Deletion { ToTrash, ForGood };

DiscardedFile discardFile(const QString &path, Deletion how = Deletion::ToTrash);

struct LearnerDeletion {
    std::vector<DiscardedFile> files; // every file acted on, in order
    QStringList removedKeys;          // the rows whose record file is gone
    std::vector<DiscardedFile> failures() const;
};

// value: rows done; maximum: rows in all.
using DeletionProgress = std::function<void(int done, int total)>;

// Deletes the rows' record files (each row's own file, by its key), in the order given, and
// with a learner's last record file the learner's settings file. Failing files are passed
// over; the rest go on.
LearnerDeletion deleteLearnerRows(const QString &folder, const QStringList &rowKeys, Deletion how,
                                  const DeletionProgress &progress = {});

} // namespace qel
