#include "records/attention.h"

#include "records/regression.h"
#include "records/textformat.h"


#include <algorithm>

namespace qel {

bool validTargets(const CourseTargets &targets)
{
    return kSpmRange.holds(targets.spm) && kMistypeTenthsRange.holds(targets.mistypeTenths)
           && kMinutesRange.holds(targets.minutesPerWeek) && kIdleDaysRange.holds(targets.idleDays);
}

std::optional<Need> Assessment::top() const
{
    if (!readable || findings.empty())
        return std::nullopt;
    return findings.front().need;
}

bool Assessment::has(Need need) const
{
    return std::any_of(findings.begin(), findings.end(), [need](const Finding &f) { return f.need == need; });
}

bool Assessment::needsHelp() const
{
    return !readable || has(Need::Absent) || has(Need::NotToday) || has(Need::BelowTarget) || has(Need::Stuck);
}

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// One decimal, from tenths.
QString tenthsText(qint64 tenths)
{
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = tenths < 0 ? -tenths : tenths;
    return sign + QString::number(magnitude / 10) + QLatin1Char('.') + QString::number(magnitude % 10);
}

QDateTime nextMidnight(const QDate &today)
{
    return QDateTime(today.addDays(1), QTime(0, 0));
}

} // namespace

Assessment assess(const TableRow &row, const QDateTime &now, const CourseTargets &targets,
                  const HistoryFigures &history)
{
    Assessment a;
    a.readable = row.readable && row.identity.has_value();
    if (!a.readable)
        return a;
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const qint64 modifiedMs = row.identity->modifiedMSecs();
    const QDate today = now.toLocalTime().date();
    const QDate modified = QDateTime::fromMSecsSinceEpoch(modifiedMs).date();
    std::vector<Finding> found;
    auto add = [&](Need need, const QString &reason) { found.push_back({need, reason}); };

    // A time ahead of ours counts as now: the room's machines and the file server rarely
    // agree to the second. Days are counted between local dates.
    a.idleDays = std::max<qint64>(0, modified.daysTo(today));
    a.practised = row.runCount > 0;

    const qint64 age = nowMs - modifiedMs;
    std::optional<qint64> recheck = nextMidnight(today).toMSecsSinceEpoch();
    const bool practising = age >= -kPractisingMSecs && age <= kPractisingMSecs;
    if (practising) {
        add(Need::Practising, needCaption(Need::Practising));
        recheck = std::min(*recheck, modifiedMs + kPractisingMSecs + 1);
    } else if (age < -kPractisingMSecs) {
        // Far ahead: it becomes "just now" once our clock comes within five minutes.
        recheck = std::min(*recheck, modifiedMs - kPractisingMSecs);
    }
    a.recheckAt = recheck;

    if (a.idleDays > targets.idleDays)
        add(Need::Absent, needCaption(Need::Absent, a.idleDays));
    else if (!a.practised)
        add(Need::NotToday, QStringLiteral("未練習"));
    else if (a.idleDays >= 1 && !practising) // one who practises across midnight has begun today
        add(Need::NotToday, needCaption(Need::NotToday));

    // Runs a file says it has but does not hold cannot be measured.
    bool targetsMet = row.recent.count > 0 && a.idleDays <= targets.idleDays;
    if (row.recent.count > 0) {
        // The newest runs: whole sums, so that a mean exactly on the target meets it.
        const auto runs = row.recent.runs();
        const auto measured = runs.last(std::min<std::size_t>(runs.size(), kTargetRuns));
        qint64 spmSum = 0, rateSum = 0;
        for (const RunSample &run : measured) {
            spmSum += run.spm;
            rateSum += run.mistypeRate;
        }
        const auto count = qint64(measured.size());
        a.recentSpmTenths = floorDiv(spmSum * 10, count);
        a.recentMistypeTenths = -floorDiv(-rateSum, count * 10);
        if (spmSum < qint64(targets.spm) * count) {
            add(Need::BelowTarget, QStringLiteral("SPM %1 (目標 %2)").arg(recentSpmText(a)).arg(targets.spm));
            targetsMet = false;
        }
        // Runs keep hundredths of a percent, targets tenths.
        if (rateSum > qint64(targets.mistypeTenths) * 10 * count) {
            add(Need::BelowTarget, QStringLiteral("ミスタイプ率 %1% (目標 %2%)")
                                       .arg(recentMistypeText(a), tenthsText(targets.mistypeTenths)));
            targetsMet = false;
        }
    }
    if (history.minutesThisWeek && *history.minutesThisWeek < targets.minutesPerWeek) {
        add(Need::BelowTarget, QStringLiteral("今週 %1分 (目標 %2分)")
                                   .arg(*history.minutesThisWeek)
                                   .arg(targets.minutesPerWeek));
        targetsMet = false;
    }

    const auto runs = row.recent.runs();
    const auto trend = runs.last(std::min<std::size_t>(runs.size(), kTrendRuns));
    if (trend.size() >= std::size_t(kMinTrendRuns)) {
        Regression series;
        for (const RunSample &run : trend)
            series.addSample(run.spm);
        const double rate = series.fit().slope;
        if (rate <= 0)
            add(Need::Stuck, QStringLiteral("上達度 %1 (直近%2回)").arg(twoDecimals(rate)).arg(trend.size()));
    }
    if (history.stepsGainedTwoWeeks && *history.stepsGainedTwoWeeks <= 0)
        add(Need::Stuck, QStringLiteral("2週間STEPの上昇なし"));

    if (targetsMet)
        add(Need::OnTarget, needCaption(Need::OnTarget));

    std::stable_sort(found.begin(), found.end(),
                     [](const Finding &x, const Finding &y) { return int(x.need) < int(y.need); });
    a.findings = std::move(found);
    return a;
}

QString needCaption(Need need, int idleDays)
{
    switch (need) {
    case Need::Absent:
        return QStringLiteral("%1日練習なし").arg(idleDays);
    case Need::NotToday:
        return QStringLiteral("今日は未練習");
    case Need::BelowTarget:
        return QStringLiteral("目標未達");
    case Need::Stuck:
        return QStringLiteral("伸び悩み");
    case Need::Practising:
        return QStringLiteral("練習中");
    case Need::OnTarget:
        return QStringLiteral("目標達成");
    }
    return QString();
}

QString stateText(const Assessment &assessment)
{
    const auto top = assessment.top();
    if (!top)
        return QStringLiteral("読み込めません");
    return needCaption(*top, assessment.idleDays);
}

QString reasonsText(const Assessment &assessment)
{
    if (!assessment.readable)
        return QStringLiteral("読み込めません");
    QStringList reasons;
    for (const Finding &finding : assessment.findings)
        reasons << finding.reason;
    return reasons.join(QStringLiteral("、"));
}

QString furtherReasonsText(const Assessment &assessment)
{
    if (!assessment.readable)
        return QString();
    const QString shown = stateText(assessment);
    QStringList reasons;
    for (const Finding &finding : assessment.findings)
        if (finding.reason != shown)
            reasons << finding.reason;
    return reasons.join(QStringLiteral("、"));
}

QString recentSpmText(const Assessment &assessment)
{
    if (!assessment.recentSpmTenths)
        return QString();
    const qint64 tenths = *assessment.recentSpmTenths;
    return tenths % 10 == 0 ? QString::number(tenths / 10) : tenthsText(tenths);
}

QString recentMistypeText(const Assessment &assessment)
{
    return assessment.recentMistypeTenths ? tenthsText(*assessment.recentMistypeTenths) : QString();
}

QString figuresText(const AttentionEntry &entry)
{
    const Assessment &a = entry.assessment;
    if (!a.readable)
        return QString();
    const QString spm = a.recentSpmTenths ? recentSpmText(a) : QStringLiteral("-");
    const QString rate = a.recentMistypeTenths ? recentMistypeText(a) + QLatin1Char('%') : QStringLiteral("-");
    return QStringLiteral("STEP %1  SPM %2  ミス %3").arg(entry.passedStep).arg(spm, rate);
}

namespace {
// Code point order: the same on every system, whatever its locale.
bool textLess(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}
} // namespace

void sortByNeed(std::vector<AttentionEntry> &entries, const std::function<QString(const AttentionEntry &)> &tieKey)
{
    auto tie = [&](const AttentionEntry &e) { return tieKey ? tieKey(e) : e.name; };
    std::stable_sort(entries.begin(), entries.end(), [&](const AttentionEntry &x, const AttentionEntry &y) {
        const auto nx = x.assessment.top(), ny = y.assessment.top();
        // Unreadable rows (no state) last.
        const int rx = nx ? int(*nx) : kNeedCount, ry = ny ? int(*ny) : kNeedCount;
        if (rx != ry)
            return rx < ry;
        if (nx == Need::Absent && x.assessment.idleDays != y.assessment.idleDays)
            return x.assessment.idleDays > y.assessment.idleDays;
        const QString tx = tie(x), ty = tie(y);
        if (tx != ty)
            return textLess(tx, ty);
        return textLess(x.key, y.key);
    });
}

std::vector<AttentionEntry> assessClass(const std::vector<TableRow> &rows, const QDateTime &now,
                                        const ClassTargets &targets, const HistoryLookup &history)
{
    std::vector<AttentionEntry> entries;
    entries.reserve(rows.size());
    for (const TableRow &row : rows) {
        const Course course = row.icon == courseImage(Kana) ? Kana : English;
        AttentionEntry entry;
        entry.key = row.key;
        entry.name = row.name;
        entry.course = course;
        entry.passedStep = row.passedStep;
        entry.assessment = assess(row, now, targets.of(course), history ? history(row) : HistoryFigures{});
        if (row.readable)
            entry.lastPractice = entry.assessment.practised ? row.cells[DateColumn] : QStringLiteral("未練習");
        entries.push_back(std::move(entry));
    }
    sortByNeed(entries);
    return entries;
}

std::optional<qint64> recheckAt(const std::vector<AttentionEntry> &entries)
{
    std::optional<qint64> earliest;
    for (const AttentionEntry &entry : entries)
        if (const auto at = entry.assessment.recheckAt)
            earliest = earliest ? std::min(*earliest, *at) : *at;
    return earliest;
}

} // namespace qel
