#pragma once
// Writes record and settings files in the trainer's layout, for the sample folder and tests.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace qel::samples {

struct Run {
    std::int16_t spm = 0;
    std::int16_t mistypeRate = 0; // hundredths of a percent
};

struct RecordContent {
    std::int32_t totalSeconds = 0;
    // Stored run count; by default the number of runs given.
    std::optional<std::int64_t> storedRunCount;
    std::uint16_t currentStep = 1;
    std::array<std::int32_t, 200> stepSeconds{};
    std::vector<Run> runs;
};

// A long, noisy, rising history of `runs` runs at STEP 40, the same for the same count;
// the benchmarks paint it.
RecordContent risingHistory(int runs);

// Bytes of a record file: records 1 to 216 and one record per run.
QByteArray recordBytes(const RecordContent &content);
// Four bytes of a count stored high word first.
QByteArray highWordFirstBytes(std::int32_t value);

// Writes the file; sets its modification time when `modified` is valid. False on failure.
bool writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = {});

// What a finished run does to a record file, in place: one more run at the end and a run
// count one higher. False on failure.
bool appendRun(const QString &path, Run run = {120, 100});

} // namespace qel::samples
