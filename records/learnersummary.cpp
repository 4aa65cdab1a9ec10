#include "records/learnersummary.h"

#include "records/learnertable.h"
#include "records/textformat.h"

#include <QCoreApplication>

namespace qel {

QChar courseCode(Course course)
{
    return course == English ? QLatin1Char('e') : QLatin1Char('k');
}

int courseImage(Course course)
{
    return course == English ? 4 : 5;
}

QString courseListText(Course course, Wording wording)
{
    //: The English typing course, in the list's Mode column.
    static const char *const english = QT_TRANSLATE_NOOP("LearnerSummary", "英文");
    //: The course that types Japanese in kana or romaji, in the list's Mode column (short).
    static const char *const kana = QT_TRANSLATE_NOOP("LearnerSummary", "かな/ﾛｰﾏ");
    return worded(wording, "LearnerSummary", course == English ? english : kana);
}

QString recordFileName(const QString &learnerKey, Course course)
{
    return learnerKey + QStringLiteral("_Qel") + courseCode(course) + QStringLiteral(".dat");
}

CourseTexts plainTexts(const std::optional<PracticeHistory> &history)
{
    CourseTexts t;
    if (!history || history->runCount() == 0) {
        t.passedStep = QString::number(history ? history->passedStep() : 0);
        t.runCount = QStringLiteral("0");
        t.totalTime = QStringLiteral("00:00:00");
        t.progressRate = QStringLiteral("0.00");
        t.bestSpm = QStringLiteral("0");
        //: Last practice of a learner who has no runs yet.
        t.lastPractice = QCoreApplication::translate("LearnerSummary", "未練習");
        return t;
    }
    const PracticeHistory &h = *history;
    t.passedStep = QString::number(h.passedStep());
    t.runCount = QString::number(h.runCount());
    t.totalTime = timeText(h.totalSeconds());
    t.progressRate = twoDecimals(h.progressRate());
    t.bestSpm = QString::number(h.bestSpm());
    t.lastPractice = dateText(h.lastModified());
    return t;
}

std::array<QString, 6> paddedTexts(const PracticeHistory &h)
{
    return {
        padRight(QStringLiteral("   "), QString::number(h.passedStep()), 4),
        padRight(QStringLiteral("        "), QString::number(h.runCount()), 6),
        timeText(h.totalSeconds()),
        padRight(QStringLiteral("    "), twoDecimals(h.progressRate()), 8),
        // Without runs the cell is not cut: five blanks and "0", six characters.
        h.runCount() == 0 ? QStringLiteral("     0")
                          : padRight(QStringLiteral("     "), QString::number(h.bestSpm()), 5),
        dateText(h.lastModified()),
    };
}

std::array<QString, 22> LearnerSummary::texts() const
{
    std::array<QString, 22> all;
    const auto &e = courses[English];
    const auto &k = courses[Kana];
    const QString *pairs[][2] = {
        {&e.passedStep, &k.passedStep}, {&e.runCount, &k.runCount},
        {&e.totalTime, &k.totalTime},   {&e.progressRate, &k.progressRate},
        {&e.bestSpm, &k.bestSpm},       {&e.lastPractice, &k.lastPractice},
    };
    int i = 0;
    for (const auto &pair : pairs) {
        all[i++] = *pair[0];
        all[i++] = *pair[1];
    }
    for (const QString &s : settings)
        all[i++] = s;
    return all;
}

LearnerSummary readSummary(const QString &folder, const QString &learnerKey,
                           const std::array<RunVisitor *, 2> &visitors,
                           std::array<std::optional<PracticeHistory>, 2> *histories)
{
    LearnerSummary summary;
    for (Course course : {English, Kana}) {
        const QString path = recordFolderPath(folder, recordFileName(learnerKey, course));
        QString error;
        bool missing = false;
        std::optional<PracticeHistory> history = PracticeHistory::read(path, visitors[course], &error, &missing);
        if (history || missing)
            summary.courses[course] = plainTexts(history);
        else
            summary.unreadable.push_back({path, error});
        if (histories)
            (*histories)[course] = std::move(history);
    }
    summary.settings = readSettings(folder, learnerKey, &summary.unreadable);
    return summary;
}

} // namespace qel
