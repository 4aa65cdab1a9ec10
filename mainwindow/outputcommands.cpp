#include "mainwindow/outputcommands.h"

#include "base/asker.h"
#include "base/printpreview.h"
#include "reports/csv.h"
#include "reports/outputfile.h"
#include "reports/printjob.h"
#include "session/foldersession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QWidget>

namespace qel {

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(OutputCommands)
};

//: Name of the printed personal report (print queue, preview).
QString personalDocument() { return Tr::tr("個人プロパティ"); }
//: Name of the printed group report (print queue, preview).
QString groupDocument() { return Tr::tr("全体プロパティ"); }

} // namespace

QString csvStartFolder(const QString &folderOfLast)
{
    if (!folderOfLast.isEmpty() && QFileInfo(folderOfLast).isDir())
        return folderOfLast;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

OutputCommands::OutputCommands(QWidget &window, FolderSession &session, Hold hold)
    : window_(window), session_(session), hold_(std::move(hold))
{
}

void OutputCommands::printLearners(const QStringList &names)
{
    if (names.isEmpty())
        return;
    session_.loadLearners(names, [this, hold = hold_()](std::vector<LearnerRecord> learners) {
        auto shared = std::make_shared<const std::vector<LearnerRecord>>(std::move(learners));
        print(personalDocument(), [shared](QPrinter &printer, QString *error) {
            // The output file is checked against the record folder away from this thread.
            return reports::printLearnerPages(printer, *shared, error);
        });
    });
}

void OutputCommands::previewLearners(const QStringList &names)
{
    if (names.isEmpty())
        return;
    session_.loadLearners(names, [this, names, hold = hold_()](std::vector<LearnerRecord> learners) {
        auto shared = std::make_shared<const std::vector<LearnerRecord>>(std::move(learners));
        const Job job = [shared](QPrinter &printer, QString *error) {
            return reports::printLearnerPages(printer, *shared, error);
        };
        preview(personalDocument(), job, [this, job] { return print(personalDocument(), job); });
    });
}

void OutputCommands::printGroup(const GroupStatistics &figures, const GroupCollections &collections)
{
    print(groupDocument(), [folder = session_.folder(), figures, collections](QPrinter &printer, QString *error) {
        GroupCollections lists = collections; // the drawing sorts them
        return reports::printGroupPage(printer, folder, figures, lists, error);
    });
}

void OutputCommands::previewGroup(const GroupStatistics &figures, const GroupCollections &collections)
{
    const Job job = [folder = session_.folder(), figures, collections](QPrinter &printer, QString *error) {
        GroupCollections lists = collections; // the drawing sorts them
        return reports::printGroupPage(printer, folder, figures, lists, error);
    };
    preview(groupDocument(), job, [this, job] { return print(groupDocument(), job); });
}

OutputCheck OutputCommands::outputCheck()
{
    // An output must not land on a trainer's file; finding out where it lands looks into
    // the record folder, which is the session's to do.
    return [this](const QString &file, std::function<void(const QString &)> done) {
        session_.run<bool>([folder = session_.folder(), file] { return reports::isTrainerFile(folder, file); },
                           [file, done, hold = hold_()](bool refused) {
                               done(refused ? reports::trainerFileRefusal(file) : QString());
                           });
    };
}

bool OutputCommands::print(const QString &document, const Job &job)
{
    return printWithDialog(&window_, document, job, outputCheck());
}

void OutputCommands::preview(const QString &document, const Job &job, const std::function<bool()> &print)
{
    const auto hold = hold_();
    previewWithDialog(&window_, document, job, print);
}

void OutputCommands::exportRows(const std::vector<TableRow> &rows, const QString &suggestedName,
                                QString &folderOfLast)
{
    //: Title of the save dialog of a CSV export.
    const auto path = asker().saveFileName(&window_, Tr::tr("出力先を指定して下さい。"),
                                           //: File types of the save dialog; keep the patterns.
                                           Tr::tr("CSVファイル (*.csv);;すべてのファイル (*.*)"),
                                           QStringLiteral(".csv"),
                                           QDir(csvStartFolder(folderOfLast)).filePath(suggestedName));
    if (!path || path->isEmpty())
        return;
    std::vector<csv::Row> lines;
    lines.reserve(rows.size());
    for (const TableRow &row : rows)
        lines.push_back({row.name, row.cells});
    struct Outcome {
        bool refused = false;
        bool saved = false;
        QString error;
    };
    // Whether the file lands in the record folder, and the writing itself, away from here.
    session_.run<Outcome>(
        [folder = session_.folder(), file = *path, lines = std::move(lines)] {
            Outcome outcome;
            outcome.refused = reports::isTrainerFile(folder, file);
            if (!outcome.refused)
                outcome.saved = csv::saveFile(file, lines, csv::Encoding::Cp932, &outcome.error);
            return outcome;
        },
        [this, file = *path, &folderOfLast, hold = hold_()](Outcome outcome) {
            if (outcome.refused)
                asker().message(&window_, reports::trainerFileRefusal(file), QString(), Asker::Buttons::Ok,
                                Asker::Icon::Exclamation);
            else if (!outcome.saved)
                asker().message(&window_, Tr::tr("CSV出力に失敗しました。\n%1").arg(outcome.error), QString(),
                                Asker::Buttons::Ok, Asker::Icon::Exclamation);
            else
                folderOfLast = QFileInfo(file).absolutePath();
        });
}

} // namespace qel
