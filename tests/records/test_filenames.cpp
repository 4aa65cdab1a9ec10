// File names in any bytes: each has one key, the key gives back exactly its bytes, and the
// record file name splits where the trainer's code page puts its characters.

#include "records/cp932.h"
#include "records/filenames.h"
#include "records/learnertable.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace qel;

#ifndef Q_OS_WIN
TEST(FileNameKeys, GiveBackTheirBytes)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        bool raw; // not UTF-8: held with its bytes
    };
    const Case cases[] = {
        {"ASCII", "taro_Qele.dat", false},
        {"UTF-8", QStringLiteral("表_Qele.dat").toUtf8(), false},
        {"a character above U+FFFF", QStringLiteral("𠮷_Qele.dat").toUtf8(), false},
        {"code page 932", toCp932(QStringLiteral("表_Qele.dat")), true},
        {"a lone continuation byte", "a\x80" "b", true},
        {"a sequence cut at the end", "ab\xE3\x81", true},
        {"an overlong slash", "a\xC0\xAF", true},
        {"an encoded surrogate", "a\xED\xA0\x80", true},
        {"above U+10FFFF", "\xF4\x90\x80\x80", true},
        {"a byte no UTF-8 has", "\xFF\xFE", true},
        {"the bytes of a held byte's own UTF-8", "\xED\xB2\x80", true},
        {"valid around invalid", QStringLiteral("あ").toUtf8() + "\x95\\" + QStringLiteral("い").toUtf8(), true},
    };
    for (const Case &c : cases) {
        const QString key = fileNameFromBytes(c.bytes);
        EXPECT_EQ(fileNameToBytes(key), c.bytes) << c.what;
        EXPECT_EQ(holdsRawBytes(key), c.raw) << c.what;
        if (!c.raw) {
            EXPECT_EQ(key, QString::fromUtf8(c.bytes)) << c.what;
        }
    }
}

// Every name of one or two bytes: each comes back exactly, and no two share a key.
TEST(FileNameKeys, AreOneToOne)
{
    QSet<QString> keys;
    int names = 0;
    for (int first = 1; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            if (second == 0)
                continue;
            QByteArray bytes(1, char(first));
            if (second > 0)
                bytes += char(second);
            const QString key = fileNameFromBytes(bytes);
            ASSERT_EQ(fileNameToBytes(key), bytes) << bytes.toHex().constData();
            keys.insert(key);
            ++names;
        }
    }
    EXPECT_EQ(keys.size(), names);
}

TEST(FileNameKeys, NamesThatReadAlikeStayApart)
{
    const QString utf8 = fileNameFromBytes(QStringLiteral("表_Qele.dat").toUtf8());
    const QString cp932 = fileNameFromBytes(toCp932(QStringLiteral("表_Qele.dat")));
    EXPECT_NE(utf8, cp932);
    EXPECT_EQ(shownFileName(utf8), QStringLiteral("表_Qele.dat"));
    EXPECT_EQ(shownFileName(cp932), QStringLiteral("表_Qele.dat"));
    // A path shows each of its parts so; UTF-8 parts stay as they are.
    const QString folder = fileNameFromBytes(toCp932(QStringLiteral("記録")));
    EXPECT_EQ(shownPath(QStringLiteral("/home/先生/") + folder + QLatin1Char('/') + cp932),
              QStringLiteral("/home/先生/記録/表_Qele.dat"));
    EXPECT_EQ(fileNameToBytes(QStringLiteral("/home/") + folder + QLatin1Char('/') + cp932),
              "/home/" + toCp932(QStringLiteral("記録/表_Qele.dat")));
}

// A name in code page 932 splits where its characters start: a second byte that looks like
// "_", "\" or "e" belongs to its character.
TEST(FileNameKeys, RecordNamesInCodePage932)
{
    struct Case {
        const char *what;
        QByteArray name;
        bool record;
        QString learner;
        QByteArray learnerBytes;
        Course course;
    };
    const QByteArray da = toCp932(QStringLiteral("ダ")); // 83 5F: "_" as its second byte
    const QByteArray hyou = toCp932(QStringLiteral("表")); // 95 5C
    const Case cases[] = {
        {"plain", hyou + "_Qelk.dat", true, QStringLiteral("表"), hyou, Kana},
        {"a marker inside a character", da + "Qel_Qele.dat", true, QStringLiteral("ダQel"), da + "Qel", English},
        {"no marker but inside a character", "x" + da + "Qele.dat", false, {}, {}, English},
        {"a code inside a character", "x_Qel\x83" "e.dat", false, {}, {}, English}, // 83 65: テ
        {"the first marker", hyou + "_Qelb_Qele.dat", true, QStringLiteral("表"), hyou, English},
        {"no code e or k", hyou + "_Qelx.dat", false, {}, {}, English},
    };
    for (const Case &c : cases) {
        const QString key = fileNameFromBytes(c.name);
        ASSERT_TRUE(holdsRawBytes(key)) << c.what;
        const auto parsed = parseRecordFileName(key);
        ASSERT_EQ(bool(parsed), c.record) << c.what;
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->learner, c.learner) << c.what;
        EXPECT_EQ(fileNameToBytes(parsed->learnerKey), c.learnerBytes) << c.what;
        EXPECT_EQ(parsed->course, c.course) << c.what;
        EXPECT_EQ(learnerKeyOf(key), parsed->learnerKey) << c.what;
        // The learner's other files are named by the same bytes.
        EXPECT_EQ(fileNameToBytes(recordFileName(parsed->learnerKey, Kana)), c.learnerBytes + "_Qelk.dat") << c.what;
    }
}
#endif

#ifdef Q_OS_UNIX
#include "records/learnersummary.h"
#include "samples/recordwriter.h"
#include "tests/support/rawnames.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray recordOf(int runs, int step)
{
    samples::RecordContent c;
    c.currentStep = std::uint16_t(step);
    for (int k = 0; k < runs; ++k)
        c.runs.push_back({std::int16_t(100 + k), 0});
    return samples::recordBytes(c);
}

} // namespace

// Learners whose names read alike, names in no character set and a name longer in UTF-8
// than a file name can be: each row reads its own file, and each learner's figures and
// settings are its own.
TEST(RecordFilesByTheirBytes, EachRowAndLearnerIsItsOwn)
{
    QTemporaryDir dir;
    struct Learner {
        const char *what;
        QByteArray name;
        int runs, step;
        QString shown;
    };
    const QString longName = QStringLiteral("日本語練習記録表示学生").repeated(10); // 110 kanji
    const Learner learners[] = {
        {"UTF-8", QStringLiteral("表").toUtf8(), 11, 4, QStringLiteral("表")},
        {"code page 932", toCp932(QStringLiteral("表")), 5, 7, QStringLiteral("表")},
        {"no character set 1", "\x85\x40", 3, 2, {}},
        {"no character set 2", "\x86\x40", 4, 3, {}},
        {"110 kanji in code page 932", toCp932(longName), 6, 9, longName},
    };
    for (const Learner &l : learners) {
        ASSERT_TRUE(qeltest::writeRawNamed(dir.path(), l.name + "_Qele.dat", recordOf(l.runs, l.step))) << l.what;
        // Each learner's own settings tell them apart: Keyboard=0 for the odd step only.
        ASSERT_TRUE(qeltest::writeRawNamed(dir.path(), l.name + ".ini",
                                           QByteArray("[OPTION]\r\nKeyboard=") + (l.step % 2 ? "0" : "1") + "\r\n"));
    }
    ASSERT_GT(toCp932(longName).size() + 9, 228);
    ASSERT_GT(longName.toUtf8().size() + 9, 255);

    const ScanResult scan = scanFolder(dir.path(), AllGroup);
    ASSERT_TRUE(scan.listing.complete());
    ASSERT_EQ(scan.nodes.size(), std::size(learners));
    GroupCollections collections;
    const std::vector<TableRow> rows = makeView(dir.path(), scan.nodes, &collections);
    std::vector<std::int32_t> runs;
    for (const Learner &l : learners) {
        const QString key = fileNameFromBytes(l.name + "_Qele.dat");
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const TableRow &r) { return r.key == key; });
        ASSERT_NE(row, rows.end()) << l.what;
        EXPECT_TRUE(row->readable) << l.what << ": " << row->error.toStdString();
        EXPECT_EQ(row->runCount, l.runs) << l.what;
        EXPECT_EQ(row->passedStep, l.step - 1) << l.what;
        if (!l.shown.isEmpty()) {
            EXPECT_EQ(row->name, l.shown) << l.what;
        }
        runs.push_back(l.runs);

        const LearnerSummary summary = readSummary(dir.path(), learnerKeyOf(key));
        EXPECT_TRUE(summary.unreadable.empty()) << l.what;
        EXPECT_EQ(summary.courses[English].runCount, QString::number(l.runs)) << l.what;
        EXPECT_EQ(summary.settings[KeyboardSetting], l.step % 2 ? QStringLiteral("非表示") : QStringLiteral("表示"))
            << l.what;
    }
    std::sort(runs.begin(), runs.end());
    std::sort(collections.groupRunCounts.begin(), collections.groupRunCounts.end());
    EXPECT_EQ(collections.groupRunCounts, runs);
    qeltest::removeRawTree(QFile::encodeName(dir.path()));
}
#endif
