// The properties dialogs as the real window opens them, and the CSV export of list rows.

#include "dialogs/frmMprop.h"
#include "dialogs/frmPropaty.h"
#include "records/cp932.h"
#include "records/groupstats.h"
#include "reports/csv.h"
#include "tests/mainwindow/viewertestsupport.h"
#include "tests/support/filesizelimit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>


using namespace qeltest;

namespace {

struct SaveRequest {
    QString title, filter, suffix, initialName, initialFolder;
};

// Answers the save dialog with `saveTo` and remembers how it was asked.
class ExportAsker : public ScriptedAsker {
public:
    std::optional<QString> saveTo;
    std::vector<SaveRequest> saves;

    std::optional<QString> saveFileName(QWidget *, const QString &title, const QString &filter,
                                        const QString &suffix, const QString &initialName) override
    {
        const QFileInfo initial(initialName);
        saves.push_back({title, filter, suffix, initial.fileName(), initial.isAbsolute() ? initial.path() : QString()});
        return saveTo;
    }
};

QStringList csvLines(const QByteArray &bytes)
{
    QStringList lines = qel::fromCp932(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString kHeader = "名前,モード,ステップ,練習回数,総練習時間,上達度,最高ＳＰＭ,最終練習日時";

} // namespace

class FrmMainExportTest : public QObject, protected WindowFixture<ExportAsker> {
    Q_OBJECT

private:
    // The group switches made through the view menu from now on; `afterSwitch` runs after
    // each one.
    std::vector<int> switches;
    std::function<void(int)> afterSwitch;
    void recordSwitches()
    {
        for (int group = 0; group < 3; ++group)
            QObject::connect(action(QString("mnuListViewMode_%1").arg(group)), &QAction::triggered, window.get(),
                             [this, group] {
                                 switches.push_back(group);
                                 if (afterSwitch)
                                     afterSwitch(group);
                             });
    }

    void activate()
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Learners with different figures: a (2 runs), b (12 runs, both Courses), c, d, e.
    void writeFive()
    {
        writeRecord(folder->path(), "a", true, {100, 101}, 3);
        writeRecord(folder->path(), "b", true, std::vector<int>(12, 150), 7);
        writeRecord(folder->path(), "b", false, {90, 95, 99}, 2);
        writeRecord(folder->path(), "c", true, {80, 70, 60, 50}, 1);
        writeRecord(folder->path(), "d", false, std::vector<int>(105, 200), 20);
        writeRecord(folder->path(), "e", true, {120}, 5);
    }

    // The line the list shows for a row, fields joined as they stand.
    QString listLine(int row) const
    {
        QStringList fields;
        for (int c = 0; c < qel::LearnerListModel::kColumns; ++c)
            fields << rowText(row, c);
        return fields.join(',');
    }

    QString target(const QString &name = "out.csv") const { return out->filePath(name); }

    std::vector<qel::csv::Row> listRows(const std::vector<int> &rows) const
    {
        std::vector<qel::csv::Row> result;
        for (int r : rows)
            result.push_back({model().row(r).name, model().row(r).cells});
        return result;
    }

private slots:
    void init()
    {
        setUp();
        switches.clear();
        afterSwitch = nullptr;
    }
    void cleanup() { tearDown(); }

    // ------------------------------------------------------------ personal properties

    void personalDialogForTheChosenLearner_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("learner");
        QTest::addColumn<bool>("treeFocused");
        QTest::newRow("menu, list row") << "menu" << "c" << false;
        QTest::newRow("list pop-up") << "listPopup" << "d" << false;
        QTest::newRow("tree pop-up") << "treePopup" << "e" << true;
        QTest::newRow("toolbar, list row") << "toolbar" << "c" << false;
        // A node click clears the list's selection; the button it lit shows that learner.
        QTest::newRow("toolbar after a node click") << "toolbarAfterNode" << "e" << true;
    }

    void personalDialogForTheChosenLearner()
    {
        QFETCH(QString, way);
        QFETCH(QString, learner);
        QFETCH(bool, treeFocused);
        writeFive();
        open();
        activate();

        QStringList shown;
        bool sameIcon = false;
        asker->onDialog = [&](QDialog &dialog) {
            auto &propaty = dynamic_cast<qel::frmPropaty &>(dialog);
            shown << propaty.learnerName();
            sameIcon = propaty.windowIcon().cacheKey() == window->windowIcon().cacheKey();
            return int(QDialog::Accepted);
        };

        const int cRow = rowOf("c", 4);
        if (way == "menu") {
            selectRow(rowOf("a", 4));
            selectRow(cRow);
            setCurrentRow(cRow);
            openAndClose("mnuView");
            QVERIFY(action("mnuPorpPersonal")->isEnabled());
            trigger("mnuPorpPersonal");
        } else if (way == "listPopup") {
            rightClickRow(rowOf("d", 5));
            QCOMPARE(asker->popups.back(), menu("menuPop"));
            trigger("mnuPopPropaty");
        } else if (way == "treePopup") {
            selectRow(cRow);
            rightClickNode(learnerNode("e", 4));
            QCOMPARE(asker->popups.back(), menu("menuPop"));
            QVERIFY(state().graph.popupFromTree);
            trigger("mnuPopPropaty");
        } else if (way == "toolbar") {
            clickRow(cRow);
            QVERIFY(buttonEnabled(15));
            clickToolbar("pp1");
        } else {
            clickNode(learnerNode("e", 4));
            QVERIFY(graphShown());
            QVERIFY(!anyRowSelected());
            QVERIFY(buttonEnabled(15));
            clickToolbar("pp1");
        }

        QCOMPARE(shown, QStringList{learner});
        QVERIFY(sameIcon);
        // The window's focus goes back where the command came from (whether the window is
        // active again yet is the window system's business).
        QCOMPARE(window->focusWidget(), treeFocused ? static_cast<QWidget *>(tree()) : list());
    }

    void personalDialogFocusFallsToTheTreeWhenTheListIsHidden()
    {
        writeFive();
        open();
        activate();
        asker->onDialog = [](QDialog &) { return int(QDialog::Accepted); };
        // The list's pop-up over a graph: the list is hidden behind the pane.
        doubleClickRow(rowOf("a", 4));
        QVERIFY(graphShown());
        QVERIFY(!state().graph.popupFromTree);
        list()->setFocus();
        trigger("mnuPopPropaty");
        QVERIFY(tree()->hasFocus());
    }

    void noPersonalDialogWithoutALearner_data()
    {
        QTest::addColumn<bool>("fromTree");
        QTest::newRow("tree on the group node") << true;
        QTest::newRow("nothing selected in the list") << false;
    }

    void noPersonalDialogWithoutALearner()
    {
        QFETCH(bool, fromTree);
        writeFive();
        open();
        int dialogs = 0;
        asker->onDialog = [&dialogs](QDialog &) { ++dialogs; return int(QDialog::Accepted); };
        if (fromTree) {
            clickNode(learnerNode("a", 4)); // lights the toolbar's personal buttons
            rightClickNode(learnerNode("a", 4));
            QVERIFY(state().graph.popupFromTree); // left by the pop-up on a learner node
            rightClickNode(rootNode());
            QCOMPARE(asker->popups.back(), menu("menuPopAll"));
        } else {
            clickRow(0); // lights the toolbar's personal buttons
            clickEmptyTreeSpace();
        }
        QVERIFY(!anyRowSelected());
        trigger("mnuPorpPersonal");
        trigger("mnuPopPropaty");
        if (fromTree)
            clickToolbar("pp1"); // still lit by the learner's graph on display
        else
            QVERIFY(!buttonEnabled(15)); // no row, no graph: nothing to offer
        QCOMPARE(dialogs, 0);
    }

    // ------------------------------------------------------------ group properties

    void groupDialogLeavesTheWindowAsItIs_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("menu") << "menu";
        QTest::newRow("group pop-up") << "popup";
        QTest::newRow("toolbar") << "toolbar";
    }

    // The figures of all three groups come from the folder through the session: the window
    // switches no group, and its list keeps its sort, selection and place.
    void groupDialogLeavesTheWindowAsItIs()
    {
        QFETCH(QString, way);
        writeFive();
        writeRecord(folder->path(), "f", false, {60, 66, 72, 78}, 4);
        open();
        showViewMode(2); // b, d, f
        clickHeader(5);  // "上達度", by the rate
        const QStringList order = names();
        QTreeWidgetItem *d = learnerNode("d", 5);
        QVERIFY(d);
        clickNode(d);
        QVERIFY(graphShown());
        QCOMPARE(selectedNodeIndex(), 2);
        selectRow(1);
        recordSwitches();
        // The group pop-up selects the group node first; that is the node to stay on.
        const int node = way == "popup" ? 0 : 2;

        qel::frmMprop *dialog = nullptr;
        bool sameIcon = false;
        bool computedBeforeOk = false;
        QStringList shownFigures;
        asker->onDialog = [&](QDialog &shown) {
            dialog = &dynamic_cast<qel::frmMprop &>(shown);
            sameIcon = dialog->windowIcon().cacheKey() == window->windowIcon().cacheKey();
            auto *ok = dialog->findChild<QPushButton *>("cmdOK");
            dialog->show();
            settle();
            computedBeforeOk = ok->isEnabled() && !dialog->isComputing();
            for (int group = 0; group < 3; ++group)
                for (int row = 0; row < 7; ++row)
                    shownFigures << dialog->findChild<QLabel *>(QString("lblValue_%1_%2").arg(group).arg(row))->text();
            ok->click();
            return dialog->result();
        };

        if (way == "menu") {
            trigger("mnuPropAll");
        } else if (way == "popup") {
            rightClickNode(rootNode());
            QCOMPARE(asker->popups.back(), menu("menuPopAll"));
            trigger("menuAllprop");
        } else {
            clickToolbar("p2");
        }

        QVERIFY(dialog);
        QVERIFY(sameIcon);
        QVERIFY(computedBeforeOk);
        QVERIFY(switches.empty());
        const qel::GroupStatistics expected = qel::computeAllGroups(folder->path(), 2);
        QStringList expectedFigures;
        for (int group = 0; group < 3; ++group)
            for (int row = 0; row < 7; ++row)
                expectedFigures << expected.text(row, group);
        QCOMPARE(shownFigures, expectedFigures);
        QCOMPARE(shownFigures.front(), QString("7"));

        QCOMPARE(shownGroup(), 2);
        QCOMPARE(state().viewMode, 2);
        QCOMPARE(rootNode()->text(0), QString("かな/ローマ"));
        QCOMPARE(selectedNodeIndex(), node);
        QVERIFY(graphShown());
        QCOMPARE(heading(), QString("dさんの かな/ﾛｰﾏ 練習記録グラフです。"));
        QCOMPARE(state().collections.groupSteps.size(), std::size_t(3));
        // The list as it was: the rate's order, the row chosen (the group pop-up's right
        // click on the tree took the list's selection itself).
        QCOMPARE(names(), order);
        QCOMPARE(rowSelected(1), way != "popup");
        QVERIFY(list()->header()->isSortIndicatorShown());
        QCOMPARE(list()->header()->sortIndicatorSection(), 5);
    }

    // ------------------------------------------------------------ CSV export

    void saveDialogAndRowsInListOrder()
    {
        writeFive();
        open();
        clickHeader(3); // "練習回数", descending: d, b, c, b(kana), a, e
        QCOMPARE(rowText(0), QString("d"));
        const std::vector<int> chosen{1, 3, 4};
        for (int r : {4, 1, 3})
            selectRow(r);
        setCurrentRow(3);
        asker->saveTo = target();
        trigger("mnuPopEditCSV");

        QCOMPARE(asker->saves.size(), std::size_t(1));
        const SaveRequest &save = asker->saves[0];
        QCOMPARE(save.title, QString("出力先を指定して下さい。"));
        QCOMPARE(save.filter, QString("CSVファイル (*.csv);;すべてのファイル (*.*)"));
        QCOMPARE(save.suffix, QString(".csv"));
        QCOMPARE(save.initialName, rowText(3));

        const QByteArray bytes = fileBytes(target());
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(!bytes.contains("\n\n") && bytes.count("\n") == bytes.count("\r\n"));
        const QStringList lines = csvLines(bytes);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], kHeader);
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            QCOMPARE(lines[int(i) + 1], listLine(chosen[i]));
            QCOMPARE(lines[int(i) + 1].count(','), 7);
        }
        // The run counts are padded by the list and keep their blanks.
        QCOMPARE(lines[3].split(',')[3], QString("     2"));
        QVERIFY(asker->messages.empty());
    }

    void fileNamedAfterAnExportedRow()
    {
        writeFive();
        open();
        setCurrentRow(0); // a, not exported
        selectRow(2);
        selectRow(3);
        asker->saveTo = target();
        trigger("mnuPopEditCSV");
        QCOMPARE(asker->saves.size(), std::size_t(1));
        QCOMPARE(asker->saves[0].initialName, rowText(2));
    }

    void saveDialogStartsWhereTheLastExportWent()
    {
        writeFive();
        open();
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(documents.startsWith(QDir::homePath() + '/')); // never the user's own
        const QString classFolder = out->filePath("3-1");
        QVERIFY(QDir().mkpath(classFolder));
        const auto exportRow = [this](const QString &to) {
            selectRow(0);
            setCurrentRow(0);
            asker->saveTo = to;
            trigger("mnuPopEditCSV");
            return asker->saves.back().initialFolder;
        };
        // Nothing remembered yet: the documents, or home while there is no such folder.
        QVERIFY(QDir(documents).removeRecursively());
        QCOMPARE(exportRow(QString()), QDir::homePath());
        QVERIFY(QDir().mkpath(documents));
        QCOMPARE(exportRow(classFolder + "/a.csv"), documents);
        QCOMPARE(exportRow(QString()), classFolder);
        QCOMPARE(asker->saves.back().initialName, rowText(0));

        // Remembered across runs, under a value of its own.
        window->close();
        QCOMPARE(settings->viewerValue("CsvFolder").toString(), classFolder);
        openWindow();
        QCOMPARE(exportRow(QString()), classFolder);
        // A folder gone since gives the documents again.
        QVERIFY(QDir(classFolder).removeRecursively());
        QCOMPARE(exportRow(QString()), documents);
    }

    void fieldsWithCommasAreQuotedAsTheToolQuotesThem()
    {
        writeRecord(folder->path(), "Sato, Ken", true, {100, 110, 120}, 4);
        writeRecord(folder->path(), "say \"hi\"", true, {90}, 1);
        open();
        list()->selectAll();
        setCurrentRow(0);
        asker->saveTo = target();
        trigger("mnuPopEditCSV");
        const QStringList lines = csvLines(fileBytes(target()));
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[1].startsWith("\"Sato, Ken\",英文,"), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("\"say \"\"hi\"\"\",英文,"), qPrintable(lines[2]));
    }

    void sameBytesAsTheCommandLineTool_data()
    {
        QTest::addColumn<int>("group");
        QTest::newRow("all") << 0;
        QTest::newRow("English") << 1;
        QTest::newRow("Kana/Romaji") << 2;
    }

    void sameBytesAsTheCommandLineTool()
    {
        QFETCH(int, group);
        writeFive();
        writeRecord(folder->path(), "Sato, Ken", false, {100, 110, 120}, 4);
        writeRecord(folder->path(), "山田　花子", true, {130, 128, 140}, 9);
        open();
        showViewMode(group);
        setCurrentRow(0);
        asker->saveTo = target();
        trigger("menuAllCSV");

        QProcess cli;
        cli.start(QELVIEWER_CLI, {"table", folder->path(), "--group", QString::number(group)});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QByteArray expected = cli.readAllStandardOutput();
        QVERIFY(expected.count("\r\n") >= 3);
        QCOMPARE(fileBytes(target()), expected);
        std::vector<int> all(static_cast<std::size_t>(rowCount()));
        for (int r = 0; r < rowCount(); ++r)
            all[std::size_t(r)] = r;
        QCOMPARE(fileBytes(target()), qel::csv::document(listRows(all), qel::csv::Encoding::Cp932));
    }

    void nothingSelectedFallsBackToTheTree_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("image");
        QTest::addColumn<QString>("line");
        QTest::newRow("group node") << "" << 0 << "";
        QTest::newRow("learner node") << "c" << 4 << "c";
        // The Kana/Romaji node of a learner with both Courses gives that Course's line.
        QTest::newRow("second Course") << "b" << 5 << "b";
    }

    void nothingSelectedFallsBackToTheTree()
    {
        QFETCH(QString, node);
        QFETCH(int, image);
        QFETCH(QString, line);
        writeFive();
        open();
        setCurrentRow(0);
        if (!node.isEmpty()) {
            rightClickNode(learnerNode(node, image));
            QCOMPARE(asker->popups.back(), menu("menuPop"));
        }
        QVERIFY(!anyRowSelected());
        asker->saveTo = target();
        trigger("mnuPopEditCSV");
        const QStringList lines = csvLines(fileBytes(target()));
        QStringList expected{kHeader};
        if (!line.isEmpty())
            expected << listLine(rowOf(line, image));
        QCOMPARE(lines, expected);
    }

    void groupCommandExportsEveryLearner()
    {
        writeFive();
        open();
        clickNode(learnerNode("c", 4));
        QVERIFY(graphShown());
        selectRow(1);
        setCurrentRow(1);
        rightClickNode(rootNode());
        QCOMPARE(asker->popups.back(), menu("menuPopAll"));
        asker->saveTo = target();
        trigger("menuAllCSV");

        QVERIFY(asker->messages.empty()); // no question
        QCOMPARE(currentNode(), rootNode());
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        const QStringList lines = csvLines(fileBytes(target()));
        QCOMPARE(lines.size(), rowCount() + 1);
        for (int r = 0; r < rowCount(); ++r)
            QCOMPARE(lines[r + 1], listLine(r));
    }

    void fileMenuAsksFirst_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("exported");
        QTest::newRow("tree, group node, OK") << "root" << true << "全体のデータを出力しますか？"
                                               << QStringList{"a", "b", "b", "c", "d", "e"};
        QTest::newRow("tree, group node, Cancel") << "root" << false << "全体のデータを出力しますか？"
                                                   << QStringList{};
        // The learner the question names, not the stale current row or an old selection.
        QTest::newRow("tree, learner node, OK") << "node" << true << "eのデータを出力しますか？"
                                                 << QStringList{"e"};
        QTest::newRow("tree, learner node, Cancel") << "node" << false << "eのデータを出力しますか？"
                                                     << QStringList{};
        QTest::newRow("list, OK") << "list" << true << "選択されたユーザのデータを出力しますか？"
                                  << QStringList{"a", "c"};
        QTest::newRow("list, Cancel") << "list" << false << "選択されたユーザのデータを出力しますか？"
                                      << QStringList{};
    }

    void fileMenuAsksFirst()
    {
        QFETCH(QString, focus);
        QFETCH(bool, ok);
        QFETCH(QString, question);
        QFETCH(QStringList, exported);
        writeFive();
        open();
        activate();
        if (focus == "node")
            rightClickNode(learnerNode("e", 4)); // picks the node and nothing else
        QCOMPARE(currentNode()->text(0), QString(focus == "node" ? "e" : "全体"));
        selectRow(0);
        selectRow(3);
        setCurrentRow(0);
        if (focus == "list")
            list()->setFocus();
        else
            tree()->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return (focus == "list" ? list() : tree())->hasFocus(); }));
        QVERIFY(!QFileInfo::exists(target()));
        asker->answers = {ok};
        asker->saveTo = target();
        trigger("mnuEditOutput");

        QCOMPARE(asker->messages.size(), std::size_t(1));
        QCOMPARE(asker->messages[0].text, question);
        QCOMPARE(asker->messages[0].buttons, qel::Asker::Buttons::OkCancel);
        QCOMPARE(asker->messages[0].icon, qel::Asker::Icon::Question);
        if (!ok) {
            QVERIFY(asker->saves.empty());
            QVERIFY(!QFileInfo::exists(target()));
            QVERIFY(rowSelected(0) && rowSelected(3));
            QCOMPARE(rowCount() > 4 && rowSelected(4), false);
            return;
        }
        QCOMPARE(asker->saves.size(), std::size_t(1));
        QCOMPARE(asker->saves[0].initialName, exported.front());
        QStringList names;
        for (const QString &line : csvLines(fileBytes(target())).mid(1))
            names << line.section(',', 0, 0);
        QCOMPARE(names, exported);
    }

    void cancelLeavesAnExistingFileUntouched()
    {
        writeFive();
        open();
        QFile old(target());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old,content\r\n");
        old.close();
        selectRow(0);
        setCurrentRow(0);
        asker->saveTo = std::nullopt;
        trigger("mnuPopEditCSV");
        asker->saveTo = QString();
        trigger("mnuPopEditCSV");
        QCOMPARE(asker->saves.size(), std::size_t(2));
        QCOMPARE(fileBytes(target()), QByteArray("old,content\r\n"));
        QVERIFY(asker->messages.empty());
        QCOMPARE(QDir(out->path()).entryList(QDir::Files), QStringList{"out.csv"});
    }

    void overwriteReplacesTheOldContent()
    {
        writeFive();
        open();
        QFile old(target());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();
        selectRow(2);
        setCurrentRow(2);
        asker->saveTo = target();
        trigger("mnuPopEditCSV");
        QCOMPARE(fileBytes(target()), qel::csv::document(listRows({2}), qel::csv::Encoding::Cp932));
    }

    void recordAndSettingsFilesAreNeverTheTarget()
    {
        writeFive();
        writeSettingsFile(folder->path(), "b");
        QVERIFY(QFile::link(folder->filePath("b.ini"), target("link.csv")));
        open();
        list()->selectAll();
        setCurrentRow(0);
        const QString record = folder->filePath("a_Qele.dat"), settings = folder->filePath("b.ini");
        const QByteArray recordBytes = fileBytes(record), settingsBytes = fileBytes(settings);
        for (const QString &path : {record, settings, target("link.csv")}) {
            asker->messages.clear();
            asker->saveTo = path;
            trigger("mnuPopEditCSV");
            QCOMPARE(asker->messages.size(), std::size_t(1));
            QVERIFY2(asker->messages[0].text.contains(path), qPrintable(asker->messages[0].text));
            QVERIFY2(asker->messages[0].text.contains("上書きできません"), qPrintable(asker->messages[0].text));
            QCOMPARE(asker->messages[0].icon, qel::Asker::Icon::Exclamation);
        }
        QCOMPARE(fileBytes(record), recordBytes);
        QCOMPARE(fileBytes(settings), settingsBytes);
        QCOMPARE(model().row(0).cells[qel::StepColumn], QString("   3"));
    }

    void noCurrentRowEndsBeforeTheDialog()
    {
        writeFive();
        open();
        QCOMPARE(currentRow(), -1);
        QVERIFY(!anyRowSelected());
        asker->saveTo = target();
        trigger("mnuPopEditCSV"); // group node, nothing to name the file after
        QVERIFY(asker->saves.empty());

        // An empty group has no row at all, even for the group command.
        QTemporaryDir empty;
        writeRecord(empty.path(), "x", true, {100});
        chooseFolder(empty.path());
        showViewMode(2);
        QCOMPARE(rowCount(), 0);
        trigger("menuAllCSV");
        QVERIFY(asker->saves.empty());
        QVERIFY(!QFileInfo::exists(target()));
    }

    void failedWriteIsReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder missing") << "missing";
        QTest::newRow("target is a folder") << "folder";
        QTest::newRow("disk full") << "full";
    }

    void failedWriteIsReported()
    {
        QFETCH(QString, kind);
        for (int i = 0; i < 40; ++i)
            writeRecord(folder->path(), QString("learner%1").arg(i, 2, 10, QChar('0')), true, {100, 120});
        open();
        list()->selectAll();
        setCurrentRow(0);

        QString path = target();
        const QByteArray before("old export\r\n");
        if (kind == "missing") {
            path = out->filePath("no such folder/out.csv");
        } else if (kind == "folder") {
            path = out->filePath("taken");
            QVERIFY(QDir(out->path()).mkdir("taken"));
            QFile inside(path + "/keep.txt");
            QVERIFY(inside.open(QIODevice::WriteOnly));
            inside.write(before);
        } else {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(before);
        }

        asker->saveTo = path;
        std::optional<qeltest::FileSizeLimit> full;
        if (kind == "full") {
            // Files may grow to 1000 bytes; the export needs about 2500.
            full.emplace(1000);
            QVERIFY(full->active());
        }
        trigger("mnuPopEditCSV");
        full.reset();

        // A full disk may also stop the history's database, which says so once in a
        // message of its own; the export's failure is told once.
        std::vector<Message> exportMessages;
        for (const Message &message : asker->messages)
            if (!message.text.contains(QStringLiteral("練習の記録")))
                exportMessages.push_back(message);
        QCOMPARE(exportMessages.size(), std::size_t(1));
        const Message &m = exportMessages[0];
        QVERIFY2(m.text.startsWith("CSV出力に失敗しました。"), qPrintable(m.text));
        QVERIFY2(m.text.contains(path), qPrintable(m.text));
        QCOMPARE(m.buttons, qel::Asker::Buttons::Ok);
        QCOMPARE(m.icon, qel::Asker::Icon::Exclamation);
        if (kind == "missing") {
            QVERIFY(!QFileInfo::exists(path));
        } else if (kind == "folder") {
            QVERIFY(QFileInfo(path).isDir());
            QCOMPARE(fileBytes(path + "/keep.txt"), before);
        } else {
            QCOMPARE(fileBytes(path), before);
            // no half-written temporary file is left beside it
            QCOMPARE(QDir(out->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
        }
    }
};

int main(int argc, char *argv[])
{
    // A home of its own: the save dialog's documents folder is made and removed there.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME"); // where a user-dirs file could name another documents folder
    QApplication app(argc, argv);
    FrmMainExportTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmmain_export.moc"
