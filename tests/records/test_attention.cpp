// Who needs help: the states' rules at their edges, how they combine and the order by need.

#include "records/attention.h"
#include "records/textformat.h"
#include "tests/support/boardrows.h"
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

const QDateTime kNow(QDate(2026, 5, 13), QTime(10, 0, 0));

using Sample = qeltest::BoardRun;

std::vector<Sample> same(int count, Sample run)
{
    return qeltest::sameRuns(count, run);
}

TableRow rowOf(const QString &name, const QDateTime &modified, const std::vector<Sample> &runs,
               Course course = English)
{
    return qeltest::boardRow(name, modified, runs, course);
}

std::vector<Sample> good()
{
    return qeltest::goodRuns();
}

std::vector<Need> needsOf(const Assessment &a)
{
    std::vector<Need> needs;
    for (const Finding &f : a.findings)
        if (needs.empty() || needs.back() != f.need)
            needs.push_back(f.need);
    return needs;
}

const CourseTargets kTargets; // 100 SPM, 5.0 %, 60 minutes, 7 days

} // namespace

TEST(Attention, TimeEdges)
{
    const qint64 five = kPractisingMSecs;
    struct Case {
        const char *what;
        QDateTime modified;
        QDateTime now;
        std::vector<Need> needs;
        int idleDays;
    };
    const QDateTime midnight(QDate(2026, 5, 13), QTime(0, 0));
    const Case cases[] = {
        {"changed exactly five minutes ago", kNow.addMSecs(-five), kNow, {Need::Practising, Need::OnTarget}, 0},
        {"a millisecond more", kNow.addMSecs(-five - 1), kNow, {Need::OnTarget}, 0},
        {"five minutes ahead of our clock", kNow.addMSecs(five), kNow, {Need::Practising, Need::OnTarget}, 0},
        {"further ahead", kNow.addMSecs(five + 1), kNow, {Need::OnTarget}, 0},
        {"yesterday before midnight", midnight.addSecs(-360), midnight.addSecs(60), {Need::NotToday, Need::OnTarget}, 1},
        {"practising across midnight", midnight.addSecs(-60), midnight.addSecs(60), {Need::Practising, Need::OnTarget}, 1},
        {"exactly N days ago", kNow.addDays(-7), kNow, {Need::NotToday, Need::OnTarget}, 7},
        {"N days and a bit, still N days by the date", kNow.addDays(-7).addSecs(-3600), kNow,
         {Need::NotToday, Need::OnTarget}, 7},
        {"N + 1 days ago", kNow.addDays(-8), kNow, {Need::Absent}, 8},
    };
    for (const Case &c : cases) {
        const Assessment a = assess(rowOf("taro", c.modified, good()), c.now, kTargets);
        EXPECT_EQ(needsOf(a), c.needs) << c.what;
        EXPECT_EQ(a.idleDays, c.idleDays) << c.what;
    }
    EXPECT_EQ(stateText(assess(rowOf("taro", kNow.addDays(-8), good()), kNow, kTargets)), "8日練習なし");
    CourseTargets longer = kTargets;
    longer.idleDays = 8;
    EXPECT_EQ(stateText(assess(rowOf("taro", kNow.addDays(-8), good()), kNow, longer)), "今日は未練習");
}

TEST(Attention, RecheckWhenTimeAloneChangesTheState)
{
    const QDateTime modified = kNow.addSecs(-60);
    const Assessment practising = assess(rowOf("taro", modified, good()), kNow, kTargets);
    EXPECT_EQ(practising.recheckAt, modified.toMSecsSinceEpoch() + kPractisingMSecs + 1);
    // One past that the five minutes are over.
    EXPECT_FALSE(assess(rowOf("taro", modified, good()), QDateTime::fromMSecsSinceEpoch(*practising.recheckAt), kTargets)
                     .has(Need::Practising));

    const Assessment earlier = assess(rowOf("taro", kNow.addSecs(-3600), good()), kNow, kTargets);
    EXPECT_EQ(earlier.recheckAt, QDateTime(QDate(2026, 5, 14), QTime(0, 0)).toMSecsSinceEpoch());

    const QDateTime ahead = kNow.addSecs(3600);
    EXPECT_EQ(assess(rowOf("taro", ahead, good()), kNow, kTargets).recheckAt,
              ahead.toMSecsSinceEpoch() - kPractisingMSecs);
}

TEST(Attention, TargetsMetExactlyAndMissedByTheLeast)
{
    const QDateTime today = kNow.addSecs(-3600);
    // Eleven runs: only the newest ten are measured, so the first may be anything.
    auto runs = [](Sample first, Sample rest) {
        std::vector<Sample> r{first};
        const auto tail = same(10, rest);
        r.insert(r.end(), tail.begin(), tail.end());
        return r;
    };
    struct Case {
        const char *what;
        std::vector<Sample> runs;
        bool below;
        const char *reasons;
    };
    const Case cases[] = {
        {"SPM exactly on target", runs({0, 9999}, {100, 500}), false, "目標達成"},
        {"mean SPM a tenth below", [] { auto r = same(10, Sample{100, 0}); r[0].spm = 99; return r; }(), true,
         "SPM 99.9 (目標 100)"},
        {"mistype rate a hundredth of a percent above",
         [] { auto r = same(10, Sample{120, 500}); r[9].rate = 510; return r; }(), true, "ミスタイプ率 5.1% (目標 5.0%)"},
        {"both", same(10, {80, 800}), true, "SPM 80 (目標 100)、ミスタイプ率 8.0% (目標 5.0%)、上達度 0.00 (直近10回)"},
    };
    for (const Case &c : cases) {
        const Assessment a = assess(rowOf("taro", today, c.runs), kNow, kTargets);
        EXPECT_EQ(a.has(Need::BelowTarget), c.below) << c.what;
        EXPECT_EQ(a.has(Need::OnTarget), !c.below) << c.what;
        EXPECT_TRUE(reasonsText(a).startsWith(QString::fromUtf8(c.reasons))) << c.what << ": " << reasonsText(a).toStdString();
    }
}

TEST(Attention, ProgressOverTheNewestRunsAndTheJournal)
{
    const QDateTime today = kNow.addSecs(-3600);
    auto rising = [](int count) {
        std::vector<Sample> r;
        for (int i = 0; i < count; ++i)
            r.push_back({120 + i, 100});
        return r;
    };
    auto fallingThenRising = [] {
        // The falling start lies beyond the newest twenty runs.
        std::vector<Sample> r;
        for (int i = 0; i < 30; ++i)
            r.push_back({400 - 10 * i, 100});
        for (int i = 0; i < 20; ++i)
            r.push_back({150 + i, 100});
        return r;
    };
    struct Case {
        const char *what;
        std::vector<Sample> runs;
        HistoryFigures history;
        bool stuck;
    };
    const Case cases[] = {
        {"flat over five runs: a rate of 0", same(5, {120, 100}), {}, true},
        {"flat over four runs says nothing yet", same(4, {120, 100}), {}, false},
        {"rising", rising(8), {}, false},
        {"only the newest twenty count", fallingThenRising(), {}, false},
        {"no STEP in two weeks", rising(8), {0, std::nullopt}, true},
        {"a STEP in two weeks", rising(8), {1, std::nullopt}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(assess(rowOf("taro", today, c.runs), kNow, kTargets, c.history).has(Need::Stuck), c.stuck) << c.what;

    // Minutes this week: a target only with the journal's figure.
    const auto withMinutes = assess(rowOf("taro", today, good()), kNow, kTargets, {std::nullopt, 59});
    EXPECT_EQ(needsOf(withMinutes), std::vector<Need>{Need::BelowTarget});
    EXPECT_EQ(reasonsText(withMinutes), "今週 59分 (目標 60分)");
    EXPECT_TRUE(assess(rowOf("taro", today, good()), kNow, kTargets, {std::nullopt, 60}).has(Need::OnTarget));
}

TEST(Attention, StatesCombineMostNeedyFirst)
{
    // Below target and stuck while practising: the tile shows the most needy, the reasons
    // name every state.
    const Assessment a = assess(rowOf("taro", kNow.addSecs(-10), same(10, {80, 100})), kNow, kTargets);
    EXPECT_EQ(needsOf(a), (std::vector<Need>{Need::BelowTarget, Need::Stuck, Need::Practising}));
    EXPECT_EQ(stateText(a), "目標未達");
    EXPECT_EQ(reasonsText(a), "SPM 80 (目標 100)、上達度 0.00 (直近10回)、練習中");
    EXPECT_TRUE(a.needsHelp());

    // No runs: never practised, so not today either; no target can be judged.
    const Assessment none = assess(rowOf("hana", kNow.addSecs(-3600), {}), kNow, kTargets);
    EXPECT_EQ(needsOf(none), std::vector<Need>{Need::NotToday});
    EXPECT_EQ(reasonsText(none), "未練習");
    EXPECT_EQ(recentSpmText(none), "");

    const Assessment unreadable = assess(qeltest::unreadableRow("jiro"), kNow, kTargets);
    EXPECT_FALSE(unreadable.top());
    EXPECT_EQ(stateText(unreadable), "読み込めません");
    EXPECT_TRUE(unreadable.needsHelp());
    EXPECT_FALSE(unreadable.recheckAt);

    const Assessment fine = assess(rowOf("mei", kNow.addSecs(-10), good()), kNow, kTargets);
    EXPECT_EQ(needsOf(fine), (std::vector<Need>{Need::Practising, Need::OnTarget}));
    EXPECT_FALSE(fine.needsHelp());
}

TEST(Attention, ClassInOrderOfNeed)
{
    ClassTargets targets;
    targets.kana.spm = 50; // Kana rows are judged by the Kana targets
    const std::vector<TableRow> rows{
        qeltest::unreadableRow("aaa"),
        rowOf("fine", kNow.addSecs(-3600), good()),
        rowOf("typing", kNow.addSecs(-30), good()),
        rowOf("slow", kNow.addSecs(-3600), same(10, {60, 100}), Kana),
        rowOf("slow", kNow.addSecs(-3600), same(10, {60, 100}), English),
        rowOf("away", kNow.addDays(-9), good()),
        rowOf("longaway", kNow.addDays(-30), good()),
        rowOf("yesterday", kNow.addDays(-1), good()),
        rowOf("flat", kNow.addSecs(-3600), same(6, {130, 100})),
        rowOf("Bee", kNow.addDays(-9), good()),
    };
    const auto entries = assessClass(rows, kNow, targets);
    QStringList order;
    for (const AttentionEntry &e : entries)
        order << e.key;
    EXPECT_EQ(order, QStringList({"longaway_Qele.dat", "Bee_Qele.dat", "away_Qele.dat", "yesterday_Qele.dat",
                                  "slow_Qele.dat", "flat_Qele.dat", "slow_Qelk.dat", "typing_Qele.dat",
                                  "fine_Qele.dat", "aaa_Qele.dat"}));
    EXPECT_EQ(entries.back().lastPractice, "");
    EXPECT_EQ(figuresText(entries[4]), "STEP 0  SPM 60  ミス 1.0%");
    EXPECT_EQ(recheckAt(entries), kNow.addSecs(-30).toMSecsSinceEpoch() + kPractisingMSecs + 1);

    // Another order of equals, e.g. by the numbers that stand for hidden names.
    auto byKey = entries;
    sortByNeed(byKey, [](const AttentionEntry &e) { return e.name == "away" ? QString("0") : QString("1"); });
    EXPECT_EQ(byKey[1].name, "away"); // equal days: the tie key decides
    EXPECT_EQ(byKey[0].name, "longaway"); // longer absence first, whatever the tie key
}

TEST(Attention, TargetRanges)
{
    EXPECT_TRUE(validTargets(ClassTargets{}.english));
    EXPECT_TRUE(validTargets(ClassTargets{}.kana));
    const CourseTargets wrong[] = {{0, 50, 60, 7}, {100, 1001, 60, 7}, {100, 50, -1, 7}, {100, 50, 60, 0}};
    for (const CourseTargets &t : wrong)
        EXPECT_FALSE(validTargets(t)) << t.spm << ' ' << t.mistypeTenths << ' ' << t.minutesPerWeek << ' ' << t.idleDays;
}
