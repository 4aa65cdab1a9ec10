// The real main window (offscreen) on a generated folder of record files, as a live
// classroom uses it:
//   start-up: from loading to the window painted with the folder read, the longest stretch
//     in which the window could not paint, and the memory the process holds;
//   one changed file: a run appended to one learner's file, then the time until the list
//     has painted it (the folder's notice, the session's look and read, the refresh), and a
//     look at an unchanged folder alone (what the periodic check costs each time);
//   idle: the processor time the window takes over a stretch with and without following
//     the folder, so the difference is what the periodic check costs.
// Run it under bench/latency.sh's shim to see a file server's round trips.
//
//   bench_live [FILES=10000] [IDLE_SECONDS=30] [FOLDER]   (an existing FOLDER is used as it is;
//   IDLE_SECONDS 0 measures the start-up alone)

#include "mainwindow/frmMain.h"
#include "session/foldersession.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

QString fileName(int i)
{
    return QStringLiteral("learner%1_Qel%2.dat").arg(i / 2, 6, 10, QLatin1Char('0')).arg(i % 2 ? QLatin1Char('k') : QLatin1Char('e'));
}

// Half the learners practise both Courses; runs vary from none to a few hundred. The files
// are an hour old, as a class's are between runs.
bool makeFolder(const QString &folder, int files)
{
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    for (int i = 0; i < files; ++i) {
        qel::samples::RecordContent c;
        const int runs = (i / 2 * 37) % 300;
        c.currentStep = std::uint16_t(1 + i / 2 % 60);
        c.totalSeconds = runs * 150;
        for (int r = 0; r < runs; ++r)
            c.runs.push_back({std::int16_t(60 + r / 3 + (r * 7) % 11), std::int16_t((r * 13) % 900)});
        if (!qel::samples::writeFile(QDir(folder).filePath(fileName(i)), qel::samples::recordBytes(c), old))
            return false;
    }
    return true;
}


// Resident and peak memory in MiB, where the system tells them (Linux).
std::pair<double, double> memoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double rss = -1, peak = -1;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() >= 2 && parts[0] == "VmRSS:")
                rss = parts[1].toDouble() / 1024;
            if (parts.size() >= 2 && parts[0] == "VmHWM:")
                peak = parts[1].toDouble() / 1024;
        }
    return {rss, peak};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Processor time of the process over `seconds` of the event loop, in percent of one core.
double idleLoad(int seconds)
{
    const std::clock_t cpu = std::clock();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    return 100.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / (double(wall.elapsed()) / 1000.0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::max(2, atoi(argv[1])) : 10000;
    const int idleSeconds = argc > 2 ? std::max(0, atoi(argv[2])) : 30;
    QTemporaryDir store, temporary;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, "QelSoft", "Qel");
        trainer.setValue("Env/RecDir", folder);
    }
    if (!QDir(folder).exists(fileName(0))) {
        QDir().mkpath(folder);
        QElapsedTimer writing;
        writing.start();
        if (!makeFolder(folder, files)) {
            std::fprintf(stderr, "cannot write the folder\n");
            return 1;
        }
        std::printf("wrote %d record files in %.1f s\n", files, writing.elapsed() / 1000.0);
    }
    const auto [rssBefore, peakBefore] = memoryMiB();

    // ---- start-up, with a 10 ms ticker: its longest gap is the longest the window stood still
    QElapsedTimer sinceTick, loading;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    ticker.start();
    sinceTick.start();
    loading.start();
    const std::clock_t loadingCpu = std::clock();
    auto window = std::make_unique<qel::frmMain>();
    if (!window->Form_Load())
        return 1;
    window->show();
    auto *session = window->findChild<qel::FolderSession *>(QStringLiteral("folderSession"));
    auto *list = window->findChild<QAbstractItemView *>(QStringLiteral("lvListView"));
    // The read ends with the table shown: the list's rows are in once the session is idle.
    QObject::connect(session, &qel::FolderSession::idle, &app, &QCoreApplication::quit);
    if (session->busy())
        QCoreApplication::exec();
    list->viewport()->repaint();
    const double startup = loading.nsecsElapsed() / 1e9;
    const double startupCpu = double(std::clock() - loadingCpu) / CLOCKS_PER_SEC;
    longestGap = std::max(longestGap, sinceTick.elapsed());
    ticker.stop();
    QCoreApplication::processEvents();
    const auto [rss, peak] = memoryMiB();
    std::printf("files %d\n", list->model()->rowCount());
    std::printf("start-up to the painted window: %.3f s (processor time %.3f s); longest stretch without "
                "painting %lld ms\n",
                startup, startupCpu, static_cast<long long>(longestGap));
    std::printf("memory: resident %.0f MiB (%.0f before the window), peak %.0f MiB\n", rss, rssBefore, peak);
    (void)peakBefore;
    if (idleSeconds == 0)
        return 0;

    // ---- one changed file
    std::vector<double> seen, looks;
    for (int r = 0; r < 5; ++r) {
        // A file written in the clock tick it was read is read again once it has settled:
        // that comes first, so each round reads its one file.
        QTimer::singleShot(3500, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        const QString path = QDir(folder).filePath(fileName((r * 7919) % files));
        QElapsedTimer timer;
        timer.start();
        if (!qel::samples::appendRun(path))
            return 1;
        bool shown = false;
        auto seenOnce = QObject::connect(session, &qel::FolderSession::tableChanged, &app, [&](const qel::TableChange &change) {
            shown = shown || !change.changed.empty();
        });
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, &app, &QCoreApplication::quit);
        giveUp.start(30000);
        while (!shown && giveUp.isActive())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QObject::disconnect(seenOnce);
        list->viewport()->repaint();
        seen.push_back(timer.nsecsElapsed() / 1e6);
        if (!shown) {
            std::fprintf(stderr, "the change was not seen\n");
            return 1;
        }
        // A look at the folder that finds nothing changed: the periodic check.
        QCoreApplication::processEvents();
        timer.start();
        session->refresh(false);
        if (session->busy())
            QCoreApplication::exec();
        looks.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("one changed file: from the write to the list painted %.1f ms; a look at the unchanged folder "
                "(the periodic check) %.1f ms (medians of 5)\n",
                median(seen), median(looks));

    // ---- idle
    QCoreApplication::processEvents();
    const double following = idleLoad(idleSeconds);
    window->findChild<QAction *>(QStringLiteral("mnuViewAutoRefresh"))->trigger();
    const double still = idleLoad(idleSeconds);
    std::printf("idle over %d s: %.2f %% of one core following the folder, %.2f %% not following: "
                "the check costs %.2f %%\n",
                idleSeconds, following, still, following - still);
    window.reset();
    return 0;
}
