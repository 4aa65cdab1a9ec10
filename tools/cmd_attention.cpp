// attention: the learners who need help today, with their reasons, by the targets the
// viewer keeps for the folder; the class board's CSV form, most needy first.

#include "tools/clicommand.h"

#include "config/classsettings.h"
#include "records/attention.h"
#include "records/learnertable.h"
#include "reports/csv.h"

#include <QDateTime>
#include <algorithm>

namespace qel::cli {

namespace {

int runAttention(const QCommandLineParser &args)
{
    TableArgs wanted;
    if (const auto wrong = readTableArgs(args, QStringLiteral("attention"), wanted))
        return *wrong;
    const ScanResult scan = scanFolder(wanted.folder, wanted.group);
    if (!checkListing(wanted.folder, scan.listing))
        return kUsageOrFolderError;
    const std::vector<TableRow> rows = makeView(wanted.folder, scan.nodes);
    std::vector<AttentionEntry> entries =
        assessClass(rows, QDateTime::currentDateTime(), loadTargets(wanted.folder));
    std::erase_if(entries, [](const AttentionEntry &entry) { return !entry.assessment.needsHelp(); });
    writeOut(csv::boardDocument(entries, [](const AttentionEntry &entry) { return entry.name; }, wanted.encoding));
    return warnUnreadable(unreadableRows(wanted.folder, rows)) ? kPartialFailure : kOk;
}

const CommandRegistrar attention({QStringLiteral("attention"),
                                  QStringLiteral("attention FOLDER [--group 0|1|2] [--utf8]"), false, 17,
                                  {groupOption(), {QStringLiteral("utf8"), {}}},
                                  runAttention});

} // namespace
} // namespace qel::cli
