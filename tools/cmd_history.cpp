// snapshot and history: the journal of a record folder without a window, for a daily timer
// and for scripts.

#include "tools/clicommand.h"

#include "history/figures.h"
#include "history/journalstore.h"
#include "records/learnertable.h"
#include "reports/historycsv.h"

#include <QDateTime>
#include <QFileInfo>

namespace qel::cli {

namespace {

using namespace history;

void warnMovedAside(const Outcome &outcome)
{
    if (!outcome.movedAside.isEmpty())
        warn(Tr::tr("the history database was damaged; it was moved to %1 and a new one begun")
                 .arg(outcome.movedAside));
}

bool usable(const Outcome &outcome)
{
    return outcome.failure == Failure::None || outcome.failure == Failure::Damaged;
}

int databaseError(const JournalStore &store, const Outcome &outcome)
{
    return fail(Tr::tr("cannot use the history database %1: %2").arg(store.path(), outcome.detail));
}

std::optional<QString> oneFolder(const QCommandLineParser &args, const QString &command)
{
    const QStringList plain = args.positionalArguments();
    if (plain.isEmpty()) {
        usageError(Tr::tr("%1 needs a FOLDER").arg(command));
        return std::nullopt;
    }
    if (plain.size() > 1) {
        usageError(Tr::tr("unexpected argument: %1").arg(plain[1]));
        return std::nullopt;
    }
    if (!checkFolder(plain.first()))
        return std::nullopt;
    return plain.first();
}

int runSnapshot(const QCommandLineParser &args)
{
    const auto folder = oneFolder(args, QStringLiteral("snapshot"));
    if (!folder)
        return kUsageOrFolderError;
    // A listing cut short would count the learners it missed as watched without practice.
    const ScanResult scan = scanFolder(*folder, AllGroup);
    if (!checkListing(*folder, scan.listing))
        return kUsageOrFolderError;
    const std::vector<TableRow> rows = makeView(*folder, scan.nodes);
    JournalStore store(defaultDatabasePath());
    const Outcome opened = store.open(QDateTime::currentMSecsSinceEpoch());
    warnMovedAside(opened);
    if (!usable(opened))
        return databaseError(store, opened);
    Batch batch{*folder, AllGroup, QDateTime::currentMSecsSinceEpoch(), {}};
    batch.files.reserve(rows.size());
    for (const TableRow &row : rows)
        if (auto o = observationOf(row, batch.seen))
            batch.files.push_back(std::move(*o));
    const Outcome written = store.record(batch);
    warnMovedAside(written);
    if (!usable(written))
        return databaseError(store, written);
    return warnUnreadable(unreadableRows(*folder, rows)) ? kPartialFailure : kOk;
}

std::optional<QDate> parseDate(const QString &text)
{
    for (const QString &format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy/MM/dd")})
        if (const QDate date = QDate::fromString(text, format); date.isValid())
            return date;
    return std::nullopt;
}

int runHistory(const QCommandLineParser &args)
{
    std::optional<int> group = AllGroup;
    if (!readGroup(args, group))
        return kUsageOrFolderError;
    Period period = Period::Week;
    if (args.isSet(QStringLiteral("by"))) {
        const QString by = args.value(QStringLiteral("by"));
        if (by != QLatin1String("day") && by != QLatin1String("week"))
            return usageError(Tr::tr("--by needs day or week, not %1").arg(by));
        period = by == QLatin1String("day") ? Period::Day : Period::Week;
    }
    const QDate today = QDate::currentDate();
    QDate since = today.addDays(-27);
    if (args.isSet(QStringLiteral("since"))) {
        const auto date = parseDate(args.value(QStringLiteral("since")));
        if (!date)
            return usageError(Tr::tr("--since needs a date YYYY-MM-DD, not %1").arg(args.value(QStringLiteral("since"))));
        since = *date;
    }
    const csv::Encoding encoding = args.isSet(QStringLiteral("utf8")) ? csv::Encoding::Utf8 : csv::Encoding::Cp932;
    const auto folder = oneFolder(args, QStringLiteral("history"));
    if (!folder)
        return kUsageOrFolderError;

    const ScanResult scan = scanFolder(*folder, *group);
    if (!checkListing(*folder, scan.listing))
        return kUsageOrFolderError;
    QStringList keys;
    for (const TreeNode &node : scan.nodes)
        keys << node.key;
    // No database yet: nothing was ever seen, and none is made for asking.
    FolderJournal journal;
    JournalStore store(defaultDatabasePath());
    if (QFileInfo::exists(store.path())) {
        Outcome outcome = store.open(QDateTime::currentMSecsSinceEpoch());
        warnMovedAside(outcome);
        if (!usable(outcome))
            return databaseError(store, outcome);
        auto read = store.read(*folder, keys, 0, &outcome);
        if (!read)
            return databaseError(store, outcome);
        journal = std::move(*read);
    }
    std::vector<QStringList> lines{csv::periodHeader()};
    const FileJournal none;
    for (const TreeNode &node : scan.nodes) {
        const Course course = node.image == courseImage(English) ? English : Kana;
        const FileJournal *file = journal.file(node.key);
        for (const PeriodFigures &figures :
             periodFigures(file ? *file : none, journal.stretches[course], period, since, today))
            lines.push_back(csv::periodCells(node.text, course, figures, period));
    }
    writeOut(csv::document(lines, encoding));
    return kOk;
}

const CommandRegistrar snapshot({QStringLiteral("snapshot"), QStringLiteral("snapshot FOLDER"), false, 16, {},
                                 runSnapshot});
const CommandRegistrar history({QStringLiteral("history"),
                                QStringLiteral("history FOLDER [--since DATE] [--by day|week] [--group 0|1|2] [--utf8]"),
                                false, 17,
                                {{QStringLiteral("since"), QT_TRANSLATE_NOOP("Cli", "a date YYYY-MM-DD")},
                                 {QStringLiteral("by"), QT_TRANSLATE_NOOP("Cli", "day or week")},
                                 groupOption(),
                                 {QStringLiteral("utf8"), {}}},
                                runHistory});

} // namespace
} // namespace qel::cli
