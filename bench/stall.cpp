// The real main window (offscreen) while its file server stops answering: run it under
// bench/latency/slowfs.so with QEL_STALL naming the files whose reads stall (one learner's
// file, or "_Qel" for all of them) and QEL_STALL_FLAG naming a file this program makes once
// the window is up, from which on the reads stall. It changes the stalled files (a run
// appended), makes the flag, asks for a refresh, then measures for a while:
//   - the longest stretch in which the window could not paint (a 10 ms ticker's longest gap),
//   - how long commands take meanwhile (view switches, a sort),
//   - what the status bar says,
// and how long closing the window takes.
//
//   bench_stall FOLDER STALLED_NAME [OBSERVE_SECONDS=5]

#include "mainwindow/frmMain.h"
#include "samples/recordwriter.h"
#include "session/foldersession.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_stall FOLDER STALLED_NAME [OBSERVE_SECONDS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString stalled = QString::fromLocal8Bit(argv[2]);
    const int observe = argc > 3 ? std::max(1, atoi(argv[3])) : 5;
    QTemporaryDir store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, "QelSoft", "Qel");
        trainer.setValue("Env/RecDir", folder);
    }

    auto window = std::make_unique<qel::frmMain>();
    if (!window->Form_Load())
        return 1;
    window->show();
    auto *session = window->findChild<qel::FolderSession *>(QStringLiteral("folderSession"));
    const auto quitWhenIdle = QObject::connect(session, &qel::FolderSession::idle, &app, &QCoreApplication::quit);
    if (session->busy())
        QCoreApplication::exec();
    QObject::disconnect(quitWhenIdle);
    auto *list = window->findChild<QTreeView *>(QStringLiteral("lvListView"));
    std::printf("started with %d rows\n", list->model()->rowCount());

    // The stalled files change, and the window is asked to look.
    int changed = 0;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*_Qel?.dat")}, QDir::Files))
        if (name.contains(stalled) && qel::samples::appendRun(QDir(folder).filePath(name)))
            ++changed;
    if (const QString flag = qEnvironmentVariable("QEL_STALL_FLAG"); !flag.isEmpty())
        qel::samples::writeFile(flag, QByteArray("stalled"));
    window->findChild<QAction *>(QStringLiteral("mnuViewRefresh"))->trigger();
    std::printf("changed %d stalled files and asked for a refresh\n", changed);

    QElapsedTimer sinceTick, watching;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    // Commands as a teacher gives them meanwhile: each must come back at once.
    qint64 longestCommand = 0;
    int commands = 0;
    QTimer teacher;
    teacher.setInterval(300);
    QObject::connect(&teacher, &QTimer::timeout, [&] {
        QElapsedTimer took;
        took.start();
        window->findChild<QAction *>(QStringLiteral("mnuListViewMode_%1").arg(commands % 3))->trigger();
        emit list->header()->sectionClicked(0);
        list->viewport()->repaint();
        longestCommand = std::max(longestCommand, took.elapsed());
        ++commands;
    });
    ticker.start();
    teacher.start();
    sinceTick.start();
    watching.start();
    QTimer::singleShot(observe * 1000, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    ticker.stop();
    teacher.stop();
    const QString status = window->findChild<QLabel *>(QStringLiteral("sbStatusBar_1"))->text();
    std::printf("over %d s: longest stretch without painting %lld ms; %d commands, the longest %lld ms\n", observe,
                static_cast<long long>(longestGap), commands, static_cast<long long>(longestCommand));
    std::printf("status bar: %s\n", qUtf8Printable(status));

    QElapsedTimer closing;
    closing.start();
    window->close();
    window.reset();
    std::printf("closing the window took %lld ms\n", static_cast<long long>(closing.elapsed()));
    std::fflush(stdout);
    return 0;
}
