#pragma once
// The ten display texts of a learner's own trainer settings (<name>.ini).

#include <QString>
#include <array>

namespace qel {

class IniFile;

enum SettingIndex {
    EnglishTextSetting, KanaTextSetting, ConversionModeSetting, SpeedGuideSetting,
    KeyboardSetting, MistypeSetting, KanjiSetting, ReadingSetting, CursorSetting,
    ElapsedTimeSetting,
};

using LearnerSettings = std::array<QString, 10>;

// The texts for the settings file of `name` in `folder`; a missing file gives
// "個別設定なし" in all ten.
LearnerSettings readSettings(const QString &folder, const QString &name);
LearnerSettings settingsFromIni(const IniFile &ini);

QString settingsFilePath(const QString &folder, const QString &name);

} // namespace qel
