// watch: the table again after each change of the folder, for a teacher's second screen or
// a script.

#include "tools/clicommand.h"

#include "records/folderwatch.h"
#include "records/learnertable.h"

#include <QCoreApplication>

namespace qel::cli {

namespace {

int runWatch(const QCommandLineParser &args)
{
    TableArgs wanted;
    if (const auto wrong = readTableArgs(args, QStringLiteral("watch"), wanted))
        return *wrong;
    const QString folder = wanted.folder;
    const int group = wanted.group;
    const csv::Encoding encoding = wanted.encoding;

    TableUpdate table = updateTable(folder, group, {});
    QByteArray shown;
    // Each table after the first follows an empty line, so a reader can tell them apart.
    // False when standard output cannot take it.
    const auto show = [&] {
        QByteArray document = tableDocument(table.rows, encoding);
        if (document == shown)
            return true;
        if (!shown.isEmpty())
            writeOut(csv::encodeLine(QString(), encoding));
        writeOut(document);
        warnUnreadable(unreadableRows(folder, table.rows));
        shown = std::move(document);
        return finishOutput();
    };
    if (!show())
        return kUsageOrFolderError;

    FolderWatch watch;
    watch.watch(folder, group, std::move(table.listing), table.settlesAt);
    QObject::connect(&watch, &FolderWatch::changed, [&] {
        UpdateOptions options;
        const std::optional<FolderListing> listed = watch.takeListing(FolderWatch::kFreshMSecs);
        options.listing = listed ? &*listed : nullptr;
        options.nodes = &table.scan.nodes;
        table = updateTable(folder, group, table.rows, options);
        if (!show())
            QCoreApplication::exit(kUsageOrFolderError);
        watch.watch(folder, group, std::move(table.listing), table.settlesAt);
    });
    return QCoreApplication::exec();
}

const CommandRegistrar watch({QStringLiteral("watch"),
                              QStringLiteral("watch FOLDER [--group 0|1|2] [--utf8]"), false, 15,
                              {groupOption(), {QStringLiteral("utf8"), {}}},
                              runWatch});

} // namespace
} // namespace qel::cli
