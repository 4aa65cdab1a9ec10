// report: the personal or the group report as an A4 PDF file, drawn as the printer gets it.

#include "tools/clicommand.h"

#include "records/filenames.h"
#include "records/groupstats.h"
#include "records/learnertable.h"
#include "reports/personalreport.h"
#include "reports/printjob.h"

namespace qel::cli {

namespace {

// Learners of the folder in table order of the group of all learners, each once.
QStringList learnersOf(const std::vector<TreeNode> &nodes)
{
    QStringList rowLearners;
    for (const TreeNode &node : nodes)
        rowLearners << learnerKeyOf(node.key);
    return reports::personalNameList(rowLearners, {});
}

int runReport(const QCommandLineParser &args)
{
    const bool personal = args.isSet(QStringLiteral("personal"));
    std::optional<int> group;
    if (!readGroup(args, group))
        return kUsageOrFolderError;
    const QStringList plain = args.positionalArguments();
    if (personal == group.has_value())
        return usageError(Tr::tr("report needs either --personal or --group"));
    if (plain.size() < 2)
        return usageError(Tr::tr("report needs a FOLDER and an output file OUT.pdf"));
    const QString folder = plain.first();
    const QString out = plain.last();
    const QStringList named = plain.mid(1, plain.size() - 2);
    if (!out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return usageError(Tr::tr("the output file must end in .pdf: %1").arg(out));
    if (group && !named.isEmpty())
        return usageError(Tr::tr("--group takes no NAME: %1").arg(named.first()));
    if (!checkFolder(folder))
        return kUsageOrFolderError;

    QString error;
    std::vector<UnreadableFile> unreadable;
    if (group) {
        ListingStatus listing;
        const GroupStatistics statistics = computeAllGroups(folder, *group, &unreadable, &listing);
        const ScanResult scan = scanFolder(folder, *group);
        if (!checkListing(folder, listing) || !checkListing(folder, scan.listing))
            return kUsageOrFolderError;
        GroupCollections collections;
        makeView(folder, scan.nodes, &collections);
        if (!reports::writeGroupPdf(out, folder, statistics, collections, &error))
            return fail(error);
        //: What was written: %1 the PDF file.
        writeLine(Tr::tr("%1: 1 page").arg(out));
        return warnUnreadable(unreadable) ? kPartialFailure : kOk;
    }

    const ScanResult scan = scanFolder(folder, AllGroup);
    if (!checkListing(folder, scan.listing))
        return kUsageOrFolderError;
    QStringList names;
    if (named.isEmpty()) {
        names = learnersOf(scan.nodes);
        if (names.isEmpty())
            return fail(Tr::tr("no learners in %1").arg(shownPath(folder)));
    } else {
        // A name that reads alike for several learners prints each of them.
        QStringList learners;
        for (const QString &name : named) {
            const QStringList found = learnersNamed(scan.nodes, name);
            if (found.isEmpty())
                return fail(Tr::tr("no record file of %1 in %2").arg(shownFileName(name), shownPath(folder)));
            learners << found;
        }
        names = reports::personalNameList(learners, {});
    }
    if (!reports::writePersonalPdf(out, folder, names, &error, &unreadable))
        return fail(error);
    //: What was written: %1 the PDF file, %2 its number of pages (more than one).
    writeLine(names.size() == 1 ? Tr::tr("%1: 1 page").arg(out) : Tr::tr("%1: %2 pages").arg(out).arg(names.size()));
    return warnUnreadable(unreadable) ? kPartialFailure : kOk;
}

const CommandRegistrar report({QStringLiteral("report"),
                               QStringLiteral("report FOLDER --personal [NAME ...] OUT.pdf\n"
                                              "report FOLDER --group 0|1|2 OUT.pdf"),
                               true, 40, {{QStringLiteral("personal"), {}}, groupOption()}, runReport});

} // namespace
} // namespace qel::cli
