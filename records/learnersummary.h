#pragma once
// The six figures of a learner in one Course, and their two text forms: the plain form
// of the properties dialog and printout, and the padded form of a list row.

#include "records/learnersettings.h"
#include "records/recordfile.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace qel {


enum Course { English = 0, Kana = 1 };

// "e" / "k": the code in the record file name.
QChar courseCode(Course course);
// List image of a Course: 4 English, 5 Kana/Romaji.
int courseImage(Course course);
// Course text of a list row: "英文" or "かな/ﾛｰﾏ".
QString courseListText(Course course);
// Record file name of a learner: name + "_Qele.dat" / "_Qelk.dat".
QString recordFileName(const QString &name, Course course);

struct CourseFigures {
    std::uint16_t stepWord = 0;   // record 3, first word, unsigned
    int passedStep = 0;           // stepWord - 1, 0 when stepWord is 0
    std::int64_t runCount = 0;    // stored count; negative counts mean no runs
    std::int64_t totalSeconds = 0;
    double progressRate = 0;      // slope of SPM over the runs, 0 with fewer than two
    int bestSpm = 0;              // largest SPM, starting from 0
    QDateTime lastPractice;       // the file's modification time
};

CourseFigures courseFigures(const PracticeRecordFile &file);
// Reads the whole history of one file; nothing when it cannot be opened.
std::optional<CourseFigures> readCourseFigures(
    const QString &path, QString *error = nullptr,
    PracticeRecordFile::Opening opening = PracticeRecordFile::Opening::CheckFirst);

// Plain form: passed STEP, run count, total time, progress rate, best SPM, last practice.
struct CourseTexts {
    QString passedStep, runCount, totalTime, progressRate, bestSpm, lastPractice;
};
// A missing figure set (no file) shows what a learner without runs shows.
CourseTexts plainTexts(const std::optional<CourseFigures> &figures);

// Padded form: passed STEP (4), run count (6), total time, progress rate (8),
// best SPM (5; "     0" without runs), last practice.
std::array<QString, 6> paddedTexts(const CourseFigures &figures);

struct LearnerSummary {
    std::array<CourseTexts, 2> courses; // English, Kana/Romaji
    LearnerSettings settings;
    // The 22 texts: each figure for English then Kana/Romaji, then the ten settings.
    std::array<QString, 22> texts() const;
};

// Reads the learner's English file, then the Kana/Romaji file, then the settings file.
// A record file that is missing is never created; its Course shows the no-runs texts.
LearnerSummary readSummary(const QString &folder, const QString &name);

} // namespace qel
