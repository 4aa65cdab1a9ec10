// The group tree and learner list of the real window: view modes, sorting, double-click,
// right-button rules, menu enabling.

#include "tests/mainwindow/viewertestsupport.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace qeltest;

class FrmMainViewTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    std::vector<int> pressedModeButtons() const
    {
        std::vector<int> pressed;
        for (int position : {5, 6, 7})
            if (buttonPressed(position))
                pressed.push_back(position);
        return pressed;
    }

    // Captions of a menu in order, "-" for a separator, "[x]" before a checked item,
    // "(hidden)" after a hidden one, "> " before a submenu with its items in braces.
    static QString describe(const QMenu *menu)
    {
        QStringList items;
        for (const QAction *a : menu->actions()) {
            QString item = a->isSeparator() ? QString("-") : a->text();
            if (a->isChecked())
                item = "[x]" + item;
            if (!a->isVisible())
                item += "(hidden)";
            if (a->menu())
                item = "> " + item + " {" + describe(a->menu()) + "}";
            items << item;
        }
        return items.join(" | ");
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void viewModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("courses");
        QTest::addColumn<QString>("status");
        QTest::newRow("all") << 0 << "全体" << QStringList{"hanako", "jiro", "taro", "taro"}
                             << QStringList{"かな/ﾛｰﾏ", "英文", "英文", "かな/ﾛｰﾏ"} << "4個の成績データファイル";
        QTest::newRow("English") << 1 << "英文" << QStringList{"jiro", "taro"}
                                 << QStringList{"英文", "英文"} << "2個の成績データファイル";
        QTest::newRow("Kana/Romaji") << 2 << "かな/ローマ" << QStringList{"hanako", "taro"}
                                     << QStringList{"かな/ﾛｰﾏ", "かな/ﾛｰﾏ"} << "2個の成績データファイル";
    }

    void viewModes()
    {
        QFETCH(int, mode);
        QFETCH(QString, root);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, courses);
        QFETCH(QString, status);
        writeRecord(folder->path(), "taro", true, {100, 110});
        writeRecord(folder->path(), "taro", false, {80, 82, 84});
        writeRecord(folder->path(), "hanako", false, {60});
        writeRecord(folder->path(), "jiro", true, {});
        qel::samples::writeFile(folder->path() + "/notes_Qelx.dat", QByteArray(900, '\0'));
        open();
        // Leave a graph on display first: the change must hide it.
        clickNode(learnerNode("taro", 4));
        QVERIFY(graphShown());

        // Through the toolbar button, as a user would.
        QTest::mouseClick(toolbar()->widgetForAction(button(5 + mode)), Qt::LeftButton);

        QCOMPARE(state().viewMode, mode);
        QCOMPARE(rootNode()->text(0), root);
        QCOMPARE(rootNode()->childCount(), rows.size());
        QCOMPARE(names(), rows);
        QStringList shownCourses;
        for (int r = 0; r < rowCount(); ++r)
            shownCourses << rowText(r, 1);
        QCOMPARE(shownCourses, courses);
        QCOMPARE(this->status(), status);
        QCOMPARE(pressedModeButtons(), std::vector<int>{5 + mode});
        for (int i = 0; i < 3; ++i)
            QCOMPARE(action(QString("mnuListViewMode_%1").arg(i))->isChecked(), i == mode);
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        QCOMPARE(heading(), QString("各カラムをクリックするとその項目でソートされます。"));
        QCOMPARE(part<QLabel>("lblTitle_0")->text(), folder->path());
        QCOMPARE(currentNode(), rootNode());
        QCOMPARE(qel::nodeImage(rootNode()), 1);
        QCOMPARE(int(state().collections.groupSteps.size()), rows.size());
    }

    void menusAndToolbarAsDesigned()
    {
        open();
        QCOMPARE(window->windowTitle(), QString("QelViewer"));
        QStringList bar;
        for (const QAction *a : window->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
        QCOMPARE(describe(menu("mnuFile")),
                 QString("記録ファイル保存フォルダー指定(&O) | 検索(&F) | > 印刷(&P) {個人プロパティ(&P) | 全体プロパティ(&A)"
                         " | 個人プロパティのプレビュー(&V) | 全体プロパティのプレビュー(&W)"
                         " | クラスの様子(&C) | クラスの様子のプレビュー(&R)}"
                         " | CSV出力(&V) | クラスの様子のCSV出力(&S) | - | 履歴の整理(&T)... | - | 削除(&D) | - | 閉じる(&C)"));
        QCOMPARE(describe(menu("mnuEdit")), QString("すべて選択(&A)"));
        QCOMPARE(action("mnuEditSelectAll")->shortcut(), QKeySequence("Ctrl+A"));
        QCOMPARE(describe(menu("mnuView")),
                 QString("[x]ﾂｰﾙ ﾊﾞｰ(&T) | [x]ｽﾃｰﾀｽ ﾊﾞｰ(&B) | - | [x]全体(&A) | 英文練習者(&E) | かな/ローマ練習者(&R) | - | "
                         "> グラフ(&G) {> 個人(&P) {練習グラフ(&I) | 時間グラフ(&H)} | > 全体(&A) {STEP統計(&S) | 練習回数統計(&T)} | - | データを表示(&D)}"
                         " | - | > プロパティ(&P) {個人(&P) | 全体(&A)} | -(hidden) | ｵﾌﾟｼｮﾝ(&O)...(hidden)"
                         " | - | 練習の記録(&H) | 今週と先週(&W) | - | クラスの様子(&C) | 目標の設定(&M)... | 名前を隠す(&N)"
                         " | - | 最新の情報に更新(&U) | [x]自動更新(&L)"
                         " | - | > 言語(&K) {[x]日本語(&J) | &English}"));
        QCOMPARE(action("mnuViewRefresh")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(action("mnuViewClassBoard")->shortcut(), QKeySequence("Ctrl+B"));
        QCOMPARE(action("mnuViewHideNames")->shortcut(), QKeySequence(Qt::Key_F9));
        QVERIFY(action("mnuViewHideNames")->isCheckable());
        QVERIFY(action("mnuViewAutoRefresh")->isCheckable());
        QCOMPARE(describe(menu("mnuHelp")), QString("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
        // The view modes carry check marks: no exclusive group turns them into radio dots,
        // and choosing the checked one again keeps it checked.
        for (int i = 0; i < 3; ++i) {
            const QActionGroup *group = action(QString("mnuListViewMode_%1").arg(i))->actionGroup();
            QVERIFY(!group || !group->isExclusive());
        }
        showViewMode(0);
        QCOMPARE(shownGroup(), 0);
        QVERIFY(action("mnuListViewMode_0")->isChecked());
        QCOMPARE(menu("menuPop")->title(), QString("ポップアップ"));
        QCOMPARE(describe(menu("menuPop")),
                 QString("一覧表示へ(&D) | すべて選択(&A) | - | > グラフ(&G) {練習グラフ(&U) | 練習時間グラフ(&T) | - | データを表示(&D)} | - | "
                         "> 出力(&O) {印刷(&P) | CSV出力(&V) | 印刷プレビュー(&R)} | - | 練習の記録(&H) | プロパティ(&P)"));
        QCOMPARE(menu("menuPopAll")->title(), QString("ポップアップ全体"));
        QCOMPARE(describe(menu("menuPopAll")),
                 QString("一覧表示へ(&D) | > グラフ(&G) {STEP統計(&U) | 練習回数統計(&T) | - | データを表示(&D)} | - | "
                         "> 出力(&O) {印刷(&P) | CSV出力(&V) | 印刷プレビュー(&R)} | - | 今週と先週(&W) | プロパティ(&P)"));
        QVERIFY(!action("mnuPopAllAll")->isEnabled());

        // Toolbar: 16 positions, each button an action of its own named by its key.
        const QList<QAction *> buttons = toolbar()->actions();
        QCOMPARE(buttons.size(), 16);
        const QStringList keys = {"Open", "Find", "Delete", "", "View Details", "English", "Kana", "",
                                  "p3", "p4", "", "pa1", "pa2", "", "pp1", "p2"};
        const QStringList tips = {"練習記録保存フォルダ変更", "ユーザ検索", "削除", "", "一覧表示", "英文練習者表示",
                                  "かな/ﾛｰﾏ練習者表示", "", "個人練習グラフ", "個人練習時間グラフ", "", "全体STEP統計",
                                  "全体練習回数統計", "", "個人プロパティ", "全体プロパティ"};
        for (int position = 1; position <= 16; ++position) {
            QAction *b = buttons[position - 1];
            QCOMPARE(b->isSeparator(), keys[position - 1].isEmpty());
            if (b->isSeparator())
                continue;
            QCOMPARE(b->objectName(), keys[position - 1]);
            QCOMPARE(b->toolTip(), tips[position - 1]);
            QVERIFY(!b->icon().isNull());
        }
        for (const QMenu *m : window->findChildren<QMenu *>())
            for (QAction *item : m->actions())
                QVERIFY(!buttons.contains(item));

        // The list's columns.
        QHeaderView *header = list()->header();
        const QStringList titles = {"名  前", "モード", "STEP", "練習回数", "総練習時間", "上達度", "最高SPM", "最終練習日時"};
        const int widths[] = {2117, 1058, 706, 1147, 1764, 1147, 1235, 4233};
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(header->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(header->sectionSize(c), scale().x(widths[c]));
        }
        QCOMPARE(list()->font().family(), QString("ＭＳ ゴシック"));
        // Padded figures line up: a blank is as wide as a digit, a point or a minus.
        const QFontMetrics metrics(list()->font());
        for (const char *glyph : {"0", "7", ".", "-", ":"})
            QCOMPARE(metrics.horizontalAdvance(glyph), metrics.horizontalAdvance(" "));
        QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list()->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(pane()->palette().color(QPalette::Window), QColor(255, 255, 192));
    }

    void emptyGroupEmptiesCollections()
    {
        writeRecord(folder->path(), "hanako", false, {60, 70}, 5);
        open();
        QCOMPARE(state().collections.groupSteps, std::vector<std::int32_t>{5});
        showViewMode(1);
        QCOMPARE(rootNode()->text(0), QString("英文"));
        QCOMPARE(rootNode()->childCount(), 0);
        QCOMPARE(status(), QString("0個の成績データファイル"));
        QVERIFY(state().collections.groupSteps.empty());
        QVERIFY(state().collections.groupRunCounts.empty());

        // The group dialog finds the group empty: once the folder is looked at, its buttons
        // work and it shows no figures.
        bool readyAtOnce = false;
        QString figures;
        asker->onDialog = [&](QDialog &dialog) {
            dialog.show();
            settle();
            readyAtOnce = dialog.findChild<QPushButton *>("cmdOK")->isEnabled();
            for (const QLabel *label : dialog.findChildren<QLabel *>())
                if (label->objectName().startsWith("lblValue_"))
                    figures += label->text();
            return int(QDialog::Accepted);
        };
        trigger("mnuPropAll");
        QVERIFY(readyAtOnce);
        QCOMPARE(figures, QString());
    }

#ifdef Q_OS_UNIX
    void unreadableFilesAreNotedOncePerScan()
    {
        writeRecord(folder->path(), "a", true, {100, 101}, 3);
        writeRecord(folder->path(), "b", false, {90}, 2);
        // Files that are there but cannot be read: links to a FIFO no open waits on.
        QCOMPARE(::mkfifo(QFile::encodeName(folder->filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(folder->filePath("pipe"), folder->filePath("c_Qele.dat")));
        QVERIFY(QFile::link(folder->filePath("pipe"), folder->filePath("d_Qelk.dat")));
        open();
        QCOMPARE(status(), QString("4個の成績データファイル（うち2個は読み込めませんでした）"));
        QVERIFY(statusLabel()->toolTip().contains("c_Qele.dat"));
        QVERIFY(statusLabel()->toolTip().contains("d_Qelk.dat"));
        QVERIFY(asker->messages.empty()); // told in the status bar, never by a question per file
        QCOMPARE(rowText(2, 2), QString()); // the row's figures stay empty
        QCOMPARE(state().collections.groupSteps, (std::vector<std::int32_t>{3, 2}));

        showViewMode(1);
        QCOMPARE(status(), QString("2個の成績データファイル（うち1個は読み込めませんでした）"));
        QFile::remove(folder->filePath("c_Qele.dat"));
        showViewMode(1);
        QCOMPARE(status(), QString("1個の成績データファイル"));
        QCOMPARE(statusLabel()->toolTip(), QString());
    }
#endif

    void sortByRateIsNumericAndShared()
    {
        writeRecord(folder->path(), "a", true, {100, 102, 104});  // 2.00
        writeRecord(folder->path(), "b", true, {100, 99});        // -1.00
        writeRecord(folder->path(), "c", true, {100});            // 0.00
        writeRecord(folder->path(), "d", true, {100, 110});       // 10.00
        writeRecord(folder->path(), "e", true, {100, 100, 99});    // -0.50
        open();
        QCOMPARE(state().sortDirection, 0);
        const int rate = qel::LearnerListModel::kRateColumn;
        QCOMPARE(list()->header()->model()->headerData(rate, Qt::Horizontal).toString(), QString("上達度"));

        QHeaderView *header = list()->header();
        QVERIFY(!header->isSortIndicatorShown()); // not sorted yet

        // The first click sorts opposite to the stored direction.
        clickHeader(rate);
        QCOMPARE(names(), (QStringList{"d", "a", "c", "e", "b"}));
        QCOMPARE(state().sortDirection, 1);
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), rate);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);

        clickHeader(rate);
        QCOMPARE(names(), (QStringList{"b", "e", "c", "a", "d"}));
        QCOMPARE(rowText(0, rate), QString("   -1.00"));

        // Row 1 ends deselected after a sort, the rest of a selection stays.
        selectRow(0);
        selectRow(2);
        clickHeader(rate);
        QVERIFY(!rowSelected(0));
        QCOMPARE(model().row(2).name, QString("c"));
        QVERIFY(rowSelected(2)); // "c" kept its selection when it moved

        // The next fill does not keep the rate order, and the header says so.
        showViewMode(1);
        QVERIFY(!header->isSortIndicatorShown());
    }

    void textSortKeepsPaddedFiguresNumeric()
    {
        writeRecord(folder->path(), "p", true, std::vector<int>(12, 50), 100);
        writeRecord(folder->path(), "q", true, std::vector<int>(100, 50), 5);
        writeRecord(folder->path(), "r", true, std::vector<int>(7, 50), 12);
        open();
        clickHeader(2); // STEP: descending first
        QCOMPARE(names(), (QStringList{"p", "r", "q"}));
        clickHeader(3); // 練習回数: the shared direction flips to ascending
        QCOMPARE(names(), (QStringList{"r", "p", "q"}));
        clickHeader(2);
        QCOMPARE(names(), (QStringList{"p", "r", "q"}));
        clickHeader(0); // name, ascending
        QCOMPARE(names(), (QStringList{"p", "q", "r"}));

        // A text sort holds for the next fill of the list, and so does its mark.
        showViewMode(1);
        QCOMPARE(names(), (QStringList{"p", "q", "r"}));
        QCOMPARE(list()->header()->sortIndicatorSection(), 0);
        QCOMPARE(list()->header()->sortIndicatorOrder(), Qt::AscendingOrder);
        QVERIFY(list()->header()->isSortIndicatorShown());
        clickHeader(0);
        showViewMode(0);
        QCOMPARE(names(), (QStringList{"r", "q", "p"}));
    }

    void doubleClickFindsTheNodeOfTheRowsCourse()
    {
        writeRecord(folder->path(), "taro", true, {100, 110});
        writeRecord(folder->path(), "taro", false, {80, 90});
        open();
        QCOMPARE(names(), (QStringList{"taro", "taro"}));
        QCOMPARE(model().row(1).icon, 5);
        // The double-click and the menu's graph command leave the window alike: the graph
        // of the row's Course, the row still selected, nothing to delete under the graph.
        const auto verifyGraphOfRow = [this] {
            QTreeWidgetItem *selected = currentNode();
            QVERIFY(selected);
            QCOMPARE(selected->text(0), QString("taro"));
            QCOMPARE(qel::nodeImage(selected), 5);
            QCOMPARE(qel::nodeKey(selected), QString("taro_Qelk.dat"));
            QVERIFY(graphShown());
            QVERIFY(!listShown());
            QCOMPARE(state().graph.graphFamily, 1);
            QVERIFY(rowSelected(1));
            for (int position : {9, 10, 15})
                QVERIFY(buttonEnabled(position));
            QVERIFY(!buttonEnabled(3));
        };
        doubleClickRow(1);
        verifyGraphOfRow();
        QTest::mouseClick(pane(), Qt::RightButton, {}, QPoint(20, 20)); // the graph's pop-up
        trigger("mnuPopReport");
        QVERIFY(rowSelected(1));
        trigger("mnuViewGraph_0");
        verifyGraphOfRow();

        // The group node brings the list back.
        clickNode(rootNode());
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        for (int position : {3, 9, 10, 15})
            QVERIFY(!buttonEnabled(position));
    }

    void learnerButtonsFollowTheSelection()
    {
        for (const char *name : {"a", "b", "c"})
            writeRecord(folder->path(), name, true, {100, 101});
        QTemporaryDir empty;
        open();
        const auto lit = [this] {
            QList<bool> states;
            for (int position : {3, 9, 10, 15})
                states << buttonEnabled(position);
            return states;
        };
        const QList<bool> on{true, true, true, true}, off{false, false, false, false};
        QCOMPARE(lit(), off);

        // The keyboard chooses as the mouse does.
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Down);
        QVERIFY(anyRowSelected());
        QCOMPARE(lit(), on);
        QTest::keyClick(list(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(lit(), on);
        QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier);
        QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(!anyRowSelected());
        QCOMPARE(lit(), off);
        QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(rowSelected(2));
        QCOMPARE(lit(), on);

        // A rebuilt list has nothing chosen: another group, another folder, an empty one.
        showViewMode(1);
        QCOMPARE(lit(), off);
        clickRow(0);
        QCOMPARE(lit(), on);
        chooseFolder(empty.path());
        QCOMPARE(rowCount(), 0);
        QCOMPARE(lit(), off);
    }

    void wholeNamesAndPaths()
    {
        const QString longName = QString("Yamanouchi-Fujiwara Sakurako Alexandra").repeated(2);
        writeRecord(folder->path(), longName, true, {100, 101});
        open();
        QCoreApplication::processEvents();
        QTreeWidgetItem *node = learnerNode(longName);
        QCOMPARE(node->toolTip(0), longName);
        QCOMPARE(tree()->textElideMode(), Qt::ElideNone);
        // The column takes the whole name and the tree scrolls sideways to it.
        QVERIFY(tree()->columnWidth(0) > tree()->fontMetrics().horizontalAdvance(longName));
        QVERIFY(tree()->horizontalScrollBar()->maximum() > 0);
        QLabel *path = part<QLabel>("lblTitle_0");
        QCOMPARE(path->text(), folder->path());
        QCOMPARE(path->toolTip(), folder->path());
    }

    void sortIndicatorPointsAsOnWindows()
    {
        // Ascending order shows the arrow pointing up, descending down.
        struct Probe : qel::ListHeader {
            using ListHeader::ListHeader;
            QStyleOptionHeader::SortIndicator drawn(int section) const
            {
                QStyleOptionHeader option;
                initStyleOptionForIndex(&option, section);
                return option.sortIndicator;
            }
        } probe(nullptr);
        qel::LearnerListModel rows;
        probe.setModel(&rows);
        probe.setSortIndicatorShown(true);
        probe.setSortIndicator(2, Qt::AscendingOrder);
        QCOMPARE(probe.drawn(2), QStyleOptionHeader::SortUp);
        QCOMPARE(probe.drawn(3), QStyleOptionHeader::None);
        probe.setSortIndicator(2, Qt::DescendingOrder);
        QCOMPARE(probe.drawn(2), QStyleOptionHeader::SortDown);

        open();
        QVERIFY(qobject_cast<qel::ListHeader *>(list()->header()));
    }

    void listRightButtonKeepsOrReplacesTheSelection()
    {
        for (const char *name : {"a", "b", "c", "d"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        selectRow(0);
        selectRow(2);

        // On a selected row the whole selection stays for the pop-up.
        rightClickRow(2);
        QVERIFY(rowSelected(0));
        QVERIFY(rowSelected(2));
        QCOMPARE(asker->popups, std::vector<QMenu *>{menu("menuPop")});
        QVERIFY(!state().graph.popupFromTree);
        // List shown: "一覧表示へ" off, "すべて選択" on.
        QCOMPARE(asker->popupStates.back(), std::make_pair(false, true));

        // Outside the selection the old selection goes.
        rightClickRow(1);
        QVERIFY(!rowSelected(0));
        QVERIFY(!rowSelected(2));
        QVERIFY(rowSelected(1));
        QCOMPARE(asker->popups.size(), std::size_t(2));
    }

    void treeRightButtonSelectsWithoutDrawing()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        writeRecord(folder->path(), "b", false, {100, 101});
        open();
        selectRow(1);
        QTreeWidgetItem *b = learnerNode("b", 5);
        QWidget *viewport = tree()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, nodeCentre(b));
        QVERIFY(state().rightPressOnTree);
        QVERIFY(!anyRowSelected()); // a press on the tree clears the list's selection
        QTest::mouseRelease(viewport, Qt::RightButton, {}, nodeCentre(b));

        QCOMPARE(currentNode(), b);
        QVERIFY(!graphShown());
        QCOMPARE(state().graph.graphFamily, 0);
        QCOMPARE(asker->popups, std::vector<QMenu *>{menu("menuPop")});
        QVERIFY(state().graph.popupFromTree);
        QCOMPARE(asker->popupStates.back(), std::make_pair(false, true));

        // The next left click on a node acts normally.
        clickNode(learnerNode("a", 4));
        QVERIFY(graphShown());
        QCOMPARE(state().graph.graphFamily, 1);

        // The learner pop-up over a shown graph offers the way back to the list.
        QTest::mouseClick(viewport, Qt::RightButton, {}, nodeCentre(learnerNode("a", 4)));
        QCOMPARE(asker->popupStates.back(), std::make_pair(true, false));
    }

    void treeRightButtonOnEmptySpaceUsesTheSelectedNode()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        QWidget *viewport = tree()->viewport();
        const QPoint empty(viewport->width() / 2, viewport->height() - 5);
        QVERIFY(!tree()->itemAt(empty));

        QTest::mouseClick(viewport, Qt::RightButton, {}, empty);
        QCOMPARE(asker->popups, std::vector<QMenu *>{menu("menuPopAll")});
        QCOMPARE(currentNode(), rootNode());

        // With a learner selected (picked by a right-click before), empty space opens its menu.
        QTest::mouseClick(viewport, Qt::RightButton, {}, nodeCentre(learnerNode("a", 4)));
        QTest::mouseClick(viewport, Qt::RightButton, {}, empty);
        QCOMPARE(asker->popups.back(), menu("menuPop"));
        QCOMPARE(currentNode(), learnerNode("a", 4));
    }

    void nodeClickAfterRightPressIsSwallowed()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        // The right button goes down; before it comes up the keyboard picks a node.
        QTest::mousePress(tree()->viewport(), Qt::RightButton, {}, nodeCentre(rootNode()));
        QTest::keyClick(tree(), Qt::Key_Down);
        QCOMPARE(currentNode(), learnerNode("a", 4));
        QVERIFY(!graphShown());
        QVERIFY(!state().rightPressOnTree);
        QTest::keyClick(tree(), Qt::Key_Up);
        QTest::keyClick(tree(), Qt::Key_Down);
        QVERIFY(graphShown());
        QTest::mouseRelease(tree()->viewport(), Qt::RightButton, {}, nodeCentre(rootNode()));
    }

    void mainMenusEnableTheirItemsWhenOpened()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        writeRecord(folder->path(), "b", true, {100, 101});
        open();
        QAction *fileDelete = action("mnuFileDelete");
        QAction *selectAll = action("mnuEditSelectAll");
        QAction *personalGraphs = menu("mnuPersonal")->menuAction();
        QAction *personalProperties = action("mnuPorpPersonal");
        openAndClose("mnuFile");
        QVERIFY(!fileDelete->isEnabled());
        openAndClose("mnuView");
        QVERIFY(!personalGraphs->isEnabled());
        QVERIFY(!personalProperties->isEnabled());

        selectRow(1);
        QVERIFY(anyRowSelected());
        openAndClose("mnuFile");
        QVERIFY(fileDelete->isEnabled());
        openAndClose("mnuEdit");
        QVERIFY(selectAll->isEnabled());
        openAndClose("mnuView");
        QVERIFY(personalGraphs->isEnabled());
        QVERIFY(personalProperties->isEnabled());

        // A personal graph on display: no deleting, no selecting all, personal items on.
        clickNode(learnerNode("a", 4));
        clearSelection();
        openAndClose("mnuFile");
        QVERIFY(!fileDelete->isEnabled());
        openAndClose("mnuEdit");
        QVERIFY(!selectAll->isEnabled());
        openAndClose("mnuView");
        QVERIFY(personalGraphs->isEnabled());

        // A group graph does not count as personal.
        trigger("mnuAllStep_0");
        QCOMPARE(state().graph.graphFamily, 2);
        openAndClose("mnuView");
        QVERIFY(!personalGraphs->isEnabled());
    }

    void toolbarAndMenuAgreeOnDeleting()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        clickRow(0);
        QVERIFY(buttonEnabled(3));
        QMenu *file = menu("mnuFile");
        file->popup(window->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QVERIFY(action("mnuFileDelete")->isEnabled());
        file->close();
        QCoreApplication::processEvents();
        QVERIFY(toolbar()->widgetForAction(button(3))->isEnabled());

        clickEmptyTreeSpace(); // the row is no longer selected
        QVERIFY(!anyRowSelected());
        QVERIFY(!buttonEnabled(3));
        QVERIFY(!toolbar()->widgetForAction(button(3))->isEnabled());
        openAndClose("mnuFile");
        QVERIFY(!action("mnuFileDelete")->isEnabled());
    }

    void selectAllAndBackToTheList()
    {
        for (const char *name : {"a", "b", "c"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        trigger("mnuEditSelectAll");
        for (int r = 0; r < 3; ++r)
            QVERIFY(rowSelected(r));
        clearSelection();
        trigger("mnuPopEditSelectAll");
        QVERIFY(rowSelected(2));

        trigger("mnuPopViewGraph_1");
        QCOMPARE(state().graph.personalGraphKind, 1);
        trigger("mnuPopReport");
        QVERIFY(!graphShown());
        QVERIFY(listShown());
    }

    void graphPaneFocusEnablesTheGroupListItem()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        QAction *groupList = action("mnuPopAllAll");
        QVERIFY(!groupList->isEnabled());
        trigger("mnuAllStep_1");
        QCOMPARE(state().graph.groupGraphKind, 1);
        QTest::mouseClick(pane(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(groupList->isEnabled());
        QTest::mouseClick(pane(), Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(asker->popups.back(), menu("menuPopAll"));
        tree()->setFocus();
        QVERIFY(!groupList->isEnabled());
    }

    // The keyboard does what the mouse does: Enter on a row opens the learner's graph, as a
    // double-click does; Shift+F10 and the Menu key open the pop-up of the control with the
    // focus, for its current item, with its items enabled as a right click gives them.
    void keysDoWhatTheMouseDoes_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<bool>("listUp");      // "一覧表示へ" off and "すべて選択" on
        QTest::addColumn<QStringList>("rows"); // selected afterwards (row c before)
        QTest::newRow("Enter on a row") << "list" << int(Qt::Key_Return) << "" << false << QStringList{"c"};
        QTest::newRow("tree, group node") << "tree" << int(Qt::Key_Menu) << "menuPopAll" << true << QStringList{};
        QTest::newRow("tree, learner") << "tree/b" << int(Qt::Key_F10) << "menuPop" << true << QStringList{};
        QTest::newRow("list, row outside the selection") << "list" << int(Qt::Key_F10) << "menuPop" << true
                                                         << QStringList{"b"};
        QTest::newRow("practice graph") << "pane" << int(Qt::Key_Menu) << "menuPop" << false << QStringList{};
        QTest::newRow("class board tile") << "board" << int(Qt::Key_Menu) << "menuPop" << false << QStringList{"a"};
    }

    void keysDoWhatTheMouseDoes()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(QString, menu);
        QFETCH(bool, listUp);
        QFETCH(QStringList, rows);
        for (const char *name : {"a", "b", "c"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        selectRow(2);
        setCurrentRow(1);
        QWidget *target = control.startsWith("tree") ? tree() : control == "list" ? list() : nullptr;
        if (control == "tree/b")
            tree()->setCurrentItem(learnerNode("b"));
        if (control == "pane")
            clickNode(learnerNode("c"));
        if (control == "board")
            trigger("mnuViewClassBoard");
        target = target ? target : part(control == "pane" ? "Picture1" : "lvClassBoard");
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), key == Qt::Key_F10 ? Qt::ShiftModifier : Qt::NoModifier);
        settle();

        if (menu.isEmpty()) {
            QVERIFY(graphShown());
            QCOMPARE(state().pane.nodeKey, QString("b_Qele.dat"));
        } else {
            QCOMPARE(asker->popups, std::vector<QMenu *>{this->menu(menu)});
            if (menu == "menuPop")
                QCOMPARE(asker->popupStates.back(), std::make_pair(!listUp, listUp));
        }
        if (!control.startsWith("tree")) {
            QStringList selected;
            for (int r = 0; r < rowCount(); ++r)
                if (rowSelected(r))
                    selected << rowText(r);
            QCOMPARE(selected, rows);
        }
    }

    // Tab takes the keyboard from the tree to the right pane, whichever of list, graph or
    // board holds it, and Shift+Tab back.
    void tabGoesFromTreeToTheRightPane_data()
    {
        QTest::addColumn<QString>("pane");
        QTest::newRow("list") << "lvListView";
        QTest::newRow("graph") << "Picture1";
        QTest::newRow("board") << "lvClassBoard";
    }
    void tabGoesFromTreeToTheRightPane()
    {
        QFETCH(QString, pane);
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        if (pane == "Picture1")
            clickNode(learnerNode("a"));
        if (pane == "lvClassBoard")
            trigger("mnuViewClassBoard");
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), part(pane));
        QTest::keyClick(part(pane), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(tree()));
    }

    // The tree or list without the focus shows its selection in grey, not in the highlight
    // of the one with the focus.
    void selectionWithoutFocusLooksInactive()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        selectRow(0);
        const QRect cell = list()->visualRect(model().index(0, 4));
        const QRect node = tree()->visualItemRect(rootNode());
        // The colour of a pixel off the text, told within a little shading by the style.
        const auto painted = [](QAbstractItemView *view, QPoint at, QPalette::ColorGroup group) {
            const QColor p = view->viewport()->grab().toImage().pixelColor(at);
            const QColor c = view->palette().color(group, QPalette::Highlight);
            return std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 12;
        };
        const QPoint inList(cell.left() + 2, cell.center().y()), inTree(node.right() - 3, node.center().y() + 2);
        QVERIFY(list()->palette().color(QPalette::Inactive, QPalette::Highlight)
                != list()->palette().color(QPalette::Active, QPalette::Highlight));
        for (QAbstractItemView *focused : {static_cast<QAbstractItemView *>(list()), static_cast<QAbstractItemView *>(tree())}) {
            focused->setFocus();
            QAbstractItemView *other = focused == list() ? static_cast<QAbstractItemView *>(tree()) : list();
            QVERIFY(painted(focused, focused == list() ? inList : inTree, QPalette::Active));
            QVERIFY(painted(other, other == list() ? inList : inTree, QPalette::Inactive));
        }
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrmMainViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmmain_view.moc"
