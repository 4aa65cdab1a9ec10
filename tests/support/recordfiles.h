#pragma once
// Record files as a class leaves them between runs, for the tests that follow a folder.

#include "samples/recordwriter.h"

#include <QDateTime>
#include <QString>

namespace qeltest {

// A day old: a file's identity tells any later change.
inline const QDateTime kLongAgo = QDateTime::currentDateTime().addDays(-1);

// A record file of `runs` runs at `step`; an old file unless `modified` says otherwise.
inline bool writeRecordFile(const QString &path, int runs, int step, const QDateTime &modified = kLongAgo)
{
    qel::samples::RecordContent c;
    c.currentStep = std::uint16_t(step);
    c.totalSeconds = runs * 60;
    for (int k = 0; k < runs; ++k)
        c.runs.push_back({std::int16_t(50 + (k * 7 + step) % 40), std::int16_t(k * 11 % 700)});
    return qel::samples::writeFile(path, qel::samples::recordBytes(c), modified);
}

} // namespace qeltest
