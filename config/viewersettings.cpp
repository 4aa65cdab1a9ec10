#include "viewersettings.h"

#include "registrystore.h"

namespace qel {

namespace {
const QString kTop = QStringLiteral("ViewerTop");
const QString kLeft = QStringLiteral("ViewerLeft");
const QString kHeight = QStringLiteral("ViewerHeight");
const QString kWidth = QStringLiteral("ViewerWidth");
const QString kRecentFolder = QStringLiteral("RecentFolder");
const QString kRecDir = QStringLiteral("RecDir");

bool isRoot(const QString &folder)
{
    if (folder == QLatin1String("/") || folder == QLatin1String("\\"))
        return true;
    // A drive root such as C:\ or C:/
    return folder.size() == 3 && folder[0].isLetter() && folder[1] == QLatin1Char(':');
}
} // namespace

QString trimTrainerFolder(const QString &folder)
{
    if (isRoot(folder))
        return folder;
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder.left(folder.size() - 1);
    return folder;
}

std::optional<ViewerSettings> loadViewerSettings(const WindowTwips &current,
                                                 const QString &programFolder)
{
    const RegistryKey key = viewerKey();
    const KeyDisposition disposition = createKey(key);
    if (disposition == KeyDisposition::Failed)
        return std::nullopt;

    ViewerSettings settings;
    settings.window = current;
    if (disposition == KeyDisposition::Created) {
        settings.firstStart = true;
        if (!setLong(key, kTop, 100) || !setLong(key, kLeft, 100)
            || !setLong(key, kHeight, current.height) || !setLong(key, kWidth, current.width)
            || !setString(key, kRecentFolder, QString()))
            return std::nullopt;
        settings.window.top = kFirstStartTop;
        settings.window.left = kFirstStartLeft;
    } else {
        settings.window.top = queryLongOr(key, kTop, current.top);
        settings.window.left = queryLongOr(key, kLeft, current.left);
        settings.window.height = queryLongOr(key, kHeight, current.height);
        settings.window.width = queryLongOr(key, kWidth, current.width);
        settings.recordFolder = queryStringOr(key, kRecentFolder, QString());
    }
    if (settings.recordFolder.isEmpty())
        settings.recordFolder = trimTrainerFolder(queryStringOr(trainerKey(), kRecDir, programFolder));
    return settings;
}

bool saveViewerSettings(const WindowTwips &window, const QString &recordFolder)
{
    const RegistryKey key = viewerKey();
    return setLong(key, kTop, window.top) && setLong(key, kLeft, window.left)
           && setLong(key, kHeight, window.height) && setLong(key, kWidth, window.width)
           && setString(key, kRecentFolder, recordFolder);
}

} // namespace qel
