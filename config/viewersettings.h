#pragma once
// The main window's position and size and the record folder, kept between runs.

#include "config/language.h"
#include "config/registrystore.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace qel {

// Window placement in twips: outer edges, borders included.
struct WindowTwips {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    bool operator==(const WindowTwips &) const = default;
};

// Where the teacher left the panes and the list's order, as stored: the window takes what
// it can use of it.
struct PanePlace {
    std::int32_t splitter = 2220; // twips from the window's left
    std::int32_t sortColumn = -1; // the column the list stood sorted by; -1: none
    std::int32_t sortDirection = 0; // 0 ascending, 1 descending
    bool operator==(const PanePlace &) const = default;
};

struct ViewerSettings {
    WindowTwips window;
    QString recordFolder;
    QString csvFolder; // where the last CSV export went; empty when none is remembered
    bool firstStart = false;
    // The list follows the record folder as it changes ("AutoRefresh", on unless stored off).
    bool autoRefresh = true;
    // The language the user chose ("Language": "ja" or "en"); none: follow the system.
    std::optional<Language> language;
    PanePlace panes;
};

// Where a first start places the window, in twips.
inline constexpr std::int32_t kFirstStartTop = 200;
inline constexpr std::int32_t kFirstStartLeft = 200;

// The settings read at start-up, or the store's failure message when there are none.
struct LoadedSettings {
    std::optional<ViewerSettings> settings;
    QString failure;
    // With settings: a message for the user, shown once while the start goes on; else empty.
    QString notice;
    explicit operator bool() const { return settings.has_value(); }
    const ViewerSettings *operator->() const { return &*settings; }
    const ViewerSettings &operator*() const { return *settings; }
};

// Reads the settings at start-up. `current` is the window as designed (its size is written
// on a first start and is the default of every missing value); `programFolder` is the last
// fallback of the record folder. The caller shows a failure and ends the program.
LoadedSettings loadViewerSettings(const WindowTwips &current, const QString &programFolder);

// Writes the window, the record folder, the auto-refresh switch, the folder of the last CSV
// export (kept as stored when empty), the panes and the language chosen (kept as stored when
// none was) in one save.
StoreStatus saveViewerSettings(const WindowTwips &window, const QString &recordFolder, bool autoRefresh,
                               const QString &csvFolder, const PanePlace &panes,
                               std::optional<Language> language = std::nullopt);

// The language stored as the user's choice, read alone (qelviewer-cli's start); none when
// none is stored or the stored value names no language offered.
std::optional<Language> storedLanguage();

// The trainer's folder without one final separator; a root ("/", "C:\") keeps its own,
// since without it the path would name another folder.
QString trimTrainerFolder(const QString &folder);

} // namespace qel
