// The sample folder: reproducible, readable by the viewer's own readers, and believable.

#include "records/cp932.h"
#include "records/inifile.h"
#include "records/learnersettings.h"
#include "records/learnertable.h"
#include "records/practicehistory.h"
#include "samples/generator.h"
#include "samples/settingswriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::samples;

namespace {

const QString kNone = QStringLiteral("個別設定なし");

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QString generated(QTemporaryDir &dir, quint32 seed)
{
    const QString folder = dir.filePath(QStringLiteral("RecordFolder"));
    const GenerateResult r = generateFolder(folder, seed);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return folder;
}

} // namespace

TEST(SampleGenerator, SameSeedGivesTheSameFolderAndAnotherSeedDiffers)
{
    QTemporaryDir a, b, c;
    const QString first = generated(a, 7), second = generated(b, 7), other = generated(c, 8);

    const QStringList names = folderEntries(first);
    ASSERT_FALSE(names.isEmpty());
    ASSERT_EQ(names, folderEntries(second));
    for (const QString &name : names) {
        const QFileInfo x(first + QLatin1Char('/') + name), y(second + QLatin1Char('/') + name);
        EXPECT_EQ(contents(x.filePath()), contents(y.filePath())) << name.toStdString();
        EXPECT_EQ(x.lastModified(), y.lastModified()) << name.toStdString();
    }

    bool differs = folderEntries(other) != names;
    for (const QString &name : names) {
        if (!differs && QFileInfo::exists(other + QLatin1Char('/') + name))
            differs = contents(first + QLatin1Char('/') + name) != contents(other + QLatin1Char('/') + name);
    }
    EXPECT_TRUE(differs);
}

TEST(SampleGenerator, NamesAndTextsSurviveTheTrainersCodePage)
{
    const QStringList own = sampleFileNames();
    const QSet<QString> ownSet(own.begin(), own.end());
    for (const SampleFile &f : sampleFiles(2026)) {
        EXPECT_TRUE(ownSet.contains(f.name)) << f.name.toStdString();
        EXPECT_TRUE(fitsCp932(f.name)) << f.name.toStdString();
        for (const char *forbidden : {"/", "\\", ":", "*", "?", "\"", "<", ">", "|"})
            EXPECT_FALSE(f.name.contains(QLatin1String(forbidden))) << f.name.toStdString();
        if (f.name.endsWith(QStringLiteral(".ini"))) {
            EXPECT_EQ(toCp932(fromCp932(f.bytes)), f.bytes) << f.name.toStdString();
            EXPECT_EQ(f.bytes.count("\n"), f.bytes.count("\r\n")) << f.name.toStdString();
        }
    }
}

TEST(SettingsWriter, WritesSectionsInCodePage932WithCrLf)
{
    const QByteArray bytes = iniBytes({{QStringLiteral("TEXT"), {{QStringLiteral("KanaText"), QStringLiteral("日本")}}},
                                       {QStringLiteral("OPTION"), {{QStringLiteral("Keyboard"), QStringLiteral("1")}}}});
    EXPECT_EQ(bytes, QByteArray("[TEXT]\r\nKanaText=\x93\xfa\x96\x7b\r\n[OPTION]\r\nKeyboard=1\r\n"));
    EXPECT_TRUE(fitsCp932(QStringLiteral("ｹﾝﾀ 山田…")));
    EXPECT_FALSE(fitsCp932(QStringLiteral("😀")));
}

// The viewer's table of the folder, for several seeds: the mix must not hang on luck.
class SampleFolderTable : public ::testing::TestWithParam<quint32> {};

TEST_P(SampleFolderTable, HoldsTheIntendedMixOfLearners)
{
    QTemporaryDir dir;
    const QString folder = generated(dir, GetParam());

    const ScanResult scan = scanFolder(folder, AllGroup);
    ASSERT_TRUE(scan.listing.complete());
    GroupCollections groups;
    const std::vector<TableRow> rows = makeView(folder, scan.nodes, &groups);
    ASSERT_EQ(rows.size(), scan.nodes.size());
    EXPECT_EQ(scanFolder(folder, EnglishGroup).nodes.size() + scanFolder(folder, KanaGroup).nodes.size(),
              rows.size());

    QMap<QString, std::vector<const TableRow *>> byName;
    for (const TableRow &row : rows) {
        EXPECT_TRUE(row.readable) << row.key.toStdString();
        EXPECT_TRUE(row.cells[DateColumn].startsWith(QStringLiteral("2026/"))) << row.cells[DateColumn].toStdString();
        byName[row.name].push_back(&row);
    }
    EXPECT_GE(byName.size(), 36);
    EXPECT_LE(byName.size(), 44);

    int both = 0, englishOnly = 0, kanaOnly = 0, never = 0;
    for (const auto &learnerRows : byName) {
        if (learnerRows.size() == 2)
            ++both;
        else if (learnerRows.front()->icon == 4)
            ++englishOnly;
        else
            ++kanaOnly;
        bool practised = false;
        for (const TableRow *row : learnerRows)
            practised = practised || row->runCount > 0;
        if (!practised) {
            ++never;
            for (const TableRow *row : learnerRows)
                EXPECT_EQ(row->passedStep, 0) << row->key.toStdString();
        }
    }
    EXPECT_GE(both, 8);
    EXPECT_GE(englishOnly, 5);
    EXPECT_GE(kanaOnly, 5);
    EXPECT_GE(never, 2);
    EXPECT_LE(never, 5);

    EXPECT_TRUE(byName.contains(QStringLiteral("Lee, Ann")));
    EXPECT_TRUE(std::any_of(byName.keyBegin(), byName.keyEnd(), [](const QString &n) {
        return std::any_of(n.begin(), n.end(), [](QChar c) { return c.unicode() >= 0x3000; });
    }));

    // A spread of STEPs and run counts, with one learner far ahead.
    int low = 0, middle = 0, high = 0, wide = 0, manyRuns = 0, fewRuns = 0, someRuns = 0;
    int rising = 0, falling = 0, fitted = 0;
    for (const TableRow &row : rows) {
        const int s = row.passedStep;
        low += s >= 1 && s <= 10;
        middle += s > 10 && s <= 30;
        high += s > 30 && s <= 70;
        wide += s >= 100;
        manyRuns += row.runCount > 300;
        fewRuns += row.runCount >= 1 && row.runCount < 20;
        someRuns += row.runCount >= 20 && row.runCount <= 200;
        if (row.runCount >= 2) {
            ++fitted;
            rising += row.sortValue > 0;
            falling += row.sortValue < 0;
        }
    }
    EXPECT_GE(low, 3);
    EXPECT_GE(middle, 10);
    EXPECT_GE(high, 3);
    EXPECT_EQ(wide, 1);
    EXPECT_GE(manyRuns, 2);
    EXPECT_GE(fewRuns, 4);
    EXPECT_GE(someRuns, 15);
    EXPECT_GE(rising, fitted * 8 / 10);
    EXPECT_GE(falling, 1);
    EXPECT_LE(falling, 6);

    EXPECT_EQ(groups.groupSteps.size(), rows.size());
    EXPECT_EQ(groups.groupRunCounts.size(), rows.size());
}

TEST_P(SampleFolderTable, RecordFilesAreConsistentAndCurvesBelievable)
{
    QTemporaryDir dir;
    const QString folder = generated(dir, GetParam());
    const ScanResult scan = scanFolder(folder, AllGroup);
    ASSERT_FALSE(scan.nodes.empty());

    int hourAxes = 0, minuteAxes = 0, longTotals = 0;
    for (const TreeNode &node : scan.nodes) {
        SCOPED_TRACE(node.key.toStdString());
        struct Runs : RunVisitor {
            std::vector<RunSample> all;
            void runs(std::int64_t, std::span<const RunSample> chunk) override
            {
                all.insert(all.end(), chunk.begin(), chunk.end());
            }
        } runs;
        const QString path = recordFolderPath(folder, node.key);
        const auto file = PracticeHistory::read(path, &runs);
        ASSERT_TRUE(file.has_value());
        const std::int64_t n = file->runCount();
        EXPECT_EQ(file->runsInFile(), n);
        EXPECT_EQ(QFileInfo(path).size(), 4 * (216 + n));

        const int step = file->currentStepSigned();
        ASSERT_GE(step, 0);
        std::int64_t sum = 0, longest = 0;
        for (int s = 1; s <= 200; ++s) {
            const std::int32_t seconds = file->stepTimes().stepSeconds[std::size_t(s - 1)];
            if (s > step) {
                EXPECT_EQ(seconds, 0) << "STEP " << s;
                continue;
            }
            EXPECT_GE(seconds, 0);
            EXPECT_LE(seconds, 5 * 3600) << "STEP " << s;
            sum += seconds;
            longest = std::max<std::int64_t>(longest, seconds);
        }
        EXPECT_EQ(sum, file->totalSeconds());
        if (n > 0) {
            EXPECT_GE(step, 1);
            EXPECT_LE(step, 1 + n); // no more STEPs than runs allow
        }
        hourAxes += longest >= 3000;
        minuteAxes += n > 0 && longest < 600;
        longTotals += file->totalSeconds() >= 40 * 3600;

        double firstSpm = 0, lastSpm = 0, firstMiss = 0, lastMiss = 0;
        for (std::int64_t k = 1; k <= n; ++k) {
            const RunSample run = runs.all[std::size_t(k - 1)];
            EXPECT_GE(run.spm, 1);
            EXPECT_LE(run.spm, 400);
            EXPECT_GE(run.mistypeRate, 0);
            EXPECT_LE(run.mistypeRate, 3000);
            if (k <= 10) {
                firstSpm += run.spm;
                firstMiss += run.mistypeRate;
            }
            if (k > n - 10) {
                lastSpm += run.spm;
                lastMiss += run.mistypeRate;
            }
        }
        if (n >= 50) { // long histories learn: faster and fewer mistypes
            EXPECT_GT(lastSpm, firstSpm * 1.2);
            EXPECT_LT(lastMiss, firstMiss * 0.9);
            EXPECT_GE(firstSpm / 10, 25);
            EXPECT_LE(lastSpm / 10, 320);
        }
    }
    EXPECT_GE(hourAxes, 1);
    EXPECT_GE(minuteAxes, 3);
    EXPECT_GE(longTotals, 1);
}

TEST_P(SampleFolderTable, SettingsFilesGiveTheLearnersOwnTexts)
{
    QTemporaryDir dir;
    const QString folder = generated(dir, GetParam());
    QSet<QString> learners;
    for (const TreeNode &node : scanFolder(folder, AllGroup).nodes)
        learners.insert(node.text);

    int files = 0, shortened = 0, whole = 0;
    QSet<QString> seenOptions;
    for (const QString &learner : learners) {
        SCOPED_TRACE(learner.toStdString());
        const LearnerSettings texts = readSettings(folder, learner);
        const QString path = settingsFilePath(folder, learner);
        if (!QFileInfo::exists(path)) {
            for (const QString &t : texts)
                EXPECT_EQ(t, kNone);
            continue;
        }
        ++files;
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const QString &t) { return t != kNone; }));
        for (int i = ConversionModeSetting; i <= ElapsedTimeSetting; ++i)
            if (texts[std::size_t(i)] != kNone)
                seenOptions.insert(QString::number(i) + QLatin1Char(':') + texts[std::size_t(i)]);

        const IniKey textKeys[] = {{"TEXT", "EnglishText"}, {"TEXT", "KanaText"}};
        const std::optional<IniFile> loaded = IniFile::load(path, textKeys);
        ASSERT_TRUE(loaded);
        const IniFile &ini = *loaded;
        const std::pair<const char *, SettingIndex> keys[] = {{"EnglishText", EnglishTextSetting},
                                                              {"KanaText", KanaTextSetting}};
        for (const auto &[key, index] : keys) {
            const auto raw = ini.value("TEXT", key);
            const QString shown = texts[std::size_t(index)];
            if (!raw) {
                EXPECT_EQ(shown, kNone);
            } else if (raw->size() > 28) {
                ++shortened;
                EXPECT_TRUE(shown.contains(QStringLiteral("…"))) << shown.toStdString();
                EXPECT_LE(toCp932(shown).size(), 26);
                EXPECT_TRUE(fromCp932(*raw).endsWith(shown.mid(shown.indexOf(QStringLiteral("…")) + 1)))
                    << shown.toStdString();
            } else {
                ++whole;
                EXPECT_EQ(shown, fromCp932(*raw));
            }
        }
    }
    EXPECT_GE(files, 10);
    EXPECT_LE(files, 16);
    EXPECT_GE(shortened, 1);
    EXPECT_GE(whole, 1);
    EXPECT_GE(seenOptions.size(), 8); // not the same switches in every file

    for (const QString &entry : folderEntries(folder)) {
        if (entry.endsWith(QStringLiteral(".ini"))) { // every settings file has its learner
            EXPECT_TRUE(learners.contains(entry.chopped(4))) << entry.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleFolderTable, ::testing::Values(2026u, 1u, 99u, 123456789u));

TEST(SampleGeneratorSafety, RefusesFoldersWithOtherFilesAndNeverDeletes)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("records"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString notes = folder + QStringLiteral("/notes.txt");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    GenerateResult r = generateFolder(folder, 5);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("notes.txt"))) << r.error.toStdString();
    EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("notes.txt")});
    EXPECT_EQ(contents(notes), QByteArray("keep me"));

    // A sample file name this seed would not write stays, and the folder is refused.
    QFile::remove(notes);
    QSet<QString> writes;
    for (const SampleFile &f : sampleFiles(5))
        writes.insert(f.name);
    QString stale;
    for (const QString &name : sampleFileNames())
        if (!writes.contains(name)) {
            stale = name;
            break;
        }
    ASSERT_FALSE(stale.isEmpty());
    {
        QFile f(folder + QLatin1Char('/') + stale);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    r = generateFolder(folder, 5);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(stale)) << r.error.toStdString();
    EXPECT_EQ(folderEntries(folder), QStringList{stale});
    QFile::remove(folder + QLatin1Char('/') + stale);

    // Its own files of the same seed are simply written again.
    r = generateFolder(folder, 5);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.files, int(writes.size()));
    EXPECT_EQ(r.learners, 40);
    r = generateFolder(folder, 5);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(folderEntries(folder).size(), writes.size());

    // A path that is a file is no folder.
    r = generateFolder(folder + QLatin1Char('/') + *writes.begin(), 5);
    EXPECT_FALSE(r.ok);
}

TEST(SampleProgram, ExitsWithTwoOnErrorsAndWritesTheFolderOtherwise)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("a/b/RecordFolder"));
    struct Case {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{}, 2},
        {{out, QStringLiteral("--seed")}, 2},
        {{out, QStringLiteral("--seed"), QStringLiteral("x")}, 2},
        {{out, QStringLiteral("--seed"), QStringLiteral("4294967296")}, 2},
        {{out, QStringLiteral("--colour")}, 2},
        {{out, out}, 2},
        {{out, QStringLiteral("--seed"), QStringLiteral("4294967295")}, 0},
        {{dir.path()}, 2}, // holds the folder just written
    };
    for (const Case &c : cases) {
        QProcess p;
        p.start(QStringLiteral(QEL_SAMPLES_PROGRAM), c.args);
        ASSERT_TRUE(p.waitForFinished(-1));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), c.exitCode) << c.args.join(QLatin1Char(' ')).toStdString();
        if (c.exitCode == 2) {
            EXPECT_FALSE(p.readAllStandardError().isEmpty());
        }
    }
    const std::vector<SampleFile> expected = sampleFiles(4294967295u);
    EXPECT_EQ(folderEntries(out).size(), expected.size());
    for (const SampleFile &f : expected)
        EXPECT_EQ(contents(out + QLatin1Char('/') + f.name), f.bytes) << f.name.toStdString();
}
