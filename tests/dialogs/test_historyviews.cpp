// The history views: the learner's record, the group's two weeks with its CSV and printout,
// and the window's commands that open them from the journal.

#include "dialogs/frmHistory.h"
#include "dialogs/frmWeeks.h"
#include "dialogs/historymodels.h"
#include "dialogs/historyviews.h"
#include "history/journal.h"
#include "records/cp932.h"
#include "records/learnertable.h"
#include "reports/outputfile.h"
#include "samples/recordwriter.h"
#include "tests/support/dialogframe.h"
#include "tests/support/scriptedasker.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QFile>
#include <QFutureWatcher>
#include <QIcon>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace qel;
using namespace qel::history;

namespace {

// Answers the save dialog with a path.
class SavingAsker : public qeltest::ScriptedAsker {
public:
    std::optional<QString> savePath;
    std::optional<QString> saveFileName(QWidget *, const QString &, const QString &, const QString &,
                                        const QString &) override
    {
        return savePath;
    }
};

WeekComparison threeLearners()
{
    WeekComparison c;
    c.today = QDate(2026, 11, 25);
    c.thisWeek = QDate(2026, 11, 23);
    c.lastWeek = QDate(2026, 11, 16);
    const auto learner = [](const char *name, WeekFigures thisWeek, WeekFigures lastWeek) {
        LearnerWeeks l;
        l.name = QString::fromUtf8(name);
        l.key = l.name + QStringLiteral("_Qele.dat");
        l.thisWeek = thisWeek;
        l.lastWeek = lastWeek;
        return l;
    };
    c.learners = {learner("Baba", {5, 600, 1, true, {}}, {0, 0, 0, false, {}}),
                  learner("Aoki", {0, 0, 0, false, {}}, {7, 900, 2, true, {}}),
                  learner("Chiba", {0, 0, 0, true, {}}, {3, 200, 0, true, {}})};
    c.groupThis = {5, 600, 1, true, {}};
    c.groupLast = {10, 1100, 2, true, {}};
    c.learnerCount = 3;
    c.activeThis = 1;
    c.activeLast = 2;
    return c;
}

QStringList column(const QAbstractItemModel &model, int c)
{
    QStringList texts;
    for (int r = 0; r < model.rowCount(); ++r)
        texts << model.index(r, c).data().toString();
    return texts;
}

template <typename T>
bool finish(const QFuture<T> &future)
{
    if (future.isFinished())
        return true;
    QFutureWatcher<T> watcher;
    QSignalSpy finished(&watcher, &QFutureWatcherBase::finished);
    watcher.setFuture(future);
    return future.isFinished() || finished.wait(20000);
}

} // namespace

class tst_HistoryViews : public QObject {
    Q_OBJECT
private slots:
    void weekModelSortsAndKeepsUnseenWeeksApart();
    void weeksDialogExportsPrintsAndPreviews();
    void historyDialogSwitchesDaysAndWeeks();
    void historyBarsFollowTheFigures();
    void commandsOpenTheViewsFromTheJournal();
    void tidyingAsksFirst();
};

void tst_HistoryViews::weekModelSortsAndKeepsUnseenWeeksApart()
{
    WeekTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setComparison(threeLearners());
    QCOMPARE(model.columnCount(), int(WeekTableModel::ColumnCount));
    QCOMPARE(column(model, WeekTableModel::NameColumn), QStringList({"Baba", "Aoki", "Chiba"}));
    // Aoki's week was not seen: said so, and below Chiba's week without practice.
    QCOMPARE(column(model, WeekTableModel::RunsThisColumn), QStringList({"5", "未観測", "0"}));
    QCOMPARE(column(model, WeekTableModel::MinutesThisColumn), QStringList({"10.0", "", "0.0"}));
    QVERIFY(model.index(1, WeekTableModel::RunsThisColumn).data(Qt::ForegroundRole).isValid());
    QVERIFY(!model.index(2, WeekTableModel::RunsThisColumn).data(Qt::ForegroundRole).isValid());

    const QPersistentModelIndex chiba = model.index(2, WeekTableModel::NameColumn);
    const struct {
        int column;
        Qt::SortOrder order;
        QStringList names;
    } cases[] = {
        {WeekTableModel::RunsThisColumn, Qt::DescendingOrder, {"Baba", "Chiba", "Aoki"}},
        {WeekTableModel::RunsThisColumn, Qt::AscendingOrder, {"Aoki", "Chiba", "Baba"}},
        {WeekTableModel::MinutesLastColumn, Qt::DescendingOrder, {"Aoki", "Chiba", "Baba"}},
        {WeekTableModel::NameColumn, Qt::AscendingOrder, {"Aoki", "Baba", "Chiba"}},
        {WeekTableModel::StepsLastColumn, Qt::DescendingOrder, {"Aoki", "Chiba", "Baba"}},
    };
    for (const auto &c : cases) {
        model.sort(c.column, c.order);
        QCOMPARE(column(model, WeekTableModel::NameColumn), c.names);
        QCOMPARE(chiba.data().toString(), QStringLiteral("Chiba")); // a selection follows its row
        QCOMPARE(chiba.row(), int(c.names.indexOf("Chiba")));
    }
    const WeekComparison shown = model.shownComparison();
    QCOMPARE(shown.learners.front().name, QStringLiteral("Aoki"));
    QCOMPARE(shown.groupLast.runs, 10);
}

void tst_HistoryViews::weeksDialogExportsPrintsAndPreviews()
{
    QTemporaryDir dir;
    SavingAsker asker;
    frmWeeks dialog({threeLearners(), dir.path(), AllGroup, dir.path()}, QIcon());
    QVERIFY(qeltest::hasDialogFrame(dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("今週と先週 - 全体"));
    QCOMPARE(dialog.findChild<QLabel *>("lblWeeks")->text(),
             QStringLiteral("今週 2026/11/23～11/29（11/25まで）　先週 2026/11/16～11/22"));
    QCOMPARE(dialog.findChild<QLabel *>("lblThisWeek")->text(),
             QStringLiteral("全体　今週：5回 10.0分 STEP増 1、練習した人 1/3人"));
    auto *table = dialog.findChild<QTableView *>("tblWeeks");
    QVERIFY(table && table->isSortingEnabled());
    // The group's order until a column is clicked; the CSV follows what is shown.
    QCOMPARE(column(*table->model(), WeekTableModel::NameColumn), QStringList({"Baba", "Aoki", "Chiba"}));
    table->sortByColumn(WeekTableModel::RunsThisColumn, Qt::DescendingOrder);
    asker.savePath = dir.filePath("weeks.csv");
    dialog.findChild<QPushButton *>("cmdCSV")->click();
    QVERIFY(asker.messages.empty());
    QFile file(*asker.savePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 7); // header, three learners, the group, the learners who practised, ""
    QCOMPARE(lines[1], toCp932(QStringLiteral("Baba,英文,5,10.0,1,,,,先週: 未観測\r")));
    QCOMPARE(lines[2], toCp932(QStringLiteral("Chiba,英文,0,0.0,0,3,3.3,0,\r")));
    QVERIFY(lines[3].startsWith("Aoki,"));

    // Never over a record file of the folder.
    const QString record = dir.filePath("taro_Qele.dat");
    QVERIFY(samples::writeFile(record, "original"));
    asker.savePath = record;
    dialog.findChild<QPushButton *>("cmdCSV")->click();
    QCOMPARE(asker.texts(), QStringList{reports::trainerFileRefusal(record)});
    QFile kept(record);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("original"));

    QString previewTitle;
    asker.onDialog = [&](QDialog &shown) {
        if (qobject_cast<QPrintPreviewDialog *>(&shown))
            previewTitle = shown.windowTitle();
        return int(QDialog::Rejected);
    };
    dialog.findChild<QPushButton *>("cmdPreview")->click();
    QCOMPARE(previewTitle, QStringLiteral("印刷プレビュー"));
    // The printer dialog cancelled: nothing printed, nothing said.
    dialog.findChild<QPushButton *>("cmdPrint")->click();
    QCOMPARE(asker.messages.size(), std::size_t(1));
}

namespace {
LearnerHistory handMade()
{
    LearnerHistory h;
    h.key = QStringLiteral("taro_Qele.dat");
    h.name = QStringLiteral("taro");
    h.today = QDate(2026, 11, 25);
    for (int d = 0; d < 3; ++d) {
        PeriodFigures p;
        p.first = p.last = QDate(2026, 11, 23).addDays(d);
        p.days = 1;
        p.daysObserved = d == 1 ? 0 : 1;
        p.runs = d == 1 ? 0 : 2 + d;
        p.seconds = 60 * p.runs;
        h.days.push_back(p);
    }
    for (int w = 0; w < 2; ++w) {
        PeriodFigures p;
        p.first = QDate(2026, 11, 16).addDays(7 * w);
        p.last = p.first.addDays(6);
        p.days = 7;
        p.daysObserved = 3;
        p.runs = 10 + w;
        h.weeks.push_back(p);
    }
    return h;
}
} // namespace

void tst_HistoryViews::historyDialogSwitchesDaysAndWeeks()
{
    frmHistory dialog(handMade(), QIcon());
    QVERIFY(qeltest::hasDialogFrame(dialog));
    QCOMPARE(dialog.findChild<QLabel *>("lblTitle")->text(), QStringLiteral("taro（英文）の練習の記録"));
    auto *table = dialog.findChild<QTableView *>("tblPeriods");
    QVERIFY(table);
    QAbstractItemModelTester tester(table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("期間"));
    // Days, newest first; the day not seen says so.
    QCOMPARE(column(*table->model(), 0), QStringList({"2026/11/25", "2026/11/24", "2026/11/23"}));
    QCOMPARE(column(*table->model(), 2), QStringList({"4", "", "2"}));
    QCOMPARE(table->model()->index(1, 8).data().toString(), QStringLiteral("未観測"));
    dialog.findChild<QRadioButton *>("optWeek")->setChecked(true);
    QCOMPARE(column(*table->model(), 0), QStringList({"2026/11/23～11/29", "2026/11/16～11/22"}));
    QCOMPARE(column(*table->model(), 1), QStringList({"3", "3"}));
    QVERIFY(dialog.findChild<QLabel *>("lblEmpty")->isHidden());

    frmHistory empty(LearnerHistory{}, QIcon());
    QVERIFY(!empty.findChild<QLabel *>("lblEmpty")->isHidden());
    QVERIFY(empty.findChild<QWidget *>("picGraph")->isHidden());
    QCOMPARE(empty.findChild<QTableView *>("tblPeriods")->model()->rowCount(), 0);
}

void tst_HistoryViews::historyBarsFollowTheFigures()
{
    LearnerHistory h = handMade();
    h.days[2].carriedFrom = QDate(2026, 11, 20);
    const auto runs = historyBars(h.days, false);
    const auto minutes = historyBars(h.days, true);
    QCOMPARE(runs.size(), std::size_t(3));
    QCOMPARE(runs[2].label, QStringLiteral("11/25"));
    QCOMPARE(runs[2].value, 4.0);
    QCOMPARE(minutes[2].value, 4.0); // four minutes
    QCOMPARE(minutes[0].value, 2.0);
    QVERIFY(runs[0].observed && !runs[1].observed);
    QVERIFY(!runs[0].carried && runs[2].carried);
}

void tst_HistoryViews::commandsOpenTheViewsFromTheJournal()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("Records");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(samples::writeFile(recordFolderPath(folder, "taro_Qele.dat"), samples::recordBytes({})));
    {
        QFile junk(dir.filePath("history.db"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(3000, 'x'));
    }
    qeltest::ScriptedAsker asker;
    QWidget window;
    JournalSettings settings;
    settings.path = dir.filePath("history.db");
    Journal journal(settings);
    showJournalNotices(&window, journal);
    QSignalSpy handled(&journal, &Journal::handled);
    journal.observe(folder, AllGroup, makeView(folder, scanFolder(folder, AllGroup).nodes));
    QVERIFY(handled.wait(20000));
    // The damaged database was told on the window.
    QCOMPARE(asker.messages.size(), std::size_t(1));
    QVERIFY(asker.messages[0].text.startsWith(QStringLiteral("練習の記録のデータベースが壊れていたため")));

    QStringList shown;
    asker.onDialog = [&](QDialog &dialog) {
        if (auto *title = dialog.findChild<QLabel *>("lblTitle"))
            shown << title->text();
        else
            shown << dialog.windowTitle();
        return int(QDialog::Accepted);
    };
    QVERIFY(finish(showLearnerHistory(&window, journal, folder, "taro_Qele.dat", QIcon())));
    QVERIFY(finish(showWeekComparison(&window, journal, folder, EnglishGroup, {"taro_Qele.dat"}, dir.path(), QIcon())));
    QCOMPARE(shown, QStringList({"taro（英文）の練習の記録", "今週と先週 - 英文"}));
}

void tst_HistoryViews::tidyingAsksFirst()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("Records");
    QVERIFY(QDir().mkpath(folder));
    for (const char *key : {"taro_Qele.dat", "hanako_Qele.dat", "hanako_Qelk.dat", "jiro_Qele.dat"})
        QVERIFY(samples::writeFile(recordFolderPath(folder, key), samples::recordBytes({})));
    qeltest::ScriptedAsker asker;
    QWidget window;
    JournalSettings settings;
    settings.path = dir.filePath("history.db");
    Journal journal(settings);
    QSignalSpy handled(&journal, &Journal::handled);
    journal.observe(folder, AllGroup, makeView(folder, scanFolder(folder, AllGroup).nodes));
    QVERIFY(handled.wait(20000));

    const auto tidy = [&] {
        QFuture<int> future = tidyHistory(&window, journal, folder);
        return finish(future) ? future.result() : -2;
    };
    QCOMPARE(tidy(), 0);
    QCOMPARE(asker.texts(), QStringList{nothingToTidyText()});

    for (const char *key : {"hanako_Qele.dat", "hanako_Qelk.dat", "jiro_Qele.dat"})
        QVERIFY(QFile::remove(recordFolderPath(folder, key)));
    asker.messages.clear();
    asker.answers = {false};
    QCOMPARE(tidy(), 0);
    QCOMPARE(asker.texts(), QStringList{tidyQuestion({"hanako", "jiro"})});
    QCOMPARE(asker.messages[0].buttons, Asker::Buttons::OkCancel);

    asker.messages.clear();
    asker.answers = {true};
    QCOMPARE(tidy(), 3); // hanako's two files and jiro's
    QCOMPARE(asker.texts(), QStringList({tidyQuestion({"hanako", "jiro"}), tidiedText(2)}));
    asker.messages.clear();
    QCOMPARE(tidy(), 0);
    QCOMPARE(asker.texts(), QStringList{nothingToTidyText()});

    QCOMPARE(tidyQuestion({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}),
             QStringLiteral("記録ファイルの残っていない12人の練習の記録を削除しますか？\na、b、c、d、e、f、g、h、i、j ほか2人"));
}

QTEST_MAIN(tst_HistoryViews)
#include "test_historyviews.moc"
