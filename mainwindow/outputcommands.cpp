#include "mainwindow/outputcommands.h"

#include "base/asker.h"
#include "reports/csv.h"
#include "reports/outputfile.h"
#include "reports/printjob.h"
#include "session/foldersession.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QWidget>

namespace qel {

namespace {

const QString kPersonalDocument = QStringLiteral("個人プロパティ");
const QString kGroupDocument = QStringLiteral("全体プロパティ");

// The print dialog and any failure notice sit on whatever modal window asked for the
// printout (the group or personal properties dialog), else on the main window.
QWidget *printParent(QWidget *window)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : window;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

void reportFailure(QWidget *parent, const QString &error)
{
    asker().message(parent, error.isEmpty() ? QStringLiteral("印刷できませんでした。") : error, QString(),
                    Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

// Qt's preview in Japanese. The page set-up and the orientation go: the reports are laid
// out for a portrait page and turn every printer to portrait. The print button runs
// `print`, the report's own print command; the preview closes when that went ahead.
void dressPreview(QPrintPreviewDialog &dialog, const std::function<bool()> &print)
{
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    static const struct {
        const char *source;
        const char *caption; // nullptr: not offered
    } kActions[] = {
        {"Next page", "次のページ"},
        {"Previous page", "前のページ"},
        {"First page", "最初のページ"},
        {"Last page", "最後のページ"},
        {"Fit width", "幅に合わせる"},
        {"Fit page", "ページ全体"},
        {"Zoom in", "拡大"},
        {"Zoom out", "縮小"},
        {"Show single page", "1ページ表示"},
        {"Show facing pages", "見開き表示"},
        {"Show overview of all pages", "全ページ表示"},
        {"Print", "印刷"},
        {"Portrait", nullptr},
        {"Landscape", nullptr},
        {"Page setup", nullptr},
    };
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : dialog.findChildren<QAction *>()) {
        const QString text = action->text();
        if (text == printText) {
            QObject::disconnect(action, &QAction::triggered, &dialog, nullptr);
            QObject::connect(action, &QAction::triggered, &dialog, [&dialog, print] {
                if (print())
                    dialog.accept();
            });
        }
        for (const auto &entry : kActions) {
            if (text != QCoreApplication::translate("QPrintPreviewDialog", entry.source))
                continue;
            if (entry.caption)
                action->setText(QString::fromUtf8(entry.caption));
            else
                action->setVisible(false);
            break;
        }
    }
}

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
        print(kPersonalDocument, [shared](QPrinter &printer, QString *error) {
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
        preview(kPersonalDocument, job, [this, job] { return print(kPersonalDocument, job); });
    });
}

void OutputCommands::printGroup(const GroupStatistics &figures, const GroupCollections &collections)
{
    print(kGroupDocument, [folder = session_.folder(), figures, collections](QPrinter &printer, QString *error) {
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
    preview(kGroupDocument, job, [this, job] { return print(kGroupDocument, job); });
}

bool OutputCommands::print(const QString &document, const Job &job)
{
    QWidget *parent = printParent(&window_);
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(document);
    if (!asker().choosePrinter(parent, *printer))
        return false;
    const auto draw = [this, printer, job, parent = QPointer<QWidget>(parent), hold = hold_()] {
        QString error;
        bool printed = false;
        {
            WaitCursor wait;
            printed = job(*printer, &error);
        }
        if (!printed)
            reportFailure(parent ? parent.data() : &window_, error);
    };
    const QString file = printer->outputFileName();
    if (file.isEmpty()) {
        draw();
        return true;
    }
    // A PDF file must not land on a trainer's file; finding out where it lands looks into
    // the record folder, which is the session's to do.
    session_.run<bool>([folder = session_.folder(), file] { return reports::isTrainerFile(folder, file); },
                       [this, draw, file, parent = QPointer<QWidget>(parent), hold = hold_()](bool refused) {
                           if (refused)
                               reportFailure(parent ? parent.data() : &window_, reports::trainerFileRefusal(file));
                           else
                               draw();
                       });
    return true;
}

void OutputCommands::preview(const QString &document, const Job &job, const std::function<bool()> &print)
{
    const auto hold = hold_();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    QPrintPreviewDialog dialog(&printer, printParent(&window_));
    // The preview draws its pages with the job the print command runs, on its own printer.
    bool reported = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        QString error;
        bool drawn = false;
        {
            WaitCursor wait;
            drawn = job(*target, &error);
        }
        if (!drawn && !reported) {
            reported = true;
            reportFailure(&dialog, error);
        }
    });
    dressPreview(dialog, print);
    asker().showDialog(dialog);
}

void OutputCommands::exportRows(const std::vector<TableRow> &rows, const QString &suggestedName,
                                QString &folderOfLast)
{
    const auto path = asker().saveFileName(&window_, QStringLiteral("出力先を指定して下さい。"),
                                           QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*.*)"),
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
                asker().message(&window_, QStringLiteral("CSV出力に失敗しました。\n") + outcome.error, QString(),
                                Asker::Buttons::Ok, Asker::Icon::Exclamation);
            else
                folderOfLast = QFileInfo(file).absolutePath();
        });
}

} // namespace qel
