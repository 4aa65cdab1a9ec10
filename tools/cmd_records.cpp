// table, summary and stats: the figures of a folder as the viewer shows them.

#include "tools/clicommand.h"

#include "records/filenames.h"
#include "records/groupstats.h"
#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "reports/csv.h"


namespace qel::cli {

QByteArray tableDocument(const std::vector<TableRow> &rows, csv::Encoding encoding)
{
    std::vector<csv::Row> lines;
    lines.reserve(rows.size());
    for (const TableRow &row : rows)
        lines.push_back({row.name, row.cells});
    return csv::document(lines, encoding);
}

bool writeTable(const QString &folder, const std::vector<TableRow> &rows, csv::Encoding encoding)
{
    writeOut(tableDocument(rows, encoding));
    return !warnUnreadable(unreadableRows(folder, rows));
}

std::optional<int> readTableArgs(const QCommandLineParser &args, const QString &command, TableArgs &out)
{
    std::optional<int> group = AllGroup;
    if (!readGroup(args, group))
        return kUsageOrFolderError;
    out.group = *group;
    out.encoding = args.isSet(QStringLiteral("utf8")) ? csv::Encoding::Utf8 : csv::Encoding::Cp932;
    const QStringList plain = args.positionalArguments();
    if (plain.isEmpty())
        return usageError(Tr::tr("%1 needs a FOLDER").arg(command));
    if (plain.size() > 1)
        return usageError(Tr::tr("unexpected argument: %1").arg(plain[1]));
    out.folder = plain.first();
    if (!checkFolder(out.folder))
        return kUsageOrFolderError;
    return std::nullopt;
}

namespace {

int runTable(const QCommandLineParser &args)
{
    TableArgs table;
    if (const auto wrong = readTableArgs(args, QStringLiteral("table"), table))
        return *wrong;
    const ScanResult scan = scanFolder(table.folder, table.group);
    if (!checkListing(table.folder, scan.listing))
        return kUsageOrFolderError;
    return writeTable(table.folder, makeView(table.folder, scan.nodes), table.encoding) ? kOk : kPartialFailure;
}

int runSummary(const QCommandLineParser &args)
{
    const QStringList plain = args.positionalArguments();
    if (plain.size() != 2)
        return usageError(Tr::tr("summary needs a FOLDER and a NAME"));
    const QString &folder = plain[0], &name = plain[1];
    if (!checkFolder(folder))
        return kUsageOrFolderError;
    const ScanResult scan = scanFolder(folder, AllGroup);
    if (!checkListing(folder, scan.listing))
        return kUsageOrFolderError;
    const QStringList learners = learnersNamed(scan.nodes, name);
    if (learners.isEmpty())
        return fail(Tr::tr("no record file of %1 in %2").arg(shownFileName(name), shownPath(folder)));
    // Names that read alike but are written in other bytes are other learners.
    if (learners.size() > 1)
        return fail(Tr::tr("%1 is the name of %2 learners in %3; give it in the bytes of its file name")
                        .arg(shownFileName(name))
                        .arg(learners.size())
                        .arg(shownPath(folder)));
    const LearnerSummary summary = readSummary(folder, learners.first());
    for (const QString &text : summary.texts())
        writeLine(text);
    return warnUnreadable(summary.unreadable) ? kPartialFailure : kOk;
}

int runStats(const QCommandLineParser &args)
{
    const QStringList plain = args.positionalArguments();
    if (plain.size() != 1)
        return usageError(Tr::tr("stats needs a FOLDER"));
    if (!checkFolder(plain[0]))
        return kUsageOrFolderError;
    std::vector<UnreadableFile> unreadable;
    ListingStatus listing;
    const GroupStatistics stats = computeAllGroups(plain[0], AllGroup, &unreadable, &listing);
    if (!checkListing(plain[0], listing))
        return kUsageOrFolderError;
    for (int row = 0; row < 7; ++row)
        writeLine(statCaption(row) + QLatin1Char('\t') + stats.text(row, 0) + QLatin1Char('\t')
                  + stats.text(row, 1) + QLatin1Char('\t') + stats.text(row, 2));
    return warnUnreadable(unreadable) ? kPartialFailure : kOk;
}

const CommandRegistrar table({QStringLiteral("table"),
                              QStringLiteral("table FOLDER [--group 0|1|2] [--utf8]"), false, 10,
                              {groupOption(), {QStringLiteral("utf8"), {}}},
                              runTable});
const CommandRegistrar summary({QStringLiteral("summary"), QStringLiteral("summary FOLDER NAME"),
                                false, 20, {}, runSummary});
const CommandRegistrar stats({QStringLiteral("stats"), QStringLiteral("stats FOLDER"), false, 30, {},
                              runStats});

} // namespace
} // namespace qel::cli
