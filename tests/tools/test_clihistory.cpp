// snapshot and history: a folder's journal kept and shown without the viewer.

#include "records/cp932.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/programrun.h"
#include "tests/support/testprint.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace qel;

namespace {

class CliHistory : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.filePath("Records");
        ASSERT_TRUE(QDir().mkpath(folder));
        write("taro_Qele.dat", {100, 110});
        write("=hanako_Qelk.dat", {90});
        database = dir.filePath("data/history.db");
        qputenv("QEL_HISTORY_DB", QFile::encodeName(database));
    }
    void TearDown() override { qunsetenv("QEL_HISTORY_DB"); }

    void write(const char *name, std::initializer_list<int> spm)
    {
        samples::RecordContent c;
        for (int v : spm) {
            c.runs.push_back({std::int16_t(v), 300});
            c.totalSeconds += 90;
        }
        c.currentStep = std::uint16_t(1 + c.runs.size());
        ASSERT_TRUE(samples::writeFile(recordFolderPath(folder, QString::fromUtf8(name)), samples::recordBytes(c)));
    }

    static qeltest::ProgramRun cli(const QStringList &args)
    {
        return qeltest::runProgram(QStringLiteral(QEL_CLI_PATH), args);
    }

    QTemporaryDir dir;
    QString folder, database;
};

// Two snapshots around a run: today counts the run, its time and its SPM; the days before
// were not observed. The file's name cell cannot become a formula.
TEST_F(CliHistory, SnapshotsMakeTheDaysHistoryShows)
{
    ASSERT_EQ(cli({"snapshot", folder}).exitCode, 0);
    write("taro_Qele.dat", {100, 110, 130, 150});
    const qeltest::ProgramRun second = cli({"snapshot", folder});
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.isEmpty());

    const QDate today = QDate::currentDate();
    const QString since = today.addDays(-1).toString("yyyy-MM-dd");
    const qeltest::ProgramRun r = cli({"history", folder, "--by", "day", "--since", since, "--utf8"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString y = today.addDays(-1).toString("yyyy/MM/dd"), t = today.toString("yyyy/MM/dd");
    EXPECT_EQ(r.outText(),
              "名前,モード,期間,観測日数,練習回数,練習時間(分),平均ＳＰＭ,ミスタイプ率(%),到達ＳＴＥＰ,ＳＴＥＰ増,備考\r\n"
              "'=hanako,かな/ﾛｰﾏ," + y + ",0,,,,,,,未観測\r\n"
              "'=hanako,かな/ﾛｰﾏ," + t + ",1,0,0.0,,,1,0,\r\n"
              "taro,英文," + y + ",0,,,,,,,未観測\r\n"
              "taro,英文," + t + ",1,2,3.0,140.0,3.00,4,2,\r\n");
    // Code page 932 without --utf8; one group; weeks.
    const qeltest::ProgramRun kana = cli({"history", folder, "--group", "2", "--since", since, "--by", "day"});
    EXPECT_EQ(kana.exitCode, 0);
    EXPECT_TRUE(kana.out.startsWith(toCp932(QStringLiteral("名前,モード,期間"))));
    EXPECT_FALSE(kana.out.contains("taro"));
    EXPECT_EQ(kana.out.count("\r\n"), 3);
}

// Before any snapshot there is no database, and asking makes none.
TEST_F(CliHistory, HistoryWithoutADatabaseShowsNothingObserved)
{
    const qeltest::ProgramRun r = cli({"history", folder, "--by", "week", "--utf8"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_FALSE(r.outText().contains(",1,"));
    EXPECT_TRUE(r.outText().contains("未観測"));
    EXPECT_FALSE(QFile::exists(database));
}

TEST_F(CliHistory, WrongArgumentsAndAnUnusableDatabase)
{
    const struct {
        QStringList args;
        const char *stderrHas;
    } cases[] = {
        {{"snapshot"}, "needs a FOLDER"},
        {{"snapshot", dir.filePath("missing")}, "folder not found"},
        {{"history", folder, "--by", "month"}, "--by needs day or week"},
        {{"history", folder, "--since", "yesterday"}, "--since needs a date"},
        {{"history", folder, "--since"}, "--since needs a date"},
        {{"history", folder, "--group", "4"}, "--group"},
    };
    for (const auto &c : cases) {
        const qeltest::ProgramRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.errText().contains(QString::fromUtf8(c.stderrHas))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // A database where a folder stands cannot be used: said, exit 2, nothing moved.
    ASSERT_TRUE(QDir().mkpath(database));
    const qeltest::ProgramRun r = cli({"snapshot", folder});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errText().contains("cannot use the history database")) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(database).isDir());
}

// A snapshot finds the database damaged: moved aside, said, and the look is kept anew.
TEST_F(CliHistory, ADamagedDatabaseIsMovedAsideWithOneMessage)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(database).absolutePath()));
    QFile junk(database);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(5000, '#'));
    junk.close();
    const qeltest::ProgramRun r = cli({"snapshot", folder});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.errText().count("was damaged"), 1) << r.err.toStdString();
    const QStringList aside = QDir(QFileInfo(database).absolutePath()).entryList({"history-*.db"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(QFileInfo(QFileInfo(database).dir().filePath(aside[0])).size(), 5000);
    EXPECT_EQ(cli({"history", folder, "--by", "day", "--since", QDate::currentDate().toString("yyyy-MM-dd"), "--utf8"})
                  .outText().count(",1,0,0.0,"), 2); // both files seen today
}

// watch keeps the history as it follows the folder, as the window does; what the journal
// has to say (here: a damaged database moved aside) goes to standard error.
TEST_F(CliHistory, WatchKeepsTheHistory)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(database).absolutePath()));
    ASSERT_TRUE(samples::writeFile(database, QByteArray(5000, '#')));
    QProcess watch;
    // The journal's notice in the viewer's own language.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QEL_LANGUAGE"), QStringLiteral("ja"));
    watch.setProcessEnvironment(environment);
    watch.start(QStringLiteral(QEL_CLI_PATH), {"watch", folder, "--utf8"});
    for (int tries = 0; tries < 100 && !watch.peek(1 << 20).contains("taro"); ++tries)
        watch.waitForReadyRead(100);
    write("taro_Qele.dat", {100, 110, 130});
    // The look is written on the journal's thread, a moment after the table.
    const QString run = QStringLiteral("taro,英文,%1,1,1,").arg(QDate::currentDate().toString("yyyy/MM/dd"));
    QString history;
    for (int tries = 0; tries < 100 && !history.contains(run); ++tries) {
        watch.waitForReadyRead(100);
        history = cli({"history", folder, "--by", "day", "--since", QDate::currentDate().toString("yyyy-MM-dd"), "--utf8"})
                      .outText();
    }
    watch.kill();
    watch.waitForFinished();
    EXPECT_TRUE(history.contains(run)) << history.toStdString();
    EXPECT_EQ(QString::fromUtf8(watch.readAllStandardError()).count("データベースが壊れていた"), 1);
}

// Several snapshots of several folders at once on one database: every look arrives.
TEST_F(CliHistory, SnapshotsAtOnceLoseNothing)
{
    constexpr int kFolders = 6;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int f = 0; f < kFolders; ++f) {
        const QString other = dir.filePath(QString("Class%1").arg(f));
        ASSERT_TRUE(QDir().mkpath(other));
        for (int l = 0; l < 20; ++l)
            ASSERT_TRUE(samples::writeFile(recordFolderPath(other, QString("l%1_Qele.dat").arg(l)),
                                           samples::recordBytes(samples::RecordContent{})));
        for (int time = 0; time < 2; ++time) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(QEL_CLI_PATH), {"snapshot", other});
            running.push_back(std::move(p));
        }
    }
    for (auto &p : running) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    // Every file of every folder seen today.
    for (int f = 0; f < kFolders; ++f) {
        const qeltest::ProgramRun r = cli({"history", dir.filePath(QString("Class%1").arg(f)), "--by", "day", "--since",
                                           QDate::currentDate().toString("yyyy-MM-dd"), "--utf8"});
        EXPECT_EQ(r.outText().count(",1,0,0.0,"), 20) << r.out.toStdString();
    }
}

} // namespace
