#pragma once
// The ten display texts of a learner's own trainer settings (<name>.ini).

#include "records/readingfile.h"

#include <QString>
#include <array>
#include <vector>

namespace qel {

class IniFile;

enum SettingIndex {
    EnglishTextSetting, KanaTextSetting, ConversionModeSetting, SpeedGuideSetting,
    KeyboardSetting, MistypeSetting, KanjiSetting, ReadingSetting, CursorSetting,
    ElapsedTimeSetting,
};

using LearnerSettings = std::array<QString, 10>;

// The texts for the settings file of the learner key (RecordName) in `folder`; a missing file gives
// "個別設定なし" in all ten. A file that is there but cannot be read gives ten empty texts
// (its settings are unknown) and is added to `unreadable`.
LearnerSettings readSettings(const QString &folder, const QString &learnerKey,
                             std::vector<UnreadableFile> *unreadable = nullptr);
LearnerSettings settingsFromIni(const IniFile &ini);

// The learner key + ".ini".
QString settingsFilePath(const QString &folder, const QString &learnerKey);

} // namespace qel
