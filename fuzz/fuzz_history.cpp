// The record reader and the figures: the bytes are a record file, walked from memory and
// from a file on disk, checked against what the bytes say and turned into every text the
// list, the dialog and the printout show.

#include "fuzz/fuzzinput.h"
#include "records/learnersummary.h"
#include "records/practicehistory.h"

#include <QFile>
#include <cmath>
#include <cstring>
#include <vector>

using namespace qel;

namespace {


// Keeps what the walk hands over, checking it comes in order and without gaps.
struct Collector : RunVisitor {
    int begun = 0;
    std::vector<RunSample> samples;
    void begin(const PracticeHistory &) override
    {
        FUZZ_CHECK(samples.empty());
        ++begun;
    }
    void runs(std::int64_t first, std::span<const RunSample> chunk) override
    {
        FUZZ_CHECK(begun == 1);
        FUZZ_CHECK(first == std::int64_t(samples.size()) + 1);
        FUZZ_CHECK(!chunk.empty());
        samples.insert(samples.end(), chunk.begin(), chunk.end());
    }
};

bool sameFigures(const PracticeHistory &a, const PracticeHistory &b)
{
    return a.storedRunCount() == b.storedRunCount() && a.totalSeconds() == b.totalSeconds()
        && a.currentStepUnsigned() == b.currentStepUnsigned() && a.runsInFile() == b.runsInFile()
        && a.bestSpm() == b.bestSpm() && a.series().count() == b.series().count()
        && a.stepTimes().stepCount == b.stepTimes().stepCount
        && a.stepTimes().stepSeconds == b.stepTimes().stepSeconds
        && a.progressRate() == b.progressRate();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = qelfuzz::wholeInput(data, size);
    const QDateTime when(QDate(2000, 1, 23), QTime(14, 5, 9));
    Collector seen;
    const PracticeHistory h = PracticeHistory::fromBytes(bytes, when, &seen);

    // What the bytes say, worked out here: record 2 holds the count, runs follow record 216,
    // a record cut by the end of the file keeps the bytes it has.
    QByteArray padded = bytes;
    if (padded.size() < 864)
        padded.append(QByteArray(864 - padded.size(), '\0'));
    const auto *raw = reinterpret_cast<const unsigned char *>(padded.constData());
    const std::int64_t runs = std::max<std::int32_t>(highWordFirstLong(raw + 4), 0);
    const std::int64_t recordsPresent = (std::int64_t(bytes.size()) - 864 + 3) / 4;
    const std::int64_t inFile = std::clamp<std::int64_t>(recordsPresent, 0, runs);
    FUZZ_CHECK(seen.begun == 1);
    FUZZ_CHECK(h.runCount() == runs);
    FUZZ_CHECK(h.runsInFile() == inFile);
    FUZZ_CHECK(std::int64_t(seen.samples.size()) == inFile);
    FUZZ_CHECK(h.series().count() == runs);
    int best = 0;
    for (std::int64_t k = 0; k < inFile; ++k) {
        unsigned char record[4] = {};
        const std::int64_t at = 864 + 4 * k;
        std::memcpy(record, raw + at, std::size_t(std::min<std::int64_t>(4, bytes.size() - at)));
        const RunSample &got = seen.samples[std::size_t(k)];
        FUZZ_CHECK(got.spm == std::int16_t(record[0] | (record[1] << 8)));
        FUZZ_CHECK(got.mistypeRate == std::int16_t(record[2] | (record[3] << 8)));
        best = std::max<int>(best, got.spm);
    }
    FUZZ_CHECK(h.bestSpm() == best);
    FUZZ_CHECK(std::isfinite(h.progressRate()));
    FUZZ_CHECK(h.trendLine().has_value() == (runs >= 3));

    // The texts, in the widths the list lines them up by.
    const auto padded6 = paddedTexts(h);
    FUZZ_CHECK(padded6[0].size() == 4 && padded6[1].size() == 6 && padded6[3].size() == 8);
    FUZZ_CHECK(padded6[4].size() == (runs == 0 ? 6 : 5));
    const CourseTexts plain = plainTexts(h);
    FUZZ_CHECK(plain.runCount == QString::number(runs));
    for (std::int32_t count : {h.stepTimes().stepCount, 0, -1, 200, 201, INT32_MAX, INT32_MIN})
        (void)maxstep(h.stepTimes(), count);

    // The same bytes read from a file give the same figures, and so do the per-STEP times alone.
    const QString path = qelfuzz::scratchFolder().filePath(QStringLiteral("a_Qele.dat"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    file.close();
    Collector fromFile;
    const auto read = PracticeHistory::read(path, &fromFile);
    FUZZ_CHECK(read.has_value());
    FUZZ_CHECK(sameFigures(h, *read));
    const LearnerSummary summary = readSummary(qelfuzz::scratchFolder().path(), QStringLiteral("a"));
    FUZZ_CHECK(summary.unreadable.empty() && summary.texts()[2] == plain.runCount);
    const auto steps = loadStepTimes(path);
    FUZZ_CHECK(steps && steps->stepCount == h.stepTimes().stepCount
               && steps->stepSeconds == h.stepTimes().stepSeconds);
    return 0;
}
