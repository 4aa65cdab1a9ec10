#include "config/viewersettings.h"

#include "config/registrystore.h"

#include <QCoreApplication>
#include <QDir>

namespace qel {

namespace {
const QString kTop = QStringLiteral("ViewerTop");
const QString kLeft = QStringLiteral("ViewerLeft");
const QString kHeight = QStringLiteral("ViewerHeight");
const QString kWidth = QStringLiteral("ViewerWidth");
const QString kRecentFolder = QStringLiteral("RecentFolder");
const QString kRecDir = QStringLiteral("RecDir");
const QString kAutoRefresh = QStringLiteral("AutoRefresh");
const QString kCsvFolder = QStringLiteral("CsvFolder");
const QString kLanguage = QStringLiteral("Language");
const QString kSplitter = QStringLiteral("Splitter");
const QString kSortColumn = QStringLiteral("SortColumn");
const QString kSortDirection = QStringLiteral("SortDirection");

bool isRoot(const QString &folder)
{
    if (folder == QLatin1String("/") || folder == QLatin1String("\\"))
        return true;
    // A drive root such as C:\ or C:/
    return folder.size() == 3 && folder[0].isLetter() && folder[1] == QLatin1Char(':');
}

std::vector<StoreValue> windowValues(const WindowTwips &window, const QString &recordFolder)
{
    return {{kTop, window.top},
            {kLeft, window.left},
            {kHeight, window.height},
            {kWidth, window.width},
            {kRecentFolder, recordFolder}};
}

// What the user is told when the store that could not be parsed went to `setAside`.
QString setAsideNotice(const QString &setAside)
{
    //: %1: the name the settings file that could not be read was given.
    return QCoreApplication::translate("ViewerSettings", "設定ファイルを読み込めなかったため、初期設定で起動します。\n"
                                                         "元のファイルは次の名前で残しました。\n%1")
        .arg(QDir::toNativeSeparators(setAside));
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

LoadedSettings loadViewerSettings(const WindowTwips &current, const QString &programFolder)
{
    const RegistryKey key = viewerKey();
    const KeyOpening opening = createKey(key);
    if (opening.disposition == KeyDisposition::Failed)
        return {std::nullopt, opening.failure, {}};

    ViewerSettings settings;
    settings.window = current;
    if (opening.disposition == KeyDisposition::Created) {
        settings.firstStart = true;
        if (StoreStatus status = setValues(key, windowValues({100, 100, current.height, current.width}, QString()));
            !status)
            return {std::nullopt, status.failure, {}};
        settings.window.top = kFirstStartTop;
        settings.window.left = kFirstStartLeft;
    } else {
        settings.window.top = queryLongOr(key, kTop, current.top);
        settings.window.left = queryLongOr(key, kLeft, current.left);
        settings.window.height = queryLongOr(key, kHeight, current.height);
        settings.window.width = queryLongOr(key, kWidth, current.width);
        settings.recordFolder = queryStringOr(key, kRecentFolder, QString());
        settings.autoRefresh = queryLongOr(key, kAutoRefresh, 1) != 0;
        settings.csvFolder = queryStringOr(key, kCsvFolder, QString());
        settings.language = languageOfCode(queryStringOr(key, kLanguage, QString()));
        const PanePlace fallback;
        settings.panes.splitter = queryLongOr(key, kSplitter, fallback.splitter);
        settings.panes.sortColumn = queryLongOr(key, kSortColumn, fallback.sortColumn);
        settings.panes.sortDirection = queryLongOr(key, kSortDirection, fallback.sortDirection);
    }
    if (settings.recordFolder.isEmpty())
        settings.recordFolder = trimTrainerFolder(queryStringOr(trainerKey(), kRecDir, programFolder));
    return {settings, {}, opening.setAside.isEmpty() ? QString() : setAsideNotice(opening.setAside)};
}

StoreStatus saveViewerSettings(const WindowTwips &window, const QString &recordFolder, bool autoRefresh,
                               const QString &csvFolder, const PanePlace &panes, std::optional<Language> language)
{
    std::vector<StoreValue> values = windowValues(window, recordFolder);
    values.push_back({kAutoRefresh, autoRefresh ? 1 : 0});
    values.push_back({kSplitter, panes.splitter});
    values.push_back({kSortColumn, panes.sortColumn});
    values.push_back({kSortDirection, panes.sortDirection});
    if (!csvFolder.isEmpty())
        values.push_back({kCsvFolder, csvFolder});
    if (language)
        values.push_back({kLanguage, languageCode(*language)});
    return setValues(viewerKey(), values);
}

std::optional<Language> storedLanguage()
{
    return languageOfCode(queryStringOr(viewerKey(), kLanguage, QString()));
}

} // namespace qel
