// watch: the table again after each change of the folder, for a teacher's second screen or
// a script. What it reads goes into the history, as the window's reads do.

#include "tools/clicommand.h"

#include "history/journal.h"
#include "records/learnertable.h"
#include "session/foldersession.h"

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

    QByteArray shown;
    // Each table after the first follows an empty line, so a reader can tell them apart.
    // False when standard output cannot take it.
    const auto show = [&](const FolderTable &table) {
        const GroupView view = viewOfGroup(table.scan, table.rows, group);
        QByteArray document = tableDocument(view.rows, encoding);
        if (document == shown)
            return true;
        if (!shown.isEmpty())
            writeOut(csv::encodeLine(QString(), encoding));
        writeOut(document);
        warnUnreadable(unreadableRows(folder, view.rows));
        shown = std::move(document);
        return finishOutput();
    };

    // The journal keeps what the reads saw; quiet hours count as hours without practice
    // while the folder answers.
    history::Journal journal;
    QObject::connect(&journal, &history::Journal::notice, [](const QString &text) { warn(text); });
    bool live = false;
    const auto followInJournal = [&](bool answering) {
        if (answering != live)
            journal.setLive(folder, AllGroup, live = answering);
    };

    // The same session the window follows its folder with.
    FolderSession session;
    QObject::connect(&session, &FolderSession::rowsRead,
                     [&](const std::shared_ptr<const FolderTable> &table, const std::vector<std::size_t> &reread) {
                         journal.observe(table->folder, AllGroup, rowsAt(*table, reread));
                         followInJournal(session.health() == FolderHealth::Answering);
                     });
    QObject::connect(&session, &FolderSession::tableChanged, [&](const TableChange &change) {
        if (!show(*change.table))
            QCoreApplication::exit(kUsageOrFolderError);
    });
    // A folder that fails keeps the last table standing; standard error says why.
    QObject::connect(&session, &FolderSession::healthChanged, [&](FolderHealth health) {
        followInJournal(health == FolderHealth::Answering && session.table());
        if (health == FolderHealth::NotAnswering)
            //: %1 the record folder.
            warn(Tr::tr("%1 is not answering; the last table stands").arg(folder));
        else if (health == FolderHealth::Missing)
            warn(Tr::tr("%1 is missing; the last table stands").arg(folder));
        else if (health == FolderHealth::Unreadable)
            warn(Tr::tr("cannot list %1; the last table stands").arg(folder));
    });
    session.setFollowing(true);
    session.open(folder);
    return QCoreApplication::exec();
}

const CommandRegistrar watch({QStringLiteral("watch"),
                              QStringLiteral("watch FOLDER [--group 0|1|2] [--utf8]"), false, 15,
                              {groupOption(), {QStringLiteral("utf8"), {}}},
                              runWatch});

} // namespace
} // namespace qel::cli
