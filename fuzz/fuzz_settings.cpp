// The settings parser and texts: the bytes are a learner's settings file, parsed, looked up
// by the keys the trainer writes and by keys of their own, and turned into the ten texts.

#include "fuzz/fuzzinput.h"
#include "records/cp932.h"
#include "records/inifile.h"
#include "records/learnersettings.h"

#include <QStringList>

using namespace qel;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = qelfuzz::wholeInput(data, size);
    const IniFile ini = IniFile::parse(bytes);
    const LearnerSettings texts = settingsFromIni(ini);
    // The switches only ever show one of their three texts.
    const QStringList onOff{QStringLiteral("非表示"), QStringLiteral("表示"), QStringLiteral("個別設定なし")};
    for (int i : {KeyboardSetting, KanjiSetting, CursorSetting, ElapsedTimeSetting})
        FUZZ_CHECK(onOff.contains(texts[std::size_t(i)]));

    // Lookups by names of the input's own: its first line split at '=' or ']'.
    const QByteArray firstLine = bytes.left(bytes.indexOf('\n'));
    const qsizetype cut = std::max(firstLine.indexOf('='), firstLine.indexOf(']'));
    const QByteArray section = firstLine.left(std::max<qsizetype>(cut, 0));
    const QByteArray key = firstLine.mid(cut + 1);
    if (const auto value = ini.value(section, key))
        FUZZ_CHECK(ini.text(section, key, "x").size() <= std::min<qsizetype>(value->size(), 1023));
    (void)ini.integer(section, key, -1);
    (void)profileInteger(bytes);

    // The shortening keeps 7 + 2 + 17 bytes of a longer name and never cuts a character in two.
    const QByteArray shortened = shortenTextName(bytes);
    FUZZ_CHECK(bytes.size() <= 28 ? shortened == bytes : shortened.size() <= 26);
    (void)toCp932(fromCp932(bytes));
    return 0;
}
