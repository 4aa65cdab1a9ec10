#include "config/classsettings.h"
#include "records/cp932.h"
#include "records/filenames.h"
#include "samples/recordwriter.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/privatesettings.h"
#include "tests/support/programrun.h"
#include "tests/support/rawnames.h"
#include "tests/support/testprint.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace qel;

namespace {

// The tool's messages are checked in English, the words they are written in: every run of it
// from this program speaks English.
class EnglishMessages : public ::testing::Environment {
    void SetUp() override { qputenv("QEL_LANGUAGE", "en"); }
};
[[maybe_unused]] const auto *const kEnglishMessages = ::testing::AddGlobalTestEnvironment(new EnglishMessages);

qeltest::ProgramRun runCli(const QStringList &args, const QStringList &environment = {})
{
    return qeltest::runProgram(QStringLiteral(QEL_CLI_PATH), args, environment);
}

const QDateTime kWhen(QDate(2000, 1, 23), QTime(14, 5, 9));

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("taro_Qele.dat", 5, 3600, {100, 110, 120});
        write("taro_Qelk.dat", 0, 0, {});
        write("Lee, Ann_Qelk.dat", 2, 70000, {50});
        write("山田_Qele.dat", 9, 59, {120, 110, 100});
        samples::RecordContent huge;
        huge.storedRunCount = 2147483647;
        huge.runs = {{80, 0}};
        ASSERT_TRUE(samples::writeFile(dir.filePath("huge_Qele.dat"), samples::recordBytes(huge), kWhen));
        ASSERT_TRUE(samples::writeFile(dir.filePath("tiny_Qele.dat"), QByteArray("\x01\x00", 2), kWhen));
        ASSERT_TRUE(samples::writeFile(dir.filePath("notes_Qelx.dat"), "x", kWhen));
        QFile ini(dir.filePath("taro.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(toCp932(QStringLiteral("[OPTION]\r\nKeyboard=0\r\n[TEXT]\r\nEnglishText=基本\r\n")));
    }

    void write(const char *name, std::uint16_t step, std::int32_t total, std::initializer_list<int> spm)
    {
        samples::RecordContent c;
        c.currentStep = step;
        c.totalSeconds = total;
        for (int v : spm)
            c.runs.push_back({std::int16_t(v), 250});
        ASSERT_TRUE(samples::writeFile(dir.filePath(QString::fromUtf8(name)), samples::recordBytes(c), kWhen));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CliTest, TableWritesTheExportBytes)
{
    const qeltest::ProgramRun r = runCli({"table", dir.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString expected = QStringLiteral(
        "名前,モード,ステップ,練習回数,総練習時間,上達度,最高ＳＰＭ,最終練習日時\r\n"
        "\"Lee, Ann\",かな/ﾛｰﾏ,   1,     1,19:26:40,    0.00,   50,2000/01/23 14:05:09\r\n"
        "huge,英文,   0,483647,00:00:00,    0.00,   80,2000/01/23 14:05:09\r\n"
        "taro,英文,   4,     3,01:00:00,   10.00,  120,2000/01/23 14:05:09\r\n"
        "taro,かな/ﾛｰﾏ,   0,     0,00:00:00,    0.00,     0,2000/01/23 14:05:09\r\n"
        "tiny,英文,   0,     0,18:12:16,    0.00,     0,2000/01/23 14:05:09\r\n" // 01 00 is 65536 s
        "山田,英文,   8,     3,00:00:59,  -10.00,  120,2000/01/23 14:05:09\r\n");
    EXPECT_EQ(r.out, toCp932(expected));
    EXPECT_EQ(QString::fromUtf8(runCli({"table", dir.path(), "--utf8"}).out), expected);
}

TEST_F(CliTest, TableOfOneGroup)
{
    const qeltest::ProgramRun english = runCli({"table", dir.path(), "--group", "1", "--utf8"});
    EXPECT_EQ(english.exitCode, 0);
    EXPECT_EQ(english.out.count("\r\n"), 5);
    EXPECT_FALSE(english.out.contains("Lee"));
    const qeltest::ProgramRun kana = runCli({"table", "--utf8", "--group", "2", dir.path()});
    EXPECT_EQ(kana.out.count("\r\n"), 3);
    EXPECT_TRUE(kana.out.contains("\"Lee, Ann\""));
}

// watch prints the table, then after each change the table again behind an empty line.
TEST_F(CliTest, WatchPrintsTheTableAgainAfterEachChange)
{
    const qeltest::PrivateSettings settings; // the history it keeps is the test's
    QProcess watch;
    watch.start(QStringLiteral(QEL_CLI_PATH), {"watch", dir.path(), "--group", "1", "--utf8"});
    // What the program has written once it has written `wanted`, or after ten seconds.
    const auto printed = [&](const QString &wanted) {
        for (int tries = 0; tries < 100 && QString::fromUtf8(watch.peek(1 << 20)) != wanted; ++tries)
            watch.waitForReadyRead(100);
        return QString::fromUtf8(watch.peek(1 << 20));
    };
    const QString first = QString::fromUtf8(runCli({"table", dir.path(), "--group", "1", "--utf8"}).out);
    EXPECT_EQ(printed(first), first);

    write("taro_Qele.dat", 5, 3700, {100, 110, 120, 130});
    write("ume_Qele.dat", 2, 60, {90});
    const QString after = QString::fromUtf8(runCli({"table", dir.path(), "--group", "1", "--utf8"}).out);
    EXPECT_NE(after, first);
    EXPECT_EQ(printed(first + "\r\n" + after), first + "\r\n" + after);
    watch.kill();
    watch.waitForFinished();
}

// The learners who need help, by the targets the viewer keeps for the folder: absent first,
// then below target or stuck; whoever meets every target is not listed.
TEST_F(CliTest, AttentionListsWhoNeedsHelpByTheFolderTargets)
{
    qeltest::PrivateSettings settings; // also the store of the program run below
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.dir.path()));
    QTemporaryDir room;
    const QDateTime now = QDateTime::currentDateTime();
    auto writeRuns = [&](const char *file, const QDateTime &when, int firstSpm, int gain) {
        samples::RecordContent c;
        c.currentStep = 4;
        for (int i = 0; i < 10; ++i)
            c.runs.push_back({std::int16_t(firstSpm + gain * i), 200});
        ASSERT_TRUE(samples::writeFile(room.filePath(file), samples::recordBytes(c), when));
    };
    writeRuns("busy_Qele.dat", now.addSecs(-10), 120, 1); // practising, on target
    writeRuns("busy_Qelk.dat", now.addSecs(-10), 85, 1);  // the Kana target is lower
    writeRuns("slow_Qele.dat", now.addSecs(-10), 80, 0);
    writeRuns("gone_Qele.dat", now.addDays(-30), 120, 1);

    const qeltest::ProgramRun r = runCli({"attention", room.path(), "--utf8"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList lines = r.outText().split("\r\n");
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    EXPECT_EQ(lines[0], "名前,モード,状態,理由,ステップ,最近のSPM,最近のミスタイプ率,最終練習日時");
    EXPECT_TRUE(lines[1].startsWith("gone,英文,30日練習なし,30日練習なし,3,124.5,2.0,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("slow,英文,目標未達,SPM 80 (目標 100)、上達度 0.00 (直近10回)、練習中,3,80,2.0,"))
        << lines[2].toStdString();
    EXPECT_EQ(runCli({"attention", room.path(), "--group", "2", "--utf8"}).out.count("\r\n"), 1);

    // The teacher lowered the English SPM target for this folder: slow is only stuck now.
    qel::ClassTargets lower;
    lower.english.spm = 80;
    ASSERT_TRUE(qel::saveTargets(room.path(), lower));
    lines = runCli({"attention", room.path(), "--utf8"}).outText().split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[2].startsWith("slow,英文,伸び悩み,上達度 0.00 (直近10回)、練習中、目標達成,"))
        << lines[2].toStdString();
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST_F(CliTest, SummaryPrintsTheTwentyTwoTexts)
{
    const qeltest::ProgramRun r = runCli({"summary", dir.path(), "taro"}, {"QEL_LANGUAGE=ja"});
    ASSERT_EQ(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split('\n');
    ASSERT_EQ(lines.size(), 23); // 22 lines and the empty rest
    const QStringList expected = {
        "4", "0", "3", "0", "01:00:00", "00:00:00", "10.00", "0.00", "120", "0",
        "2000/01/23 14:05:09", "未練習", "基本", "個別設定なし", "個別設定なし", "個別設定なし",
        "非表示", "－", "個別設定なし", "個別設定なし", "個別設定なし", "個別設定なし",
    };
    EXPECT_EQ(lines.mid(0, 22), expected);
    // A learner with neither file is no learner of the folder, as for report; nothing is created.
    const qeltest::ProgramRun nobody = runCli({"summary", dir.path(), "nobody"});
    EXPECT_EQ(nobody.exitCode, 2);
    EXPECT_TRUE(nobody.errText().contains("no record file of nobody")) << nobody.err.toStdString();
    EXPECT_TRUE(nobody.out.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("nobody_Qele.dat")));
}

TEST_F(CliTest, StatsPrintsSevenRowsOfThreeGroups)
{
    const qeltest::ProgramRun r = runCli({"stats", dir.path()}, {"QEL_LANGUAGE=ja"});
    ASSERT_EQ(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "練習人数\t6\t4\t2");
    EXPECT_EQ(lines[3], "最高STEP\t8\t8\t1");
    EXPECT_EQ(lines[4], "最低STEP\t0\t0\t0");
    EXPECT_EQ(lines[5], "最高練習回数\t2147483647\t2147483647\t1");
}

// The language comes from QEL_LANGUAGE, else the viewer's stored choice, else the locale; the
// messages and the figures' words follow it, the CSV stays as it is.
TEST_F(CliTest, SpeaksTheLanguageChosen)
{
    QTemporaryDir storedEnglish, storedJapanese, nothingStored;
    for (const auto &[store, code] : {std::pair{&storedEnglish, "en"}, std::pair{&storedJapanese, "ja"}}) {
        ASSERT_TRUE(QDir(store->path()).mkpath("QelSoft"));
        QFile conf(store->filePath("QelSoft/QelViewer.conf"));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write(QByteArray("[Env]\nLanguage=") + code + "\n");
    }
    const struct {
        const char *variable;
        QTemporaryDir *store;
        const char *locale;
        bool english;
    } cases[] = {
        {"ja", &storedEnglish, "en_US.UTF-8", false},
        {"en", &storedJapanese, "C", true},
        {"", &storedEnglish, "ja_JP.UTF-8", true},
        {"", &storedJapanese, "en_GB.UTF-8", false},
        {"", &nothingStored, "en_US.UTF-8", true},
        {"", &nothingStored, "C", false},
        {"", &nothingStored, "de_DE.UTF-8", false},
    };
    const QByteArray table = runCli({"table", dir.path()}).out;
    ASSERT_TRUE(table.contains(toCp932(QStringLiteral("taro,英文,"))));
    for (const auto &c : cases) {
        const QStringList environment{QStringLiteral("QEL_LANGUAGE=") + c.variable,
                                      QStringLiteral("XDG_CONFIG_HOME=") + c.store->path(),
                                      QStringLiteral("LC_ALL=") + c.locale};
        const std::string what = std::string(c.variable) + " " + c.locale;
        const QStringList stats = runCli({"stats", dir.path()}, environment).outText().split('\n');
        EXPECT_EQ(stats.value(0).section('\t', 0, 0), c.english ? "Learners" : "練習人数") << what;
        const QStringList summary = runCli({"summary", dir.path(), "taro"}, environment).outText().split('\n');
        EXPECT_EQ(summary.value(11), c.english ? "No practice yet" : "未練習") << what;
        const qeltest::ProgramRun wrong = runCli({"nope"}, environment);
        EXPECT_TRUE(wrong.errText().startsWith(c.english ? "qelviewer-cli: unknown command: nope\nusage:\n"
                                                         : "qelviewer-cli: 知らないコマンドです: nope\n使い方:\n"))
            << what << ": " << wrong.err.toStdString();
        EXPECT_EQ(runCli({"table", dir.path()}, environment).out, table) << what;
    }
}

TEST(Cli, ErrorsAndUsage)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("plain.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case { QStringList args; int exitCode; const char *stderrHas; bool usage; };
    const Case cases[] = {
        {{"table", dir.filePath("missing")}, 2, "folder not found", false},
        {{"table", dir.filePath("plain.txt")}, 2, "not a folder", false},
        {{"summary", dir.filePath("missing"), "x"}, 2, "folder not found", false},
        {{"stats", dir.filePath("missing")}, 2, "folder not found", false},
        {{"watch", dir.filePath("missing")}, 2, "folder not found", false},
        {{"attention", dir.filePath("missing")}, 2, "folder not found", false},
        {{"attention"}, 2, "needs a FOLDER", true},
        {{"table"}, 2, "needs a FOLDER", true},
        {{"table", dir.path(), "--group"}, 2, "--group", true},
        {{"table", dir.path(), "--group", "3"}, 2, "--group", true},
        {{"table", dir.path(), "--bogus"}, 2, "unknown option", true},
        {{"summary", dir.path()}, 2, "NAME", true},
        {{"stats"}, 2, "FOLDER", true},
        {{"frobnicate"}, 2, "unknown command", true},
        {{}, 2, "no command", true},
    };
    for (const Case &c : cases) {
        const qeltest::ProgramRun r = runCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.errText().contains(QString::fromUtf8(c.stderrHas))) << r.err.toStdString();
        EXPECT_EQ(r.errText().contains("usage:"), c.usage) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    const qeltest::ProgramRun help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("qelviewer-cli table FOLDER"));
    // A folder without record files is not an error: just the header.
    const qeltest::ProgramRun empty = runCli({"table", dir.path(), "--utf8"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out.count("\r\n"), 1);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files) == QStringList{"plain.txt"});
}

#ifdef Q_OS_UNIX
namespace {
QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The folder's files besides the ones the test made: drafts an output left behind.
QStringList strayFiles(const QString &dir, const QStringList &made)
{
    QStringList stray = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : made)
        stray.removeAll(name);
    return stray;
}
} // namespace

// A learner's file that is there but cannot be read (here a link to a FIFO, which no open
// waits on) is no learner who never practised: every command says so and exits 1.
TEST_F(CliTest, UnreadableFilesAreNamedAndExitOne)
{
    alarm(60);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::remove(dir.filePath("taro_Qelk.dat")));
    ASSERT_TRUE(QFile::link(dir.filePath("pipe"), dir.filePath("taro_Qelk.dat")));
    const QString named = QDir(dir.path()).filePath("taro_Qelk.dat");
    const struct {
        QStringList args;
        const char *outHas;
    } cases[] = {
        {{"table", dir.path(), "--utf8"}, "taro,かな/ﾛｰﾏ,,,,,,\r\n"},
        {{"attention", dir.path(), "--utf8"}, "taro,かな/ﾛｰﾏ,読み込めません,読み込めません,,,,\r\n"},
        {{"stats", dir.path()}, "Learners\t5\t4\t1\n"}, // six files, one counts in no figure
        {{"summary", dir.path(), "taro"}, "4\n\n3\n\n01:00:00\n\n"},
        {{"graph", dir.path(), "--group", "2", "--kind", "runs", "--size", "300x200", dir.filePath("g.png")}, "learners"},
        {{"report", dir.path(), "--personal", "taro", dir.filePath("r.pdf")}, "1 page"},
        {{"report", dir.path(), "--group", "0", dir.filePath("g.pdf")}, "1 page"},
    };
    for (const auto &c : cases) {
        const qeltest::ProgramRun r = runCli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 1) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.errText().contains("cannot read " + named)) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.outText().contains(QString::fromUtf8(c.outHas))) << what << "\n" << r.out.toStdString();
    }
    alarm(0);
}

// No output goes over a record or settings file of the folder, by name or through a link.
TEST_F(CliTest, OutputsNeverOverwriteTheTrainersFiles)
{
    const QByteArray record = contentsOf(dir.filePath("taro_Qele.dat"));
    const QByteArray settings = contentsOf(dir.filePath("taro.ini"));
    QTemporaryDir out;
    ASSERT_TRUE(QFile::link(dir.filePath("taro_Qele.dat"), out.filePath("graph.png")));
    ASSERT_TRUE(QFile::link(dir.filePath("taro.ini"), out.filePath("report.pdf")));
    const QStringList graph = {"graph", dir.path(), "--group", "0", "--kind", "steps", "--size", "300x200"};
    const struct {
        QStringList args;
        const char *errHas;
    } cases[] = {
        {graph + QStringList{dir.filePath("taro_Qele.dat")}, "must end in .png"},
        {graph + QStringList{dir.filePath("taro.ini")}, "must end in .png"},
        {graph + QStringList{out.filePath("graph.png")}, "record or settings file"},
        {{"report", dir.path(), "--group", "0", out.filePath("report.pdf")}, "settings file of the record folder"},
        {{"report", dir.path(), "--personal", out.filePath("report.pdf")}, "settings file of the record folder"},
    };
    for (const auto &c : cases) {
        const qeltest::ProgramRun r = runCli(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.errText().contains(QString::fromUtf8(c.errHas))) << r.err.toStdString();
    }
    EXPECT_EQ(contentsOf(dir.filePath("taro_Qele.dat")), record);
    EXPECT_EQ(contentsOf(dir.filePath("taro.ini")), settings);
}

// Output that cannot be written is a failure: exit 2 with a message, and a file on a full
// disk is either written whole or left as it was.
TEST_F(CliTest, WhatCannotBeWrittenExitsTwo)
{
    const QStringList graph = {"graph", dir.path(), "--group", "0", "--kind", "steps", "--size", "802x500"};
    for (const QStringList &args : {QStringList{"table", dir.path()}, QStringList{"stats", dir.path()},
                                    QStringList{"summary", dir.path(), "taro"},
                                    graph + QStringList{dir.filePath("full.png")}, QStringList{"--help"}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(QEL_CLI_PATH), args);
        ASSERT_TRUE(process.waitForFinished(-1));
        EXPECT_EQ(process.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains("cannot write to standard output"));
    }

    QTemporaryDir out;
    const QByteArray earlier = "an earlier file";
    for (const char *name : {"g.png", "r.pdf"}) {
        QFile file(out.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    qeltest::FileSizeLimit fullDisk(4096); // the children inherit it
    ASSERT_TRUE(fullDisk.active());
    const qeltest::ProgramRun png = runCli(graph + QStringList{out.filePath("g.png")});
    EXPECT_EQ(png.exitCode, 2);
    EXPECT_TRUE(png.errText().contains("cannot write")) << png.err.toStdString();
    const qeltest::ProgramRun pdf = runCli({"report", dir.path(), "--personal", out.filePath("r.pdf")});
    EXPECT_EQ(pdf.exitCode, 2);
    EXPECT_TRUE(pdf.errText().contains(out.filePath("r.pdf"))) << pdf.err.toStdString();
    EXPECT_EQ(contentsOf(out.filePath("g.png")), earlier);
    EXPECT_EQ(contentsOf(out.filePath("r.pdf")), earlier);
    EXPECT_EQ(strayFiles(out.path(), {"g.png", "r.pdf"}), QStringList());
}

namespace {
// Runs the CLI to its end with its output in `out`; its peak resident memory in KiB
// (from the kernel's account of the child), or -1 when it failed.
long peakMemoryKib(const QStringList &args, const QString &out)
{
    std::vector<QByteArray> bytes{QByteArray(QEL_CLI_PATH)};
    for (const QString &a : args)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, QFile::encodeName(out).constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}
} // namespace

TEST(CliMemory, ASparseFileClaimingTwoBillionRunsIsReadInBoundedMemory)
{
    QTemporaryDir plain, sparse;
    samples::RecordContent c;
    c.runs = {{100, 0}, {120, 0}};
    ASSERT_TRUE(samples::writeFile(plain.filePath("a_Qele.dat"), samples::recordBytes(c)));
    // 12 bytes claiming 2^31 - 1 runs, then 2 GiB of holes.
    QFile big(sparse.filePath("big_Qele.dat"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray("\x00\x00\x00\x00\xFF\x7F\xFF\xFF\x05\x00\x00\x00", 12));
    ASSERT_TRUE(big.resize(qint64(1) << 31));
    big.close();

    const long baseline = peakMemoryKib({"table", plain.path()}, plain.filePath("out.csv"));
    const long peak = peakMemoryKib({"table", sparse.path()}, plain.filePath("big.csv"));
    ASSERT_GT(baseline, 0);
    ASSERT_GT(peak, 0);
    EXPECT_LT(peak - baseline, 64 * 1024) << peak << " KiB against " << baseline << " KiB";
    QFile row(plain.filePath("big.csv"));
    ASSERT_TRUE(row.open(QIODevice::ReadOnly));
    EXPECT_TRUE(row.readAll().contains(",   4,483647,00:00:00,    0.00,    0,"));
}
#endif

#ifdef Q_OS_UNIX
namespace {

// Runs the CLI with arguments in any bytes (QProcess passes UTF-8 only) and `extraEnvironment`
// ("NAME=value") added to its own.
qeltest::ProgramRun runCliBytes(const std::vector<QByteArray> &args, const std::vector<QByteArray> &extraEnvironment = {})
{
    QTemporaryDir outputs;
    std::vector<QByteArray> bytes{QByteArray(QEL_CLI_PATH)};
    bytes.insert(bytes.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> environment = extraEnvironment;
    for (char **e = environ; *e; ++e)
        environment.emplace_back(*e);
    std::vector<char *> envp;
    for (QByteArray &e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const QByteArray out = QFile::encodeName(outputs.filePath("out")), err = QFile::encodeName(outputs.filePath("err"));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    qeltest::ProgramRun run;
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid)
        return run;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = qeltest::rawContents(out);
    run.err = qeltest::rawContents(err);
    return run;
}

QByteArray recordOf(int runs)
{
    samples::RecordContent c;
    c.currentStep = 3;
    for (int k = 0; k < runs; ++k)
        c.runs.push_back({std::int16_t(100 + k), 0});
    return samples::recordBytes(c);
}

} // namespace

#ifdef QEL_LISTING_FAULT
// A listing that fails, at once or part way, is no smaller class: every command that reads
// the folder exits 2 with the system's reason and writes no table, statistics or file.
TEST(CliListing, AFailedOrCutListingExitsTwo)
{
    QTemporaryDir dir, out, history;
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(samples::writeFile(QDir(dir.path()).filePath(QStringLiteral("l%1_Qele.dat").arg(i)), recordOf(2)));
    const QByteArray folder = QFile::encodeName(dir.path()), written = QFile::encodeName(out.filePath("out"));
    const QString database = history.filePath(QStringLiteral("history.db"));
    const std::vector<std::vector<QByteArray>> commands = {
        {"table", folder},
        {"stats", folder},
        {"summary", folder, "l7"},
        {"graph", folder, "--group", "0", "--kind", "runs", "--size", "300x200", written + ".png"},
        {"report", folder, "--group", "1", written + ".pdf"},
        {"report", folder, "--personal", "l7", written + ".pdf"},
        {"attention", folder},
        {"history", folder},
        {"snapshot", folder}, // last: the runs without a fault find no history written
    };
    for (const char *after : {"0", "12", ""}) {
        for (const auto &args : commands) {
            const qeltest::ProgramRun r = runCliBytes(args, {"LD_PRELOAD=" QEL_LISTING_FAULT,
                                                             *after ? "QEL_TEST_FAIL_LISTING=" + folder : QByteArray("-=-"),
                                                             QByteArray("QEL_TEST_FAIL_AFTER=") + after,
                                                             "QEL_HISTORY_DB=" + QFile::encodeName(database)});
            const std::string what = args[0].toStdString() + " " + after + "\n" + r.err.toStdString();
            if (!*after) { // without a fault the same commands succeed
                EXPECT_EQ(r.exitCode, 0) << what;
                continue;
            }
            EXPECT_EQ(r.exitCode, 2) << what;
            EXPECT_TRUE(r.errText().contains("cannot be read to its end: " + dir.path() + ": " + qt_error_string(EIO))) << what;
            EXPECT_TRUE(r.out.isEmpty()) << what;
            EXPECT_TRUE(out.isValid() && QDir(out.path()).isEmpty()) << what;
            EXPECT_FALSE(QFileInfo::exists(database)) << what;
        }
    }
}
#endif

// Names that read alike are two learners, a name too long in UTF-8 or a folder in code page
// 932 are reached by their bytes. A learner is named by the bytes of its files' names, or by
// the name as shown where that is one learner's.
TEST(CliNames, EachLearnerByItsOwnBytes)
{
    QTemporaryDir dir, out;
    const QByteArray utf8 = QStringLiteral("表").toUtf8(), windows = toCp932(QStringLiteral("表"));
    const QString longName = QStringLiteral("日本語練習記録表示学生").repeated(10); // 110 kanji
    const QByteArray longWindows = toCp932(longName), folder = QFile::encodeName(dir.path());
    const QByteArray named = folder + '/' + toCp932(QStringLiteral("記録"));
    ASSERT_EQ(::mkdir(named.constData(), 0755), 0);
    const struct {
        QByteArray path;
        int runs;
    } files[] = {{folder + '/' + utf8, 11}, {folder + '/' + windows, 5}, {folder + '/' + longWindows, 6},
                 {folder + "/\x85\x40", 3}, {folder + "/\x86\x40", 4}, {named + '/' + windows, 7}};
    for (const auto &f : files)
        ASSERT_TRUE(qeltest::writeRawFile(f.path + "_Qele.dat", recordOf(f.runs)));

    const qeltest::ProgramRun table = runCliBytes({"table", folder, "--utf8"});
    EXPECT_TRUE(table.outText().contains("\r\n表,英文,   2,    11,")) << table.out.toStdString();
    EXPECT_TRUE(table.outText().contains("\r\n表,英文,   2,     5,")) << table.out.toStdString();
    EXPECT_TRUE(table.outText().contains("\r\n" + longName + ",英文,   2,     6,")) << table.out.toStdString();
    EXPECT_TRUE(runCliBytes({"table", named, "--utf8"}).outText().contains("\r\n表,英文,   2,     7,"));
    const qeltest::ProgramRun missing = runCliBytes({"table", named + "x"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.errText().contains("folder not found: " + dir.path() + "/記録x")) << missing.err.toStdString();

    const QByteArray unknown = shownFileName(fileNameFromBytes("\x85\x40")).toUtf8(); // reads as the other
    const struct {
        QByteArray name;
        const char *runs; // empty: the name is several learners'
    } summaries[] = {{utf8, "11"}, {windows, "5"}, {longWindows, "6"}, {longName.toUtf8(), "6"},
                     {"\x86\x40", "4"}, {unknown, ""}};
    for (const auto &s : summaries) {
        const qeltest::ProgramRun r = runCliBytes({"summary", folder, s.name});
        EXPECT_EQ(r.exitCode, *s.runs ? 0 : 2) << r.err.toStdString();
        EXPECT_EQ(r.outText().split('\n').value(2), QString(s.runs));
    }
    EXPECT_TRUE(runCliBytes({"summary", folder, unknown}).errText().contains("is the name of 2 learners"));

    const QByteArray png = QFile::encodeName(out.filePath("g.png")), pdf = QFile::encodeName(out.filePath("r.pdf"));
    const qeltest::ProgramRun graph =
        runCliBytes({"graph", folder, "--file", longWindows + "_Qele.dat", "--kind", "practice", "--size", "300x200", png});
    EXPECT_TRUE(graph.outText().startsWith("Practice graph of " + longName + ",")) << graph.err.toStdString();
    EXPECT_TRUE(runCliBytes({"report", folder, "--personal", pdf}).outText().endsWith(": 5 pages\n"));
    EXPECT_TRUE(runCliBytes({"report", folder, "--personal", windows, pdf}).outText().endsWith(": 1 page\n"));
    qeltest::removeRawTree(folder);
}
#endif
