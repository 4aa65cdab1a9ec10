#include "records/cp932.h"
#include "records/inifile.h"
#include "records/learnersettings.h"
#include "records/readingfile.h"

#include <QFile>
#include <QTemporaryDir>
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {
const char *const kNone = "個別設定なし";

LearnerSettings settingsOf(const QString &ini)
{
    return settingsFromIni(IniFile::parse(toCp932(ini)));
}
}

TEST(ProfileRules, KeysSectionsQuotesCommentsAndDuplicates)
{
    const IniFile ini = IniFile::parse(
        "; comment line\r\n"
        "[Option]\r\n"
        "  keyboard   =   1   \r\n"
        "KEYBOARD=0\r\n"
        ";ShowCursor=1\r\n"
        "Quoted=\"  a b \"\r\n"
        "Single='x'\r\n"
        "Mixed=\"x'\r\n"
        "NoEquals\r\n"
        "[TEXT]\r\n"
        "EnglishText=first\r\n"
        "[option]\r\n"
        "Timedisp=1\r\n");
    EXPECT_EQ(ini.integer("OPTION", "Keyboard", 2), 1);
    EXPECT_EQ(ini.integer("OPTION", "ShowCursor", 2), 2);
    EXPECT_EQ(ini.text("OPTION", "Quoted", "-"), QByteArray("  a b "));
    EXPECT_EQ(ini.text("OPTION", "Single", "-"), QByteArray("x"));
    EXPECT_EQ(ini.text("OPTION", "Mixed", "-"), QByteArray("\"x'"));
    EXPECT_EQ(ini.text("text", "englishtext", "-"), QByteArray("first"));
    // A repeated section adds nothing: the first one is the one read.
    EXPECT_EQ(ini.integer("OPTION", "Timedisp", 2), 2);
    EXPECT_EQ(ini.text("OPTION", "Missing", "fallback"), QByteArray("fallback"));
}

TEST(ProfileRules, IntegerValues)
{
    struct Case { const char *text; short value; };
    const Case cases[] = {
        {"12", 12}, {"+7", 7}, {"-5", -5}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"- 3", 0},
        {"32767", 32767}, {"32768", -32768}, {"70000", 4464}, {"-1", -1}, {"0x10", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(profileInteger(c.text), c.value) << c.text;
}

TEST(ProfileRules, TextStopsAtNulAndBufferSize)
{
    QByteArray contents("[TEXT]\nEnglishText=ab");
    contents.append('\0');
    contents.append("cd\nKanaText=");
    contents.append(QByteArray(2000, 'x'));
    const IniFile ini = IniFile::parse(contents);
    EXPECT_EQ(ini.text("TEXT", "EnglishText", ""), QByteArray("ab"));
    EXPECT_EQ(ini.text("TEXT", "KanaText", "").size(), 1023);
}

TEST(LearnerSettings, SwitchTexts)
{
    struct Case { const char *ini; int index; const char *text; };
    const Case cases[] = {
        {"", SpeedGuideSetting, kNone},
        {"[OPTION]\nSpeedGide=1\nSpeedGideType=3\nConstSpeed=12", SpeedGuideSetting,
         "表示： 速度一定(ステップ12相当)"},
        {"[OPTION]\nSpeedGide=1\nSpeedGideType=3", SpeedGuideSetting, "表示： 速度一定"},
        {"[OPTION]\nSpeedGide=1\nSpeedGideType=3\nConstSpeed=999", SpeedGuideSetting, "表示： 速度一定"},
        {"[OPTION]\nSpeedGide=0\nSpeedGideType=1", SpeedGuideSetting, "非表示実用スピードを体験"},
        {"[OPTION]\nSpeedGide=5\nSpeedGideType=2", SpeedGuideSetting, "プロフェッショナルスピード"},
        {"[OPTION]\nSpeedGide=1\nSpeedGideType=0", SpeedGuideSetting, "表示： 現ステップクリアスピード"},
        {"[OPTION]\nSpeedGide=1\nSpeedGideType=-1", SpeedGuideSetting, kNone},
        {"[OPTION]\nRomeMode=15", ConversionModeSetting, "フリーモード"},
        {"[OPTION]\nRomeMode=5", ConversionModeSetting, "固定モード"},
        {"[OPTION]\nRomeMode=-5", ConversionModeSetting, "固定モード"},
        {"[OPTION]\nRomeMode=29", ConversionModeSetting, kNone},
        {"[OPTION]\nRomeMode=35", ConversionModeSetting, ""},
        {"[OPTION]\nShowKanji=11", KanjiSetting, "表示"},
        {"[OPTION]\nShowKanji=11", ReadingSetting, "表示"},
        {"[OPTION]\nShowKanji=1", ReadingSetting, "非表示"},
        {"[OPTION]\nShowKanji=21", ReadingSetting, kNone},
        {"[OPTION]\nShowKanji=10", KanjiSetting, "非表示"},
        {"[OPTION]\nShowKanji=10", ReadingSetting, "－"},
        {"[OPTION]\nShowKanji=-1", ReadingSetting, kNone},
        {"[OPTION]\nKeyboard=0\nMissTypeKey=1", KeyboardSetting, "非表示"},
        {"[OPTION]\nKeyboard=0\nMissTypeKey=1", MistypeSetting, "－"},
        {"[OPTION]\nKeyboard=1\nMissTypeKey=1", MistypeSetting, "表示"},
        {"[OPTION]\nKeyboard=1\nMissTypeKey=0", MistypeSetting, "非表示"},
        {"[OPTION]\nKeyboard=1", MistypeSetting, kNone},
        {"[OPTION]\nKeyboard=3\nMissTypeKey=1", MistypeSetting, kNone},
        {"[OPTION]\nShowCursor=1", CursorSetting, "表示"},
        {"[OPTION]\nTimedisp=0", ElapsedTimeSetting, "表示"},
        {"[OPTION]\nTimedisp=1", ElapsedTimeSetting, "非表示"},
        {"[OPTION]\nTimedisp=2", ElapsedTimeSetting, kNone},
    };
    for (const Case &c : cases)
        EXPECT_EQ(settingsOf(QString::fromUtf8(c.ini))[std::size_t(c.index)], QString::fromUtf8(c.text))
            << c.ini;
}

TEST(LearnerSettings, MissingFileGivesNoIndividualSettingEverywhere)
{
    QTemporaryDir dir;
    const LearnerSettings texts = readSettings(dir.path(), QStringLiteral("nobody"));
    for (const QString &t : texts)
        EXPECT_EQ(t, QString::fromUtf8(kNone));
    EXPECT_FALSE(QFile::exists(dir.filePath("nobody.ini")));
}

TEST(LearnerSettings, ReadsCodePage932File)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("花子.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(toCp932(QStringLiteral("[TEXT]\r\nEnglishText=基本練習\r\nKanaText=ことわざ集\r\n")));
    file.close();
    const LearnerSettings texts = readSettings(dir.path(), QStringLiteral("花子"));
    EXPECT_EQ(texts[EnglishTextSetting], QStringLiteral("基本練習"));
    EXPECT_EQ(texts[KanaTextSetting], QStringLiteral("ことわざ集"));
}

TEST(TextNameShortening, ByShiftJisBytes)
{
    struct Case { QByteArray in; QByteArray out; };
    const QByteArray ell("\x81\x63");
    const QByteArray ascii40 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    const QByteArray ascii28(28, 'z');
    // Fourteen two-byte characters: 28 bytes stay whole; fifteen are cut.
    const QByteArray kana14 = toCp932(QStringLiteral("あいうえおかきくけこさしすせ"));
    const QByteArray kana15 = toCp932(QStringLiteral("あいうえおかきくけこさしすせそ"));
    const Case cases[] = {
        {ascii40, ascii40.left(7) + ell + ascii40.right(17)},
        {ascii28, ascii28},
        {kana14, kana14},
        // 30 bytes: the head keeps three whole characters (6 bytes), the tail the last 8 and a half
        // characters, whose cut half is dropped.
        {kana15, kana15.left(6) + ell + kana15.right(16)},
        // An odd mix: the head edge falls after a one-byte character.
        {"a" + kana15, QByteArray("a") + kana15.left(6) + ell + kana15.right(16)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shortenTextName(c.in), c.out) << c.in.toHex().constData();
    EXPECT_EQ(shortenTextName(ascii40).size(), 26);
    EXPECT_EQ(fromCp932(shortenTextName(kana15)), QStringLiteral("あいう…くけこさしすせそ"));
}

TEST(LearnerSettings, GarbageFileGivesTextsWithoutCrashing)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 131 + 7) & 0xff));
    const IniFile ini = IniFile::parse(QByteArray("[TEXT]\nEnglishText=\x82\xff\x81\n") + junk);
    const LearnerSettings texts = settingsFromIni(ini);
    EXPECT_FALSE(texts[EnglishTextSetting].isEmpty());
    EXPECT_EQ(texts[CursorSetting], QString::fromUtf8(kNone));
}

namespace {
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &contents)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    return file.fileName();
}
}

TEST(SettingsFile, ReadWholeHoweverLong)
{
    QTemporaryDir dir;
    // Every key the texts need, first in a normal file: the file read gives what the text parse gives.
    const QByteArray full = toCp932(QStringLiteral(
        "[TEXT]\r\nEnglishText=基本練習\r\nKanaText='ことわざ集'\r\n[OPTION]\r\nRomeMode=15\r\nSpeedGide=1\r\n"
        "SpeedGideType=3\r\nConstSpeed=12\r\nKeyboard=1\r\nMissTypeKey=0\r\nShowKanji=11\r\nShowCursor=0\r\n"
        "Timedisp=0\r\n"));
    writeFile(dir, "full.ini", full);
    EXPECT_EQ(readSettings(dir.path(), "full"), settingsFromIni(IniFile::parse(full)));

    // 1.5 MiB of other keys before the ones read, and a 100 KiB line whose quoted value
    // closes past the part of the line that is kept.
    QByteArray big = "[OPTION]\n";
    for (int i = 0; big.size() < (3 << 19); ++i)
        big += "Other" + QByteArray::number(i) + "=1\n";
    big += "Keyboard=0\n[TEXT]\nEnglishText=\"" + QByteArray(100 * 1024, 'x') + "\"  \n";
    writeFile(dir, "big.ini", big);
    const LearnerSettings texts = readSettings(dir.path(), "big");
    EXPECT_EQ(texts[KeyboardSetting], QStringLiteral("非表示"));
    EXPECT_EQ(texts[MistypeSetting], QStringLiteral("－"));
    const IniKey englishText[] = {{"TEXT", "EnglishText"}};
    const auto ini = IniFile::load(dir.filePath("big.ini"), englishText);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->text("TEXT", "EnglishText", ""), QByteArray(1023, 'x'));
    EXPECT_EQ(ini->text("OPTION", "Keyboard", "-"), "-"); // not asked for, not kept
}

TEST(SettingsFile, DistinctKeysTakeWorkInProportion)
{
    // 1 MiB of distinct keys: a lookup compares with a few keys, never with every key
    // before it, so ten times the keys take ten times the comparisons, not a hundred.
    for (const int keys : {10000, 104857}) {
        QByteArray contents = "[OPTION]\n";
        for (int i = 0; i < keys; ++i)
            contents += 'k' + QByteArray::number(i) + "=1\n";
        const std::uint64_t before = profileKeyComparisons();
        const IniFile ini = IniFile::parse(contents);
        EXPECT_LE(profileKeyComparisons() - before, 4 * std::uint64_t(keys)) << keys;
        EXPECT_EQ(ini.integer("OPTION", "k" + QByteArray::number(keys - 1), 0), 1);
    }
}

#ifdef Q_OS_UNIX
TEST(SettingsFile, UnreadableIsNotNoSetting)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "locked.ini", "[OPTION]\nKeyboard=0\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running as root: a file without permissions is still readable";
    std::vector<UnreadableFile> unreadable;
    for (const QString &text : readSettings(dir.path(), "locked", &unreadable))
        EXPECT_TRUE(text.isEmpty()) << text.toStdString();
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].path, path);
    EXPECT_FALSE(unreadable[0].error.isEmpty());
}
#endif
