#include "records/recordfile.h"
#include "records/regression.h"
#include "samples/recordwriter.h"

#include <QTemporaryDir>
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}
}

TEST(HighWordFirstLong, DecodesTheTrainersByteOrder)
{
    struct Case { QByteArray in; std::int32_t value; };
    const Case cases[] = {
        {bytes({0x00, 0x00, 0x10, 0x0E}), 3600},
        {bytes({0x01, 0x00, 0x70, 0x11}), 70000},
        {bytes({0xFF, 0x7F, 0xFF, 0xFF}), 2147483647},
        {bytes({0xFF, 0xFF, 0xFF, 0xFF}), -1},
        {bytes({0x00, 0x80, 0x00, 0x00}), std::int32_t(0x80000000u)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(highWordFirstLong(reinterpret_cast<const unsigned char *>(c.in.constData())), c.value);
        EXPECT_EQ(samples::highWordFirstBytes(c.value), c.in) << c.value;
    }
}

TEST(PracticeRecordFile, RecordsPastTheEndReadAsZeroWords)
{
    // Record 1 whole, record 2 cut after three bytes.
    const auto file = PracticeRecordFile::fromBytes(bytes({0x00, 0x00, 0x10, 0x0E, 0x00, 0x00, 0x05}));
    EXPECT_EQ(file.readLong(1), 3600);
    EXPECT_EQ(file.readLong(2), 5); // the missing fourth byte reads as 0
    EXPECT_EQ(file.record(3).w0, 0);
    EXPECT_EQ(file.record(1000000).w1, 0);
    EXPECT_EQ(file.record(0).w0, 0);
    EXPECT_EQ(file.runsInFile(), 0);
}

TEST(PracticeRecordFile, CurrentStepHasASignedAndAnUnsignedReading)
{
    struct Case { std::uint16_t word; std::uint16_t unsignedStep; std::int16_t signedStep; };
    const Case cases[] = {{0, 0, 0}, {1, 1, 1}, {5, 5, 5}, {0xFFFF, 65535, -1}, {0x8000, 32768, -32768}};
    for (const Case &c : cases) {
        samples::RecordContent content;
        content.currentStep = c.word;
        const auto file = PracticeRecordFile::fromBytes(samples::recordBytes(content));
        EXPECT_EQ(file.currentStepUnsigned(), c.unsignedStep);
        EXPECT_EQ(file.currentStepSigned(), c.signedStep);
    }
}

TEST(PracticeRecordFile, RunsAndStepTimesSitAtTheirRecords)
{
    samples::RecordContent content;
    content.stepSeconds[0] = 70000;
    content.stepSeconds[199] = 42;
    content.runs = {{120, 250}, {-3, 10000}};
    const auto file = PracticeRecordFile::fromBytes(samples::recordBytes(content));
    EXPECT_EQ(file.stepSeconds(1), 70000);
    EXPECT_EQ(file.stepSeconds(200), 42);
    EXPECT_EQ(file.stepSeconds(201), 0);
    EXPECT_EQ(file.runCount(), 2);
    EXPECT_EQ(file.run(1).w0, 120);
    EXPECT_EQ(file.run(1).w1, 250);
    EXPECT_EQ(file.run(2).w0, -3);
    EXPECT_EQ(file.run(2).w1, 10000);
    EXPECT_EQ(file.record(218).w0, -3);
}

TEST(PracticeRecordFile, NegativeStoredCountMeansNoRuns)
{
    samples::RecordContent content;
    content.storedRunCount = -7;
    content.runs = {{100, 0}};
    const auto file = PracticeRecordFile::fromBytes(samples::recordBytes(content));
    EXPECT_EQ(file.storedRunCount(), -7);
    EXPECT_EQ(file.runCount(), 0);
    EXPECT_EQ(file.runsInFile(), 0);
}

TEST(PracticeRecordFile, ReadingAFileStopsAtTheRunsItNeeds)
{
    QTemporaryDir dir;
    samples::RecordContent content;
    for (int i = 0; i < 2000; ++i)
        content.runs.push_back({std::int16_t(i), 0});
    content.storedRunCount = 1500;
    QByteArray data = samples::recordBytes(content);
    const QString path = dir.filePath(QStringLiteral("a_Qele.dat"));
    ASSERT_TRUE(samples::writeFile(path, data));

    const auto all = PracticeRecordFile::read(path, PracticeRecordFile::Scope::Everything);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->bytes().size(), (216 + 1500) * 4);
    EXPECT_EQ(all->run(1500).w0, 1499);
    const auto header = PracticeRecordFile::read(path, PracticeRecordFile::Scope::Header);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->bytes().size(), 12);
    const auto steps = PracticeRecordFile::read(path, PracticeRecordFile::Scope::StepTimes);
    ASSERT_TRUE(steps);
    EXPECT_EQ(steps->bytes().size(), 216 * 4);
}

TEST(PracticeRecordFile, MissingFileIsReportedAndNeverCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone_Qele.dat"));
    QString error;
    EXPECT_FALSE(PracticeRecordFile::read(path, PracticeRecordFile::Scope::Everything, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    // A folder with a record file's name is not a record file either.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d_Qele.dat")));
    EXPECT_FALSE(PracticeRecordFile::read(dir.filePath(QStringLiteral("d_Qele.dat")),
                                          PracticeRecordFile::Scope::Everything));
}

TEST(Regression, FitsTheLeastSquaresLine)
{
    struct Case { std::vector<double> y; double slope; double intercept; };
    const Case cases[] = {
        {{100, 110, 120}, 10, 90},
        {{120, 110, 100}, -10, 130},
        {{5, 5}, 0, 5},
        {{1, 3, 2, 5, 4}, 0.8, 0.6},
        {{-5, -10}, -5, 0},
    };
    for (const Case &c : cases) {
        Regression r;
        for (double y : c.y)
            r.addSample(y);
        const LineFit line = r.fit();
        EXPECT_NEAR(line.slope, c.slope, 1e-12);
        EXPECT_NEAR(line.intercept, c.intercept, 1e-12);
    }
}

TEST(Regression, ZeroTailEqualsAddingEachZero)
{
    for (int present : {0, 1, 2, 7}) {
        for (int zeros : {0, 1, 5, 300}) {
            Regression closed, explicitZeros;
            for (int k = 0; k < present; ++k) {
                const double y = 40 + 7 * k - (k % 3) * 11;
                closed.addSample(y);
                explicitZeros.addSample(y);
            }
            closed.addZeroSamples(zeros);
            for (int z = 0; z < zeros; ++z)
                explicitZeros.addSample(0);
            ASSERT_EQ(closed.count(), explicitZeros.count());
            if (closed.count() < 2)
                continue;
            EXPECT_EQ(closed.fit().slope, explicitZeros.fit().slope) << present << "+" << zeros;
            EXPECT_EQ(closed.fit().intercept, explicitZeros.fit().intercept);
        }
    }
}

TEST(Regression, ResetStartsAFreshList)
{
    Regression r;
    r.addSample(1);
    r.addSample(100);
    r.reset();
    r.addSample(3);
    r.addSample(5);
    EXPECT_EQ(r.count(), 2);
    EXPECT_DOUBLE_EQ(r.fit().slope, 2);
}
