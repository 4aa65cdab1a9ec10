#pragma once
// The six figures of a learner in one Course, and their two text forms: the plain form
// of the properties dialog and printout, and the padded form of a list row.

#include "records/learnersettings.h"
#include "records/practicehistory.h"
#include "records/wording.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace qel {

enum Course { English = 0, Kana = 1 };

// "e" / "k": the code in the record file name.
QChar courseCode(Course course);
// List image of a Course: 4 English, 5 Kana/Romaji.
int courseImage(Course course);
// Course text of a list row: "英文" or "かな/ﾛｰﾏ"; the CSV writes them in Japanese.
QString courseListText(Course course, Wording wording = Wording::Shown);
// Record file name of a learner: the learner key (RecordName) + "_Qele.dat" / "_Qelk.dat".
QString recordFileName(const QString &learnerKey, Course course);

// Plain form: passed STEP, run count, total time, progress rate, best SPM, last practice.
struct CourseTexts {
    QString passedStep, runCount, totalTime, progressRate, bestSpm, lastPractice;
};
// A missing history (no file) shows what a learner without runs shows.
CourseTexts plainTexts(const std::optional<PracticeHistory> &history);

// Padded form: passed STEP (4), run count (6), total time, progress rate (8),
// best SPM (5; "     0" without runs), last practice.
std::array<QString, 6> paddedTexts(const PracticeHistory &history);

struct LearnerSummary {
    std::array<CourseTexts, 2> courses; // English, Kana/Romaji
    LearnerSettings settings;
    // Files that are there but could not be read; their texts are empty.
    std::vector<UnreadableFile> unreadable;
    // The 22 texts: each figure for English then Kana/Romaji, then the ten settings.
    std::array<QString, 22> texts() const;
};

// Reads the English file, then the Kana/Romaji file, then the settings file of the learner
// whose files are named by `learnerKey` (RecordName): never those of another learner whose
// name only reads alike.
// A record file that is missing is never created; its Course shows the no-runs texts. A
// file that is there but cannot be read leaves its texts empty, as the list leaves the
// row's figures: what it holds is unknown, which is not "not practised". Each record file
// is walked once, past the Course's visitor when one is given; `histories` (when given)
// receives the walks, none for a file missing or unreadable.
LearnerSummary readSummary(const QString &folder, const QString &learnerKey,
                           const std::array<RunVisitor *, 2> &visitors = {},
                           std::array<std::optional<PracticeHistory>, 2> *histories = nullptr);

} // namespace qel
