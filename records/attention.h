#pragma once
// Who needs help today: the state of a learner in one Course on the class board, worked out
// from the learner's table row, the time, the targets of the Course and, where the practice
// journal has them, figures of the past weeks. Pure: the time is handed in, nothing is read.
//
// A learner can be in several states at once ("目標未達" and "伸び悩み"); every state found
// is kept with its reasons, most needy first. The board's tile shows the first, the CLI and
// the CSV list them all. Needs, most needy first:
//   N日練習なし  last practice more than N days ago (N: the Course's idle days)
//   今日は未練習  last practice before today, at most N days ago, and not practising now;
//                 also a learner without runs
//   目標未達      mean SPM of the newest runs below the target, their mistype rate above it,
//                 or fewer minutes this week than the target
//   伸び悩み      progress rate of the newest runs <= 0, or no STEP gained in two weeks
//   練習中        the record file changed in the last five minutes
//   目標達成      every target met
// "Last practice" is the record file's modification time, "today" the local date. A row
// whose file could not be read gets no state and shows "読み込めません".

#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "records/wording.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace qel {

// What the learners of one Course should reach.
struct CourseTargets {
    int spm = 100;            // mean SPM of the newest runs, at least
    int mistypeTenths = 50;   // their mean mistype rate, at most, in tenths of a percent
    int minutesPerWeek = 60;  // practice this week, at least (0: no target)
    int idleDays = 7;         // days without practice before "N日練習なし"
    bool operator==(const CourseTargets &) const = default;
};

// Ranges a target may take; the dialog offers them and stored values outside them are
// not taken.
struct TargetRange {
    int low, high;
    bool holds(int value) const { return value >= low && value <= high; }
};
inline constexpr TargetRange kSpmRange{1, 2000};
inline constexpr TargetRange kMistypeTenthsRange{0, 1000};
inline constexpr TargetRange kMinutesRange{0, 7 * 24 * 60};
inline constexpr TargetRange kIdleDaysRange{1, 365};
bool validTargets(const CourseTargets &targets);

// Beginners' targets: 100 SPM in English is about 20 words a minute, the usual first goal of
// a keyboarding course; Japanese input is slower (reading, kana and conversion), so 80. A
// mistype rate of 5 % is 95 % accuracy; an hour a week is three short lessons; and a week
// without practice is one missed weekly lesson.
struct ClassTargets {
    CourseTargets english{100, 50, 60, 7};
    CourseTargets kana{80, 50, 60, 7};
    const CourseTargets &of(Course course) const { return course == English ? english : kana; }
    CourseTargets &of(Course course) { return course == English ? english : kana; }
    bool operator==(const ClassTargets &) const = default;
};

// Figures of the practice journal; a rule that needs one that is missing does not fire.
struct HistoryFigures {
    std::optional<int> stepsGainedTwoWeeks;
    std::optional<int> minutesThisWeek;
};
// The journal's figures of a row's learner and Course.
using HistoryLookup = std::function<HistoryFigures(const TableRow &row)>;

// Most needy first; the order of the board.
enum class Need { Absent, NotToday, BelowTarget, Stuck, Practising, OnTarget };
inline constexpr int kNeedCount = 6;

inline constexpr qint64 kPractisingMSecs = 5 * 60 * 1000;
inline constexpr int kTargetRuns = 10; // the runs the targets are measured on
inline constexpr int kTrendRuns = 20;  // the runs the progress rate is taken over
inline constexpr int kMinTrendRuns = 5; // fewer runs say nothing of a trend

struct Finding {
    Need need = Need::OnTarget;
    // The reason's words (a text marked for translation, reasonText puts it into words), the
    // figures that fill its %1, %2 and the count that fills its %n (-1: none).
    const char *reason = nullptr;
    QStringList figures;
    int count = -1;
    bool operator==(const Finding &) const = default;
};

struct Assessment {
    bool readable = true;
    std::vector<Finding> findings; // most needy first, in the order of the rules within a need
    int idleDays = 0;              // whole local days since the last practice (0: today)
    bool practised = false;        // the file holds runs
    // Means of the newest runs (up to kTargetRuns) in tenths: the SPM rounded down and the
    // mistype rate (percent) rounded up, so that a mean shown never seems to meet a target
    // it misses.
    std::optional<qint64> recentSpmTenths;
    std::optional<qint64> recentMistypeTenths;
    // When the time alone may next change this result (ms since 1970): the end of the five
    // minutes, the next midnight.
    std::optional<qint64> recheckAt;

    // The most needy state; nothing for an unreadable row.
    std::optional<Need> top() const;
    bool has(Need need) const;
    // Whether it belongs on the list of learners who need help: unreadable, or absent,
    // not practised today, below target or stuck.
    bool needsHelp() const;
};

Assessment assess(const TableRow &row, const QDateTime &now, const CourseTargets &targets,
                  const HistoryFigures &history = {});

// Captions: "N日練習なし" (with the learner's days), "今日は未練習", "目標未達", "伸び悩み",
// "練習中", "目標達成"; "読み込めません" for an unreadable row. The board's CSV writes them
// and the reasons in Japanese, whatever the language shown.
QString needCaption(Need need, int idleDays = 0, Wording wording = Wording::Shown);
QString stateText(const Assessment &assessment, Wording wording = Wording::Shown);
// One reason: "SPM 80 (目標 100)".
QString reasonText(const Finding &finding, Wording wording = Wording::Shown);
// Every reason, joined by "、"; "読み込めません" for an unreadable row.
QString reasonsText(const Assessment &assessment, Wording wording = Wording::Shown);
// The same without the reason that only repeats the state shown: what a tile adds to it.
QString furtherReasonsText(const Assessment &assessment);
// "95" or "99.9" / "3.2"; empty without runs.
QString recentSpmText(const Assessment &assessment);
QString recentMistypeText(const Assessment &assessment);

// One tile of the board: a row of the table with its assessment.
struct AttentionEntry {
    QString key;   // record file name
    QString name;  // the learner's real name
    Course course = English;
    int passedStep = 0;
    QString lastPractice; // date text, "未練習" without runs (as the CSV writes it), empty when unreadable
    Assessment assessment;
};

// "STEP 12  SPM 95  ミス 3.2%" (newest runs); "-" for figures without runs; empty when
// the row could not be read.
QString figuresText(const AttentionEntry &entry);
// The date of the last practice, "未練習" without runs; empty when the row could not be read.
QString lastPracticeText(const AttentionEntry &entry, Wording wording = Wording::Shown);

// The rows assessed with their Course's targets, in the order of need: the most needy state
// first; among the absent the longest absent first; then by `tieName` (the name, unless the
// caller orders by something else) and the record file name. Unreadable rows come last.
std::vector<AttentionEntry> assessClass(const std::vector<TableRow> &rows, const QDateTime &now,
                                        const ClassTargets &targets, const HistoryLookup &history = {});
// Orders entries by need; `tieKey` gives what equal needs are ordered by (the name by default).
void sortByNeed(std::vector<AttentionEntry> &entries,
                const std::function<QString(const AttentionEntry &)> &tieKey = {});
// The earliest time at which one of the entries must be assessed again.
std::optional<qint64> recheckAt(const std::vector<AttentionEntry> &entries);

} // namespace qel
