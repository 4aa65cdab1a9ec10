#include "records/learnersettings.h"

#include "records/cp932.h"
#include "records/inifile.h"
#include "records/learnertable.h"

#include <QCoreApplication>

namespace qel {

namespace {
// Put into words anew each time: the language can change while the viewer runs.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(LearnerSettings)
};
//: A setting the learner's settings file does not set, so the trainer's default applies.
QString none() { return Tr::tr("個別設定なし"); }
QString hidden() { return Tr::tr("非表示"); }
QString shown() { return Tr::tr("表示"); }
// Not a word: the setting does not apply.
const QString kDash = QStringLiteral("－");

QString onOff(int value)
{
    return value == 0 ? hidden() : value == 1 ? shown() : none();
}

QString textName(const IniFile &ini, const char *key)
{
    return fromCp932(shortenTextName(ini.text("TEXT", key, toCp932(none()))));
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
    //: Kana conversion mode of the trainer.
    case 0: texts[ConversionModeSetting] = Tr::tr("固定モード"); break;
    //: Kana conversion mode of the trainer.
    case 1: texts[ConversionModeSetting] = Tr::tr("フリーモード"); break;
    case 2: texts[ConversionModeSetting] = none(); break;
    default: break; // any other value leaves the text empty
    }

    const int speedGuide = ini.integer("OPTION", "SpeedGide", 9);
    const int speedGuideType = ini.integer("OPTION", "SpeedGideType", 9);
    QString guide;
    switch (speedGuideType) {
    //: Speed guide of the trainer: the speed that passes the current STEP.
    case 0: guide = Tr::tr("現ステップクリアスピード"); break;
    //: Speed guide of the trainer: a speed used in practice.
    case 1: guide = Tr::tr("実用スピードを体験"); break;
    //: Speed guide of the trainer: a professional typist's speed.
    case 2: guide = Tr::tr("プロフェッショナルスピード"); break;
    case 3: {
        const int constSpeed = ini.integer("OPTION", "ConstSpeed", 999);
        //: Speed guide of the trainer: one speed throughout, %1 the STEP whose speed it is.
        guide = constSpeed != 999 ? Tr::tr("速度一定(ステップ%1相当)").arg(constSpeed)
                                  //: Speed guide of the trainer: one speed throughout.
                                  : Tr::tr("速度一定");
        break;
    }
    default: break;
    }
    if (speedGuideType < 0 || speedGuideType > 3)
        guide = none();
    //: The speed guide is hidden; %1 is the kind of guide.
    else if (speedGuide == 0)
        guide = Tr::tr("非表示%1").arg(guide);
    //: The speed guide is shown; %1 is the kind of guide.
    else if (speedGuide == 1)
        guide = Tr::tr("表示： %1").arg(guide);
    texts[SpeedGuideSetting] = guide;

    const int keyboard = ini.integer("OPTION", "Keyboard", 2);
    texts[KeyboardSetting] = onOff(keyboard);
    if (keyboard == 0)
        texts[MistypeSetting] = kDash;
    else if (keyboard == 1)
        texts[MistypeSetting] = onOff(ini.integer("OPTION", "MissTypeKey", 2));
    else
        texts[MistypeSetting] = none();

    const int showKanji = ini.integer("OPTION", "ShowKanji", 22);
    texts[KanjiSetting] = onOff(showKanji % 10);
    if (showKanji % 10 == 0)
        texts[ReadingSetting] = kDash;
    else if (showKanji % 10 == 1)
        texts[ReadingSetting] = onOff(showKanji / 10);
    else
        texts[ReadingSetting] = none();

    texts[CursorSetting] = onOff(ini.integer("OPTION", "ShowCursor", 2));
    const int timeDisplay = ini.integer("OPTION", "Timedisp", 2);
    // This switch runs the other way round: 0 shows the time.
    texts[ElapsedTimeSetting] = timeDisplay == 0 ? shown() : timeDisplay == 1 ? hidden() : none();
    return texts;
}

} // namespace qel
