// The folder watch on a system whose notices are used up: Qt warns that it cannot watch
// the folder once each time the folder is there anew, not at every periodic tick. Runs
// through without-watches.sh, which gives it such a system.

#include "session/folderwatch.h"
#include "samples/recordwriter.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString watchedFolder;
int refusals = 0; // Qt's warnings that name the folder (its errno warnings are critical)
QtMessageHandler passOn = nullptr;

void countRefusals(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg) && text.contains(watchedFolder))
        ++refusals;
    passOn(type, context, text);
}

} // namespace

class FolderWatchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QEL_NO_WATCHES_LEFT"))
            QSKIP("needs a system without inotify watches to give: run through without-watches.sh");
        passOn = qInstallMessageHandler(countRefusals);
    }

    // Steps: "file" adds a record file, "remove" removes the folder, "make" makes it again
    // with a record file. A periodic tick follows each; `expected` counts the warnings after.
    void refusedOnceEachTimeTheFolderIsThere_data()
    {
        QTest::addColumn<bool>("thereAtStart");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("there from the start") << true << QStringList{"file", "file", "file"} << QList<int>{1, 1, 1, 1};
        QTest::newRow("made after the watch began") << false << QStringList{"make", "file", "file"} << QList<int>{0, 1, 1, 1};
        QTest::newRow("removed and made again")
            << true << QStringList{"file", "remove", "make", "file"} << QList<int>{1, 1, 1, 2, 2};
    }

    void refusedOnceEachTimeTheFolderIsThere()
    {
        QFETCH(bool, thereAtStart);
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, expected);
        QTemporaryDir base;
        watchedFolder = base.filePath("records");
        int files = 0;
        const auto addFile = [&] {
            const QString name = QDir(watchedFolder).filePath(QStringLiteral("learner%1_Qele.dat").arg(++files));
            return qel::samples::writeFile(name, qel::samples::recordBytes({}));
        };
        QVERIFY(!thereAtStart || (QDir().mkdir(watchedFolder) && addFile()));

        refusals = 0;
        qel::FolderWatch watch;
        QSignalSpy due(&watch, &qel::FolderWatch::due);
        watch.watch(watchedFolder);
        QCOMPARE(refusals, expected[0]);
        for (qsizetype i = 0; i < steps.size(); ++i) {
            if (steps[i] == "remove")
                QVERIFY(QDir(watchedFolder).removeRecursively());
            else
                QVERIFY((steps[i] != "make" || QDir().mkdir(watchedFolder)) && addFile());
            // Two ticks: the first may have begun before the step.
            for (int tick = 0; tick < 2; ++tick) {
                due.clear();
                QVERIFY2(due.wait(30000), qPrintable(steps[i]));
            }
            QVERIFY2(refusals == expected[i + 1], qPrintable(QStringLiteral("step %1 (%2): %3 warnings")
                                                                 .arg(i + 1).arg(steps[i]).arg(refusals)));
        }
    }
};

QTEST_GUILESS_MAIN(FolderWatchTest)

#include "test_folderwatch.moc"
