#pragma once
// Reader of the trainer's practice record files (<name>_Qele.dat / <name>_Qelk.dat).
// The file is an array of 4-byte records numbered from 1; the file is read once
// and closed before any accessor is used, so nothing stays open between commands.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace qel {

struct RecordWords {
    std::int16_t w0 = 0;
    std::int16_t w1 = 0;
};

// A 32-bit count stored high word first: bytes b0 b1 b2 b3 give
// (b1 << 24) | (b0 << 16) | (b3 << 8) | b2.
std::int32_t highWordFirstLong(const unsigned char *bytes);

// First record of the run entries, and of the per-STEP times.
constexpr std::int64_t kFirstRunRecord = 217;
constexpr std::int64_t kFirstStepRecord = 17;
constexpr int kStepRecords = 200;

class PracticeRecordFile {
public:
    enum class Scope {
        Header,     // records 1 to 3
        StepTimes,  // records 1 to 216
        Everything, // records 1 to 216 + N, as far as the file holds them
    };

    enum class Opening {
        CheckFirst,    // make sure the path is a regular file before opening it
        AlreadyListed, // the folder scan has just listed it as a regular file
    };

    // Opens for shared reading, reads what the scope needs, closes. Never creates the file,
    // and never opens a FIFO or device (that would block). Returns nothing when the file
    // cannot be opened or read; `error` then says why.
    static std::optional<PracticeRecordFile> read(const QString &path, Scope scope,
                                                  QString *error = nullptr,
                                                  Opening opening = Opening::CheckFirst);
    // For tests and tools that already hold the bytes.
    static PracticeRecordFile fromBytes(QByteArray bytes, QDateTime lastModified = {});

    // Record n (from 1); records past the loaded bytes read as two zero words.
    RecordWords record(std::int64_t n) const;
    std::int32_t readLong(std::int64_t n) const;

    std::int32_t totalSeconds() const { return readLong(1); }
    // Run count as stored; may be negative or far larger than the file.
    std::int32_t storedRunCount() const { return readLong(2); }
    // Run count to use: a negative stored count means no runs.
    std::int64_t runCount() const;
    std::uint16_t currentStepUnsigned() const { return std::uint16_t(record(3).w0); }
    std::int16_t currentStepSigned() const { return record(3).w0; }
    // Seconds practised at STEP s, s = 1..200; 0 outside that range.
    std::int32_t stepSeconds(int s) const;
    // Run k (k = 1..N): w0 = SPM, w1 = mistype rate in hundredths of a percent.
    RecordWords run(std::int64_t k) const { return record(kFirstRunRecord - 1 + k); }
    // Number of runs whose records lie (at least partly) inside the file;
    // every later run reads as zero words.
    std::int64_t runsInFile() const;

    QDateTime lastModified() const { return m_lastModified; }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QDateTime m_lastModified;
};

} // namespace qel
