#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "records/regression.h"
#include "records/textformat.h"
#include "samples/recordwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

const QDateTime kWhen(QDate(2000, 1, 23), QTime(14, 5, 9));

PracticeHistory figuresOf(const samples::RecordContent &content)
{
    return PracticeHistory::fromBytes(samples::recordBytes(content), kWhen);
}

samples::RecordContent withSpm(std::initializer_list<int> spm, std::int32_t total = 0)
{
    samples::RecordContent c;
    c.totalSeconds = total;
    for (int v : spm)
        c.runs.push_back({std::int16_t(v), 0});
    return c;
}

// The least-squares slope as the textbook writes it, centred on the means.
double centredSlope(const std::vector<double> &y)
{
    const double n = double(y.size());
    double meanX = 0, meanY = 0;
    for (std::size_t k = 0; k < y.size(); ++k) {
        meanX += double(k + 1);
        meanY += y[k];
    }
    meanX /= n;
    meanY /= n;
    double sxy = 0, sxx = 0;
    for (std::size_t k = 0; k < y.size(); ++k) {
        sxy += (y[k] - meanY) * (double(k + 1) - meanX);
        sxx += (double(k + 1) - meanX) * (double(k + 1) - meanX);
    }
    return sxy / sxx;
}

} // namespace

TEST(TextForms, TimeDateAndNumbers)
{
    EXPECT_EQ(timeText(0), "00:00:00");
    EXPECT_EQ(timeText(3600), "01:00:00");
    EXPECT_EQ(timeText(70000), "19:26:40");
    EXPECT_EQ(timeText(360000), "100:00:00");
    EXPECT_EQ(timeText(-5), "00:00:00");
    EXPECT_EQ(dateText(kWhen), "2000/01/23 14:05:09");
    EXPECT_EQ(twoDecimals(10), "10.00");
    EXPECT_EQ(twoDecimals(-10), "-10.00");
    EXPECT_EQ(twoDecimals(2.5), "2.50");
    EXPECT_EQ(twoDecimals(23.333333), "23.33");
    EXPECT_EQ(twoDecimals(-0.001), "0.00");
    EXPECT_EQ(padRight("   ", "7", 4), "   7");
    EXPECT_EQ(padRight("        ", "1234567", 6), "234567");
    EXPECT_EQ(roundHalfEven(10.5), 10);
    EXPECT_EQ(roundHalfEven(11.5), 12);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
}

TEST(CourseFigures, PlainAndPaddedForms)
{
    struct Case {
        const char *what;
        samples::RecordContent content;
        std::array<const char *, 6> plain;
        std::array<const char *, 6> padded;
    };
    samples::RecordContent noRuns = withSpm({}, 3600);
    noRuns.currentStep = 0;
    samples::RecordContent oneRun = withSpm({120}, 61);
    oneRun.currentStep = 1;
    samples::RecordContent rising = withSpm({100, 110, 120}, 3725);
    rising.currentStep = 5;
    samples::RecordContent falling = withSpm({120, 110, 100});
    falling.currentStep = 12;
    samples::RecordContent negative = withSpm({-5, -10, 0});
    samples::RecordContent manyRuns = withSpm({90});
    manyRuns.storedRunCount = 1234567;
    samples::RecordContent bigStep = withSpm({});
    bigStep.currentStep = 0xFFFF;

    const Case cases[] = {
        {"no runs", noRuns, {"0", "0", "00:00:00", "0.00", "0", "未練習"},
         {"   0", "     0", "01:00:00", "    0.00", "     0", "2000/01/23 14:05:09"}},
        {"one run", oneRun, {"0", "1", "00:01:01", "0.00", "120", "2000/01/23 14:05:09"},
         {"   0", "     1", "00:01:01", "    0.00", "  120", "2000/01/23 14:05:09"}},
        {"rising", rising, {"4", "3", "01:02:05", "10.00", "120", "2000/01/23 14:05:09"},
         {"   4", "     3", "01:02:05", "   10.00", "  120", "2000/01/23 14:05:09"}},
        {"falling", falling, {"11", "3", "00:00:00", "-10.00", "120", "2000/01/23 14:05:09"},
         {"  11", "     3", "00:00:00", "  -10.00", "  120", "2000/01/23 14:05:09"}},
        {"negative SPM", negative, {"0", "3", "00:00:00", "2.50", "0", "2000/01/23 14:05:09"},
         {"   0", "     3", "00:00:00", "    2.50", "    0", "2000/01/23 14:05:09"}},
        {"count past the file", manyRuns, {"0", "1234567", "00:00:00", "0.00", "90", "2000/01/23 14:05:09"},
         {"   0", "234567", "00:00:00", "    0.00", "   90", "2000/01/23 14:05:09"}},
        {"STEP word 65535", bigStep, {"65534", "0", "00:00:00", "0.00", "0", "未練習"},
         {"5534", "     0", "00:00:00", "    0.00", "     0", "2000/01/23 14:05:09"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const PracticeHistory f = figuresOf(c.content);
        const CourseTexts plain = plainTexts(f);
        const std::array<QString, 6> got = {plain.passedStep, plain.runCount, plain.totalTime,
                                            plain.progressRate, plain.bestSpm, plain.lastPractice};
        const std::array<QString, 6> padded = paddedTexts(f);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(got[i], QString::fromUtf8(c.plain[i])) << "plain " << i;
            EXPECT_EQ(padded[i], QString::fromUtf8(c.padded[i])) << "padded " << i;
        }
    }
}

TEST(CourseFigures, ProgressRateIsTheCentredLeastSquaresSlope)
{
    samples::RecordContent c;
    std::vector<double> y;
    unsigned seed = 12345;
    for (int k = 0; k < 500; ++k) {
        seed = seed * 1103515245u + 12345u;
        const int spm = 40 + k / 3 + int((seed >> 16) % 37) - 18;
        c.runs.push_back({std::int16_t(spm), 300});
        y.push_back(spm);
    }
    EXPECT_NEAR(figuresOf(c).progressRate(), centredSlope(y), 1e-12);
}

TEST(CourseFigures, RunsMissingFromAShortFileCountAsZeroSamples)
{
    for (int stored : {2, 3, 10, 57}) {
        for (int present : {0, 1, 2, 3}) {
            if (present > stored)
                continue;
            samples::RecordContent shortFile;
            samples::RecordContent fullFile;
            for (int k = 0; k < present; ++k)
                shortFile.runs.push_back({std::int16_t(100 + 13 * k), std::int16_t(50 * k)});
            fullFile.runs = shortFile.runs;
            fullFile.runs.resize(std::size_t(stored)); // really holds the zero runs
            shortFile.storedRunCount = stored;
            const PracticeHistory a = figuresOf(shortFile);
            const PracticeHistory b = figuresOf(fullFile);
            EXPECT_EQ(a.runCount(), b.runCount());
            EXPECT_EQ(a.bestSpm(), b.bestSpm());
            EXPECT_EQ(a.progressRate(), b.progressRate()) << stored << "/" << present;
            EXPECT_EQ(paddedTexts(a), paddedTexts(b));
        }
    }
}

TEST(CourseFigures, HugeCountInATinyFileIsReadInItsOwnTime)
{
    samples::RecordContent c = withSpm({150, 160});
    c.storedRunCount = 2147483647;
    const PracticeHistory f = figuresOf(c);
    EXPECT_EQ(f.runCount(), 2147483647);
    EXPECT_EQ(f.bestSpm(), 160);
    EXPECT_LT(f.progressRate(), 0);
    EXPECT_EQ(paddedTexts(f)[1], "483647");
}

TEST(CourseFigures, NegativeCountMeansNoRuns)
{
    samples::RecordContent c = withSpm({150, 160});
    c.storedRunCount = -3;
    const CourseTexts t = plainTexts(figuresOf(c));
    EXPECT_EQ(t.runCount, "0");
    EXPECT_EQ(t.lastPractice, "未練習");
    EXPECT_EQ(t.bestSpm, "0");
}

TEST(ReadSummary, BothCoursesThenSettings)
{
    QTemporaryDir dir;
    samples::RecordContent e = withSpm({100, 110, 120}, 3600);
    e.currentStep = 5;
    ASSERT_TRUE(samples::writeFile(dir.filePath("taro_Qele.dat"), samples::recordBytes(e), kWhen));
    const LearnerSummary s = readSummary(dir.path(), QStringLiteral("taro"));
    const auto texts = s.texts();
    const char *expected[] = {
        "4", "0", "3", "0", "01:00:00", "00:00:00", "10.00", "0.00", "120", "0",
        "2000/01/23 14:05:09", "未練習",
    };
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(texts[std::size_t(i)], QString::fromUtf8(expected[i])) << i;
    for (int i = 12; i < 22; ++i)
        EXPECT_EQ(texts[std::size_t(i)], QStringLiteral("個別設定なし")) << i;
    // The missing Kana/Romaji file and settings file are never created.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"taro_Qele.dat"});
}

TEST(CourseFigures, RunCutByTheEndOfTheFileKeepsTheBytesItHas)
{
    samples::RecordContent c = withSpm({100, 110, 300});
    QByteArray bytes = samples::recordBytes(c);
    bytes.chop(2); // run 3 keeps its SPM word, loses its mistype rate
    const PracticeHistory cut = PracticeHistory::fromBytes(bytes, kWhen);
    EXPECT_EQ(cut.bestSpm(), 300);
    bytes.chop(1); // now its SPM word is half there: 300 = 0x012C keeps only 0x2C
    const PracticeHistory half = PracticeHistory::fromBytes(bytes, kWhen);
    EXPECT_EQ(half.bestSpm(), 110);
    Regression expected;
    for (double y : {100.0, 110.0, 44.0})
        expected.addSample(y);
    EXPECT_DOUBLE_EQ(half.progressRate(), expected.fit().slope);
}
