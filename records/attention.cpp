#include "records/attention.h"

#include "records/regression.h"
#include "records/textformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace qel {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Attention)
};

constexpr const char *kContext = "Attention";
// The states; %n: the learner's days without practice.
const char *const kAbsent = QT_TRANSLATE_N_NOOP("Attention", "%n日練習なし");
const char *const kNotToday = QT_TRANSLATE_NOOP("Attention", "今日は未練習");
const char *const kBelowTarget = QT_TRANSLATE_NOOP("Attention", "目標未達");
const char *const kStuck = QT_TRANSLATE_NOOP("Attention", "伸び悩み");
const char *const kPractising = QT_TRANSLATE_NOOP("Attention", "練習中");
const char *const kOnTarget = QT_TRANSLATE_NOOP("Attention", "目標達成");
//: A row whose record file could not be read.
const char *const kUnreadable = QT_TRANSLATE_NOOP("Attention", "読み込めません");
// The reasons.
//: A learner without any runs.
const char *const kNoRuns = QT_TRANSLATE_NOOP("Attention", "未練習");
//: %1: mean SPM of the newest runs, %2: the target.
const char *const kSpmBelow = QT_TRANSLATE_NOOP("Attention", "SPM %1 (目標 %2)");
//: %1: mean mistype rate of the newest runs, %2: the target, both in percent.
const char *const kMistypeAbove = QT_TRANSLATE_NOOP("Attention", "ミスタイプ率 %1% (目標 %2%)");
//: %1: minutes practised this week, %2: the target.
const char *const kMinutesBelow = QT_TRANSLATE_NOOP("Attention", "今週 %1分 (目標 %2分)");
//: %1: progress rate (SPM gained per run) of the newest %2 runs.
const char *const kNoProgress = QT_TRANSLATE_NOOP("Attention", "上達度 %1 (直近%2回)");
const char *const kNoStepGain = QT_TRANSLATE_NOOP("Attention", "2週間STEPの上昇なし");
//: The reasons of a row, one after another.
const char *const kReasonSeparator = QT_TRANSLATE_NOOP("Attention", "、");

const char *captionOf(Need need)
{
    switch (need) {
    case Need::Absent: return kAbsent;
    case Need::NotToday: return kNotToday;
    case Need::BelowTarget: return kBelowTarget;
    case Need::Stuck: return kStuck;
    case Need::Practising: return kPractising;
    case Need::OnTarget: return kOnTarget;
    }
    return nullptr;
}
} // namespace

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
    auto add = [&](Need need, const char *reason, QStringList figures = {}, int count = -1) {
        found.push_back({need, reason, std::move(figures), count});
    };

    // A time ahead of ours counts as now: the room's machines and the file server rarely
    // agree to the second. Days are counted between local dates.
    a.idleDays = std::max<qint64>(0, modified.daysTo(today));
    a.practised = row.runCount > 0;

    const qint64 age = nowMs - modifiedMs;
    std::optional<qint64> recheck = nextMidnight(today).toMSecsSinceEpoch();
    const bool practising = age >= -kPractisingMSecs && age <= kPractisingMSecs;
    if (practising) {
        add(Need::Practising, kPractising);
        recheck = std::min(*recheck, modifiedMs + kPractisingMSecs + 1);
    } else if (age < -kPractisingMSecs) {
        // Far ahead: it becomes "just now" once our clock comes within five minutes.
        recheck = std::min(*recheck, modifiedMs - kPractisingMSecs);
    }
    a.recheckAt = recheck;

    if (a.idleDays > targets.idleDays)
        add(Need::Absent, kAbsent, {}, a.idleDays);
    else if (!a.practised)
        add(Need::NotToday, kNoRuns);
    else if (a.idleDays >= 1 && !practising) // one who practises across midnight has begun today
        add(Need::NotToday, kNotToday);

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
            add(Need::BelowTarget, kSpmBelow, {recentSpmText(a), QString::number(targets.spm)});
            targetsMet = false;
        }
        // Runs keep hundredths of a percent, targets tenths.
        if (rateSum > qint64(targets.mistypeTenths) * 10 * count) {
            add(Need::BelowTarget, kMistypeAbove, {recentMistypeText(a), tenthsText(targets.mistypeTenths)});
            targetsMet = false;
        }
    }
    if (history.minutesThisWeek && *history.minutesThisWeek < targets.minutesPerWeek) {
        add(Need::BelowTarget, kMinutesBelow,
            {QString::number(*history.minutesThisWeek), QString::number(targets.minutesPerWeek)});
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
            add(Need::Stuck, kNoProgress, {twoDecimals(rate), QString::number(trend.size())});
    }
    if (history.stepsGainedTwoWeeks && *history.stepsGainedTwoWeeks <= 0)
        add(Need::Stuck, kNoStepGain);

    if (targetsMet)
        add(Need::OnTarget, kOnTarget);

    std::stable_sort(found.begin(), found.end(),
                     [](const Finding &x, const Finding &y) { return int(x.need) < int(y.need); });
    a.findings = std::move(found);
    return a;
}

QString needCaption(Need need, int idleDays, Wording wording)
{
    const char *caption = captionOf(need);
    return caption ? worded(wording, kContext, caption, need == Need::Absent ? idleDays : -1) : QString();
}

QString reasonText(const Finding &finding, Wording wording)
{
    if (!finding.reason)
        return QString();
    QString text = worded(wording, kContext, finding.reason, finding.count);
    for (const QString &figure : finding.figures)
        text = text.arg(figure);
    return text;
}

QString stateText(const Assessment &assessment, Wording wording)
{
    const auto top = assessment.top();
    if (!top)
        return worded(wording, kContext, kUnreadable);
    return needCaption(*top, assessment.idleDays, wording);
}

QString reasonsText(const Assessment &assessment, Wording wording)
{
    if (!assessment.readable)
        return worded(wording, kContext, kUnreadable);
    QStringList reasons;
    for (const Finding &finding : assessment.findings)
        reasons << reasonText(finding, wording);
    return reasons.join(worded(wording, kContext, kReasonSeparator));
}

QString furtherReasonsText(const Assessment &assessment)
{
    if (!assessment.readable)
        return QString();
    const QString shown = stateText(assessment);
    QStringList reasons;
    for (const Finding &finding : assessment.findings)
        if (const QString reason = reasonText(finding); reason != shown)
            reasons << reason;
    return reasons.join(Tr::tr(kReasonSeparator));
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
    //: A tile's figures: passed STEP, mean SPM and mistype rate of the newest runs.
    return Tr::tr("STEP %1  SPM %2  ミス %3").arg(entry.passedStep).arg(spm, rate);
}

QString lastPracticeText(const AttentionEntry &entry, Wording wording)
{
    if (!entry.assessment.readable)
        return QString();
    return entry.assessment.practised ? entry.lastPractice : worded(wording, kContext, kNoRuns);
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
            entry.lastPractice = entry.assessment.practised ? row.cells[DateColumn] : worded(Wording::Japanese, kContext, kNoRuns);
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
