#include "records/cp932.h"
#include "records/filenames.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "tests/support/rawnames.h"
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace qel;

namespace {

class Folder {
public:
#ifdef Q_OS_UNIX
    ~Folder() { qeltest::removeRawTree(QFile::encodeName(m_dir.path())); } // names in code page 932 too
#endif
    QString path() const { return m_dir.path(); }
    void record(const QString &fileName, std::uint16_t step, std::initializer_list<int> spm)
    {
        samples::RecordContent c;
        c.currentStep = step;
        for (int v : spm)
            c.runs.push_back({std::int16_t(v), 100});
        ASSERT_TRUE(samples::writeFile(m_dir.filePath(fileName), samples::recordBytes(c)));
    }
    void plain(const QString &fileName)
    {
        QFile f(m_dir.filePath(fileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

private:
    QTemporaryDir m_dir;
};

QStringList keys(const ScanResult &scan)
{
    QStringList k;
    for (const TreeNode &n : scan.nodes)
        k << n.key;
    return k;
}

} // namespace

TEST(RecordFileName, NameAndCourse)
{
    struct Case { const char *file; bool ok; const char *learner; Course course; };
    const Case cases[] = {
        {"taro_Qele.dat", true, "taro", English},
        {"taro_Qelk.dat", true, "taro", Kana},
        {"a_Qelb_Qele.dat", true, "a", English},
        {"x_QelE.dat", false, "", English},
        {"x_Qelx.dat", false, "", English},
        {"x_QELe.dat", false, "", English},
        {"notes_Qelx.dat", false, "", English},
        {"_Qele.dat", true, "", English},
        {"山田_Qelk.dat", true, "山田", Kana},
        {"Lee, Ann_Qele.dat", true, "Lee, Ann", English},
    };
    for (const Case &c : cases) {
        const auto parsed = parseRecordFileName(QString::fromUtf8(c.file));
        ASSERT_EQ(bool(parsed), c.ok) << c.file;
        if (parsed) {
            EXPECT_EQ(parsed->learner, QString::fromUtf8(c.learner));
            EXPECT_EQ(parsed->course, c.course);
        }
    }
}

TEST(FolderScan, GroupsRowsAndStatusTexts)
{
    Folder f;
    f.record("taro_Qele.dat", 3, {100});
    f.record("taro_Qelk.dat", 2, {});
    f.record("hanako_Qelk.dat", 9, {50, 60});
    f.plain("notes_Qelx.dat");
    f.plain("x_QelE.dat");
    f.plain("readme.txt");
    ASSERT_TRUE(QDir(f.path()).mkdir("dir_Qele.dat"));

    struct Case { int group; const char *root; QStringList keys; const char *status; };
    const Case cases[] = {
        {AllGroup, "全体", {"hanako_Qelk.dat", "taro_Qele.dat", "taro_Qelk.dat"}, "3個の成績データファイル"},
        {EnglishGroup, "英文", {"taro_Qele.dat"}, "1個の成績データファイル"},
        {KanaGroup, "かな/ローマ", {"hanako_Qelk.dat", "taro_Qelk.dat"}, "2個の成績データファイル"},
    };
    for (const Case &c : cases) {
        const ScanResult scan = scanFolder(f.path(), c.group);
        EXPECT_EQ(scan.rootText, QString::fromUtf8(c.root));
        EXPECT_EQ(keys(scan), c.keys);
        EXPECT_EQ(scan.statusText, QString::fromUtf8(c.status));
    }
    const ScanResult all = scanFolder(f.path(), AllGroup);
    EXPECT_EQ(all.nodes[1].text, "taro");
    EXPECT_EQ(all.nodes[1].image, 4);
    EXPECT_EQ(all.nodes[2].image, 5);
}

TEST(FolderScan, OrdersByCodePoint)
{
    Folder f;
    for (const char *name : {"b_Qele.dat", "B_Qele.dat", "a_Qele.dat", "山_Qele.dat", "あ_Qele.dat", "a_Qelk.dat"})
        f.record(QString::fromUtf8(name), 1, {});
    EXPECT_EQ(keys(scanFolder(f.path(), AllGroup)),
              (QStringList{"B_Qele.dat", "a_Qele.dat", "a_Qelk.dat", "b_Qele.dat", "あ_Qele.dat", "山_Qele.dat"}));
}

TEST(FolderScan, MissingFolderIsAnEmptyGroup)
{
    QTemporaryDir dir;
    for (const QString &folder : {dir.filePath("missing"), QString()}) {
        const ScanResult scan = scanFolder(folder, AllGroup);
        EXPECT_EQ(scan.listing.kind, ListingStatus::FolderMissing);
        EXPECT_TRUE(scan.nodes.empty());
        EXPECT_EQ(scan.statusText, QStringLiteral("0個の成績データファイル"));
    }
}

TEST(TableBuild, RowsCollectionsAndProgress)
{
    Folder f;
    f.record("taro_Qele.dat", 4, {100, 110, 120});
    f.record("taro_Qelk.dat", 0, {});
    f.record("ken_Qele.dat", 6, {80, 70});
    const ScanResult scan = scanFolder(f.path(), AllGroup);
    GroupCollections collections;
    collections.groupSteps = {99, 99, 99, 99, 99};
    std::vector<std::pair<int, int>> progress;
    const auto rows = makeView(f.path(), scan.nodes, &collections,
                               [&](int value, int maximum) { progress.emplace_back(value, maximum); });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "ken");
    EXPECT_EQ(rows[0].cells[CourseColumn], QStringLiteral("英文"));
    EXPECT_EQ(rows[0].cells[RateColumn], "  -10.00");
    EXPECT_DOUBLE_EQ(rows[0].sortValue, -10);
    EXPECT_EQ(rows[2].cells[CourseColumn], QStringLiteral("かな/ﾛｰﾏ"));
    EXPECT_EQ(rows[2].icon, 5);
    EXPECT_EQ(rows[2].cells[BestColumn], "     0");
    EXPECT_EQ(collections.groupSteps, (std::vector<std::int32_t>{5, 3, 0}));
    EXPECT_EQ(collections.groupRunCounts, (std::vector<std::int32_t>{2, 3, 0}));
    // The maximum counts the root node; the value stops one short of it.
    EXPECT_EQ(progress.front(), std::make_pair(0, 4));
    EXPECT_EQ(progress.back(), std::make_pair(3, 4));
}

// The newest runs come out in order whether they share the file's first chunk of runs or
// straddle two (a chunk holds 16,384 runs).
TEST(TableBuild, RowKeepsTheNewestRunsInOrder)
{
    for (int runs : {0, 3, 20, 16384 + 7, 16384 + 40}) {
        Folder f;
        samples::RecordContent c;
        c.totalSeconds = 4321;
        for (int i = 1; i <= runs; ++i)
            c.runs.push_back({std::int16_t(i % 30000), std::int16_t(i % 7)});
        ASSERT_TRUE(samples::writeFile(QDir(f.path()).filePath("a_Qele.dat"), samples::recordBytes(c)));
        const auto rows = makeView(f.path(), scanFolder(f.path(), AllGroup).nodes);
        ASSERT_EQ(rows.size(), 1u);
        const RecentRuns &recent = rows[0].recent;
        const int kept = std::min(runs, RecentRuns::kKept);
        ASSERT_EQ(recent.count, kept) << runs;
        EXPECT_EQ(recent.lastRun, runs) << runs;
        for (int i = 0; i < kept; ++i) {
            const int run = runs - kept + 1 + i;
            EXPECT_EQ(recent.runs()[std::size_t(i)].spm, run % 30000) << runs << " " << i;
            EXPECT_EQ(recent.runs()[std::size_t(i)].mistypeRate, run % 7) << runs << " " << i;
        }
        EXPECT_EQ(rows[0].totalSeconds, 4321);
        EXPECT_EQ(rows[0].bestSpm, runs == 0 ? 0 : std::min(runs, 29999));
    }
}

TEST(TableBuild, VanishedFileKeepsItsNameAndCourse)
{
    Folder f;
    f.record("a_Qele.dat", 4, {100, 110});
    f.record("b_Qelk.dat", 7, {90});
    f.record("c_Qele.dat", 2, {50});
    const ScanResult scan = scanFolder(f.path(), AllGroup);
    ASSERT_TRUE(QFile::remove(QDir(f.path()).filePath("b_Qelk.dat")));
    GroupCollections collections;
    const auto rows = makeView(f.path(), scan.nodes, &collections);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[1].readable);
    EXPECT_FALSE(rows[1].error.isEmpty());
    EXPECT_EQ(rows[1].name, "b");
    EXPECT_EQ(rows[1].cells[CourseColumn], QStringLiteral("かな/ﾛｰﾏ"));
    for (int c = StepColumn; c <= DateColumn; ++c)
        EXPECT_TRUE(rows[1].cells[std::size_t(c)].isEmpty()) << c;
    EXPECT_TRUE(rows[0].readable);
    EXPECT_EQ(rows[2].cells[StepColumn], "   1");
    // The vanished file's figures are unknown, not zero: they count nowhere.
    EXPECT_EQ(collections.groupSteps, (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(collections.groupRunCounts, (std::vector<std::int32_t>{2, 1}));
    EXPECT_FALSE(QFile::exists(QDir(f.path()).filePath("b_Qelk.dat")));
}

TEST(TableBuild, EmptyGroupEmptiesTheCollections)
{
    Folder f;
    f.record("hanako_Qelk.dat", 3, {});
    const ScanResult scan = scanFolder(f.path(), EnglishGroup);
    EXPECT_EQ(scan.statusText, QStringLiteral("0個の成績データファイル"));
    GroupCollections collections{{1, 2}, {3, 4}};
    EXPECT_TRUE(makeView(f.path(), scan.nodes, &collections).empty());
    EXPECT_TRUE(collections.groupSteps.empty());
    EXPECT_TRUE(collections.groupRunCounts.empty());
}

TEST(RecordFolderPath, KeepsARootsOwnSeparator)
{
    EXPECT_EQ(recordFolderPath("/data", "a_Qele.dat"), "/data/a_Qele.dat");
    EXPECT_EQ(recordFolderPath("/", "a_Qele.dat"), "/a_Qele.dat");
    EXPECT_EQ(recordFolderPath("C:\\", "a_Qele.dat"), "C:\\a_Qele.dat");
}

#ifdef Q_OS_UNIX
// No FIFO here ever gets a writer: an open that waited for one would hang, so the watchdog
// ends the program (and fails the test) if one does.
TEST(NoOpenBlocks, FifosNamedLikeRecordAndSettingsFilesAreUnreadable)
{
    alarm(60);
    Folder f;
    const QDir dir(f.path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("pipe"), dir.filePath("linked_Qele.dat")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("taro.ini")).constData(), 0600), 0);
    f.record("taro_Qele.dat", 3, {100, 120});
    f.record("taro_Qelk.dat", 4, {80});

    const ScanResult scan = scanFolder(f.path(), AllGroup);
    ASSERT_EQ(keys(scan), QStringList({"linked_Qele.dat", "taro_Qele.dat", "taro_Qelk.dat"}));
    // Swapped for a FIFO between the listing and the read.
    ASSERT_TRUE(QFile::remove(dir.filePath("taro_Qelk.dat")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("taro_Qelk.dat")).constData(), 0600), 0);
    const std::vector<TableRow> rows = makeView(f.path(), scan.nodes);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[0].readable);
    EXPECT_FALSE(rows[0].error.isEmpty());
    EXPECT_TRUE(rows[1].readable);
    EXPECT_EQ(rows[1].cells[RunsColumn], "     2");
    EXPECT_FALSE(rows[2].readable);

    // Settings that cannot be read are unknown, not "個別設定なし"; the Course file that
    // turned into a FIFO is unknown too, not "未練習".
    std::vector<UnreadableFile> unreadable;
    const LearnerSettings settings = readSettings(f.path(), QStringLiteral("taro"), &unreadable);
    for (const QString &text : settings)
        EXPECT_TRUE(text.isEmpty()) << text.toStdString();
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].path, dir.filePath("taro.ini"));
    const LearnerSummary summary = readSummary(f.path(), QStringLiteral("taro"));
    EXPECT_EQ(summary.courses[English].runCount, "2");
    EXPECT_TRUE(summary.courses[Kana].lastPractice.isEmpty());
    EXPECT_EQ(summary.settings, settings);
    ASSERT_EQ(summary.unreadable.size(), 2u);
    EXPECT_EQ(summary.unreadable[0].path, dir.filePath("taro_Qelk.dat"));
    alarm(0);
}
#endif

// A link to nowhere is left out; the rest of the folder is listed as before.
TEST(FolderScan, ABrokenLinkLeavesTheRestListed)
{
    Folder f;
    ASSERT_TRUE(QFile::link(QDir(f.path()).filePath("gone"), QDir(f.path()).filePath("b_Qele.dat")));
    f.record("a_Qele.dat", 3, {100});
    f.record("c_Qelk.dat", 3, {100});
    const ScanResult scan = scanFolder(f.path(), AllGroup);
    EXPECT_TRUE(scan.listing.complete());
    EXPECT_EQ(keys(scan), QStringList({"a_Qele.dat", "c_Qelk.dat"}));
}

#ifdef Q_OS_UNIX
// A folder copied from Windows without converting its names keeps them in code page 932.
TEST(CodePage932Names, AreListedDecodedAndOpenedByTheirBytes)
{
    Folder f;
    const QByteArray folder = QFile::encodeName(f.path()) + '/';
    const QByteArray taro = toCp932(QStringLiteral("太郎")); // 91 BE 98 59: no UTF-8
    const auto writeRaw = [&](const QByteArray &name, const QByteArray &bytes) {
        const int fd = ::open((folder + name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        ::close(fd);
    };
    samples::RecordContent c;
    c.runs = {{100, 0}, {120, 0}};
    writeRaw(taro + "_Qele.dat", samples::recordBytes(c));
    writeRaw(taro + ".ini", "[OPTION]\r\nKeyboard=0\r\n");
    f.record(QStringLiteral("花子_Qelk.dat"), 2, {90}); // UTF-8 names stay as they are

    EXPECT_EQ(shownFileName(fileNameFromBytes(taro + "_Qele.dat")), QStringLiteral("太郎_Qele.dat"));
    EXPECT_EQ(shownFileName(fileNameFromBytes(QStringLiteral("花子").toUtf8())), QStringLiteral("花子"));
    const ScanResult scan = scanFolder(f.path(), AllGroup);
    ASSERT_EQ(keys(scan), QStringList({fileNameFromBytes(taro + "_Qele.dat"), "花子_Qelk.dat"}));
    EXPECT_EQ(scan.nodes[0].text, QStringLiteral("太郎"));
    const std::vector<TableRow> rows = makeView(f.path(), scan.nodes);
    ASSERT_TRUE(rows[0].readable) << rows[0].error.toStdString();
    EXPECT_EQ(rows[0].cells[RunsColumn], "     2");
    // The learner is reached by the bytes of the file's name, not by a name that reads alike.
    const LearnerSummary summary = readSummary(f.path(), learnerKeyOf(scan.nodes[0].key));
    EXPECT_TRUE(summary.unreadable.empty());
    EXPECT_EQ(summary.courses[English].bestSpm, "120");
    EXPECT_EQ(summary.settings[KeyboardSetting], QStringLiteral("非表示"));
}
#endif
