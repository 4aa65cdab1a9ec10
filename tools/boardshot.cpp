// qelviewer-boardshot: pictures of the class board of a record folder for the documentation,
// drawn offscreen as the window's pane draws it: names shown, names hidden, and the printed
// sheet; with --dark, the board once more under a dark theme. Not installed.
//
//   qelviewer-boardshot FOLDER --now YYYY-MM-DDTHH:MM:SS [--dark DARK.png] SHOWN.png HIDDEN.png SHEET.pdf

#include "base/namemask.h"
#include "base/painting.h"
#include "base/palettes.h"
#include "base/runtimefolder.h"
#include "config/classsettings.h"
#include "mainwindow/classboard.h"
#include "records/learnertable.h"
#include "reports/classsheet.h"
#include "reports/printjob.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto runtimeFolder = qel::provideRuntimeFolder();
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption nowOption(QStringLiteral("now"), QString(), QStringLiteral("time"));
    parser.addOption(nowOption);
    const QCommandLineOption darkOption(QStringLiteral("dark"), QString(), QStringLiteral("file"));
    parser.addOption(darkOption);
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    const QDateTime now = QDateTime::fromString(parser.value(nowOption), Qt::ISODate);
    if (args.size() != 4 || !now.isValid()) {
        std::fprintf(stderr, "usage: qelviewer-boardshot FOLDER --now YYYY-MM-DDTHH:MM:SS [--dark DARK.png] SHOWN.png HIDDEN.png "
                             "SHEET.pdf\n");
        return 2;
    }
    const QString &folder = args[0];

    qel::draw::installFontSubstitutes();
    QFont uiFont(qel::draw::kPGothic);
    uiFont.setPointSizeF(9);
    QApplication::setFont(uiFont);

    qel::NameMask mask;
    qel::ClassBoard board;
    board.boardModel()->setClock([now] { return now; });
    board.setNameMask(&mask);
    board.setTargets(qel::loadTargets(folder));
    const qel::ScanResult scan = qel::scanFolder(folder, qel::AllGroup);
    board.setRows(qel::makeView(folder, scan.nodes));
    board.resize(960, 600);
    board.show();
    board.setCurrentKey(board.model()->index(0, 0).data(qel::ClassBoardModel::KeyRole).toString());
    QApplication::sendPostedEvents();

    bool ok = board.grab().save(args[1]);
    mask.setHidden(true);
    QApplication::sendPostedEvents();
    ok = board.grab().save(args[2]) && ok;
    if (parser.isSet(darkOption)) {
        // As Qt's Fusion style shows a dark desktop theme.
        QApplication::setStyle(QStringLiteral("Fusion"));
        board.setPalette(qel::palettes::dark());
        mask.setHidden(false);
        QApplication::sendPostedEvents();
        ok = board.grab().save(parser.value(darkOption)) && ok;
    }

    const qel::reports::ClassSheet sheet = qel::reports::classSheet(
        board.boardModel()->entries(), [](const qel::AttentionEntry &entry) { return entry.name; }, qel::AllGroup, now);
    QString error;
    if (!qel::reports::writeClassSheetPdf(args[3], folder, sheet, &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    return ok ? 0 : 1;
}
