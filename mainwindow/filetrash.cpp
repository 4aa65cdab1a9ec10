#include "mainwindow/filetrash.h"

#include "records/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qel {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID) && !defined(Q_OS_IOS) && !defined(Q_OS_WASM)
constexpr bool kFreedesktopTrash = true;
#else
constexpr bool kFreedesktopTrash = false;
#endif

#if defined(Q_OS_ANDROID) || defined(Q_OS_IOS) || defined(Q_OS_WASM)
constexpr bool kHasTrash = false;
#else
constexpr bool kHasTrash = true;
#endif

QString homeTrash()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
}

// A freedesktop trash: the home trash or a partition's .Trash / .Trash-<uid>.
bool looksLikeTrash(const QString &placed)
{
    const QString dir = QFileInfo(placed).absolutePath();
    if (QFileInfo(dir).fileName() != QLatin1String("files"))
        return false;
    const QString trash = QFileInfo(dir).absolutePath();
    const QString name = QFileInfo(trash).fileName();
    return QDir::cleanPath(trash) == QDir::cleanPath(homeTrash()) || name.startsWith(QLatin1String(".Trash"))
           || QFileInfo(trash).absolutePath().endsWith(QLatin1String("/.Trash"));
}

} // namespace

DiscardResult discardFile(const QString &path, QString *whereNow)
{
    if (!platform::fileExists(path))
        return DiscardResult::Missing;
    // Qt reaches a file by its UTF-8 name only; one named in the trainer's code page gets
    // that name first (and keeps it in the trash).
    if (!platform::makeNameReachable(path))
        return DiscardResult::Failed;
    if (!kHasTrash)
        return QFile::remove(path) ? DiscardResult::Deleted : DiscardResult::Failed;

    if (kFreedesktopTrash) {
        // Without a home trash to fall back on, Qt puts the file into "files" under the
        // working folder; make sure there is one, and trash nothing if there cannot be.
        const QString trash = homeTrash();
        if (!QDir().mkpath(trash + QStringLiteral("/files")) || !QDir().mkpath(trash + QStringLiteral("/info")))
            return DiscardResult::Failed;
    }
    QString placed;
    if (!QFile::moveToTrash(path, &placed))
        return DiscardResult::Failed;
    if (kFreedesktopTrash && !looksLikeTrash(placed)) {
        // Somewhere no one would look for it: put it back.
        QFile::rename(placed, path);
        return DiscardResult::Failed;
    }
    if (whereNow)
        *whereNow = placed;
    return DiscardResult::Trashed;
}

} // namespace qel
