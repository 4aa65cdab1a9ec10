// The real window following its record folder while files change under it: rows follow and
// are marked, only changed files are read, the teacher's place stays, nothing happens in
// the middle of a command.

#include "mainwindow/icons.h"
#include "records/learnertable.h"
#include "tests/mainwindow/viewertestsupport.h"
#include "tests/support/readcounter.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <mutex>

using namespace qeltest;

namespace {

// An old file, as a class's files are between runs: its identity tells any change.
const QDateTime kLongAgo = QDateTime::currentDateTime().addDays(-1);

bool writeOld(const QString &folder, const QString &name, bool english, const std::vector<int> &spms)
{
    QFile file(QDir(folder).filePath(name + (english ? "_Qele.dat" : "_Qelk.dat")));
    return writeRecord(folder, name, english, spms) && file.open(QIODevice::Append)
           && file.setFileTime(kLongAgo, QFileDevice::FileModificationTime);
}

} // namespace

class FrmMainRefreshTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    // Names and figure texts of the list, top to bottom.
    QStringList shownRows() const
    {
        QStringList rows;
        for (int r = 0; r < rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 8; ++c)
                cells << rowText(r, c);
            rows << cells.join('|');
        }
        return rows;
    }

    // What a full read of the group gives, in folder order.
    QStringList fullRead() const
    {
        const qel::ScanResult scan = qel::scanFolder(folder->path(), state().viewMode);
        QStringList rows;
        for (const qel::TableRow &row : qel::makeView(folder->path(), scan.nodes))
            rows << row.name + '|' + QStringList(row.cells.begin(), row.cells.end()).join('|');
        return rows;
    }

    QStringList markedNames() const
    {
        QStringList marked;
        for (int r = 0; r < rowCount(); ++r)
            if (model().isMarked(r))
                marked << rowText(r);
        return marked;
    }

    QStringList selectedNames() const
    {
        QStringList selected;
        for (int r = 0; r < rowCount(); ++r)
            if (rowSelected(r))
                selected << rowText(r) + '/' + QString::number(model().row(r).icon);
        return selected;
    }

    QString runsOf(const QString &name, int icon = 4) const { return rowText(rowOf(name, icon), 3).trimmed(); }

    void writeClass()
    {
        QVERIFY(writeOld(folder->path(), "aki", true, {60, 62}));
        QVERIFY(writeOld(folder->path(), "aki", false, {50}));
        QVERIFY(writeOld(folder->path(), "ben", true, {70, 71, 75}));
        QVERIFY(writeOld(folder->path(), "chie", true, {80}));
        QVERIFY(writeOld(folder->path(), "dai", true, {90, 95}));
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void aRunAppendedUpdatesThatRowAloneAndMarksIt()
    {
        writeClass();
        open();
        const QStringList before = shownRows();
        const QString status = this->status();
        ReadCounter reads;

        QVERIFY(writeRecord(folder->path(), "ben", true, {70, 71, 75, 78})); // a run more
        QTRY_COMPARE(runsOf("ben"), QString("4"));

        QCOMPARE(reads.opens.size(), std::size_t(1));
        QCOMPARE(reads.opens.begin()->first, folder->filePath("ben_Qele.dat"));
        QCOMPARE(shownRows(), fullRead());
        for (int r = 0; r < rowCount(); ++r)
            if (rowText(r) != "ben")
                QCOMPARE(shownRows()[r], before[r]);
        QCOMPARE(markedNames(), QStringList{"ben"});
        QCOMPARE(list()->model()->data(model().index(rowOf("ben", 4), 2), Qt::BackgroundRole).isValid(), true);
        QCOMPARE(this->status(), status);
        // The mark fades.
        model().expireMarks(QDateTime::currentMSecsSinceEpoch() + qel::LearnerListModel::kMarkMSecs);
        QVERIFY(markedNames().isEmpty());
    }

    void filesAddedRemovedAndReplaced()
    {
        writeClass();
        open();
        QVERIFY(writeOld(folder->path(), "emi", false, {40, 45}));
        QTRY_COMPARE(status(), QString("6個の成績データファイル"));
        QVERIFY(learnerNode("emi", 5));
        const auto looks = [](const QIcon &icon) { return icon.pixmap(16).toImage(); };
        QCOMPARE(looks(learnerNode("emi", 5)->icon(0)), looks(qel::icons::image(5)));
        QCOMPARE(looks(learnerNode("aki", 4)->icon(0)), looks(qel::icons::image(4)));
        QCOMPARE(markedNames(), QStringList{"emi"});

        QVERIFY(QFile::remove(folder->filePath("chie_Qele.dat")));
        QTRY_COMPARE(status(), QString("5個の成績データファイル"));
        QVERIFY(!learnerNode("chie"));
        QCOMPARE(rowOf("chie", 4), -1);

        // The trainer writes a new file and renames it over the old one.
        QVERIFY(writeRecord(folder->path(), "new", true, {10, 20, 30, 40, 50}));
        QVERIFY(QFile::remove(folder->filePath("dai_Qele.dat")));
        QVERIFY(QFile::rename(folder->filePath("new_Qele.dat"), folder->filePath("dai_Qele.dat")));
        QTRY_COMPARE(runsOf("dai"), QString("5"));

        QCOMPARE(shownRows(), fullRead());
        QStringList nodes;
        for (int i = 0; i < rootNode()->childCount(); ++i)
            nodes << qel::nodeKey(rootNode()->child(i));
        QCOMPARE(nodes, (QStringList{"aki_Qele.dat", "aki_Qelk.dat", "ben_Qele.dat", "dai_Qele.dat", "emi_Qelk.dat"}));
        QCOMPARE(state().collections.groupRunCounts, (std::vector<std::int32_t>{2, 1, 3, 5, 2}));
    }

    void theTeachersPlaceStays()
    {
        writeClass();
        for (int i = 0; i < 60; ++i) // enough rows to scroll
            QVERIFY(writeOld(folder->path(), QString("zz%1").arg(i, 2, 10, QChar('0')), true, {i}));
        open();
        showViewMode(1);
        clickHeader(3); // "練習回数", descending
        const int rows = rowCount();
        clearSelection();
        selectRow(rowOf("chie", 4));
        selectRow(rowOf("aki", 4));
        setCurrentRow(rowOf("aki", 4));
        list()->verticalScrollBar()->setValue(list()->verticalScrollBar()->maximum() / 2);
        const int scrolled = list()->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);

        // chie practises three runs: her row moves up the descending run counts.
        QVERIFY(writeRecord(folder->path(), "chie", true, {80, 81, 82, 83}));
        QTRY_COMPARE(runsOf("chie"), QString("4"));
        QCOMPARE(state().viewMode, 1);
        QCOMPARE(rowCount(), rows);
        QCOMPARE(rowOf("chie", 4), 0);
        QStringList counts;
        for (int r = 0; r < rowCount(); ++r)
            counts << rowText(r, 3);
        QStringList sorted = counts;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        QCOMPARE(counts, sorted);
        QCOMPARE(list()->header()->sortIndicatorSection(), 3);
        QCOMPARE(selectedNames(), (QStringList{"chie/4", "aki/4"}));
        QCOMPARE(rowText(currentRow()), QString("aki"));
        QCOMPARE(list()->verticalScrollBar()->value(), scrolled);

        // A graph on display stays, and follows its learner's file.
        clickNode(learnerNode("ben", 4));
        QVERIFY(graphShown());
        QVERIFY(writeRecord(folder->path(), "ben", true, {70, 71, 75, 150}));
        QTRY_VERIFY(heading().contains("ben"));
        QTRY_COMPARE(state().pane.learner.bestSpm.trimmed(), QString("150"));
        QVERIFY(graphShown());
        QCOMPARE(state().pane.nodeKey, QString("ben_Qele.dat"));
        QCOMPARE(currentNode(), learnerNode("ben", 4));

        // Its learner's file goes: the list comes back, nobody is asked anything.
        QVERIFY(QFile::remove(folder->filePath("ben_Qele.dat")));
        QTRY_VERIFY(!learnerNode("ben"));
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        QCOMPARE(currentNode(), rootNode());
        QVERIFY(asker->messages.empty());
    }

    void aBurstGivesOneRefresh()
    {
        writeClass();
        open();
        // A refresh tells the list once that all its rows may have changed.
        int refreshes = 0;
        connect(&model(), &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                    refreshes += from.row() == 0 && to.row() == rowCount() - 1 && roles.isEmpty();
                });
        for (int i = 0; i < 200; ++i)
            QVERIFY(writeOld(folder->path(), QString("learner%1").arg(i, 3, 10, QChar('0')), i % 2, {i % 90}));
        QTRY_COMPARE(status(), QString("205個の成績データファイル"));
        QTest::qWait(1500); // no second refresh trails the first
        QCOMPARE(refreshes, 1);
        QCOMPARE(shownRows(), fullRead());
        QCOMPARE(markedNames().size(), 200);
    }

    void waitsWhileADialogIsOpen()
    {
        writeClass();
        open();
        QString duringDialog;
        asker->onDialog = [&](QDialog &) {
            writeRecord(folder->path(), "aki", true, {60, 62, 64});
            QTest::qWait(1500);
            duringDialog = runsOf("aki");
            return int(QDialog::Rejected);
        };
        trigger("mnuHelpAbout");
        QCOMPARE(duringDialog, QString("2"));
        QTRY_COMPARE(runsOf("aki"), QString("3"));
    }

    void closedDuringAScanTheWindowStillEndsWhole()
    {
        for (int i = 0; i < 400; ++i)
            QVERIFY(writeOld(folder->path(), QString("p%1").arg(i, 3, 10, QChar('0')), i % 3 != 0, {i % 90}));
        open();
        // The close comes while the view switch scans away from the window's thread (or,
        // when the scan wins the race, just after): the outcome is the same.
        QTimer::singleShot(0, window.get(), [this] { window->close(); });
        showViewMode(2);
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(settings->viewerValue("AutoRefresh").toInt(), 1);
        QCOMPARE(status(), QString("134個の成績データファイル"));
        QCOMPARE(shownRows(), fullRead());
    }

    // Once the window is up, every file of the folder is opened away from its thread: view
    // switches, graphs, properties, printouts, the export, the group figures, F5, the class
    // board and its outputs, the history views, deletion.
    void theWindowsThreadOpensNoRecordFile()
    {
        writeClass();
        QVERIFY(writeSettingsFile(folder->path(), "ben"));
        open();
        ReadCounter reads;
        asker->onDialog = [this](QDialog &dialog) {
            dialog.show();
            settle();
            return int(QDialog::Accepted);
        };
        showViewMode(1);
        showViewMode(0);
        clickNode(learnerNode("ben", 4));
        trigger("mnuViewGraph_1");
        trigger("mnuPorpPersonal");
        trigger("mnuPropAll");
        trigger("mnuPopEditPreview");
        trigger("mnuViewRefresh");
        trigger("mnuPopReport");
        // The class board, a tile's graph, its outputs and the history views.
        trigger("mnuViewClassBoard");
        QTest::keyClick(part("lvClassBoard"), Qt::Key_Return);
        for (const char *command : {"mnuPreviewClassBoard", "mnuClassBoardCSV", "mnuHistory", "mnuWeeks",
                                    "mnuFileTidyHistory"})
            trigger(command);
        QTRY_COMPARE(asker->messages.size(), std::size_t(1)); // nothing to tidy, said once the journal answered
        trigger("mnuPopReport");
        selectRow(rowOf("chie", 4));
        trigger("mnuFileDelete");
        QCOMPARE(rowOf("chie", 4), -1);

        QVERIFY(reads.opens.size() >= 5);
        QCOMPARE(reads.opensOnThisThread, 0);
    }

    // A file server that stops answering holds up no paint and no command: the window says
    // so, keeps what it showed, and closes at once.
    void aStalledReadKeepsTheWindowAnsweringAndLetsItClose()
    {
        writeClass();
        open();
        const QStringList before = shownRows();

        struct Gate {
            std::mutex lock;
            std::condition_variable open;
            bool released = false;
        };
        auto gate = std::make_shared<Gate>();
        const QString stalled = folder->filePath("ben_Qele.dat");
        const qel::FileReadObserver previous = qel::setFileReadObserver([gate, stalled](const qel::FileReadEvent &e) {
            if (e.kind != qel::FileReadEvent::Opened || e.path != stalled)
                return;
            std::unique_lock guard(gate->lock);
            gate->open.wait(guard, [&] { return gate->released; });
        });
        const auto release = [&] {
            {
                std::lock_guard guard(gate->lock);
                gate->released = true;
            }
            gate->open.notify_all();
            qel::setFileReadObserver(previous);
        };

        QSignalSpy health(&session(), &qel::FolderSession::healthChanged);
        QVERIFY(writeRecord(folder->path(), "ben", true, {70, 71, 75, 78}));
        QVERIFY(writeRecord(folder->path(), "dai", true, {90, 95, 99}));
        QTest::keyClick(window.get(), Qt::Key_F5);
        if (!health.wait(qel::FolderSession::kNotAnsweringMSecs * 4)) {
            release();
            QFAIL("the folder was never said not to answer");
        }
        QVERIFY(status().contains(QStringLiteral("応答しません")));
        // Nothing half-read: neither the stalled file's row nor the other changed one moved.
        QCOMPARE(shownRows(), before);

        // Commands go on: a sort, a view switch, a graph of what was read.
        PaintCounter paints;
        list()->viewport()->installEventFilter(&paints);
        clickHeader(0);
        QCOMPARE(names().front(), QString("dai"));
        action("mnuListViewMode_1")->trigger();
        QCOMPARE(rowCount(), 4);
        list()->viewport()->repaint();
        QVERIFY(paints.paints > 0);

        // Closing ends the window without waiting for the server.
        window->close();
        window.reset();
        release();
    }

    void switchedOffItWaitsForF5AndRemembers()
    {
        writeClass();
        open();
        trigger("mnuViewAutoRefresh");
        QVERIFY(!state().autoRefresh);
        QVERIFY(writeRecord(folder->path(), "dai", true, {90, 95, 99}));
        QTest::qWait(1500);
        QCOMPARE(runsOf("dai"), QString("2"));

        ReadCounter reads;
        QTest::keyClick(window.get(), Qt::Key_F5); // "最新の情報に更新": every file read
        settle();
        QCOMPARE(runsOf("dai"), QString("3"));
        QCOMPARE(reads.opens.size(), std::size_t(5));
        QCOMPARE(markedNames(), QStringList{"dai"});

        window->close();
        QCOMPARE(settings->viewerValue("AutoRefresh").toInt(), 0);
        openWindow();
        QVERIFY(!action("mnuViewAutoRefresh")->isChecked());
        QVERIFY(!state().autoRefresh);
        // Switched on in a window that started without it, the list follows from then on.
        trigger("mnuViewAutoRefresh");
        QVERIFY(writeRecord(folder->path(), "dai", true, {90, 95, 99, 99}));
        QTRY_COMPARE(runsOf("dai"), QString("4"));
    }

    // A letter twice in one menu only moves between its items.
    void menuAcceleratorsAreDistinct_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("items");
        QTest::newRow("file") << "mnuFile" << 8;
        QTest::newRow("print") << "mnuPrint" << 6;
        QTest::newRow("view") << "mnuView" << 16;
        QTest::newRow("learner pop-up") << "menuPop" << 6;
        QTest::newRow("group pop-up") << "menuPopAll" << 5;
    }

    void menuAcceleratorsAreDistinct()
    {
        QFETCH(QString, name);
        QFETCH(int, items);
        open();
        QStringList letters;
        for (const QAction *a : menu(name)->actions()) {
            const QRegularExpressionMatch m = QRegularExpression("&(\\w)").match(a->text());
            if (m.hasMatch())
                letters << m.captured(1).toUpper();
        }
        QCOMPARE(letters.size(), items);
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
    }
};

QTEST_MAIN(FrmMainRefreshTest)
#include "test_frmmain_refresh.moc"
