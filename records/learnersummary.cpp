#include "records/learnersummary.h"

#include "records/learnertable.h"
#include "records/recordfile.h"
#include "records/regression.h"
#include "records/textformat.h"

#include <algorithm>

namespace qel {

QChar courseCode(Course course)
{
    return course == English ? QLatin1Char('e') : QLatin1Char('k');
}

int courseImage(Course course)
{
    return course == English ? 4 : 5;
}

QString courseListText(Course course)
{
    return course == English ? QStringLiteral("英文") : QStringLiteral("かな/ﾛｰﾏ");
}

QString recordFileName(const QString &name, Course course)
{
    return name + QStringLiteral("_Qel") + courseCode(course) + QStringLiteral(".dat");
}

CourseFigures courseFigures(const PracticeRecordFile &file)
{
    CourseFigures f;
    f.stepWord = file.currentStepUnsigned();
    f.passedStep = f.stepWord == 0 ? 0 : f.stepWord - 1;
    f.runCount = file.runCount();
    f.totalSeconds = file.totalSeconds();
    f.lastPractice = file.lastModified();
    if (f.runCount >= 1) {
        Regression series;
        const std::int64_t present = file.runsInFile();
        int best = 0;
        // Whole run records straight from the bytes; a record cut by the end of the file
        // goes through record(), which reads its missing bytes as zero.
        const auto *runBytes = reinterpret_cast<const unsigned char *>(file.bytes().constData())
                             + (kFirstRunRecord - 1) * 4;
        const std::int64_t whole = std::min<std::int64_t>(
            present, (file.bytes().size() - (kFirstRunRecord - 1) * 4) / 4);
        for (std::int64_t k = 0; k < whole; ++k) {
            const int spm = std::int16_t(std::uint16_t(runBytes[4 * k] | (runBytes[4 * k + 1] << 8)));
            series.addSample(spm);
            best = std::max(best, spm);
        }
        for (std::int64_t k = std::max<std::int64_t>(whole, 0) + 1; k <= present; ++k) {
            const int spm = file.run(k).w0;
            series.addSample(spm);
            best = std::max(best, spm);
        }
        // Runs the file does not hold read as zero words.
        series.addZeroSamples(f.runCount - present);
        f.bestSpm = best;
        if (f.runCount >= 2)
            f.progressRate = series.fit().slope;
    }
    return f;
}

std::optional<CourseFigures> readCourseFigures(const QString &path, QString *error,
                                               PracticeRecordFile::Opening opening)
{
    const auto file = PracticeRecordFile::read(path, PracticeRecordFile::Scope::Everything, error, opening);
    if (!file)
        return std::nullopt;
    return courseFigures(*file);
}

CourseTexts plainTexts(const std::optional<CourseFigures> &figures)
{
    CourseTexts t;
    const CourseFigures f = figures.value_or(CourseFigures());
    t.passedStep = QString::number(f.passedStep);
    t.runCount = QString::number(f.runCount);
    if (f.runCount == 0 || !figures) {
        t.totalTime = QStringLiteral("00:00:00");
        t.progressRate = QStringLiteral("0.00");
        t.bestSpm = QStringLiteral("0");
        t.lastPractice = QStringLiteral("未練習");
        return t;
    }
    t.totalTime = timeText(f.totalSeconds);
    t.progressRate = twoDecimals(f.runCount >= 2 ? f.progressRate : 0.0);
    t.bestSpm = QString::number(f.bestSpm);
    t.lastPractice = dateText(f.lastPractice);
    return t;
}

std::array<QString, 6> paddedTexts(const CourseFigures &f)
{
    return {
        padRight(QStringLiteral("   "), QString::number(f.passedStep), 4),
        padRight(QStringLiteral("        "), QString::number(f.runCount), 6),
        timeText(f.totalSeconds),
        padRight(QStringLiteral("    "), twoDecimals(f.runCount >= 2 ? f.progressRate : 0.0), 8),
        // Without runs the cell is not cut: five blanks and "0", six characters.
        f.runCount == 0 ? QStringLiteral("     0")
                        : padRight(QStringLiteral("     "), QString::number(f.bestSpm), 5),
        dateText(f.lastPractice),
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

LearnerSummary readSummary(const QString &folder, const QString &name)
{
    LearnerSummary summary;
    for (Course course : {English, Kana}) {
        const QString path = recordFolderPath(folder, recordFileName(name, course));
        summary.courses[course] = plainTexts(readCourseFigures(path));
    }
    summary.settings = readSettings(folder, name);
    return summary;
}

} // namespace qel
