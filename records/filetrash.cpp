#include "records/filetrash.h"

#include "records/learnertable.h"
#include "records/platform.h"

namespace qel {

namespace {

DiscardedFile discard(const QString &path, Deletion how, const platform::TrashPlace &trash)
{
    DiscardedFile file;
    file.path = path;
    bool missing = false;
    bool gone = false;
    if (how == Deletion::ForGood) {
        gone = platform::removeFile(path, &file.error, &missing);
        file.result = DiscardResult::Deleted;
    } else if (!trash.available) {
        missing = !platform::fileExists(path);
        file.error = trash.error;
    } else {
        gone = platform::moveToTrash(path, trash, &file.whereNow, &file.error, &missing);
        file.result = DiscardResult::Trashed;
    }
    if (missing) {
        file.result = DiscardResult::Missing;
        file.error.clear();
    } else if (!gone) {
        file.result = DiscardResult::Failed;
    }
    return file;
}

} // namespace

TrashCheck checkTrash(const QString &folder)
{
    const platform::TrashPlace trash = platform::findTrash(folder);
    return {trash.available, trash.error};
}

DiscardedFile discardFile(const QString &path, Deletion how)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
    return discard(path, how, how == Deletion::ToTrash ? platform::findTrash(folder) : platform::TrashPlace{});
}

std::vector<DiscardedFile> LearnerDeletion::failures() const
{
    std::vector<DiscardedFile> failed;
    for (const DiscardedFile &file : files)
        if (file.result == DiscardResult::Failed)
            failed.push_back(file);
    return failed;
}

LearnerDeletion deleteLearnerRows(const QString &folder, const QStringList &rowKeys, Deletion how,
                                  const DeletionProgress &progress)
{
    LearnerDeletion deletion;
    const platform::TrashPlace trash = how == Deletion::ToTrash ? platform::findTrash(folder) : platform::TrashPlace{};
    const int total = int(rowKeys.size());
    for (int done = 0; done < total; ++done) {
        if (progress)
            progress(done, total);
        const QString &key = rowKeys[done];
        deletion.files.push_back(discard(recordFolderPath(folder, key), how, trash));
        if (deletion.files.back().result == DiscardResult::Failed)
            continue;
        deletion.removedKeys << key;
        // The settings file goes with the learner's last record file. The learner is the
        // one of the file's own name bytes: another whose name reads alike keeps its own.
        const auto name = parseRecordFileName(key);
        if (!name)
            continue;
        const auto exists = [&](Course course) {
            return platform::fileExists(recordFolderPath(folder, recordFileName(name->learnerKey, course)));
        };
        if (exists(English) || exists(Kana))
            continue;
        DiscardedFile settings = discard(settingsFilePath(folder, name->learnerKey), how, trash);
        // A learner without settings is no failure.
        if (settings.result != DiscardResult::Missing)
            deletion.files.push_back(std::move(settings));
    }
    if (progress)
        progress(total, total);
    return deletion;
}

} // namespace qel
