// The window with the class's history and the class board: the journal fed by what the
// window reads, the board following the folder, and no learner's name anywhere on the
// screen while names are hidden.

#include "config/classsettings.h"
#include "dialogs/frmSearch.h"
#include "history/journalstore.h"
#include "mainwindow/classboard.h"
#include "tests/mainwindow/viewertestsupport.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QTableView>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace qeltest;

namespace {

// Names no caption, message or path of the viewer holds.
const QStringList kSecrets{"Himitsu", "Kakushi", "Naisho"};

// A record written yesterday: its learner has not practised today.
bool writeEarlier(const QString &folder, const QString &name, bool english, const std::vector<int> &spms)
{
    QFile file(QDir(folder).filePath(name + (english ? "_Qele.dat" : "_Qelk.dat")));
    return writeRecord(folder, name, english, spms) && file.open(QIODevice::Append)
           && file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
}

// The first secret name in any text a window and its visible parts show or tell; empty
// when there is none.
QString secretShownIn(QWidget &top)
{
    for (const QString &text : textsShownBy(top))
        for (const QString &secret : kSecrets)
            if (text.contains(secret))
                return QStringLiteral("%1 in \"%2\"").arg(secret, text);
    return {};
}

} // namespace

class FrmMainClassTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    qel::ClassBoard *board() const { return part<qel::ClassBoard>("lvClassBoard"); }
    qel::ClassBoardModel &tiles() const { return *board()->boardModel(); }
    QString tile(const QString &key, int role) const
    {
        return tiles().index(tiles().rowOfKey(key)).data(role).toString();
    }
    // What the list shows in its name column for a learner's English row.
    QString shownInList(const QString &name) const { return model().index(rowOf(name, 4), 0).data().toString(); }

    // Waits until the folder session has handed over the next change it sees.
    void waitForChange()
    {
        QSignalSpy changed(&session(), &qel::FolderSession::tableChanged);
        QVERIFY(changed.wait(10000));
        settle();
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // With names hidden, no learner's name is on the screen: not in any face of the right
    // pane, the tree, the status bar, the dialogs, the history views or a message.
    void hiddenNamesShowNowhere()
    {
        QVERIFY(writeEarlier(folder->path(), "Himitsu", true, {100, 104, 108}));
        QVERIFY(writeEarlier(folder->path(), "Himitsu", false, {60, 61}));
        QVERIFY(writeEarlier(folder->path(), "Kakushi", true, {90}));
#ifdef Q_OS_UNIX
        // There but not readable: a link to a FIFO no open waits on.
        QCOMPARE(::mkfifo(QFile::encodeName(folder->filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(folder->filePath("pipe"), folder->filePath("Naisho_Qele.dat")));
#endif
        open();
        // Gone after the window saw it: "履歴の整理" has a learner without files to name.
        QVERIFY(QFile::remove(folder->filePath("Kakushi_Qele.dat")));
        waitForChange();

        QTest::keyClick(window.get(), Qt::Key_F9);
        QStringList leaks;
        const auto look = [&](QWidget &top, const char *where) {
            if (const QString leak = secretShownIn(top); !leak.isEmpty())
                leaks << QStringLiteral("%1: %2").arg(where, leak);
        };
        int dialogs = 0;
        asker->onDialog = [&](QDialog &dialog) {
            dialog.show();
            look(dialog, dialog.metaObject()->className());
            ++dialogs;
            return int(QDialog::Rejected);
        };
        look(*window, "list");
        const QString himitsu = shownInList("Himitsu");
        QVERIFY(himitsu.startsWith("学習者 "));
        clickNode(learnerNode(himitsu, 4));
        QCOMPARE(heading(), himitsu + "さんの 英文 練習記録グラフです。");
        look(*window, "practice graph");
        QTRY_VERIFY(!session().historyPending(QStringLiteral("Himitsu_Qele.dat")));
        trigger("mnuGraphData"); // the graph's data names the learner as the graph does
        QCOMPARE(dialogs, 1);
        for (const char *face : {"mnuAllStep_0", "mnuViewClassBoard"}) {
            trigger(face);
            look(*window, face);
        }
        selectRow(rowOf("Himitsu", 4));
        setCurrentRow(rowOf("Himitsu", 4));
        for (const char *command : {"mnuPorpPersonal", "mnuHistory", "mnuWeeks"}) {
            const int before = dialogs;
            trigger(command);
            QTRY_COMPARE(dialogs, before + 1);
        }
        // The find dialog finds the learner by the number on display.
        asker->onDialog = [&](QDialog &dialog) {
            auto &find = dynamic_cast<qel::frmSearch &>(dialog);
            find.Text1->setText(himitsu);
            find.Command1_Click(0);
            return dialog.result();
        };
        clearSelection();
        trigger("mnuFileFind");
        QCOMPARE(model().row(currentRow()).key, QString("Himitsu_Qele.dat"));
        look(*window, "found");

        // Questions that name a learner name the number.
        clickNode(learnerNode(himitsu, 5));
        asker->answers = {false};
        trigger("mnuEditOutput");
        QCOMPARE(asker->messages.back().text, himitsu + "のデータを出力しますか？");
        trigger("mnuFileTidyHistory");
        QTRY_COMPARE(asker->messages.size(), std::size_t(3));
        QVERIFY2(asker->messages[1].text.contains("学習者 "), qPrintable(asker->messages[1].text));
        for (const Message &m : asker->messages)
            for (const QString &secret : kSecrets)
                QVERIFY2(!m.text.contains(secret), qPrintable(m.text));
        QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join('\n')));

        // Shown again, the names are back wherever they were hidden.
        trigger("mnuViewHideNames");
        QCOMPARE(shownInList("Himitsu"), QString("Himitsu"));
        QVERIFY(learnerNode("Himitsu", 5));
#ifdef Q_OS_UNIX
        QCOMPARE(tile("Naisho_Qele.dat", Qt::DisplayRole), QString("Naisho"));
        QVERIFY(statusLabel()->toolTip().contains("Naisho_Qele.dat"));
#endif
    }

    // A learner keeps the number from one start to the next; a newcomer gets the next one.
    void numbersStayWithTheirLearners()
    {
        QVERIFY(writeEarlier(folder->path(), "Mori", true, {100}));
        QVERIFY(writeEarlier(folder->path(), "Sato", true, {100}));
        open();
        trigger("mnuViewHideNames");
        const QStringList before{shownInList("Mori"), shownInList("Sato")};
        window->close();
        QVERIFY(writeEarlier(folder->path(), "Abe", true, {100})); // first by name
        openWindow();
        trigger("mnuViewHideNames");
        QCOMPARE((QStringList{shownInList("Mori"), shownInList("Sato"), shownInList("Abe")}),
                 before + QStringList{"学習者 3"});
    }

    // The board comes with its folder's targets and follows the folder: a file written turns
    // its tile to "練習中"; a view switch keeps it with the group's learners; Enter or a click
    // on a tile shows the learner's practice graph, whatever graph was chosen before.
    void theBoardFollowsTheFolder()
    {
        qel::ClassTargets targets; // no minutes to reach: at it now is "練習中", nothing needier
        targets.english.minutesPerWeek = targets.kana.minutesPerWeek = 0;
        QVERIFY(qel::saveTargets(folder->path(), targets));
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121, 122}));
        QVERIFY(writeEarlier(folder->path(), "ben", false, {90}));
        open();
        clickNode(learnerNode("aki", 4));
        trigger("mnuViewGraph_1"); // the time graph
        QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!board()->isHidden() && !listShown() && !graphShown());
        QCOMPARE(heading(), QString("クラスの様子（全体）"));
        QCOMPARE(tiles().targets(), targets);
        QCOMPARE(tile("aki_Qele.dat", qel::ClassBoardModel::StateRole), QString("今日は未練習"));
        QVERIFY(writeRecord(folder->path(), "aki", true, {120, 121, 122, 123}));
        waitForChange();
        QCOMPARE(tile("aki_Qele.dat", qel::ClassBoardModel::StateRole), QString("練習中"));

        showViewMode(2);
        QCOMPARE(heading(), QString("クラスの様子（かな/ローマ）"));
        QCOMPARE(tiles().rowCount(), 1);
        QTest::keyClick(board(), Qt::Key_Home);
        QTest::keyClick(board(), Qt::Key_Return);
        settle();
        QVERIFY(graphShown() && board()->isHidden());
        QCOMPARE(state().pane.nodeKey, QString("ben_Qelk.dat"));
        QCOMPARE(state().graph.personalGraphKind, 0);

        showViewMode(0);
        trigger("mnuViewClassBoard");
        QTest::keyClick(board(), Qt::Key_Right);
        QTest::mouseClick(board()->viewport(), Qt::LeftButton, {}, board()->visualRect(board()->currentIndex()).center());
        settle();
        QCOMPARE(state().pane.nodeKey, tiles().index(1).data(qel::ClassBoardModel::KeyRole).toString());

        QTemporaryDir other; // another folder, its own (default) targets
        chooseFolder(other.path());
        QCOMPARE(tiles().targets(), qel::ClassTargets{});
    }

    // What the window reads goes into the journal, and the learner's history shows it. The
    // board's rules get the journal's figures of the weeks it watched whole: a learner seen
    // since last week has no minutes this week yet; of one first seen today nothing is said,
    // nor of STEPs in two weeks of which the first was not watched whole.
    void theJournalKeepsWhatTheWindowReads()
    {
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121}));
        QVERIFY(writeEarlier(folder->path(), "ben", true, {120, 121}));
        const qint64 lastWeek = QDateTime::currentDateTime().addDays(-7).toMSecsSinceEpoch();
        qel::history::Batch look{folder->path(), qel::AllGroup, lastWeek, {}};
        look.files.push_back(*qel::history::observationOf(
            qel::makeView(folder->path(), qel::scanFolder(folder->path(), 0).nodes).at(1), lastWeek));
        QVERIFY(qel::history::JournalStore(qel::history::defaultDatabasePath()).record(look));
        open();
        QVERIFY(writeRecord(folder->path(), "aki", true, {120, 121, 122, 123, 124}));
        waitForChange();
        QStringList today;
        asker->onDialog = [&](QDialog &dialog) {
            const QAbstractItemModel *periods = dialog.findChild<QTableView *>("tblPeriods")->model();
            today << periods->index(0, 0).data().toString() << periods->index(0, 2).data().toString();
            return int(QDialog::Rejected);
        };
        selectRow(rowOf("aki", 4));
        trigger("mnuHistory");
        QTRY_COMPARE(today, (QStringList{QDate::currentDate().toString("yyyy/MM/dd"), "3"}));

        trigger("mnuViewClassBoard");
        const auto reasons = [this](const QString &key) { return tile(key, qel::ClassBoardModel::ReasonsRole); };
        QTRY_VERIFY(reasons("ben_Qele.dat").contains("今週 0分 (目標 60分)"));
        QVERIFY2(!reasons("aki_Qele.dat").contains("今週"), qPrintable(reasons("aki_Qele.dat")));
        QVERIFY2(!reasons("ben_Qele.dat").contains("STEP"), qPrintable(reasons("ben_Qele.dat")));
    }
};

QTEST_MAIN(FrmMainClassTest)
#include "test_frmmain_class.moc"
