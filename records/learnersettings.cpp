#include "records/learnersettings.h"

#include "records/cp932.h"
#include "records/inifile.h"
#include "records/learnertable.h"

namespace qel {

namespace {
const QString kNone = QStringLiteral("個別設定なし");
const QString kHidden = QStringLiteral("非表示");
const QString kShown = QStringLiteral("表示");
const QString kDash = QStringLiteral("－");

QString onOff(int value)
{
    return value == 0 ? kHidden : value == 1 ? kShown : kNone;
}

QString textName(const IniFile &ini, const char *key)
{
    static const QByteArray fallback = toCp932(kNone);
    return fromCp932(shortenTextName(ini.text("TEXT", key, fallback)));
}
}

QString settingsFilePath(const QString &folder, const QString &learnerKey)
{
    return recordFolderPath(folder, learnerKey + QStringLiteral(".ini"));
}

LearnerSettings readSettings(const QString &folder, const QString &learnerKey,
                             std::vector<UnreadableFile> *unreadable)
{
    // Every key settingsFromIni asks for.
    static const IniKey keys[] = {
        {"TEXT", "EnglishText"},   {"TEXT", "KanaText"},       {"OPTION", "RomeMode"},
        {"OPTION", "SpeedGide"},   {"OPTION", "SpeedGideType"}, {"OPTION", "ConstSpeed"},
        {"OPTION", "Keyboard"},    {"OPTION", "MissTypeKey"},   {"OPTION", "ShowKanji"},
        {"OPTION", "ShowCursor"},  {"OPTION", "Timedisp"},
    };
    const QString path = settingsFilePath(folder, learnerKey);
    QString error;
    const std::optional<IniFile> ini = IniFile::load(path, keys, &error);
    if (!ini) {
        if (unreadable)
            unreadable->push_back({path, error});
        return LearnerSettings{};
    }
    return settingsFromIni(*ini);
}

LearnerSettings settingsFromIni(const IniFile &ini)
{
    LearnerSettings texts;
    texts[EnglishTextSetting] = textName(ini, "EnglishText");
    texts[KanaTextSetting] = textName(ini, "KanaText");

    const int romeMode = ini.integer("OPTION", "RomeMode", 20);
    switch (romeMode / 10) {
    case 0: texts[ConversionModeSetting] = QStringLiteral("固定モード"); break;
    case 1: texts[ConversionModeSetting] = QStringLiteral("フリーモード"); break;
    case 2: texts[ConversionModeSetting] = kNone; break;
    default: break; // any other value leaves the text empty
    }

    const int speedGuide = ini.integer("OPTION", "SpeedGide", 9);
    const int speedGuideType = ini.integer("OPTION", "SpeedGideType", 9);
    QString guide = speedGuide == 0 ? kHidden
                  : speedGuide == 1 ? QStringLiteral("表示： ") : QString();
    switch (speedGuideType) {
    case 0: guide += QStringLiteral("現ステップクリアスピード"); break;
    case 1: guide += QStringLiteral("実用スピードを体験"); break;
    case 2: guide += QStringLiteral("プロフェッショナルスピード"); break;
    case 3: {
        guide += QStringLiteral("速度一定");
        const int constSpeed = ini.integer("OPTION", "ConstSpeed", 999);
        if (constSpeed != 999)
            guide += QStringLiteral("(ステップ") + QString::number(constSpeed) + QStringLiteral("相当)");
        break;
    }
    default: guide = kNone; break;
    }
    texts[SpeedGuideSetting] = guide;

    const int keyboard = ini.integer("OPTION", "Keyboard", 2);
    texts[KeyboardSetting] = onOff(keyboard);
    if (keyboard == 0)
        texts[MistypeSetting] = kDash;
    else if (keyboard == 1)
        texts[MistypeSetting] = onOff(ini.integer("OPTION", "MissTypeKey", 2));
    else
        texts[MistypeSetting] = kNone;

    const int showKanji = ini.integer("OPTION", "ShowKanji", 22);
    texts[KanjiSetting] = onOff(showKanji % 10);
    if (showKanji % 10 == 0)
        texts[ReadingSetting] = kDash;
    else if (showKanji % 10 == 1)
        texts[ReadingSetting] = onOff(showKanji / 10);
    else
        texts[ReadingSetting] = kNone;

    texts[CursorSetting] = onOff(ini.integer("OPTION", "ShowCursor", 2));
    const int timeDisplay = ini.integer("OPTION", "Timedisp", 2);
    // This switch runs the other way round: 0 shows the time.
    texts[ElapsedTimeSetting] = timeDisplay == 0 ? kShown : timeDisplay == 1 ? kHidden : kNone;
    return texts;
}

} // namespace qel
