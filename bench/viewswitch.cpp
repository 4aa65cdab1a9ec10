// Switches the real main window (offscreen) between its three view modes through its menu
// on a folder of 10,000 record files and reports the time per switch, and the longest
// stretch in which the window could not paint.
//
//   bench_viewswitch [switches=300] [files=10000]

#include "mainwindow/frmMain.h"
#include "samples/recordwriter.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int switches = argc > 1 ? std::max(1, atoi(argv[1])) : 300;
    const int files = argc > 2 ? std::max(2, atoi(argv[2])) : 10000;

    QTemporaryDir store, folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, "QelSoft", "Qel");
        trainer.setValue("Env/RecDir", folder.path());
    }

    // Half the learners practise both Courses; runs vary from none to a few hundred.
    QElapsedTimer writing;
    writing.start();
    for (int i = 0; i < files; ++i) {
        const int learner = i / 2;
        qel::samples::RecordContent content;
        const int runs = (learner * 37) % 300;
        content.currentStep = std::uint16_t(1 + learner % 60);
        content.totalSeconds = runs * 150;
        for (int r = 0; r < runs; ++r)
            content.runs.push_back({std::int16_t(60 + r / 3 + (r * 7) % 11), std::int16_t((r * 13) % 900)});
        const QString name = QStringLiteral("learner%1%2").arg(learner, 5, 10, QChar('0')).arg(i % 2 ? "_Qelk.dat" : "_Qele.dat");
        if (!qel::samples::writeFile(QDir(folder.path()).filePath(name), qel::samples::recordBytes(content))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    std::printf("wrote %d record files in %.1f s\n", files, writing.elapsed() / 1000.0);

    qel::frmMain window;
    QElapsedTimer loading;
    loading.start();
    if (!window.Form_Load())
        return 1;
    window.show();
    QCoreApplication::processEvents();
    auto *list = window.findChild<QAbstractItemView *>(QStringLiteral("lvListView"));
    QAction *modes[3];
    for (int mode = 0; mode < 3; ++mode)
        modes[mode] = window.findChild<QAction *>(QStringLiteral("mnuListViewMode_%1").arg(mode));
    if (!list || !modes[0] || !modes[1] || !modes[2])
        return 1;
    std::printf("start-up build: %.3f s, %d rows\n", loading.elapsed() / 1000.0, list->model()->rowCount());

    // A 10 ms ticker: the longest gap between ticks is the longest the window stood still.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });

    std::vector<double> seconds[3];
    QElapsedTimer total;
    total.start();
    for (int s = 0; s < switches; ++s) {
        const int mode = (s + 1) % 3;
        ticker.start();
        sinceTick.start();
        QElapsedTimer one;
        one.start();
        modes[mode]->trigger();
        QCoreApplication::processEvents(); // the repaint that follows the switch
        seconds[mode].push_back(one.nsecsElapsed() / 1e9);
        longestGap = std::max(longestGap, sinceTick.elapsed());
        ticker.stop();
    }
    const double all = total.nsecsElapsed() / 1e9;

    static const char *names[3] = {"all learners", "English", "Kana/Romaji"};
    for (int mode = 0; mode < 3; ++mode) {
        auto &v = seconds[mode];
        if (v.empty())
            continue;
        std::sort(v.begin(), v.end());
        double sum = 0;
        for (double x : v)
            sum += x;
        std::printf("%-13s %3zu switches: mean %.3f s, median %.3f s, max %.3f s\n", names[mode], v.size(),
                    sum / double(v.size()), v[v.size() / 2], v.back());
    }
    std::printf("all switches: %d, mean %.3f s per switch (target < 1.5 s)\n", switches, all / switches);
    std::printf("longest stretch without painting: %lld ms\n", static_cast<long long>(longestGap));
    return 0;
}
