#pragma once
// Deleting a learner's files without losing them: into the system's trash.

#include <QString>

namespace qel {

enum class DiscardResult {
    Trashed,  // in the trash, recoverable
    Deleted,  // removed outright (a system without a trash)
    Missing,  // there was no such file
    Failed,   // the file is still where it was
};

// Moves the file to the trash; deletes it outright only where the system has no trash.
// `whereNow` receives the file's place in the trash.
DiscardResult discardFile(const QString &path, QString *whereNow = nullptr);

} // namespace qel
