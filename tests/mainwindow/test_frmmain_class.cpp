// The window with the class's history and the class board: the journal fed by what the
// window reads, the board following the folder, and no learner's name anywhere on the
// screen while names are hidden.

#include "base/namemask.h"
#include "config/classsettings.h"
#include "dialogs/frmHistory.h"
#include "dialogs/frmPropaty.h"
#include "dialogs/frmSearch.h"
#include "dialogs/frmWeeks.h"
#include "history/journal.h"
#include "history/journalstore.h"
#include "mainwindow/classboard.h"
#include "records/cp932.h"
#include "tests/mainwindow/viewertestsupport.h"

#include <QAbstractButton>
#include <QFile>
#include <QFutureWatcher>
#include <QLineEdit>
#include <QTableView>
#include <sys/stat.h>

using namespace qeltest;

namespace {

// Names no caption, message or path of the viewer holds.
const QStringList kSecrets{"Himitsu", "Kakushi", "Naisho"};

const QDateTime kYesterday = QDateTime::currentDateTime().addDays(-1);

// A record written a while ago: its learner has not practised today.
bool writeEarlier(const QString &folder, const QString &name, bool english, const std::vector<int> &spms)
{
    QFile file(QDir(folder).filePath(name + (english ? "_Qele.dat" : "_Qelk.dat")));
    return writeRecord(folder, name, english, spms) && file.open(QIODevice::Append)
           && file.setFileTime(kYesterday, QFileDevice::FileModificationTime);
}

void textsOfModel(const QAbstractItemModel &model, const QModelIndex &parent, QStringList &texts)
{
    for (int c = 0; c < model.columnCount(parent); ++c)
        texts << model.headerData(c, Qt::Horizontal).toString();
    for (int r = 0; r < model.rowCount(parent); ++r)
        for (int c = 0; c < model.columnCount(parent); ++c) {
            const QModelIndex index = model.index(r, c, parent);
            for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole), int(Qt::AccessibleTextRole),
                             int(Qt::AccessibleDescriptionRole), int(Qt::StatusTipRole)})
                texts << index.data(role).toString();
            if (c == 0 && model.hasChildren(index))
                textsOfModel(model, index, texts);
        }
}

// Every text a window and its visible parts show or tell: titles, captions, contents,
// tips, accessible texts and the cells of its item views.
QStringList shownTexts(QWidget &top)
{
    QList<QWidget *> widgets = top.findChildren<QWidget *>();
    widgets.prepend(&top);
    QStringList texts;
    for (QWidget *w : widgets) {
        if (!w->isVisible())
            continue;
        texts << w->windowTitle() << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            texts << edit->text();
        if (auto *view = qobject_cast<QAbstractItemView *>(w); view && view->model())
            textsOfModel(*view->model(), QModelIndex(), texts);
    }
    return texts;
}

// The first secret name found in the texts; empty when there is none.
QString secretIn(const QStringList &texts)
{
    for (const QString &text : texts)
        for (const QString &secret : kSecrets)
            if (text.contains(secret))
                return QStringLiteral("%1 in \"%2\"").arg(secret, text);
    return {};
}

template <typename T> T waitFor(const QFuture<T> &future)
{
    QFutureWatcher<T> watcher;
    QSignalSpy finished(&watcher, &QFutureWatcherBase::finished);
    watcher.setFuture(future);
    if (!future.isFinished())
        finished.wait(10000);
    return future.result();
}

// Saves to the path given, if any; answers the rest from its script.
class SavingAsker : public ScriptedAsker {
public:
    std::optional<QString> savePath;
    std::optional<QString> saveFileName(QWidget *, const QString &, const QString &, const QString &,
                                        const QString &) override
    {
        return savePath;
    }
};

} // namespace

class FrmMainClassTest : public QObject, protected WindowFixture<SavingAsker> {
    Q_OBJECT

private:
    qel::ClassBoard *board() const { return part<qel::ClassBoard>("lvClassBoard"); }
    qel::ClassBoardModel &tiles() const { return *board()->boardModel(); }
    qel::history::Journal &journal() const { return *window->findChild<qel::history::Journal *>("journal"); }
    bool boardShown() const { return !board()->isHidden(); }

    QString tile(const QString &key, int role) const
    {
        const int row = tiles().rowOfKey(key);
        return row < 0 ? QString("(no tile)") : tiles().index(row).data(role).toString();
    }

    // What the list shows in its name column for a learner's row.
    QString shownInList(const QString &name, int icon = 4) const
    {
        return model().index(rowOf(name, icon), 0).data().toString();
    }

    // Waits until the folder session has handed over the next change it sees.
    void waitForChange()
    {
        QSignalSpy changed(&session(), &qel::FolderSession::tableChanged);
        QVERIFY(changed.wait(10000));
        settle();
    }

    void writeSecretClass()
    {
        QVERIFY(writeEarlier(folder->path(), "Himitsu", true, {100, 104, 108}));
        QVERIFY(writeEarlier(folder->path(), "Himitsu", false, {60, 61}));
        QVERIFY(writeEarlier(folder->path(), "Kakushi", true, {90}));
        // There but not readable: a link to a FIFO no open waits on.
        QCOMPARE(::mkfifo(QFile::encodeName(folder->filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(folder->filePath("pipe"), folder->filePath("Naisho_Qele.dat")));
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // With names hidden, no learner's name is on the screen: not in any face of the right
    // pane, the tree, the status bar, the dialogs, the history views or a message.
    void hiddenNamesShowNowhere()
    {
        writeSecretClass();
        open();
        QCOMPARE(rowCount(), 4);
        // Kakushi's file goes after the window saw it: the history keeps a learner without
        // files for "履歴の整理" to name.
        QVERIFY(QFile::remove(folder->filePath("Kakushi_Qele.dat")));
        waitForChange();
        QCOMPARE(rowCount(), 3);

        QTest::keyClick(window.get(), Qt::Key_F9);
        QVERIFY(action("mnuViewHideNames")->isChecked());
        QStringList leaks;
        const auto look = [&](QWidget &top, const char *where) {
            if (const QString leak = secretIn(shownTexts(top)); !leak.isEmpty())
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
        QVERIFY(statusLabel()->toolTip().contains("（英文）"));
        const QString himitsu = shownInList("Himitsu");
        QVERIFY(himitsu.startsWith("学習者 "));
        clickNode(learnerNode(himitsu, 4));
        QVERIFY(graphShown());
        QCOMPARE(heading(), himitsu + "さんの 英文 練習記録グラフです。");
        look(*window, "practice graph");
        trigger("mnuViewGraph_1");
        look(*window, "time graph");
        trigger("mnuAllStep_0");
        look(*window, "statistics graph");
        trigger("mnuViewClassBoard");
        QVERIFY(boardShown());
        look(*window, "class board");

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
        QVERIFY(rowSelected(currentRow()));
        look(*window, "found");

        // Questions that name a learner name the number.
        tree()->setFocus();
        clickNode(learnerNode(himitsu, 5));
        asker->answers = {false};
        trigger("mnuEditOutput");
        QCOMPARE(asker->messages.back().text, himitsu + "のデータを出力しますか？");
        asker->answers = {true};
        trigger("mnuFileTidyHistory");
        QTRY_COMPARE(asker->messages.size(), std::size_t(3));
        QVERIFY2(asker->messages[1].text.contains("学習者 "),
                 qPrintable(asker->messages[1].text));
        for (const Message &m : asker->messages)
            QVERIFY2(secretIn({m.text, m.title}).isEmpty(), qPrintable(m.text));

        QCOMPARE(dialogs, 3);
        QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join('\n')));

        // Shown again, the names are back wherever they were hidden.
        trigger("mnuViewHideNames");
        QVERIFY(!action("mnuViewHideNames")->isChecked());
        QCOMPARE(shownInList("Himitsu"), QString("Himitsu"));
        QVERIFY(learnerNode("Himitsu", 5));
        QCOMPARE(tile("Naisho_Qele.dat", Qt::DisplayRole), QString("Naisho"));
        QVERIFY(statusLabel()->toolTip().contains("Naisho_Qele.dat"));
    }

    // A learner keeps the number from one start to the next; a newcomer gets the next one.
    void numbersStayWithTheirLearners()
    {
        QVERIFY(writeEarlier(folder->path(), "Mori", true, {100}));
        QVERIFY(writeEarlier(folder->path(), "Sato", true, {100}));
        open();
        trigger("mnuViewHideNames");
        const QString mori = shownInList("Mori"), sato = shownInList("Sato");
        QVERIFY(mori != sato);
        window->close();

        QVERIFY(writeEarlier(folder->path(), "Abe", true, {100})); // first by name
        openWindow();
        trigger("mnuViewHideNames");
        QCOMPARE(shownInList("Mori"), mori);
        QCOMPARE(shownInList("Sato"), sato);
        QCOMPARE(shownInList("Abe"), qel::NameMask::numberText(3));
    }

    // The board follows the folder: a file written turns its tile to "練習中".
    void theBoardFollowsTheFolder()
    {
        // No minutes to reach: a learner at it now is "練習中", nothing more needy.
        qel::ClassTargets targets;
        targets.english.minutesPerWeek = targets.kana.minutesPerWeek = 0;
        QVERIFY(qel::saveTargets(folder->path(), targets));
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121, 122}));
        QVERIFY(writeEarlier(folder->path(), "ben", false, {90}));
        open();
        QVERIFY(!boardShown());
        QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
        settle();
        QVERIFY(boardShown());
        QVERIFY(!listShown());
        QVERIFY(!graphShown());
        QCOMPARE(heading(), QString("クラスの様子（全体）"));
        QVERIFY(board()->hasFocus());
        QCOMPARE(tile("aki_Qele.dat", qel::ClassBoardModel::StateRole), QString("今日は未練習"));

        QVERIFY(writeRecord(folder->path(), "aki", true, {120, 121, 122, 123}));
        waitForChange();
        QCOMPARE(tile("aki_Qele.dat", qel::ClassBoardModel::StateRole), QString("練習中"));
        QVERIFY(QFile::remove(folder->filePath("ben_Qelk.dat")));
        waitForChange();
        QCOMPARE(tiles().rowCount(), 1);

        // A view switch keeps the board on display with the group's learners.
        QVERIFY(writeEarlier(folder->path(), "chie", false, {80}));
        waitForChange();
        showViewMode(2);
        QVERIFY(boardShown());
        QCOMPARE(heading(), QString("クラスの様子（かな/ローマ）"));
        QCOMPARE(board()->group(), 2);
        QCOMPARE(tiles().rowCount(), 1);
        QCOMPARE(tile("chie_Qelk.dat", Qt::DisplayRole), QString("chie"));
        // The list comes back in the board's place.
        clickNode(rootNode());
        QVERIFY(listShown());
        QVERIFY(!boardShown());
    }

    // A tile chosen by click or Enter shows the learner's practice graph, whatever graph
    // was chosen before; the arrows move between tiles.
    void tilesOpenTheLearnersPracticeGraph()
    {
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121, 122}));
        QVERIFY(writeEarlier(folder->path(), "ben", true, {90, 91}));
        open();
        clickNode(learnerNode("aki", 4));
        trigger("mnuViewGraph_1"); // the time graph
        QCOMPARE(state().graph.personalGraphKind, 1);

        trigger("mnuViewClassBoard");
        const QModelIndex first = board()->currentIndex();
        QVERIFY(first.isValid());
        QTest::keyClick(board(), Qt::Key_Right);
        const QModelIndex second = board()->currentIndex();
        QCOMPARE(second.row(), 1);
        const QString key = second.data(qel::ClassBoardModel::KeyRole).toString();
        QTest::keyClick(board(), Qt::Key_Return);
        settle();
        QVERIFY(graphShown());
        QVERIFY(!boardShown());
        QCOMPARE(state().pane.nodeKey, key);
        QCOMPARE(state().graph.personalGraphKind, 0);
        QCOMPARE(qel::nodeKey(currentNode()), key);

        trigger("mnuViewClassBoard");
        const QString other = first.data(qel::ClassBoardModel::KeyRole).toString();
        QTest::mouseClick(board()->viewport(), Qt::LeftButton, {},
                          board()->visualRect(tiles().index(tiles().rowOfKey(other))).center());
        settle();
        QVERIFY(graphShown());
        QCOMPARE(state().pane.nodeKey, other);
    }

    // What the window reads goes into the journal; the history views show it.
    void theJournalKeepsWhatTheWindowRead()
    {
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121}));
        QVERIFY(writeEarlier(folder->path(), "ben", true, {90}));
        open();
        QVERIFY(writeRecord(folder->path(), "aki", true, {120, 121, 122, 123, 124}));
        waitForChange();

        const qel::history::LearnerHistory aki = waitFor(journal().learnerHistory(folder->path(), "aki_Qele.dat"));
        QVERIFY(aki.known());
        QCOMPARE(aki.days.back().first, QDate::currentDate());
        QCOMPARE(aki.days.back().runs, std::int64_t(3));

        // The window's command shows the same, for the learner of the selected row.
        QStringList periods;
        asker->onDialog = [&](QDialog &dialog) {
            const auto *table = dialog.findChild<QTableView *>("tblPeriods");
            if (table)
                periods << table->model()->index(0, 2).data().toString();
            return int(QDialog::Rejected);
        };
        selectRow(rowOf("aki", 4));
        setCurrentRow(rowOf("aki", 4));
        trigger("mnuHistory");
        QTRY_COMPARE(periods, QStringList{"3"});

        // The week's comparison lists the group's learners in the list's order.
        clickHeader(0); // names, descending
        QStringList learners;
        asker->onDialog = [&](QDialog &dialog) {
            if (const auto *table = dialog.findChild<QTableView *>("tblWeeks"))
                for (int r = 0; r < table->model()->rowCount(); ++r)
                    learners << table->model()->index(r, 0).data().toString();
            return int(QDialog::Rejected);
        };
        trigger("mnuWeeks");
        QTRY_COMPARE(learners, (QStringList{"ben", "aki"}));
    }

    // The board's rules get the journal's figures of the weeks it watched whole: a learner
    // seen since last week has no minutes this week yet; of one first seen today nothing is
    // said.
    void theBoardMeasuresTheWeeksTheJournalWatched()
    {
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121}));
        QVERIFY(writeEarlier(folder->path(), "ben", true, {120, 121}));
        {
            const qint64 lastWeek = QDateTime::currentDateTime().addDays(-7).toMSecsSinceEpoch();
            qel::history::Batch look{folder->path(), qel::AllGroup, lastWeek, {}};
            for (const qel::TableRow &row : qel::makeView(folder->path(), qel::scanFolder(folder->path(), 0).nodes))
                if (row.name == "ben")
                    look.files.push_back(*qel::history::observationOf(row, lastWeek));
            qel::history::JournalStore store(qel::history::defaultDatabasePath());
            QVERIFY(store.record(look));
        }
        open();
        trigger("mnuViewClassBoard");
        const auto reasons = [this](const QString &key) { return tile(key, qel::ClassBoardModel::ReasonsRole); };
        QTRY_VERIFY(reasons("ben_Qele.dat").contains("今週 0分 (目標 60分)"));
        QVERIFY2(!reasons("aki_Qele.dat").contains("今週"), qPrintable(reasons("aki_Qele.dat")));
        // Last week was not watched whole: nothing is said of STEPs in two weeks.
        QVERIFY2(!reasons("ben_Qele.dat").contains("STEP"), qPrintable(reasons("ben_Qele.dat")));
    }

    // The board's CSV file: the names the teacher chooses, the folder remembered for the next
    // export; never over a file of the record folder.
    void theBoardsCsvFile()
    {
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121, 122}));
        open();
        trigger("mnuViewHideNames");
        asker->onDialog = [](QDialog &) { return int(QDialog::Accepted); }; // numbers, offered first
        asker->savePath = out->filePath("board.csv");
        trigger("mnuClassBoardCSV");
        QFile file(*asker->savePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(qel::toCp932(shownInList("aki") + ",")));
        QCOMPARE(state().csvFolder, out->path());

        asker->savePath = folder->filePath("aki_Qele.dat");
        const QByteArray record = [&] {
            QFile f(*asker->savePath);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        trigger("mnuClassBoardCSV");
        QCOMPARE(asker->messages.size(), std::size_t(1));
        QVERIFY(asker->messages[0].text.contains("上書きできません"));
        QFile kept(*asker->savePath);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), record);
        QCOMPARE(state().csvFolder, out->path());
    }

    // Each record folder has its own targets: they come with the folder.
    void targetsComeWithTheFolder()
    {
        qel::ClassTargets strict;
        strict.english.spm = 150;
        QVERIFY(qel::saveTargets(folder->path(), strict));
        QVERIFY(writeEarlier(folder->path(), "aki", true, {120, 121, 122}));
        open();
        QCOMPARE(tiles().targets().english.spm, 150);

        QTemporaryDir other;
        chooseFolder(other.path());
        QCOMPARE(tiles().targets(), qel::ClassTargets{});
        QCOMPARE(tiles().rowCount(), 0);
    }
};

QTEST_MAIN(FrmMainClassTest)
#include "test_frmmain_class.moc"
