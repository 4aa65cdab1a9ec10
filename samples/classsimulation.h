#pragma once
// A class practising over two weeks, run by run at known times, with the looks a viewer
// takes at its record folder: what the journal's tests, benchmark and pictures are made of.

#include "records/learnersummary.h"
#include "samples/recordwriter.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace qel::samples {

struct ClassEvent {
    enum Kind { Practice, Look, Reset };
    Kind kind = Look;
    qint64 at = 0;   // ms since 1970
    QString file;    // Practice, Reset: the record file name
    Run run;         // Practice
    int seconds = 0; // Practice: the practice time the run adds
    bool passes = false; // Practice: the run passes the learner's STEP
};

struct ClassPlan {
    QDate firstMonday;
    std::vector<QString> files;     // record file names
    std::vector<ClassEvent> events; // in time order
};

// Two weeks from `firstMonday` (local time) of `learners` learners, every third with both
// Courses. On weekdays lessons run from 9:00 to 12:00 and the viewer looks at the folder
// every 15 minutes from 8:50 to 12:30, except on the second Wednesday, when it does not run;
// some learners practise at home on the weekend, when no one looks. On the second Tuesday
// evening the first learner's English file is reset for a new term. The same plan for the
// same seed.
ClassPlan planClass(const QDate &firstMonday, int learners, quint32 seed);

// Each file's content before the plan starts.
RecordContent startingContent(int fileIndex);

// Writes the starting files into `folder`, then plays the plan: each run and reset is
// written to its file, and `look` is called at each look with its time. False when a file
// cannot be written.
bool playClass(const ClassPlan &plan, const QString &folder, const std::function<void(qint64 at)> &look);

} // namespace qel::samples
