#include "samples/classsimulation.h"

#include "records/learnertable.h"

#include <QDateTime>
#include <QDir>
#include <algorithm>
#include <map>

namespace qel::samples {

namespace {

const char *const kNames[] = {"Aoki Ren", "Baba Yui", "Chiba Sora", "Doi Mio", "Endo Riku", "Fujii Hana",
                              "Goto Kai", "Hara Emi", "Ito Yuto", "Kato Rin", "Mori Aoi", "Ono Haru"};

struct Random {
    quint32 state;
    int below(int n)
    {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % quint32(n));
    }
};

qint64 at(const QDate &day, int hour, int minute)
{
    return QDateTime(day, QTime(hour, minute)).toMSecsSinceEpoch();
}

} // namespace

RecordContent startingContent(int fileIndex)
{
    RecordContent c;
    c.currentStep = std::uint16_t(3 + fileIndex % 5);
    for (int k = 0; k < 20 + 3 * fileIndex; ++k)
        c.runs.push_back({std::int16_t(60 + k + 7 * fileIndex), std::int16_t(300 + 10 * (k % 7))});
    c.totalSeconds = 90 * std::int32_t(c.runs.size());
    return c;
}

ClassPlan planClass(const QDate &firstMonday, int learners, quint32 seed)
{
    ClassPlan plan;
    plan.firstMonday = firstMonday;
    const int count = std::clamp(learners, 1, int(std::size(kNames)));
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromLatin1(kNames[i]);
        plan.files.push_back(recordFileName(name, English));
        if (i % 3 == 1)
            plan.files.push_back(recordFileName(name, Kana));
    }
    Random random{seed};
    for (int dayIndex = 0; dayIndex < 14; ++dayIndex) {
        const QDate day = firstMonday.addDays(dayIndex);
        const bool weekend = day.dayOfWeek() >= 6;
        const bool viewerOff = dayIndex == 9; // the second Wednesday
        if (!weekend && !viewerOff)
            for (int minute = 8 * 60 + 50; minute <= 12 * 60 + 30; minute += 15)
                plan.events.push_back({ClassEvent::Look, at(day, minute / 60, minute % 60), {}, {}, 0, false});
        for (std::size_t f = 0; f < plan.files.size(); ++f) {
            // At home on the weekend only now and then, at school most days.
            const int runs = weekend ? (random.below(4) == 0 ? 1 + random.below(3) : 0) : random.below(5);
            for (int r = 0; r < runs; ++r) {
                const int minute = weekend ? 15 * 60 + 7 * r + int(f) : 9 * 60 + 3 + 40 * r + random.below(35);
                ClassEvent e;
                e.kind = ClassEvent::Practice;
                e.at = at(day, minute / 60, minute % 60) + qint64(f) * 1000 + 500; // never at a look's instant
                e.file = plan.files[f];
                e.run = {std::int16_t(70 + dayIndex * 2 + random.below(40)), std::int16_t(100 + random.below(600))};
                e.seconds = 60 + random.below(240);
                e.passes = random.below(6) == 0;
                plan.events.push_back(e);
            }
        }
        if (dayIndex == 8)
            plan.events.push_back({ClassEvent::Reset, at(day, 19, 0), plan.files.front(), {}, 0, false});
    }
    std::stable_sort(plan.events.begin(), plan.events.end(),
                     [](const ClassEvent &a, const ClassEvent &b) { return a.at < b.at; });
    return plan;
}

bool playClass(const ClassPlan &plan, const QString &folder, const std::function<void(qint64 at)> &look)
{
    if (!QDir().mkpath(folder))
        return false;
    std::map<QString, RecordContent> files;
    for (std::size_t f = 0; f < plan.files.size(); ++f) {
        files[plan.files[f]] = startingContent(int(f));
        if (!writeFile(recordFolderPath(folder, plan.files[f]), recordBytes(files[plan.files[f]])))
            return false;
    }
    for (const ClassEvent &e : plan.events) {
        if (e.kind == ClassEvent::Look) {
            look(e.at);
            continue;
        }
        RecordContent &c = files[e.file];
        if (e.kind == ClassEvent::Reset) {
            c = RecordContent{};
        } else {
            c.runs.push_back(e.run);
            c.totalSeconds += e.seconds;
            if (e.passes)
                ++c.currentStep;
        }
        if (!writeFile(recordFolderPath(folder, e.file), recordBytes(c)))
            return false;
    }
    return true;
}

} // namespace qel::samples
