// Deleting learners in the real main window (offscreen): all rows of a folder, and every
// other row, for growing folders; the files go to a trash in a temporary home. Also the
// longest stretch in which the window could not paint.
//
//   bench_deletion [largest=20000]

#include "base/asker.h"
#include "mainwindow/frmMain.h"
#include "samples/recordwriter.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// Answers every question with OK.
class Yes : public qel::Asker {
public:
    bool message(QWidget *, const QString &, const QString &, Buttons, Icon, Default) override { return true; }
    std::optional<QString> chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(QWidget *, const QString &, const QString &, const QString &,
                                        const QString &) override
    {
        return {};
    }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
    void openUrl(const QUrl &) override {}
    int showDialog(QDialog &) override { return QDialog::Rejected; }
    void showPopup(QMenu &, const QPoint &) override {}
};

struct Result {
    double seconds = 0;
    qint64 longestStill = 0; // ms
    int rowsLeft = 0;
};

Result deleteRows(int files, int step)
{
    QTemporaryDir store, folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, "QelSoft", "Qel");
        trainer.setValue("Env/RecDir", folder.path());
    }
    qel::samples::RecordContent content;
    content.runs = {{100, 0}, {110, 0}};
    const QByteArray bytes = qel::samples::recordBytes(content);
    for (int i = 0; i < files; ++i)
        qel::samples::writeFile(QDir(folder.path()).filePath(QStringLiteral("l%1_Qele.dat").arg(i, 6, 10, QChar('0'))),
                                bytes);
    qel::frmMain window;
    window.Form_Load();
    window.show();
    QCoreApplication::processEvents();
    auto *list = window.findChild<QAbstractItemView *>(QStringLiteral("lvListView"));
    if (step == 1) {
        list->selectAll(); // as the menu's "select all" does: one stretch
    } else {
        QItemSelection rows;
        for (int r = step - 1; r < files; r += step)
            rows.select(list->model()->index(r, 0), list->model()->index(r, list->model()->columnCount() - 1));
        list->selectionModel()->select(rows, QItemSelectionModel::Select);
    }
    QCoreApplication::processEvents(); // the selection is painted before the command

    // A 10 ms ticker: the longest gap between ticks is the longest the window stood still.
    Result result;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] { result.longestStill = std::max(result.longestStill, sinceTick.restart()); });
    ticker.start();
    sinceTick.start();
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QStringLiteral("mnuFileDelete"))->trigger();
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    result.longestStill = std::max(result.longestStill, sinceTick.elapsed());
    result.rowsLeft = list->model()->rowCount();
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    QApplication app(argc, argv);
    Yes yes;
    qel::setAsker(&yes);
    const int largest = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20000;
    std::printf("%8s %12s %10s %12s %16s\n", "rows", "deleted", "seconds", "us per row", "longest still ms");
    for (const int files : {2000, 8000, largest}) {
        for (const int step : {1, 2}) {
            const Result r = deleteRows(files, step);
            const int deleted = files - r.rowsLeft;
            std::printf("%8d %12s %10.2f %12.0f %16lld\n", files,
                        qPrintable(QStringLiteral("%1 (%2)").arg(deleted).arg(step == 1 ? "all" : "every other")),
                        r.seconds, r.seconds * 1e6 / std::max(deleted, 1), static_cast<long long>(r.longestStill));
        }
    }
    qel::setAsker(nullptr);
    return 0;
}
