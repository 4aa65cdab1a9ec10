#include "records/practicehistory.h"

#include "records/readingfile.h"
#include "records/textformat.h"

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace qel {

std::int32_t highWordFirstLong(const unsigned char *b)
{
    const std::uint32_t v = (std::uint32_t(b[1]) << 24) | (std::uint32_t(b[0]) << 16)
                          | (std::uint32_t(b[3]) << 8) | std::uint32_t(b[2]);
    return std::int32_t(v);
}

std::int32_t maxstep(const StepTimeTable &table, std::int32_t count)
{
    std::int32_t longest = table.stepSeconds[0];
    const int last = std::clamp(count, 1, kStepRecords);
    for (int s = 2; s <= last; ++s)
        longest = std::max(longest, table.stepSeconds[std::size_t(s - 1)]);
    return longest;
}

PracticeHistory PracticeHistory::headerOnly() const
{
    PracticeHistory header = *this;
    header.m_runsInFile = 0;
    header.m_bestSpm = 0;
    header.m_series = Regression();
    return header;
}

double PracticeHistory::progressRate() const
{
    return runCount() >= 2 ? m_series.fit().slope : 0.0;
}

std::optional<TrendLine> PracticeHistory::trendLine() const
{
    if (runCount() < 3)
        return std::nullopt;
    const LineFit line = m_series.fit();
    return TrendLine{roundHalfEven(line.slope + line.intercept),
                     roundHalfEven(double(runCount()) * line.slope + line.intercept)};
}

// Reads until the buffer is full or the data end; the count read, -1 on an error.
using ReadBytes = std::function<qint64(char *data, qint64 maxSize)>;

class HistoryWalk {
public:
    static constexpr qint64 kFixedBytes = (kFirstRunRecord - 1) * 4;
    static constexpr qint64 kChunkRuns = 16384; // 64 KiB of run records per read
    static constexpr qint64 kChunkBytes = kChunkRuns * 4;
    static constexpr unsigned char kZeroChunk[kChunkBytes] = {};

    static std::optional<PracticeHistory> run(const ReadBytes &read, const QDateTime &modified,
                                              bool withRuns, RunVisitor *visitor)
    {
        PracticeHistory h;
        h.m_lastModified = modified;
        // The fixed part and, in the same read, the first chunk of runs: one read takes in
        // most files whole. Past the first chunk no read goes beyond the stated count.
        const qint64 size = kFixedBytes + (withRuns ? kChunkBytes : 0);
        const Scratch scratch;
        unsigned char *const buffer = scratch.buffer;
        const qint64 got = read(reinterpret_cast<char *>(buffer), size);
        if (got < 0)
            return std::nullopt;
        const unsigned char *fixed = buffer;
        if (got < kFixedBytes) // what the file lacks reads as zero
            std::memset(buffer + got, 0, std::size_t(kFixedBytes - got));
        h.m_totalSeconds = highWordFirstLong(fixed);
        h.m_storedRunCount = highWordFirstLong(fixed + 4);
        h.m_stepWord = std::uint16_t(fixed[8] | (fixed[9] << 8));
        h.m_stepTimes.stepCount = std::max<std::int32_t>(h.currentStepSigned(), 0);
        for (int s = 0; s < kStepRecords; ++s)
            h.m_stepTimes.stepSeconds[std::size_t(s)] = highWordFirstLong(fixed + (kFirstStepRecord - 1 + s) * 4);
        if (!withRuns)
            return h;
        if (visitor)
            visitor->begin(h);
        if (got > kFixedBytes && !foldRuns(read, h, visitor, buffer + kFixedBytes, got - kFixedBytes, got == size, *scratch.samples))
            return std::nullopt;
        // Runs the file does not hold read as zero words.
        h.m_series.addZeroSamples(h.zeroRuns());
        return h;
    }

    static void identify(PracticeHistory &h, const FileIdentity &identity) { h.m_identity = identity; }

private:
    // The read buffer and the samples of a chunk, kept for the thread's next walk: a table
    // build walks thousands of files. A walk started while one is under way (from its
    // visitor) gets its own.
    struct Scratch {
        Scratch()
        {
            thread_local std::unique_ptr<unsigned char[]> keptBuffer;
            thread_local std::vector<RunSample> keptSamples;
            thread_local bool inUse = false;
            if (inUse) {
                own = std::make_unique<unsigned char[]>(std::size_t(kFixedBytes + kChunkBytes));
                buffer = own.get();
                samples = &ownSamples;
                return;
            }
            if (!keptBuffer)
                keptBuffer = std::make_unique<unsigned char[]>(std::size_t(kFixedBytes + kChunkBytes));
            inUse = true;
            flag = &inUse;
            buffer = keptBuffer.get();
            samples = &keptSamples;
        }
        ~Scratch()
        {
            if (flag)
                *flag = false;
        }
        Scratch(const Scratch &) = delete;
        Scratch &operator=(const Scratch &) = delete;

        unsigned char *buffer = nullptr;
        std::vector<RunSample> *samples = nullptr;
        std::unique_ptr<unsigned char[]> own;
        std::vector<RunSample> ownSamples;
        bool *flag = nullptr;
    };

    // `chunk` holds `got` bytes of runs and room for kChunkBytes; `more` is false once a
    // read has come short, at the end of the file.
    static bool foldRuns(const ReadBytes &read, PracticeHistory &h, RunVisitor *visitor,
                         unsigned char *chunk, qint64 got, bool more, std::vector<RunSample> &samples)
    {
        std::int64_t left = h.runCount();
        int best = 0;
        while (left > 0 && got > 0) {
            const qint64 bytes = std::min<qint64>(got, left * 4);
            // A record cut by the end of the file keeps the bytes it has.
            const std::size_t count = std::size_t((bytes + 3) / 4);
            std::memset(chunk + bytes, 0, count * 4 - std::size_t(bytes));
            samples.resize(count);
            if (std::memcmp(chunk, kZeroChunk, count * 4) == 0) {
                // A run of zero records (a sparse or padded file) folds at once: adding
                // zero samples one by one leaves the sums as they are.
                std::fill(samples.begin(), samples.end(), RunSample{});
                h.m_series.addZeroSamples(std::int64_t(count));
            } else {
                for (std::size_t i = 0; i < count; ++i) {
                    const unsigned char *b = chunk + 4 * i;
                    const auto spm = std::int16_t(std::uint16_t(b[0] | (b[1] << 8)));
                    samples[i] = {spm, std::int16_t(std::uint16_t(b[2] | (b[3] << 8)))};
                    h.m_series.addSample(spm);
                    best = std::max<int>(best, spm);
                }
            }
            if (visitor)
                visitor->runs(h.m_runsInFile + 1, std::span<const RunSample>(samples.data(), count));
            h.m_runsInFile += std::int64_t(count);
            left -= std::int64_t(count);
            if (!more || left == 0)
                break;
            const qint64 want = std::min<std::int64_t>(left, kChunkRuns) * 4;
            got = read(reinterpret_cast<char *>(chunk), want);
            if (got < 0)
                return false;
            more = got == want;
        }
        h.m_bestSpm = best;
        return true;
    }
};

namespace {
std::optional<PracticeHistory> readFile(const QString &path, bool withRuns, RunVisitor *visitor,
                                        QString *error, bool *missing = nullptr)
{
    ReadingFile file;
    if (missing)
        *missing = false;
    if (!file.open(path, error)) {
        if (missing)
            *missing = file.missing();
        return std::nullopt;
    }
    auto history = HistoryWalk::run([&](char *data, qint64 size) { return file.read(data, size); },
                                    file.lastModified(), withRuns, visitor);
    if (!history && error)
        *error = file.errorString();
    if (history)
        HistoryWalk::identify(*history, file.identity());
    return history;
}
}

std::optional<PracticeHistory> PracticeHistory::read(const QString &path, RunVisitor *visitor,
                                                     QString *error, bool *missing)
{
    return readFile(path, true, visitor, error, missing);
}

PracticeHistory PracticeHistory::fromBytes(const QByteArray &bytes, const QDateTime &lastModified,
                                           RunVisitor *visitor)
{
    qint64 at = 0;
    const auto read = [&](char *data, qint64 size) {
        const qint64 n = std::min<qint64>(size, bytes.size() - at);
        std::memcpy(data, bytes.constData() + at, std::size_t(n));
        at += n;
        return n;
    };
    return *HistoryWalk::run(read, lastModified, true, visitor);
}

namespace {
// Adds up the runs of a range as the walk streams past them.
class RangeSummer : public RunVisitor {
public:
    RangeSummer(std::int64_t first, std::int64_t last) : m_first(first), m_last(last) {}
    void runs(std::int64_t first, std::span<const RunSample> samples) override
    {
        const std::int64_t from = std::max(first, m_first);
        const std::int64_t to = std::min(first + std::int64_t(samples.size()) - 1, m_last);
        for (std::int64_t k = from; k <= to; ++k) {
            const RunSample &run = samples[std::size_t(k - first)];
            sums.spm += run.spm;
            sums.mistypeRate += run.mistypeRate;
        }
    }
    RunSums sums;

private:
    std::int64_t m_first, m_last;
};
}

std::optional<RunSums> sumRuns(const QString &path, std::int64_t first, std::int64_t last, QString *error)
{
    first = std::max<std::int64_t>(first, 1);
    if (last < first)
        return RunSums{};
    RangeSummer summer(first, last);
    const auto history = readFile(path, true, &summer, error);
    if (!history || history->runCount() < last)
        return std::nullopt;
    // The zero tail adds to the count but not to the sums.
    summer.sums.runs = last - first + 1;
    return summer.sums;
}

std::optional<StepTimeTable> loadStepTimes(const QString &path, QString *error)
{
    const auto history = readFile(path, false, nullptr, error);
    if (!history)
        return std::nullopt;
    return history->stepTimes();
}

} // namespace qel
