#include "records/practicehistory.h"
#include "records/regression.h"
#include "records/textformat.h"
#include "samples/recordwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include "tests/support/readcounter.h"
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

// Keeps every run the walk hands over, and the largest chunk.
struct Collector : RunVisitor {
    std::vector<RunSample> kept;
    std::size_t largestChunk = 0;
    int begun = 0;
    void begin(const PracticeHistory &) override { ++begun; }
    void runs(std::int64_t first, std::span<const RunSample> chunk) override
    {
        EXPECT_EQ(first, std::int64_t(kept.size()) + 1); // in order, without gaps
        kept.insert(kept.end(), chunk.begin(), chunk.end());
        largestChunk = std::max(largestChunk, chunk.size());
    }
};

// The figures written out by hand from the file's bytes: all N runs, those past the end of
// the file as zero words, a cut record keeping the bytes it has.
struct Expected {
    std::int64_t runs = 0, inFile = 0;
    int best = 0;
    double slope = 0;
    std::optional<TrendLine> trend;
    std::vector<RunSample> present;
};

Expected byHand(QByteArray file)
{
    Expected e;
    const auto word = [&](qsizetype at) {
        return at + 1 < file.size() ? std::int16_t(std::uint16_t(std::uint8_t(file[at]) | (std::uint8_t(file[at + 1]) << 8)))
             : at < file.size()     ? std::int16_t(std::uint8_t(file[at]))
                                    : std::int16_t(0);
    };
    QByteArray count = file.mid(4, 4);
    count.resize(4, '\0');
    e.runs = std::max(0, highWordFirstLong(reinterpret_cast<const unsigned char *>(count.constData())));
    std::vector<double> y;
    for (std::int64_t k = 1; k <= e.runs; ++k) {
        const qsizetype at = 4 * (216 + k - 1);
        const RunSample run{word(at), word(at + 2)};
        if (at < file.size()) {
            e.present.push_back(run);
            e.best = std::max<int>(e.best, run.spm);
        }
        y.push_back(run.spm);
    }
    e.inFile = std::int64_t(e.present.size());
    if (e.runs >= 2) {
        const double n = double(e.runs), meanX = (n + 1) / 2;
        double meanY = 0, sxy = 0, sxx = 0;
        for (double v : y)
            meanY += v / n;
        for (std::size_t k = 0; k < y.size(); ++k) {
            sxy += (y[k] - meanY) * (double(k + 1) - meanX);
            sxx += (double(k + 1) - meanX) * (double(k + 1) - meanX);
        }
        e.slope = sxy / sxx;
        if (e.runs >= 3)
            e.trend = TrendLine{roundHalfEven(e.slope + meanY - meanX * e.slope),
                                roundHalfEven(n * e.slope + meanY - meanX * e.slope)};
    }
    return e;
}

samples::RecordContent spm(std::initializer_list<int> values, std::optional<std::int64_t> stored = {})
{
    samples::RecordContent c;
    for (int v : values)
        c.runs.push_back({std::int16_t(v), std::int16_t(v * 3)});
    c.storedRunCount = stored;
    return c;
}
} // namespace

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

TEST(PracticeHistory, WalkGivesTheFiguresWorkedOutByHand)
{
    struct Case {
        const char *what;
        QByteArray file;
    };
    QByteArray cut = samples::recordBytes(spm({100, 110, 300}));
    cut.chop(2); // run 3 keeps its SPM word, loses its mistype rate
    QByteArray halfWord = cut;
    halfWord.chop(1); // run 3's SPM 300 = 0x012C keeps only 0x2C
    QByteArray fixedPartOnly = samples::recordBytes(spm({}, 4));
    fixedPartOnly.chop(100); // even the STEP times are cut
    samples::RecordContent gap = spm({100, 120, 140});
    gap.runs.resize(40000); // whole chunks of zero records, then more runs
    gap.runs.push_back({200, 50});
    const Case cases[] = {
        {"no runs", samples::recordBytes(spm({}))},
        {"one run", samples::recordBytes(spm({120}))},
        {"two runs", samples::recordBytes(spm({120, 90}))},
        {"three runs", samples::recordBytes(spm({100, 110, 125}))},
        {"negative SPM", samples::recordBytes(spm({-5, -10, 0}))},
        {"negative count", samples::recordBytes(spm({150, 160}, -3))},
        {"count past the file", samples::recordBytes(spm({90, 95, 101}, 10))},
        {"count short of the file", samples::recordBytes(spm({90, 95, 101, 300, 400}, 3))},
        {"record cut at the end", cut},
        {"word cut at the end", halfWord},
        {"file shorter than the fixed part", fixedPartOnly},
        {"zero chunks between runs", samples::recordBytes(gap)},
        {"twelve bytes", bytes({0, 0, 0, 0, 0, 0, 0xE8, 0x03, 5, 0, 0, 0})}, // 1000 runs claimed
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Expected e = byHand(c.file);
        Collector seen;
        const PracticeHistory h = PracticeHistory::fromBytes(c.file, {}, &seen);
        EXPECT_EQ(seen.begun, 1);
        EXPECT_EQ(h.runCount(), e.runs);
        EXPECT_EQ(h.runsInFile(), e.inFile);
        EXPECT_EQ(h.zeroRuns(), e.runs - e.inFile);
        EXPECT_EQ(h.series().count(), e.runs);
        EXPECT_EQ(h.bestSpm(), e.best);
        EXPECT_NEAR(h.progressRate(), e.slope, 1e-9);
        ASSERT_EQ(h.trendLine().has_value(), e.trend.has_value());
        if (e.trend) {
            EXPECT_EQ(h.trendLine()->first, e.trend->first);
            EXPECT_EQ(h.trendLine()->last, e.trend->last);
        }
        ASSERT_EQ(seen.kept.size(), e.present.size());
        for (std::size_t i = 0; i < e.present.size(); ++i) {
            EXPECT_EQ(seen.kept[i].spm, e.present[i].spm) << "run " << i + 1;
            EXPECT_EQ(seen.kept[i].mistypeRate, e.present[i].mistypeRate) << "run " << i + 1;
        }
    }
}

TEST(PracticeHistory, HeaderFiguresAndStepTimesSitAtTheirRecords)
{
    // Record 1 whole, record 2 cut after three bytes: the missing fourth byte reads as 0.
    const PracticeHistory cut = PracticeHistory::fromBytes(bytes({0x00, 0x00, 0x10, 0x0E, 0x00, 0x00, 0x05}));
    EXPECT_EQ(cut.totalSeconds(), 3600);
    EXPECT_EQ(cut.storedRunCount(), 5);
    EXPECT_EQ(cut.currentStepUnsigned(), 0);
    EXPECT_EQ(cut.runsInFile(), 0);
    EXPECT_EQ(cut.zeroRuns(), 5);

    samples::RecordContent content;
    content.stepSeconds[0] = 70000;
    content.stepSeconds[199] = 42;
    content.runs = {{120, 250}, {-3, 10000}};
    const QDateTime when(QDate(2000, 1, 23), QTime(14, 5, 9));
    const PracticeHistory h = PracticeHistory::fromBytes(samples::recordBytes(content), when);
    EXPECT_EQ(h.stepTimes().stepSeconds[0], 70000);
    EXPECT_EQ(h.stepTimes().stepSeconds[199], 42);
    EXPECT_EQ(h.lastModified(), when);

    struct Case { std::uint16_t word; std::uint16_t unsignedStep; std::int16_t signedStep; int passed, bars; };
    const Case cases[] = {{0, 0, 0, 0, 0}, {1, 1, 1, 0, 1}, {5, 5, 5, 4, 5}, {0xFFFF, 65535, -1, 65534, 0},
                          {0x8000, 32768, -32768, 32767, 0}};
    for (const Case &c : cases) {
        content.currentStep = c.word;
        const PracticeHistory s = PracticeHistory::fromBytes(samples::recordBytes(content));
        EXPECT_EQ(s.currentStepUnsigned(), c.unsignedStep);
        EXPECT_EQ(s.currentStepSigned(), c.signedStep);
        EXPECT_EQ(s.passedStep(), c.passed);
        EXPECT_EQ(s.stepTimes().stepCount, c.bars);
    }
}

TEST(PracticeHistory, StreamsInBoundedChunksAndReadsNoFurtherThanTheCount)
{
    QTemporaryDir dir;
    samples::RecordContent content;
    for (int i = 0; i < 40000; ++i)
        content.runs.push_back({std::int16_t(i % 7000), std::int16_t(i % 300)});
    content.storedRunCount = 35000;
    const QString path = dir.filePath(QStringLiteral("a_Qele.dat"));
    ASSERT_TRUE(samples::writeFile(path, samples::recordBytes(content)));

    qeltest::ReadCounter counter;
    Collector seen;
    const auto h = PracticeHistory::read(path, &seen);
    ASSERT_TRUE(h);
    EXPECT_EQ(counter.opens[path], 1);
    EXPECT_EQ(counter.bytesRead, (216 + 35000) * 4);
    EXPECT_LE(seen.largestChunk, 16384u); // 64 KiB of records at a time
    ASSERT_EQ(seen.kept.size(), 35000u);
    EXPECT_EQ(seen.kept[34999].spm, 34999 % 7000);
    EXPECT_EQ(h->bestSpm(), 6999);
    EXPECT_EQ(h->lastModified(), QFileInfo(path).lastModified());

    counter.bytesRead = 0;
    const auto steps = loadStepTimes(path);
    ASSERT_TRUE(steps);
    EXPECT_EQ(counter.bytesRead, 216 * 4); // the STEP times need no run
    EXPECT_EQ(counter.opens[path], 2);
}

TEST(PracticeHistory, MissingFileIsReportedAndNeverCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone_Qele.dat"));
    QString error;
    EXPECT_FALSE(PracticeHistory::read(path, nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(loadStepTimes(path));
    EXPECT_FALSE(QFile::exists(path));
    // A folder with a record file's name is not a record file either.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d_Qele.dat")));
    EXPECT_FALSE(PracticeHistory::read(dir.filePath(QStringLiteral("d_Qele.dat"))));
}

// A range of runs summed in one walk: runs past the end of the file count as zero samples,
// and a range the stated count does not reach is not there.
TEST(PracticeHistory, SumsARangeOfRuns)
{
    QTemporaryDir dir;
    samples::RecordContent content;
    for (int k = 1; k <= 40000; ++k) // beyond one chunk
        content.runs.push_back({std::int16_t(k % 300), std::int16_t(k % 1000)});
    content.storedRunCount = 40010; // ten runs the file lacks
    const QString path = dir.filePath(QStringLiteral("a_Qele.dat"));
    ASSERT_TRUE(samples::writeFile(path, samples::recordBytes(content)));
    const auto byHand = [&](std::int64_t first, std::int64_t last) {
        RunSums s;
        s.runs = last - first + 1;
        for (std::int64_t k = first; k <= std::min<std::int64_t>(last, 40000); ++k) {
            s.spm += k % 300;
            s.mistypeRate += k % 1000;
        }
        return s;
    };
    const std::pair<std::int64_t, std::int64_t> ranges[] = {{1, 1}, {11, 50}, {16000, 17000}, {39990, 40010}, {40005, 40010}};
    for (const auto &[first, last] : ranges) {
        const auto sums = sumRuns(path, first, last);
        ASSERT_TRUE(sums) << first << ".." << last;
        const RunSums expected = byHand(first, last);
        EXPECT_EQ(sums->runs, expected.runs) << first << ".." << last;
        EXPECT_EQ(sums->spm, expected.spm) << first << ".." << last;
        EXPECT_EQ(sums->mistypeRate, expected.mistypeRate) << first << ".." << last;
    }
    EXPECT_EQ(sumRuns(path, 5, 4)->runs, 0);
    EXPECT_FALSE(sumRuns(path, 40000, 40011));
    EXPECT_FALSE(sumRuns(dir.filePath(QStringLiteral("missing_Qele.dat")), 1, 2));
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
