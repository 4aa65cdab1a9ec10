#include "records/cp932.h"
#include "reports/csv.h"

#include <QList>
#include "tests/support/boardrows.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/testprint.h"

#include <gtest/gtest.h>


using namespace qel;

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    struct Case { const char *in; const char *out; };
    const Case cases[] = {
        {"taro", "taro"},
        {"     3", "     3"},
        {"Lee, Ann", "\"Lee, Ann\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(csv::field(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// Learners name their own files: a name must never reach a spreadsheet as a formula or break
// a row in two, and the figures beside it stay as they are.
TEST(Csv, NamesCannotBecomeFormulasOrBreakTheRow)
{
    struct Case { const char *name; const char *line; };
    const Case cases[] = {
        {"=1+1", "'=1+1,-x"},
        {"+81", "'+81,-x"},
        {"-2", "'-2,-x"},
        {"@SUM(A1)", "'@SUM(A1),-x"},
        {"\tA", "'\tA,-x"},
        {"\r=1", "' =1,-x"},
        {"a=1", "a=1,-x"},
        {"two\nlines", "two lines,-x"},
        {"cr\r\nlf", "cr  lf,-x"},
        {"=a,b", "\"'=a,b\",-x"},
        {"", ",-x"},
    };
    for (const Case &c : cases) {
        csv::Row row{QString::fromUtf8(c.name), {}};
        row.cells[0] = QStringLiteral("-x"); // a figure starting with a minus is left alone
        const QString line = csv::rowLine(row);
        EXPECT_EQ(line.section(QLatin1Char(','), 0, -7), QString::fromUtf8(c.line)) << c.name;
        EXPECT_FALSE(line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) << c.name;
    }
}

TEST(Csv, DocumentBytesInCodePage932WithCrLf)
{
    const std::vector<csv::Row> rows = {
        {QStringLiteral("山田"), {QStringLiteral("英文"), "   4", "     3", "01:00:00", "   10.00", "  120",
                                  "2000/01/23 14:05:09"}},
        {QStringLiteral("Lee, Ann"), {QStringLiteral("かな/ﾛｰﾏ"), "   0", "     0", "00:00:00", "    0.00",
                                        "     0", "2000/01/23 14:05:09"}},
    };
    const QByteArray bytes = csv::document(rows, csv::Encoding::Cp932);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last LF
    EXPECT_TRUE(lines[3].isEmpty());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    EXPECT_EQ(lines[0], toCp932(QStringLiteral("名前,モード,ステップ,練習回数,総練習時間,上達度,最高ＳＰＭ,最終練習日時")) + "\r");
    EXPECT_TRUE(lines[0].startsWith("\x96\xbc\x91\x4f,")); // 名前 in Shift-JIS, no byte-order mark
    EXPECT_EQ(fromCp932(lines[1]), QStringLiteral("山田,英文,   4,     3,01:00:00,   10.00,  120,2000/01/23 14:05:09\r"));
    EXPECT_EQ(fromCp932(lines[2]),
              QStringLiteral("\"Lee, Ann\",かな/ﾛｰﾏ,   0,     0,00:00:00,    0.00,     0,2000/01/23 14:05:09\r"));
    // Half-width katakana stay one byte each.
    EXPECT_TRUE(lines[2].contains("\x82\xa9\x82\xc8/\xdb\xb0\xcf"));
    const QByteArray utf8 = csv::document(rows, csv::Encoding::Utf8);
    EXPECT_TRUE(utf8.startsWith(QStringLiteral("名前").toUtf8()));
}

#include <QFile>
#include <QTemporaryDir>

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
}

TEST(CsvFile, ReplacesOnlyWhenEveryLineIsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.csv");
    const std::vector<csv::Row> rows(3, csv::Row{QStringLiteral("taro"), {}});
    QString error;
    ASSERT_TRUE(csv::saveFile(path, rows, csv::Encoding::Utf8, &error));
    EXPECT_EQ(contents(path).count("\r\n"), 4);

    // Overwriting replaces the old content, never appends.
    const std::vector<csv::Row> one(1, csv::Row{QStringLiteral("hanako"), {}});
    ASSERT_TRUE(csv::saveFile(path, one, csv::Encoding::Utf8));
    const QByteArray before = contents(path);
    EXPECT_EQ(before.count("\r\n"), 2);
    EXPECT_FALSE(before.contains("taro"));

    // A failure after two lines leaves the old file as it was and says which file failed.
    EXPECT_FALSE(csv::saveFile(path, rows, csv::Encoding::Utf8, &error,
                               [](int written) { return written < 2; }));
    EXPECT_EQ(contents(path), before);
    EXPECT_TRUE(error.contains(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.csv"});

    // A folder that does not exist is an error, not a silent success.
    EXPECT_FALSE(csv::saveFile(dir.filePath("no/such/out.csv"), rows, csv::Encoding::Utf8, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(CsvFile, ShortWriteOfAFullDiskFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.csv");
    const std::vector<csv::Row> one(1, csv::Row{QStringLiteral("hanako"), {}});
    ASSERT_TRUE(csv::saveFile(path, one, csv::Encoding::Utf8));
    const QByteArray before = contents(path);

    // Files may grow to 500 bytes: the write stops short, as on a full disk.
    const std::vector<csv::Row> many(100, csv::Row{QStringLiteral("taro"), {}});
    QString error;
    bool written = false;
    {
        const qeltest::FileSizeLimit full(500);
        ASSERT_TRUE(full.active());
        written = csv::saveFile(path, many, csv::Encoding::Utf8, &error);
    }

    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(path));
    EXPECT_EQ(contents(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
}

// The class board's lines: every reason in one field, names as chosen and never a formula.
TEST(Csv, BoardLinesNameEveryReason)
{
    const QDateTime now(QDate(2026, 5, 13), QTime(10, 0, 0));
    const auto entries = assessClass({qeltest::boardRow("=SUM(A1)", now.addDays(-1), qeltest::sameRuns(10, {80, 900})),
                                      qeltest::boardRow("Lee, Ann", now.addDays(-30), {}, Kana),
                                      qeltest::unreadableRow("jiro")},
                                     now, ClassTargets{});
    const QByteArray bytes = csv::boardDocument(entries, [](const AttentionEntry &e) { return e.name; },
                                                csv::Encoding::Cp932);
    EXPECT_EQ(fromCp932(bytes),
              QString("名前,モード,状態,理由,ステップ,最近のSPM,最近のミスタイプ率,最終練習日時\r\n"
                      "\"Lee, Ann\",かな/ﾛｰﾏ,30日練習なし,30日練習なし,0,,,未練習\r\n"
                      "'=SUM(A1),英文,今日は未練習,今日は未練習、SPM 80 (目標 100)、ミスタイプ率 9.0% (目標 5.0%)、"
                      "上達度 0.00 (直近10回),0,80,9.0,2026/05/12 10:00:00\r\n"
                      "jiro,英文,読み込めません,読み込めません,,,,\r\n"));
    const QByteArray numbered = csv::boardDocument(entries, [](const AttentionEntry &) { return QString("学習者 1"); },
                                                   csv::Encoding::Utf8);
    EXPECT_FALSE(numbered.contains("Lee"));
    EXPECT_EQ(numbered.count("学習者 1"), 3);
}
