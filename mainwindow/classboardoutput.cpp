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

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace qel {

namespace {

const QString kDocument = QStringLiteral("クラスの様子");

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

bool printClassBoard(QWidget *parent, const ClassBoard &board, const QString &folder)
{
    const auto numbers = askOutputNumbers(parent, board);
    if (!numbers)
        return false;
    const reports::ClassSheet sheet = sheetOf(board, *numbers);
    return printWithDialog(parent, kDocument, [&](QPrinter &printer, QString *error) {
        return reports::printClassSheet(printer, folder, sheet, error);
    });
}

void previewClassBoard(QWidget *parent, const ClassBoard &board, const QString &folder)
{
    const auto numbers = askOutputNumbers(parent, board);
    if (!numbers)
        return;
    // The preview and its print button show the same sheet, taken once.
    const reports::ClassSheet sheet = sheetOf(board, *numbers);
    const PrintJob job = [&](QPrinter &printer, QString *error) {
        return reports::printClassSheet(printer, folder, sheet, error);
    };
    previewWithDialog(parent, kDocument, job, [&] { return printWithDialog(parent, kDocument, job); });
}

std::optional<QString> exportClassBoardCsv(QWidget *parent, const ClassBoard &board, const QString &folder,
                                           const QString &startFolder)
{
    const auto numbers = askOutputNumbers(parent, board);
    if (!numbers)
        return std::nullopt;
    const auto path = asker().saveFileName(parent, QStringLiteral("出力先を指定して下さい。"),
                                           QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*.*)"),
                                           QStringLiteral(".csv"), QDir(startFolder).filePath(kDocument));
    if (!path || path->isEmpty())
        return std::nullopt;
    if (reports::isTrainerFile(folder, *path)) {
        asker().message(parent, reports::trainerFileRefusal(*path), QString(), Asker::Buttons::Ok,
                        Asker::Icon::Exclamation);
        return std::nullopt;
    }
    QString error;
    if (!csv::saveBoardFile(*path, board.boardModel()->entries(), nameOf(board, *numbers), csv::Encoding::Cp932,
                            &error)) {
        asker().message(parent, QStringLiteral("CSV出力に失敗しました。\n") + error, QString(), Asker::Buttons::Ok,
                        Asker::Icon::Exclamation);
        return std::nullopt;
    }
    return QFileInfo(*path).absolutePath();
}

bool editClassTargets(QWidget *parent, ClassBoard &board, const QString &folder)
{
    frmTargets dialog(board.boardModel()->targets(), parent);
    if (asker().showDialog(dialog) != QDialog::Accepted)
        return false;
    const ClassTargets targets = dialog.targets();
    board.setTargets(targets);
    if (const StoreStatus status = saveTargets(folder, targets); !status)
        asker().message(parent, QStringLiteral("目標を保存できませんでした。\n") + status.failure, QString(),
                        Asker::Buttons::Ok, Asker::Icon::Exclamation);
    return true;
}

} // namespace qel
