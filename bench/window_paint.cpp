// Repaint time of the practice graph in the real main window (offscreen): a learner node is
// clicked with the mouse, then the pane is repainted as an uncovering or a splitter release
// would, each paint reading the record file again. Learners with 100, 10,000 and 1,000,000 runs; the
// median of several repaints, and the time of the click itself.
//
//   bench_window_paint [repeats=7]

#include "mainwindow/frmMain.h"
#include "samples/recordwriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool writeHistory(const QString &folder, const QString &name, int runs)
{
    const qel::samples::RecordContent content = qel::samples::risingHistory(runs);
    return qel::samples::writeFile(QDir(folder).filePath(name + QStringLiteral("_Qele.dat")),
                                   qel::samples::recordBytes(content));
}

// A left click on the node, as the mouse gives it.
void clickNode(QTreeWidget &tree, QTreeWidgetItem *node)
{
    QWidget *viewport = tree.viewport();
    const QPointF at = tree.visualItemRect(node).center();
    const QPointF global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(viewport, &press);
    QApplication::sendEvent(viewport, &release);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir store, folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, "QelSoft", "Qel");
        trainer.setValue("Env/RecDir", folder.path());
    }
    const int sizes[] = {100, 10'000, 1'000'000};
    for (int runs : sizes)
        if (!writeHistory(folder.path(), QStringLiteral("runs%1").arg(runs, 7, 10, QChar('0')), runs)) {
            std::fprintf(stderr, "cannot write the record files\n");
            return 1;
        }

    qel::frmMain window;
    if (!window.Form_Load())
        return 1;
    window.show();
    QCoreApplication::processEvents();
    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("tvTreeView"));
    auto *pane = window.findChild<QWidget *>(QStringLiteral("Picture1"));
    if (!tree || !pane)
        return 1;
    std::printf("practice graph in the window, pane %d x %d pixels, median of %d repaints\n",
                pane->width(), pane->height(), repeats);
    std::printf("%10s %12s %14s\n", "runs", "click (ms)", "repaint (ms)");

    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        QTreeWidgetItem *node = root->child(i);
        QElapsedTimer timer;
        timer.start();
        clickNode(*tree, node);
        const double click = double(timer.nsecsElapsed()) / 1e6;
        pane->repaint(); // fonts and the first paint, not counted
        std::vector<double> times;
        for (int r = 0; r < repeats; ++r) {
            timer.restart();
            pane->repaint();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("%10d %12.2f %14.2f\n", sizes[i], click, median(times));
    }
    return 0;
}
