// The class board: tiles in order of need that follow the table and the clock, the current
// tile kept, keyboard and mouse, names hidden everywhere it shows them, and its outputs.

#include "base/namemask.h"
#include "config/classsettings.h"
#include "dialogs/frmOutputNames.h"
#include "dialogs/frmTargets.h"
#include "mainwindow/classboard.h"
#include "mainwindow/classboardoutput.h"
#include "records/cp932.h"
#include "tests/support/boardrows.h"
#include "tests/support/privatesettings.h"
#include "tests/support/recordingdevice.h"
#include "tests/support/scriptedasker.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace qel;
using qeltest::boardRow;
using qeltest::goodRuns;

namespace {

const QDateTime kStart(QDate(2026, 5, 13), QTime(10, 0, 0));

// Saves to the path given; asks what the scripted Asker asks otherwise.
class SavingAsker : public qeltest::ScriptedAsker {
public:
    QString savePath;
    std::optional<QString> saveFileName(QWidget *, const QString &, const QString &, const QString &,
                                        const QString &) override
    {
        return savePath.isEmpty() ? std::nullopt : std::optional<QString>(savePath);
    }
};

QStringList keysOf(const ClassBoardModel &model)
{
    QStringList keys;
    for (int r = 0; r < model.rowCount(); ++r)
        keys << model.index(r).data(ClassBoardModel::KeyRole).toString();
    return keys;
}

} // namespace

class ClassBoardTest : public QObject {
    Q_OBJECT

    QDateTime now = kStart;

    void useClock(ClassBoard &board)
    {
        board.boardModel()->setClock([this] { return now; });
    }

private slots:
    void init() { now = kStart; }

    void modelKeepsQtsRules()
    {
        ClassBoardModel model;
        model.setClock([this] { return now; });
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        NameMask mask;
        model.setNameMask(&mask);
        model.setRows({boardRow("a", kStart, goodRuns()), boardRow("b", kStart.addDays(-9), {}),
                       qeltest::unreadableRow("c")});
        QCOMPARE(model.rowCount(), 3);
        mask.toggle();
        model.setRows({boardRow("b", kStart, goodRuns())});
        now = now.addDays(1);
        model.reassess();
        QCOMPARE(model.rowCount(), 1);
    }

    // Out of sight the board assesses nothing until it is shown, or an output asks for it.
    void hiddenBoardWaits()
    {
        ClassBoard board;
        useClock(board);
        ClassBoardModel &model = *board.boardModel();
        board.hide();
        board.setRows({boardRow("a", kStart, goodRuns())});
        QCOMPARE(model.rowCount(), 0);
        board.show();
        QCOMPARE(keysOf(model), QStringList({"a_Qele.dat"}));
        board.hide();
        board.setRows({boardRow("c", kStart, goodRuns())});
        model.assessPending();
        QCOMPARE(keysOf(model), QStringList({"c_Qele.dat"}));
    }

    // The order of need follows the table and the time: a tile leaves "練習中" five minutes
    // after its file was written, by the board's own timer, and comes back when the file
    // changes again; the current tile stays on its learner.
    void liveChangeOfState()
    {
        ClassBoard board;
        useClock(board);
        ClassBoardModel &model = *board.boardModel();
        std::vector<TableRow> rows{boardRow("typing", kStart.addSecs(-60), goodRuns()),
                                   boardRow("away", kStart.addDays(-9), goodRuns()),
                                   boardRow("fine", kStart.addSecs(-3600), goodRuns())};
        board.setRows(rows);
        QCOMPARE(keysOf(model), QStringList({"away_Qele.dat", "typing_Qele.dat", "fine_Qele.dat"}));
        QCOMPARE(model.index(1).data(ClassBoardModel::StateRole).toString(), QString("練習中"));
        QCOMPARE(model.recheckDelay().value_or(-1), qint64(4 * 60 * 1000 + 1));
        board.setCurrentKey("fine_Qele.dat");

        // The timer fires when the five minutes are over; the clock has moved on by then.
        rows[0] = boardRow("typing", kStart.addMSecs(-kPractisingMSecs + 50), goodRuns());
        board.setRows(rows);
        QCOMPARE(model.recheckDelay().value_or(-1), qint64(51));
        QSignalSpy reassessed(&model, &ClassBoardModel::reassessed);
        now = kStart.addSecs(1);
        QVERIFY(reassessed.wait(5000));
        QCOMPARE(model.index(1).data(ClassBoardModel::KeyRole).toString(), QString("fine_Qele.dat"));
        QCOMPARE(model.index(2).data(ClassBoardModel::StateRole).toString(), QString("目標達成"));
        QCOMPARE(board.currentKey(), QString("fine_Qele.dat"));

        // The absent learner sits down and practises.
        rows[1] = boardRow("away", now.addSecs(-5), goodRuns());
        board.setRows(rows);
        QCOMPARE(keysOf(model), QStringList({"away_Qele.dat", "fine_Qele.dat", "typing_Qele.dat"}));
        QCOMPARE(model.index(0).data(ClassBoardModel::StateRole).toString(), QString("練習中"));
        QCOMPARE(board.currentKey(), QString("fine_Qele.dat"));

        // A learner whose files went has no tile; nothing is current then.
        board.setRows({rows[0], rows[1]});
        QCOMPARE(board.currentKey(), QString());
    }

    void noRealNameWhileHidden()
    {
        const QStringList names{"山田太郎", "Lee Ann", "=cmd"};
        ClassBoard board;
        useClock(board);
        NameMask mask;
        board.setNameMask(&mask);
        board.setRows({boardRow(names[0], kStart.addSecs(-10), goodRuns()),
                       boardRow(names[1], kStart.addDays(-3), qeltest::sameRuns(10, {60, 900})),
                       boardRow(names[2], kStart.addDays(-20), {}, Kana)});
        mask.setHidden(true);
        board.resize(900, 500);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        const ClassBoardModel &model = *board.boardModel();
        const int roles[] = {Qt::DisplayRole, Qt::ToolTipRole, Qt::AccessibleTextRole, Qt::AccessibleDescriptionRole,
                             ClassBoardModel::StateRole, ClassBoardModel::ReasonsRole, ClassBoardModel::FiguresRole,
                             ClassBoardModel::LastPracticeRole, ClassBoardModel::CourseRole};
        for (int r = 0; r < model.rowCount(); ++r)
            for (int role : roles)
                for (const QString &name : names)
                    QVERIFY2(!model.index(r).data(role).toString().contains(name),
                             qPrintable(QString("row %1 role %2").arg(r).arg(role)));
        QCOMPARE(model.index(0).data(Qt::DisplayRole).toString(), QString("学習者 3")); // the most needy
        QVERIFY(model.index(0).data(Qt::AccessibleTextRole).toString().startsWith("学習者 3、かな/ﾛｰﾏ。20日練習なし"));

        // What the tiles paint.
        test::RecordingDevice device(900, 500, 96);
        board.render(&device);
        QString painted;
        for (const auto &text : device.painting().texts)
            painted += text.text + '\n';
        for (const QString &name : names)
            QVERIFY2(!painted.contains(name), qPrintable(painted));
        QVERIFY(painted.contains("学習者 1") && painted.contains("学習者 2") && painted.contains("学習者 3"));

        mask.setHidden(false);
        QCOMPARE(model.index(0).data(Qt::DisplayRole).toString(), names[2]);
    }

    // Numbers go out in the table's order and stay: a newcomer takes the next one, and a
    // numbering stored and loaded again gives everyone the same.
    void numbersAreStable()
    {
        ClassBoard board;
        useClock(board);
        NameMask mask;
        QSignalSpy numbered(&mask, &NameMask::numberingChanged);
        board.setNameMask(&mask);
        board.setRows({boardRow("b", kStart, goodRuns()), boardRow("c", kStart, goodRuns()),
                       boardRow("b", kStart, goodRuns(), Kana)});
        QCOMPARE(mask.numbering(), QStringList({"b", "c"}));
        board.setRows({boardRow("a", kStart, goodRuns()), boardRow("c", kStart, goodRuns())});
        QCOMPARE(mask.numbering(), QStringList({"b", "c", "a"}));
        QCOMPARE(numbered.count(), 2);

        NameMask restarted;
        restarted.setNumbering(mask.numbering());
        QCOMPARE(restarted.number("a"), 3);
        QCOMPARE(restarted.numbered("new"), QString("学習者 4"));

        // Equal needs in the order of their numbers while hidden, of their names otherwise.
        mask.setHidden(true);
        QCOMPARE(keysOf(*board.boardModel()), QStringList({"c_Qele.dat", "a_Qele.dat"}));
        mask.setHidden(false);
        QCOMPARE(keysOf(*board.boardModel()), QStringList({"a_Qele.dat", "c_Qele.dat"}));
    }

    void keyboardMouseAndGrid()
    {
        ClassBoard board;
        useClock(board);
        std::vector<TableRow> rows;
        for (int i = 0; i < 30; ++i)
            rows.push_back(boardRow(QString("l%1").arg(i, 2, 10, QChar('0')), kStart.addSecs(-3600), goodRuns()));
        board.setRows(rows);
        board.resize(1000, 400);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));

        // Whole tiles across the width, the rest below, scrolled to.
        const int columns = board.viewport()->width() / board.gridSize().width();
        QVERIFY(columns >= 2);
        for (int r = 0; r < 30; ++r) {
            const QRect tile = board.visualRect(board.model()->index(r, 0));
            QVERIFY(tile.left() >= 0 && tile.right() < board.viewport()->width());
        }
        QVERIFY(board.verticalScrollBar()->maximum() > 0);

        QSignalSpy activated(&board, &ClassBoard::learnerActivated);
        board.setFocus();
        board.setCurrentKey("l00_Qele.dat");
        QTest::keyClick(&board, Qt::Key_Right);
        QCOMPARE(board.currentKey(), QString("l01_Qele.dat"));
        QTest::keyClick(&board, Qt::Key_Down);
        QCOMPARE(board.currentIndex().row(), 1 + columns);
        QTest::keyClick(&board, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.takeFirst().at(0).toString(), board.currentKey());

        board.scrollToTop();
        const QRect first = board.visualRect(board.model()->index(0, 0));
        QTest::mouseClick(board.viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.takeFirst().at(0).toString(), QString("l00_Qele.dat"));
    }

    // The CSV file keeps real names unless the numbers are chosen; while the window hides
    // names the numbers are offered first.
    void csvWithTheNamesChosen()
    {
        QTemporaryDir dir;
        ClassBoard board;
        useClock(board);
        NameMask mask;
        board.setNameMask(&mask);
        board.setRows({boardRow("山田", kStart.addDays(-2), goodRuns()), qeltest::unreadableRow("jiro")});
        SavingAsker asker;
        asker.savePath = dir.filePath("board.csv");
        struct Case {
            bool hidden, chooseNumbers;
            QString offered, firstName;
        };
        const Case cases[] = {
            {false, false, "optRealNames", "山田"},
            {false, true, "optRealNames", "学習者 1"},
            {true, false, "optNumbers", "山田"},
        };
        for (const Case &c : cases) {
            mask.setHidden(c.hidden);
            QString offered;
            asker.onDialog = [&](QDialog &dialog) {
                auto &names = dynamic_cast<frmOutputNames &>(dialog);
                offered = names.optNumbers->isChecked() ? "optNumbers" : "optRealNames";
                (c.chooseNumbers ? names.optNumbers : names.optRealNames)->setChecked(true);
                return int(QDialog::Accepted);
            };
            QString saved;
            exportClassBoardCsv(nullptr, board, dir.path(), dir.path(), [&](const QString &in) { saved = in; });
            QCOMPARE(saved, dir.path());
            QCOMPARE(offered, c.offered);
            QFile file(asker.savePath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QStringList lines = fromCp932(file.readAll()).split("\r\n");
            QCOMPARE(lines[0], QString("名前,モード,状態,理由,ステップ,最近のSPM,最近のミスタイプ率,最終練習日時"));
            QVERIFY2(lines[1].startsWith(c.firstName + ",英文,今日は未練習,今日は未練習、目標達成,0,116.5,3.0,"),
                     qPrintable(lines[1]));
            QVERIFY2(lines[2].endsWith(",英文,読み込めません,読み込めません,,,,"), qPrintable(lines[2]));
        }

        // A board given no mask of the window's numbers the names with its own.
        ClassBoard alone;
        alone.setRows({boardRow("山田", kStart, goodRuns())});
        asker.onDialog = [](QDialog &dialog) {
            dynamic_cast<frmOutputNames &>(dialog).optNumbers->setChecked(true);
            return int(QDialog::Accepted);
        };
        bool written = false;
        exportClassBoardCsv(nullptr, alone, dir.path(), dir.path(), [&](const QString &) { written = true; });
        QVERIFY(written);
        QFile numbered(asker.savePath);
        QVERIFY(numbered.open(QIODevice::ReadOnly));
        QVERIFY(fromCp932(numbered.readAll()).contains("\r\n学習者 1,英文,"));

        // Cancelling the choice writes nothing; a record file of the folder is refused.
        written = false;
        const auto wrote = [&](const QString &) { written = true; };
        QVERIFY(QFile::remove(asker.savePath));
        asker.onDialog = [](QDialog &) { return int(QDialog::Rejected); };
        exportClassBoardCsv(nullptr, board, dir.path(), dir.path(), wrote);
        QVERIFY(!QFile::exists(asker.savePath));
        asker.onDialog = [](QDialog &) { return int(QDialog::Accepted); };
        asker.savePath = dir.filePath("taro_Qele.dat");
        exportClassBoardCsv(nullptr, board, dir.path(), dir.path(), wrote);
        QVERIFY(!QFile::exists(asker.savePath));
        QCOMPARE(asker.messages.size(), std::size_t(1));
        // A check given answers later: the file waits for it.
        std::function<void(const QString &)> answer;
        const OutputCheck later = [&](const QString &, std::function<void(const QString &)> done) { answer = done; };
        asker.savePath = dir.filePath("later.csv");
        for (const QString &refusal : {QString("refused"), QString()}) {
            exportClassBoardCsv(nullptr, board, dir.path(), dir.path(), wrote, later);
            QVERIFY(!QFile::exists(asker.savePath));
            answer(refusal);
            QCOMPARE(QFile::exists(asker.savePath), refusal.isEmpty());
            QCOMPARE(written, refusal.isEmpty());
        }
    }

    void targetsDialogStoresAndApplies()
    {
        qeltest::PrivateSettings settings;
        ClassBoard board;
        useClock(board);
        board.setTargets(loadTargets("/class"));
        board.setRows({boardRow("taro", kStart.addSecs(-3600), goodRuns())});
        QCOMPARE(board.boardModel()->index(0).data(ClassBoardModel::StateRole).toString(), QString("目標達成"));

        qeltest::ScriptedAsker asker;
        asker.onDialog = [](QDialog &dialog) {
            auto &targets = dynamic_cast<frmTargets &>(dialog);
            targets.txtSpm[English]->setValue(130);
            targets.txtMistype[Kana]->setValue(2.5);
            return int(QDialog::Accepted);
        };
        QVERIFY(editClassTargets(nullptr, board, "/class"));
        QCOMPARE(board.boardModel()->index(0).data(ClassBoardModel::StateRole).toString(), QString("目標未達"));
        const ClassTargets stored = loadTargets("/class/");
        QCOMPARE(stored.english.spm, 130);
        QCOMPARE(stored.kana.mistypeTenths, 25);
        QCOMPARE(stored.kana.spm, ClassTargets{}.kana.spm);

        // The defaults button, then cancel: nothing changes.
        asker.onDialog = [](QDialog &dialog) {
            dynamic_cast<frmTargets &>(dialog).cmdDefaults->click();
            return int(QDialog::Rejected);
        };
        QVERIFY(!editClassTargets(nullptr, board, "/class"));
        QCOMPARE(loadTargets("/class").english.spm, 130);
        QCOMPARE(board.boardModel()->targets().english.spm, 130);
    }
};

QTEST_MAIN(ClassBoardTest)
#include "test_classboard.moc"
