#include "mainwindow/classboardoutput.h"

#include "base/asker.h"
#include "base/namemask.h"
#include "config/classsettings.h"
#include "dialogs/frmOutputNames.h"
#include "dialogs/frmTargets.h"
#include "base/printpreview.h"
#include "mainwindow/classboard.h"
#include "reports/csv.h"
#include "reports/outputfile.h"
#include "reports/printjob.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QPrinter>
#include <memory>

namespace qel {

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ClassBoardOutput)
};

//: Name of the printed class board (print queue, preview) and of its CSV file.
QString boardDocument() { return Tr::tr("クラスの様子"); }

std::function<QString(const AttentionEntry &)> nameOf(const ClassBoard &board, bool numbers)
{
    NameMask *mask = board.boardModel()->nameMask();
    if (!numbers)
        return [](const AttentionEntry &entry) { return entry.name; };
    return [mask](const AttentionEntry &entry) { return mask->numbered(entry.name); };
}

reports::ClassSheet sheetOf(const ClassBoard &board, bool numbers)
{
    const ClassBoardModel &model = *board.boardModel();
    return reports::classSheet(model.entries(), nameOf(board, numbers), board.group(), model.assessedAt());
}

} // namespace

std::optional<bool> askOutputNumbers(QWidget *parent, const ClassBoard &board)
{
    frmOutputNames dialog(board.boardModel()->nameMask()->hidden(), parent);
    if (asker().showDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.numbers();
}

bool printClassBoard(QWidget *parent, ClassBoard &board, const QString &folder, const OutputCheck &check)
{
    board.boardModel()->assessPending();
    const auto numbers = askOutputNumbers(parent, board);
    if (!numbers)
        return false;
    // The check may answer later: the job keeps its own sheet.
    const auto sheet = std::make_shared<const reports::ClassSheet>(sheetOf(board, *numbers));
    return printWithDialog(
        parent, boardDocument(),
        [folder, sheet](QPrinter &printer, QString *error) {
            return reports::printClassSheet(printer, folder, *sheet, error);
        },
        check);
}

void previewClassBoard(QWidget *parent, ClassBoard &board, const QString &folder, const OutputCheck &check)
{
    board.boardModel()->assessPending();
    const auto numbers = askOutputNumbers(parent, board);
    if (!numbers)
        return;
    // The preview and its print button show the same sheet, taken once.
    const auto sheet = std::make_shared<const reports::ClassSheet>(sheetOf(board, *numbers));
    const PrintJob job = [folder, sheet](QPrinter &printer, QString *error) {
        return reports::printClassSheet(printer, folder, *sheet, error);
    };
    previewWithDialog(parent, boardDocument(), job, [&] { return printWithDialog(parent, boardDocument(), job, check); });
}

void exportClassBoardCsv(QWidget *parent, ClassBoard &board, const QString &folder, const QString &startFolder,
                         const std::function<void(const QString &savedIn)> &saved, const OutputCheck &check)
{
    board.boardModel()->assessPending();
    const auto numbers = askOutputNumbers(parent, board);
    if (!numbers)
        return;
    //: Title of the save dialog of a CSV export.
    const auto path = asker().saveFileName(parent, Tr::tr("出力先を指定して下さい。"),
                                           //: File types of the save dialog; keep the patterns.
                                           Tr::tr("CSVファイル (*.csv);;すべてのファイル (*.*)"),
                                           QStringLiteral(".csv"), QDir(startFolder).filePath(boardDocument()));
    if (!path || path->isEmpty())
        return;
    const QByteArray document =
        csv::boardDocument(board.boardModel()->entries(), nameOf(board, *numbers), csv::Encoding::Cp932);
    const QString file = *path;
    const auto write = [parent, file, document, saved](const QString &refusal) {
        if (!refusal.isEmpty()) {
            asker().message(parent, refusal, QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
            return;
        }
        QString error;
        if (!reports::saveWhole(file, [&](QIODevice &out) { return out.write(document) == document.size(); }, &error)) {
            asker().message(parent, Tr::tr("CSV出力に失敗しました。\n%1").arg(error), QString(), Asker::Buttons::Ok,
                            Asker::Icon::Exclamation);
            return;
        }
        saved(QFileInfo(file).absolutePath());
    };
    if (check)
        check(file, write);
    else
        write(reports::isTrainerFile(folder, file) ? reports::trainerFileRefusal(file) : QString());
}

bool editClassTargets(QWidget *parent, ClassBoard &board, const QString &folder)
{
    frmTargets dialog(board.boardModel()->targets(), parent);
    if (asker().showDialog(dialog) != QDialog::Accepted)
        return false;
    const ClassTargets targets = dialog.targets();
    board.setTargets(targets);
    if (const StoreStatus status = saveTargets(folder, targets); !status)
        asker().message(parent, Tr::tr("目標を保存できませんでした。\n%1").arg(status.failure), QString(),
                        Asker::Buttons::Ok, Asker::Icon::Exclamation);
    return true;
}

} // namespace qel
