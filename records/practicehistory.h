#pragma once
// A learner's practice history in one Course, as one walk over the record file
// (<name>_Qele.dat / <name>_Qelk.dat) gives it.
//
// The file is an array of 4-byte records numbered from 1: the total time, the run count N
// and the current STEP in records 1 to 3, the seconds per STEP in records 17 to 216, and
// one record per run from record 217. The walk reads the fixed part with the first chunk
// of runs, then streams the rest in chunks of fixed size, folding them into the figures as
// they pass; it never holds more than one chunk, reads no chunk past the N-th run, and
// hands each chunk to a visitor (a drawing) if one is given. A file shorter than that
// reads as zero bytes: a cut record keeps the bytes it has, and the runs the file lacks
// count as zero samples without being read or visited.

#include "records/readingfile.h"
#include "records/regression.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace qel {

// A 32-bit count stored high word first: bytes b0 b1 b2 b3 give
// (b1 << 24) | (b0 << 16) | (b3 << 8) | b2.
std::int32_t highWordFirstLong(const unsigned char *bytes);

// First record of the run entries, and of the per-STEP times.
constexpr std::int64_t kFirstRunRecord = 217;
constexpr std::int64_t kFirstStepRecord = 17;
constexpr int kStepRecords = 200;

struct RunSample {
    std::int16_t spm = 0;
    std::int16_t mistypeRate = 0; // hundredths of a percent
};

// Record 3 (current STEP, signed, negative read as 0) and the 200 per-STEP times.
struct StepTimeTable {
    std::int32_t stepCount = 0;
    std::array<std::int32_t, kStepRecords> stepSeconds{}; // index 0 holds STEP 1
};
// Longest time among STEPs 1..min(count, 200), starting from STEP 1 (count 0 gives STEP 1's).
std::int32_t maxstep(const StepTimeTable &table, std::int32_t count);

// Ends of the trend line: the fitted SPM at run 1 and at run N, rounded halves to even.
struct TrendLine {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

class PracticeHistory;

class RunVisitor {
public:
    virtual ~RunVisitor() = default;
    // Once the fixed part is read, before any run: the header figures are known, the
    // run figures (runs in the file, best SPM, fit) not yet.
    virtual void begin(const PracticeHistory &header) { (void)header; }
    // Runs first, first + 1, ... as they stand in the file; chunks come in order.
    virtual void runs(std::int64_t first, std::span<const RunSample> samples) = 0;
};

class PracticeHistory {
public:
    // Walks the whole file at `path`. Nothing when it cannot be opened (missing, no regular
    // file) or a read fails; `error` then says why and `missing` whether there is no file by
    // that name. Never creates the file.
    static std::optional<PracticeHistory> read(const QString &path, RunVisitor *visitor = nullptr,
                                               QString *error = nullptr, bool *missing = nullptr);
    // The same walk over bytes already in hand.
    static PracticeHistory fromBytes(const QByteArray &bytes, const QDateTime &lastModified = {},
                                     RunVisitor *visitor = nullptr);

    // The same file as a visitor's begin() sees it: header figures only, no run figures yet.
    PracticeHistory headerOnly() const;

    // Header figures.
    std::int32_t storedRunCount() const { return m_storedRunCount; } // may be negative or huge
    std::int64_t runCount() const { return std::max<std::int64_t>(m_storedRunCount, 0); }
    std::int32_t totalSeconds() const { return m_totalSeconds; }
    std::uint16_t currentStepUnsigned() const { return m_stepWord; }
    std::int16_t currentStepSigned() const { return std::int16_t(m_stepWord); }
    // STEP word taken as unsigned, less one; 0 for 0.
    int passedStep() const { return m_stepWord == 0 ? 0 : m_stepWord - 1; }
    const StepTimeTable &stepTimes() const { return m_stepTimes; }
    QDateTime lastModified() const { return m_lastModified; }
    // What the opened file's handle told of it (nothing for bytes in hand).
    const FileIdentity &identity() const { return m_identity; }

    // Run figures, after the walk.
    // Runs whose records lie (at least partly) in the file; the rest are the zero tail.
    std::int64_t runsInFile() const { return m_runsInFile; }
    std::int64_t zeroRuns() const { return runCount() - m_runsInFile; }
    // Largest SPM, starting from 0.
    int bestSpm() const { return m_bestSpm; }
    // SPM of every run, the zero tail included.
    const Regression &series() const { return m_series; }
    // Slope of the fit with two runs or more, else 0.
    double progressRate() const;
    // With three runs or more.
    std::optional<TrendLine> trendLine() const;

private:
    friend class HistoryWalk;

    std::int32_t m_storedRunCount = 0;
    std::int32_t m_totalSeconds = 0;
    std::uint16_t m_stepWord = 0;
    StepTimeTable m_stepTimes;
    QDateTime m_lastModified;
    FileIdentity m_identity;
    std::int64_t m_runsInFile = 0;
    int m_bestSpm = 0;
    Regression m_series;
};

// What runs first..last (numbered from 1) of a record file add up to, read through one walk
// of the file: their count and the sums of their SPM and mistype rates (hundredths of a
// percent). Runs the stated count holds but the file lacks count as zero samples, as in the
// figures. Nothing when the file cannot be read or no longer holds `last` runs (it was
// reset since): the runs asked for are not there.
struct RunSums {
    std::int64_t runs = 0;
    std::int64_t spm = 0;
    std::int64_t mistypeRate = 0;
};
std::optional<RunSums> sumRuns(const QString &path, std::int64_t first, std::int64_t last,
                               QString *error = nullptr);

// The per-STEP times alone: reads records 1 to 216 and no run. Nothing when the file cannot
// be opened or read. Never creates a file.
std::optional<StepTimeTable> loadStepTimes(const QString &path, QString *error = nullptr);

} // namespace qel
