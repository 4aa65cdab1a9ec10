#include "history/figures.h"

#include <QDateTime>
#include <algorithm>
#include <set>

namespace qel::history {

QDate weekStart(const QDate &day)
{
    return day.addDays(1 - day.dayOfWeek());
}

QDate localDate(qint64 msecs, const QTimeZone &zone)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, zone).date();
}

std::optional<double> PeriodFigures::meanSpm() const
{
    if (summedRuns <= 0)
        return std::nullopt;
    return double(spmSum) / double(summedRuns);
}

std::optional<double> PeriodFigures::mistypePercent() const
{
    if (summedRuns <= 0)
        return std::nullopt;
    return double(mistypeSum) / double(summedRuns) / 100.0;
}

namespace {

// The local days on which any stretch lay, between `first` and `last`.
std::set<QDate> observedDays(const std::vector<Stretch> &stretches, const QDate &first, const QDate &last,
                             const QTimeZone &zone)
{
    std::set<QDate> days;
    for (const Stretch &s : stretches) {
        QDate from = std::max(localDate(s.first, zone), first);
        const QDate to = std::min(localDate(s.last, zone), last);
        for (; from <= to; from = from.addDays(1))
            days.insert(from);
    }
    return days;
}

// The day from which an interval's runs may come, when the folder went unwatched for at
// least one whole day before the look that found them.
std::optional<QDate> carriedFrom(const Entry &e, const QTimeZone &zone)
{
    if (e.since <= 0)
        return std::nullopt;
    const QDate since = localDate(e.since, zone);
    return since.daysTo(localDate(e.seen, zone)) > 1 ? std::optional<QDate>(since) : std::nullopt;
}

bool addsSomething(const Entry::Interval &in)
{
    return in.runs > 0 || in.seconds > 0 || in.steps > 0;
}

} // namespace

std::vector<PeriodFigures> periodFigures(const FileJournal &file, const std::vector<Stretch> &stretches,
                                         Period period, const QDate &first, const QDate &last, const QTimeZone &zone)
{
    std::vector<PeriodFigures> out;
    if (!first.isValid() || !last.isValid() || last < first)
        return out;
    const QDate start = period == Period::Week ? weekStart(first) : first;
    const std::set<QDate> seenDays = observedDays(stretches, start, last, zone);
    for (QDate from = start; from <= last; from = from.addDays(period == Period::Week ? 7 : 1)) {
        PeriodFigures p;
        p.first = from;
        p.last = period == Period::Week ? from.addDays(6) : from;
        for (QDate d = std::max(from, first); d <= std::min(p.last, last); d = d.addDays(1)) {
            ++p.days;
            p.daysObserved += seenDays.count(d) ? 1 : 0;
        }
        out.push_back(p);
    }
    const auto periodOf = [&](const QDate &day) -> PeriodFigures * {
        if (day < start || day > last)
            return nullptr;
        const qint64 index = start.daysTo(day) / (period == Period::Week ? 7 : 1);
        return &out[std::size_t(index)];
    };
    for (const Entry &e : file.entries) {
        const QDate day = localDate(e.seen, zone);
        if (day > last)
            break;
        // The STEP as last seen stands until a later look says otherwise.
        if (PeriodFigures *p = periodOf(day)) {
            p->stepReached = e.passedStep;
            if (e.interval && addsSomething(*e.interval)) {
                const Entry::Interval &in = *e.interval;
                p->runs += in.runs;
                p->seconds += in.seconds;
                p->steps += in.steps;
                if (in.spmSum && in.mistypeSum) {
                    p->summedRuns += in.runs;
                    p->spmSum += *in.spmSum;
                    p->mistypeSum += *in.mistypeSum;
                }
                // Runs from unwatched days within the period count toward it all the same.
                if (const auto carried = carriedFrom(e, zone);
                    carried && *carried < p->first && (!p->carriedFrom || *carried < *p->carriedFrom))
                    p->carriedFrom = carried;
            }
        } else if (day < start && !out.empty()) {
            out.front().stepReached = e.passedStep;
        }
    }
    // A period without a look of its own reached what the period before it had.
    for (std::size_t i = 1; i < out.size(); ++i)
        if (!out[i].stepReached && out[i - 1].stepReached)
            out[i].stepReached = out[i - 1].stepReached;
    return out;
}

LearnerHistory learnerHistory(const FolderJournal &journal, const QString &key, const QDate &today,
                              const QTimeZone &zone)
{
    LearnerHistory h;
    h.key = key;
    h.today = today;
    const auto parsed = parseRecordFileName(key);
    h.name = parsed ? parsed->learner : key;
    h.course = parsed ? parsed->course : English;
    const std::vector<Stretch> &stretches = journal.stretches[std::size_t(h.course)];
    const FileJournal *file = journal.file(key);
    if (!file || file->entries.empty())
        return h;
    QDate first = localDate(file->entries.front().seen, zone);
    if (!stretches.empty())
        first = std::min(first, localDate(stretches.front().first, zone));
    first = std::min(first, today);
    h.weeks = periodFigures(*file, stretches, Period::Week, first, today, zone);
    h.days = periodFigures(*file, stretches, Period::Day, std::max(first, today.addDays(1 - LearnerHistory::kShownDays)),
                           today, zone);
    return h;
}

qint64 comparisonStart(const QDate &today, const QTimeZone &zone)
{
    return QDateTime(weekStart(today).addDays(-7), QTime(0, 0), zone).toMSecsSinceEpoch();
}

namespace {
WeekFigures weekOf(const PeriodFigures &p)
{
    return {p.runs, p.seconds, p.steps, p.observed(), p.carriedFrom};
}

void addTo(WeekFigures &group, const WeekFigures &learner)
{
    group.runs += learner.runs;
    group.seconds += learner.seconds;
    group.steps += learner.steps;
    group.observed = group.observed || learner.observed;
    if (learner.carriedFrom && (!group.carriedFrom || *learner.carriedFrom < *group.carriedFrom))
        group.carriedFrom = learner.carriedFrom;
}
} // namespace

WeekComparison compareWeeks(const FolderJournal &journal, const QStringList &keys, const QDate &today,
                            const QTimeZone &zone)
{
    WeekComparison c;
    c.today = today;
    c.thisWeek = weekStart(today);
    c.lastWeek = c.thisWeek.addDays(-7);
    std::set<QString> names, activeThis, activeLast;
    const FileJournal none;
    for (const QString &key : keys) {
        LearnerWeeks l;
        l.key = key;
        const auto parsed = parseRecordFileName(key);
        l.name = parsed ? parsed->learner : key;
        l.course = parsed ? parsed->course : English;
        const FileJournal *file = journal.file(key);
        const auto weeks = periodFigures(file ? *file : none, journal.stretches[std::size_t(l.course)], Period::Week,
                                         c.lastWeek, today, zone);
        if (weeks.size() == 2) {
            l.lastWeek = weekOf(weeks[0]);
            l.thisWeek = weekOf(weeks[1]);
        }
        if (file) {
            // Watched through the week: neither first seen nor begun anew in it, nor first
            // seen after it.
            const auto whole = [&](const QDate &monday) {
                const qint64 from = QDateTime(monday, QTime(0, 0), zone).toMSecsSinceEpoch();
                const qint64 to = QDateTime(monday.addDays(7), QTime(0, 0), zone).toMSecsSinceEpoch();
                return std::none_of(file->entries.begin(), file->entries.end(), [&](const Entry &e) {
                    return !e.interval && e.seen >= from && (e.seen < to || e.series == 0);
                });
            };
            l.lastWeek.whole = l.lastWeek.observed && whole(c.lastWeek);
            l.thisWeek.whole = l.thisWeek.observed && whole(c.thisWeek);
        }
        names.insert(l.name);
        if (l.thisWeek.runs > 0)
            activeThis.insert(l.name);
        if (l.lastWeek.runs > 0)
            activeLast.insert(l.name);
        addTo(c.groupThis, l.thisWeek);
        addTo(c.groupLast, l.lastWeek);
        c.learners.push_back(std::move(l));
    }
    c.learnerCount = int(names.size());
    c.activeThis = int(activeThis.size());
    c.activeLast = int(activeLast.size());
    return c;
}

QString minutesText(std::int64_t seconds)
{
    return QString::number(double(seconds) / 60.0, 'f', 1);
}

QString spmText(const std::optional<double> &spm)
{
    return spm ? QString::number(*spm, 'f', 1) : QString();
}

QString percentText(const std::optional<double> &percent)
{
    return percent ? QString::number(*percent, 'f', 2) : QString();
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString shortDateText(const QDate &date)
{
    return date.toString(QStringLiteral("MM/dd"));
}

QString periodText(const PeriodFigures &figures, Period period)
{
    if (period == Period::Day)
        return dateText(figures.first);
    return dateText(figures.first) + QStringLiteral("～") + shortDateText(figures.last);
}

QString notObservedText(Wording wording)
{
    //: A day or week the viewer did not watch the record folder: its figures are unknown.
    return worded(wording, "HistoryFigures", QT_TRANSLATE_NOOP("HistoryFigures", "未観測"));
}

QString noteText(bool observed, const std::optional<QDate> &carriedFrom, Wording wording)
{
    if (!observed)
        return notObservedText(wording);
    if (carriedFrom)
        //: The figures may hold runs of days no one watched, from the date %1 (MM/dd) on.
        return worded(wording, "HistoryFigures", QT_TRANSLATE_NOOP("HistoryFigures", "%1以降の分を含む"))
            .arg(shortDateText(*carriedFrom));
    return QString();
}

} // namespace qel::history
