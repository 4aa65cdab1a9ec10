// File names in any bytes: each has one key that gives back exactly its bytes, a record
// file name splits where the trainer's code page puts its characters, and every learner
// reads its own files.

#include "records/cp932.h"
#include "records/filenames.h"
#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/rawnames.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qel;

#ifdef Q_OS_UNIX
// Every name of one or two bytes, and longer ones no UTF-8 decoder may take: each comes
// back exactly, no two share a key, and only UTF-8 is held as its text.
TEST(FileNameKeys, GiveBackTheirBytesOneToOne)
{
    std::vector<QByteArray> names = {"\xED\xA0\x80", "\xF4\x90\x80\x80", "\xED\xB2\x80",
                                     "\xF0\x9F\x98\x80", QStringLiteral("表_Qele.dat").toUtf8()};
    for (int first = 1; first < 256; ++first)
        for (int second = 0; second < 256; ++second)
            names.push_back(QByteArray(1, char(first)) + (second ? QByteArray(1, char(second)) : QByteArray()));
    QSet<QString> keys;
    for (const QByteArray &name : names) {
        const QString key = fileNameFromBytes(name);
        ASSERT_EQ(fileNameToBytes(key), name) << name.toHex().constData();
        const QString utf8 = QString::fromUtf8(name);
        ASSERT_EQ(holdsRawBytes(key), utf8.toUtf8() != name) << name.toHex().constData();
        keys.insert(key);
    }
    EXPECT_EQ(std::size_t(keys.size()), names.size());
    // Names that read alike are two keys with one reading.
    const QString windows = fileNameFromBytes(toCp932(QStringLiteral("表_Qele.dat")));
    EXPECT_NE(windows, QStringLiteral("表_Qele.dat"));
    EXPECT_EQ(shownFileName(windows), QStringLiteral("表_Qele.dat"));
}

// A second byte that looks like "_" or "e" belongs to its character, not to the marker or
// the Course code.
TEST(FileNameKeys, RecordNamesSplitAtCodePage932Characters)
{
    const QByteArray da = toCp932(QStringLiteral("ダ")), hyou = toCp932(QStringLiteral("表")); // 83 5F, 95 5C
    const struct {
        QByteArray name;
        QByteArray learner; // empty: no record file
        Course course;
    } cases[] = {
        {hyou + "_Qelk.dat", hyou, Kana},
        {da + "Qel_Qele.dat", da + "Qel", English},
        {"x" + da + "Qele.dat", {}, English},
        {"x_Qel\x83" "e.dat", {}, English}, // 83 65 is one character
        {hyou + "_Qelx.dat", {}, English},
    };
    for (const auto &c : cases) {
        const auto parsed = parseRecordFileName(fileNameFromBytes(c.name));
        ASSERT_EQ(bool(parsed), !c.learner.isEmpty()) << c.name.toHex().constData();
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->learner, fromCp932(c.learner));
        EXPECT_EQ(parsed->course, c.course);
        // The learner's other files are named by the same bytes.
        EXPECT_EQ(fileNameToBytes(recordFileName(parsed->learnerKey, Kana)), c.learner + "_Qelk.dat");
    }
}

// Learners whose names read alike, names in no character set and a name longer in UTF-8
// than a file name can be: each row reads its own file, each learner its own settings.
TEST(FileNameKeys, EachRowAndLearnerReadsItsOwnFiles)
{
    QTemporaryDir dir;
    const QString longName = QStringLiteral("日本語練習記録表示学生").repeated(10); // 110 kanji, 229 bytes
    const struct {
        QByteArray name;
        int runs;
        bool keyboard;
    } learners[] = {
        {QStringLiteral("表").toUtf8(), 11, true},
        {toCp932(QStringLiteral("表")), 5, false},
        {"\x85\x40", 3, true},
        {"\x86\x40", 4, false},
        {toCp932(longName), 6, true},
    };
    for (const auto &l : learners) {
        samples::RecordContent c;
        c.runs.assign(std::size_t(l.runs), {100, 0});
        ASSERT_TRUE(qeltest::writeRawNamed(dir.path(), l.name + "_Qele.dat", samples::recordBytes(c)));
        ASSERT_TRUE(qeltest::writeRawNamed(dir.path(), l.name + ".ini", l.keyboard ? "[OPTION]\nKeyboard=1" : "[OPTION]\nKeyboard=0"));
    }
    const ScanResult scan = scanFolder(dir.path(), AllGroup);
    GroupCollections collections;
    const std::vector<TableRow> rows = makeView(dir.path(), scan.nodes, &collections);
    ASSERT_EQ(rows.size(), std::size(learners));
    for (const auto &l : learners) {
        const QString key = fileNameFromBytes(l.name + "_Qele.dat");
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const TableRow &r) { return r.key == key; });
        ASSERT_NE(row, rows.end()) << l.name.toHex().constData();
        EXPECT_EQ(row->runCount, l.runs) << row->error.toStdString();
        EXPECT_EQ(row->name, shownFileName(learnerKeyOf(key)));
        const LearnerSummary summary = readSummary(dir.path(), learnerKeyOf(key));
        EXPECT_EQ(summary.courses[English].runCount, QString::number(l.runs));
        EXPECT_EQ(summary.settings[KeyboardSetting], l.keyboard ? QStringLiteral("表示") : QStringLiteral("非表示"));
    }
    EXPECT_EQ(rows.front().name, longName); // 日 stands before 表
    std::sort(collections.groupRunCounts.begin(), collections.groupRunCounts.end());
    EXPECT_EQ(collections.groupRunCounts, (std::vector<std::int32_t>{3, 4, 5, 6, 11}));
    qeltest::removeRawTree(QFile::encodeName(dir.path()));
}
#endif
