#include "samples/generator.h"

#include "records/learnersummary.h"
#include "samples/recordwriter.h"
#include "samples/settingswriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace qel::samples {

namespace {

// The engine's output sequence is fixed by the language standard; the library's
// distributions are not. So every value is derived from the raw 32-bit outputs with
// plain arithmetic, one draw per statement (argument order is unspecified).
class Random {
public:
    explicit Random(quint32 seed) : m_engine(seed) {}

    std::uint32_t raw() { return std::uint32_t(m_engine()); }
    // In [0, 1).
    double real() { return raw() / 4294967296.0; }
    double between(double lo, double hi) { return lo + (hi - lo) * real(); }
    // In [lo, hi].
    int integer(int lo, int hi)
    {
        return lo + int((std::uint64_t(raw()) * std::uint64_t(hi - lo + 1)) >> 32);
    }
    bool chance(double p) { return real() < p; }
    // About normal with mean 0 and deviation 1: four uniforms summed, centred, scaled.
    double noise()
    {
        double sum = real();
        sum += real();
        sum += real();
        sum += real();
        return (sum - 2.0) * 1.7320508075688772;
    }
    template <class T> const T &pick(const std::vector<T> &values)
    {
        return values[std::size_t(integer(0, int(values.size()) - 1))];
    }
    template <class T> void shuffle(std::vector<T> &values)
    {
        for (std::size_t i = values.size(); i > 1; --i)
            std::swap(values[i - 1], values[std::size_t(integer(0, int(i) - 1))]);
    }

private:
    std::mt19937 m_engine;
};

const QStringList &learnerNames()
{
    static const QStringList names = {
        QStringLiteral("taro"), QStringLiteral("hanako"), QStringLiteral("Sato Yui"),
        QStringLiteral("suzuki"), QStringLiteral("Takahashi Ren"), QStringLiteral("tanaka.haruto"),
        QStringLiteral("Ito Mei"), QStringLiteral("watanabe"), QStringLiteral("Yamamoto Sota"),
        QStringLiteral("nakamura"), QStringLiteral("Kobayashi Aoi"), QStringLiteral("kato_yuma"),
        QStringLiteral("Yoshida Rin"), QStringLiteral("yamada"), QStringLiteral("Sasaki Hinata"),
        QStringLiteral("matsumoto"), QStringLiteral("Inoue Riku"), QStringLiteral("kimura"),
        QStringLiteral("Hayashi Mio"), QStringLiteral("shimizu"), QStringLiteral("Mori Kaito"),
        QStringLiteral("ikeda"), QStringLiteral("Hashimoto Yuna"), QStringLiteral("abe.sora"),
        QStringLiteral("Ishikawa Koharu"), QStringLiteral("ogawa"), QStringLiteral("Fujita Minato"),
        QStringLiteral("okada"), QStringLiteral("Goto Akari"), QStringLiteral("hasegawa"),
        QStringLiteral("Murakami Hiroto"), QStringLiteral("kondo"), QStringLiteral("Smith John"),
        QStringLiteral("maria"), QStringLiteral("Lee, Ann"), QStringLiteral("山田太郎"),
        QStringLiteral("さくら"), QStringLiteral("佐藤花子"), QStringLiteral("鈴木一郎"),
        QStringLiteral("ｹﾝﾀ"),
    };
    return names;
}

// Practice texts a teacher might pick; some are too long for the viewer's text column.
const std::vector<QString> &englishTexts()
{
    static const std::vector<QString> texts = {
        QStringLiteral("Aesop's Fables"),
        QStringLiteral("基本英文練習"),
        QStringLiteral("The Gift of the Magi (O. Henry)"),
        QStringLiteral("英文ビジネスレター例文集（中級編）"),
        QStringLiteral("ニュース英語 2026年春"),
        QStringLiteral("Alice's Adventures in Wonderland, Chapter 1"),
        QStringLiteral("TOEIC対策 Part5 短文穴埋め問題集"),
    };
    return texts;
}

const std::vector<QString> &kanaTexts()
{
    static const std::vector<QString> texts = {
        QStringLiteral("日本国憲法前文"),
        QStringLiteral("ことわざ百選"),
        QStringLiteral("走れメロス（太宰治）冒頭部分の抜粋"),
        QStringLiteral("吾輩は猫である"),
        QStringLiteral("ビジネス文書（敬語・挨拶状）練習用テキスト第二版"),
        QStringLiteral("早口言葉"),
        QStringLiteral("ローマ字入力 基礎ドリル ホームポジション編"),
    };
    return texts;
}

enum class Kind {
    Regular,   // tens to a couple of hundred runs
    Beginner,  // a handful of runs
    Never,     // registered, no finished run
    Wide,      // far past everyone else's STEP
    Long,      // very long total practice time
    Heavy,     // over three hundred runs
    Declining, // a returning learner whose speed drops
};

struct Role {
    std::optional<Kind> english;
    std::optional<Kind> kana;
};

// The mix of the folder; which learner gets which role depends on the seed.
std::vector<Role> roles()
{
    const auto none = std::nullopt;
    std::vector<Role> r = {
        {Kind::Never, Kind::Never},       {Kind::Never, none},         {none, Kind::Never},
        {Kind::Wide, Kind::Regular},      {Kind::Regular, Kind::Long}, {Kind::Heavy, none},
        {Kind::Declining, none},          {none, Kind::Declining},     {Kind::Beginner, none},
        {Kind::Beginner, none},           {none, Kind::Beginner},      {Kind::Beginner, Kind::Beginner},
    };
    for (int i = 0; i < 11; ++i)
        r.push_back({Kind::Regular, Kind::Regular});
    for (int i = 0; i < 8; ++i)
        r.push_back({Kind::Regular, none});
    for (int i = 0; i < 9; ++i)
        r.push_back({none, Kind::Regular});
    return r;
}

constexpr int kSettingsFiles = 13;
constexpr int kYear = 2026;

// How one learner's history in one Course unfolds.
struct Profile {
    int runs = 0;
    int finalStep = 1; // record 3: the STEP being worked on
    double spmStart = 0, spmEnd = 0, spmHalf = 1; // runs to gain half the speed
    double missStart = 0, missEnd = 0, missHalf = 1;
    double runSeconds = 0; // mean length of one run
    int idleSeconds = 0;   // never practised: time at STEP 1 without a finished run
};

Profile makeProfile(Random &rng, Kind kind, Course course, double ability)
{
    Profile p;
    if (kind == Kind::Never) {
        p.finalStep = rng.integer(0, 1);
        if (p.finalStep == 1 && rng.chance(0.5))
            p.idleSeconds = rng.integer(60, 400);
        return p;
    }
    if (kind == Kind::Heavy || kind == Kind::Long) // those who keep at it get on
        ability = std::max(ability, kind == Kind::Long ? 0.75 : 0.7);

    switch (kind) {
    case Kind::Beginner: p.runs = rng.integer(5, 15); break;
    case Kind::Wide: p.runs = rng.integer(430, 520); break;
    case Kind::Long: p.runs = rng.integer(440, 520); break;
    case Kind::Heavy: p.runs = rng.integer(310, 460); break;
    case Kind::Declining: p.runs = rng.integer(20, 40); break;
    default: {
        const double u = rng.real();
        p.runs = 20 + int(180.0 * u * u); // mostly few tens, some up to two hundred
        break;
    }
    }

    if (kind == Kind::Declining) {
        p.spmStart = rng.between(140, 180);
        p.spmEnd = p.spmStart - rng.between(30, 45);
        p.spmHalf = rng.between(8, 16);
        p.missStart = rng.between(250, 350);
        p.missEnd = p.missStart + rng.between(100, 200);
        p.missHalf = 10;
    } else {
        p.spmStart = 30 + 40 * ability + rng.between(0, 10);
        p.spmEnd = 150 + 120 * ability + rng.between(0, 30);
        if (kind == Kind::Wide) {
            p.spmStart = rng.between(60, 80);
            p.spmEnd = rng.between(260, 290);
        }
        p.spmHalf = kind == Kind::Wide ? 30 : rng.between(20, 80);
        p.missStart = rng.between(800, 1500);
        p.missEnd = 100 + 200 * (1 - ability) + rng.between(0, 100);
        p.missHalf = rng.between(10, 40);
    }
    p.runSeconds = kind == Kind::Long ? rng.between(420, 540) : rng.between(120, 300);

    if (kind == Kind::Wide) {
        p.finalStep = rng.integer(118, 124);
    } else {
        // The STEP follows the speed reached, and no one passes more STEPs than runs allow.
        const double reached = kind == Kind::Declining
                                   ? p.spmStart
                                   : p.spmStart + (p.spmEnd - p.spmStart) * p.runs / (p.runs + p.spmHalf);
        const bool steady = kind == Kind::Heavy || kind == Kind::Long;
        const double spread = rng.between(steady ? 1.0 : 0.8, 1.2);
        const int step = 1 + int(std::max(0.0, reached - 30) / 5 * spread);
        p.finalStep = std::clamp(step, 1, std::min(62, 1 + int(0.6 * p.runs)));
    }
    if (course == Kana) { // kana input is a little slower at the same STEP
        p.spmStart *= 0.9;
        p.spmEnd *= 0.9;
    }
    return p;
}

RecordContent makeRecord(Random &rng, const Profile &p)
{
    RecordContent c;
    c.currentStep = std::uint16_t(p.finalStep);
    if (p.runs == 0) {
        if (p.finalStep >= 1)
            c.stepSeconds[0] = p.idleSeconds;
        c.totalSeconds = p.finalStep >= 1 ? p.idleSeconds : 0;
        return c;
    }
    const int steps = std::min(p.finalStep, 200);
    std::vector<int> runsAtStep(std::size_t(steps) + 1, 0);
    c.runs.reserve(std::size_t(p.runs));
    for (int k = 1; k <= p.runs; ++k) {
        // Later STEPs take more runs than the first ones.
        const double t = (k - 0.5) / p.runs;
        const double done = t * (1.5 - 0.5 * t);
        const int step = std::clamp(1 + int(p.finalStep * done), 1, p.finalStep);

        const double spmMean = p.spmStart + (p.spmEnd - p.spmStart) * k / (k + p.spmHalf);
        const double spmNoise = rng.noise();
        const long spm = std::lround(spmMean + spmNoise * (3 + 0.05 * spmMean));
        const double missMean = p.missStart + (p.missEnd - p.missStart) * k / (k + p.missHalf);
        const double missNoise = rng.noise();
        const long miss = std::lround(missMean + missNoise * (30 + 0.12 * missMean));
        c.runs.push_back({std::int16_t(std::clamp(spm, 5L, 600L)),
                          std::int16_t(std::clamp(miss, 10L, 10000L))});

        const double length = rng.between(0.6, 1.4);
        if (step <= steps) {
            c.stepSeconds[std::size_t(step - 1)] += std::int32_t(std::lround(p.runSeconds * length));
            ++runsAtStep[std::size_t(step)];
        }
    }
    // A STEP passed at the first try still took its test.
    for (int s = 1; s <= steps; ++s)
        if (runsAtStep[std::size_t(s)] == 0)
            c.stepSeconds[std::size_t(s - 1)] = rng.integer(30, 180);
    for (int s = 0; s < steps; ++s)
        c.totalSeconds += c.stepSeconds[std::size_t(s)];
    return c;
}

QDateTime practiceTime(Random &rng, int firstDay, int lastDay, int firstHour, int lastHour)
{
    const int day = rng.integer(firstDay, lastDay);
    const int hour = rng.integer(firstHour, lastHour);
    const int minute = rng.integer(0, 59);
    const int second = rng.integer(0, 59);
    return QDateTime(QDate(kYear, 1, 1).addDays(day), QTime(hour, minute, second));
}

QDateTime lastPractice(Random &rng, Kind kind)
{
    if (kind == Kind::Never) // registered at the start of the school year
        return practiceTime(rng, 90, 104, 9, 16);
    return practiceTime(rng, 4, 332, 8, 21);
}

QString number(int value)
{
    return QString::number(value);
}

std::vector<IniSection> makeSettings(Random &rng, const Role &role)
{
    IniSection text{QStringLiteral("TEXT"), {}};
    const bool englishText = role.english.has_value() || rng.chance(0.3);
    const bool kanaText = role.kana.has_value() || rng.chance(0.3);
    if (englishText)
        text.entries.emplace_back(QStringLiteral("EnglishText"), rng.pick(englishTexts()));
    if (kanaText)
        text.entries.emplace_back(QStringLiteral("KanaText"), rng.pick(kanaTexts()));

    // Mostly the values the trainer offers, now and then one the viewer cannot name.
    IniSection option{QStringLiteral("OPTION"), {}};
    auto maybe = [&](const char *key, const std::vector<int> &values) {
        if (rng.chance(0.8)) {
            const int value = rng.pick(values);
            option.entries.emplace_back(QLatin1String(key), number(value));
        }
    };
    maybe("RomeMode", {0, 1, 10, 11, 12, 20, 35});
    maybe("SpeedGide", {0, 1, 1});
    if (rng.chance(0.8)) {
        const int type = rng.pick(std::vector<int>{0, 1, 2, 3, 3, 9});
        option.entries.emplace_back(QStringLiteral("SpeedGideType"), number(type));
        if (type == 3 && rng.chance(0.7)) {
            const int constSpeed = rng.chance(0.2) ? 999 : rng.integer(5, 60);
            option.entries.emplace_back(QStringLiteral("ConstSpeed"), number(constSpeed));
        }
    }
    // Always there, so that every settings file says something of its own.
    const int keyboard = rng.integer(0, 1);
    option.entries.emplace_back(QStringLiteral("Keyboard"), number(keyboard));
    maybe("MissTypeKey", {0, 1});
    maybe("ShowKanji", {0, 1, 10, 11, 11, 21});
    maybe("ShowCursor", {0, 1});
    maybe("Timedisp", {0, 1});

    std::vector<IniSection> sections;
    if (!text.entries.empty())
        sections.push_back(text);
    sections.push_back(option);
    return sections;
}

} // namespace

QStringList sampleFileNames()
{
    QStringList names;
    for (const QString &learner : learnerNames()) {
        names << recordFileName(learner, English) << recordFileName(learner, Kana)
              << learner + QStringLiteral(".ini");
    }
    return names;
}

std::vector<SampleFile> sampleFiles(quint32 seed)
{
    Random rng(seed);
    std::vector<Role> cast = roles();
    rng.shuffle(cast);
    std::vector<int> order(cast.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    rng.shuffle(order);
    std::vector<bool> hasSettings(cast.size(), false);
    for (int i = 0; i < kSettingsFiles; ++i)
        hasSettings[std::size_t(order[std::size_t(i)])] = true;

    std::vector<SampleFile> files;
    const QStringList &names = learnerNames();
    for (std::size_t i = 0; i < cast.size(); ++i) {
        Role role = cast[i];
        const QString &name = names[qsizetype(i)];
        const double ability = rng.real();
        // Some who practise both Courses have only started the second one.
        if (role.english == Kind::Regular && role.kana == Kind::Regular && rng.chance(0.3))
            role.kana = Kind::Beginner;

        QDateTime earliest;
        for (const Course course : {English, Kana}) {
            const std::optional<Kind> kind = course == English ? role.english : role.kana;
            if (!kind)
                continue;
            const Profile profile = makeProfile(rng, *kind, course, ability);
            const RecordContent record = makeRecord(rng, profile);
            const QDateTime modified = lastPractice(rng, *kind);
            if (!earliest.isValid() || modified < earliest)
                earliest = modified;
            files.push_back({name, recordFileName(name, course), recordBytes(record), modified});
        }
        if (hasSettings[i]) {
            const std::vector<IniSection> sections = makeSettings(rng, role);
            // The teacher set the learner up before the last practice.
            const int lastDay = int(QDate(kYear, 1, 1).daysTo(earliest.date()));
            const QDateTime modified = practiceTime(rng, std::max(0, lastDay - 60), std::max(0, lastDay - 1), 8, 17);
            files.push_back({name, name + QStringLiteral(".ini"), iniBytes(sections), modified});
        }
    }
    return files;
}

GenerateResult generateFolder(const QString &folder, quint32 seed)
{
    GenerateResult result;
    if (folder.isEmpty()) {
        result.error = QStringLiteral("no output folder given");
        return result;
    }
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        result.error = QStringLiteral("%1 is not a folder").arg(folder);
        return result;
    }
    QDir dir(folder);
    if (!info.exists() && !dir.mkpath(QStringLiteral("."))) {
        result.error = QStringLiteral("cannot create the folder %1").arg(folder);
        return result;
    }

    const std::vector<SampleFile> files = sampleFiles(seed);
    QSet<QString> writing;
    for (const SampleFile &f : files)
        writing.insert(f.name);
    const QStringList own = sampleFileNames();
    const QSet<QString> ownSet(own.begin(), own.end());

    QStringList foreign, stale;
    const QStringList present =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : present) {
        if (!ownSet.contains(entry))
            foreign << entry;
        else if (!writing.contains(entry))
            stale << entry;
    }
    auto listed = [](const QStringList &names) {
        QStringList shown = names.mid(0, 5);
        if (names.size() > 5)
            shown << QStringLiteral("…");
        return shown.join(QStringLiteral(", "));
    };
    if (!foreign.isEmpty()) {
        result.error = QStringLiteral("%1 holds files that are not sample files (%2); choose an empty folder")
                           .arg(folder, listed(foreign));
        return result;
    }
    if (!stale.isEmpty()) {
        result.error = QStringLiteral("%1 holds sample files this seed does not write (%2); choose an empty folder")
                           .arg(folder, listed(stale));
        return result;
    }

    QSet<QString> learners;
    for (const SampleFile &f : files) {
        if (!writeFile(dir.filePath(f.name), f.bytes, f.modified)) {
            result.error = QStringLiteral("cannot write %1").arg(dir.filePath(f.name));
            return result;
        }
        ++result.files;
        learners.insert(f.learner);
    }
    result.learners = int(learners.size());
    result.ok = true;
    return result;
}

} // namespace qel::samples
