// The group tree and learner list of the real window: view modes, sorting, double-click,
// right-button rules, menu enabling.

#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "tests/mainwindow/viewertestsupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace qeltest;

class FrmMainViewTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    std::vector<int> pressedModeButtons() const
    {
        std::vector<int> pressed;
        for (int position : {5, 6, 7})
            if (window->toolbarButtonPressed(position))
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
        window->tvTreeView_NodeClick(learnerNode("taro", 4));
        QVERIFY(window->graphPaneVisible());

        // Through the toolbar button, as a user would.
        QAction *button = window->toolbarButton(5 + mode);
        QTest::mouseClick(window->tbToolBar->widgetForAction(button), Qt::LeftButton);

        QCOMPARE(window->viewMode, mode);
        QCOMPARE(window->rootNode()->text(0), root);
        QCOMPARE(window->rootNode()->childCount(), rows.size());
        QCOMPARE(names(), rows);
        QStringList shownCourses;
        for (int r = 0; r < window->rowCount(); ++r)
            shownCourses << window->rowText(r, 1);
        QCOMPARE(shownCourses, courses);
        QCOMPARE(window->statusPanels[0]->text(), status);
        QCOMPARE(pressedModeButtons(), std::vector<int>{5 + mode});
        for (int i = 0; i < 3; ++i)
            QCOMPARE(window->mnuListViewMode[i]->isChecked(), i == mode);
        QVERIFY(!window->graphPaneVisible());
        QVERIFY(!window->lvListView->isHidden());
        QCOMPARE(heading(), QString("各カラムをクリックするとその項目でソートされます。"));
        QCOMPARE(window->lblTitle[0]->text(), folder->path());
        QCOMPARE(window->tvTreeView->currentItem(), window->rootNode());
        QCOMPARE(qel::frmMain::nodeImage(window->rootNode()), 1);
        QCOMPARE(int(window->collections.groupSteps.size()), rows.size());
    }

    void menusAndToolbarAsDesigned()
    {
        open();
        QCOMPARE(window->windowTitle(), QString("QelViewer"));
        QStringList bar;
        for (const QAction *a : window->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
        QCOMPARE(describe(window->mnuFile),
                 QString("記録ファイル保存フォルダー指定(&O) | 検索(&F) | > 印刷(&P) {個人プロパティ(&P) | 全体プロパティ(&A)}"
                         " | CSV出力(&V) | - | 削除(&D) | - | 閉じる(&C)"));
        QCOMPARE(describe(window->mnuEdit), QString("すべて選択(&A)"));
        QCOMPARE(window->mnuEditSelectAll->shortcut(), QKeySequence("Ctrl+A"));
        QCOMPARE(describe(window->mnuView),
                 QString("[x]ﾂｰﾙ ﾊﾞｰ(&T) | [x]ｽﾃｰﾀｽ ﾊﾞｰ(&B) | - | [x]全体(&A) | 英文練習者(&E) | かな/ローマ練習者(&R) | - | "
                         "> グラフ(&G) {> 個人(&P) {練習グラフ(&I) | 時間グラフ(&H)} | > 全体(&A) {STEP統計(&S) | 練習回数統計(&T)}}"
                         " | - | > プロパティ(&P) {個人(&P) | 全体(&A)} | -(hidden) | ｵﾌﾟｼｮﾝ(&O)...(hidden)"));
        QCOMPARE(describe(window->mnuHelp), QString("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
        QCOMPARE(window->menuPop->title(), QString("ポップアップ"));
        QCOMPARE(describe(window->menuPop),
                 QString("一覧表示へ(&D) | すべて選択(&A) | - | > グラフ(&G) {練習グラフ(&U) | 練習時間グラフ(&T)} | - | "
                         "> 出力(&O) {印刷(&P) | CSV出力(&V)} | - | プロパティ(&P)"));
        QCOMPARE(window->menuPopAll->title(), QString("ポップアップ全体"));
        QCOMPARE(describe(window->menuPopAll),
                 QString("一覧表示へ(&D) | > グラフ(&G) {STEP統計(&U) | 練習回数統計(&T)} | - | "
                         "> 出力(&O) {印刷(&P) | CSV出力(&V)} | - | プロパティ(&P)"));
        QVERIFY(!window->mnuPopAllAll->isEnabled());

        // Toolbar: 16 positions, the menu's own actions behind the buttons.
        const QList<QAction *> buttons = window->tbToolBar->actions();
        QCOMPARE(buttons.size(), 16);
        const QStringList keys = {"Open", "Find", "Delete", "", "View Details", "English", "Kana", "",
                                  "p3", "p4", "", "pa1", "pa2", "", "pp1", "p2"};
        const QStringList tips = {"練習記録保存フォルダ変更", "ユーザ検索", "削除", "", "一覧表示", "英文練習者表示",
                                  "かな/ﾛｰﾏ練習者表示", "", "個人練習グラフ", "個人練習時間グラフ", "", "全体STEP統計",
                                  "全体練習回数統計", "", "個人プロパティ", "全体プロパティ"};
        for (int position = 1; position <= 16; ++position) {
            QAction *button = buttons[position - 1];
            QCOMPARE(window->toolbarKey(position), keys[position - 1]);
            QCOMPARE(button->isSeparator(), keys[position - 1].isEmpty());
            if (button->isSeparator())
                continue;
            QCOMPARE(button, window->toolbarButton(position));
            QCOMPARE(button->toolTip(), tips[position - 1]);
            QVERIFY(!button->icon().isNull());
        }
        QCOMPARE(window->toolbarButton(3), window->mnuFileDelete);
        QCOMPARE(window->toolbarButton(9), window->mnuViewGraph[0]);
        QCOMPARE(window->toolbarButton(16), window->mnuPropAll);

        // The list's columns.
        QHeaderView *header = window->lvListView->header();
        const QStringList titles = {"名  前", "モード", "STEP", "練習回数", "総練習時間", "上達度", "最高SPM", "最終練習日時"};
        const int widths[] = {2117, 1058, 706, 1147, 1764, 1147, 1235, 4233};
        for (int c = 0; c < 8; ++c) {
            QCOMPARE(header->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(header->sectionSize(c), window->twipsToPixelsX(widths[c]));
        }
        QCOMPARE(window->lvListView->font().family(), QString("ＭＳ ゴシック"));
        // Padded figures line up: a blank is as wide as a digit, a point or a minus.
        const QFontMetrics metrics(window->lvListView->font());
        for (const char *glyph : {"0", "7", ".", "-", ":"})
            QCOMPARE(metrics.horizontalAdvance(glyph), metrics.horizontalAdvance(" "));
        QCOMPARE(window->lvListView->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(window->lvListView->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(window->Picture1->palette().color(QPalette::Window), QColor(255, 255, 192));
    }

    void emptyGroupEmptiesCollections()
    {
        writeRecord(folder->path(), "hanako", false, {60, 70}, 5);
        open();
        QCOMPARE(window->collections.groupSteps, std::vector<std::int32_t>{5});
        window->mnuListViewMode_Click(1);
        QCOMPARE(window->rootNode()->text(0), QString("英文"));
        QCOMPARE(window->rootNode()->childCount(), 0);
        QCOMPARE(status(), QString("0個の成績データファイル"));
        QVERIFY(window->collections.groupSteps.empty());
        QVERIFY(window->collections.groupRunCounts.empty());
        QVERIFY(window->shownGroupIsEmpty());
    }

    void sortByRateIsNumericAndShared()
    {
        writeRecord(folder->path(), "a", true, {100, 102, 104});  // 2.00
        writeRecord(folder->path(), "b", true, {100, 99});        // -1.00
        writeRecord(folder->path(), "c", true, {100});            // 0.00
        writeRecord(folder->path(), "d", true, {100, 110});       // 10.00
        writeRecord(folder->path(), "e", true, {100, 100, 99});    // -0.50
        open();
        QCOMPARE(window->sortDirection(), 0);
        QHeaderView *header = window->lvListView->header();
        const int rate = qel::LearnerListModel::kRateColumn;
        QCOMPARE(header->model()->headerData(rate, Qt::Horizontal).toString(), QString("上達度"));

        // Click the header itself: the first click sorts opposite to the stored direction.
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(rate) + header->sectionSize(rate) / 2,
                                 header->height() / 2));
        QCOMPARE(names(), (QStringList{"d", "a", "c", "e", "b"}));
        QCOMPARE(window->sortDirection(), 1);

        window->lvlistview_ColumnClick(rate);
        QCOMPARE(names(), (QStringList{"b", "e", "c", "a", "d"}));
        QCOMPARE(window->rowText(0, rate), QString("   -1.00"));

        // Row 1 ends deselected after a sort, the rest of a selection stays.
        window->setRowSelected(0, true);
        window->setRowSelected(2, true);
        window->lvlistview_ColumnClick(rate);
        QVERIFY(!window->rowSelected(0));
        QCOMPARE(window->listModel->row(2).name, QString("c"));
        QVERIFY(window->rowSelected(2)); // "c" kept its selection when it moved
    }

    void textSortKeepsPaddedFiguresNumeric()
    {
        writeRecord(folder->path(), "p", true, std::vector<int>(12, 50), 100);
        writeRecord(folder->path(), "q", true, std::vector<int>(100, 50), 5);
        writeRecord(folder->path(), "r", true, std::vector<int>(7, 50), 12);
        open();
        window->lvlistview_ColumnClick(2); // STEP: descending first
        QCOMPARE(names(), (QStringList{"p", "r", "q"}));
        window->lvlistview_ColumnClick(3); // 練習回数: the shared direction flips to ascending
        QCOMPARE(names(), (QStringList{"r", "p", "q"}));
        window->lvlistview_ColumnClick(2);
        QCOMPARE(names(), (QStringList{"p", "r", "q"}));
        window->lvlistview_ColumnClick(0); // name, ascending
        QCOMPARE(names(), (QStringList{"p", "q", "r"}));

        // A text sort holds for the next fill of the list.
        window->mnuListViewMode_Click(1);
        QCOMPARE(names(), (QStringList{"p", "q", "r"}));
        window->lvlistview_ColumnClick(0);
        window->mnuListViewMode_Click(0);
        QCOMPARE(names(), (QStringList{"r", "q", "p"}));
    }

    void doubleClickFindsTheNodeOfTheRowsCourse()
    {
        writeRecord(folder->path(), "taro", true, {100, 110});
        writeRecord(folder->path(), "taro", false, {80, 90});
        open();
        QCOMPARE(names(), (QStringList{"taro", "taro"}));
        QCOMPARE(window->listModel->row(1).icon, 5);
        const QPoint kanaRow = rowCentre(1);
        QTest::mouseClick(window->lvListView->viewport(), Qt::LeftButton, {}, kanaRow);
        QTest::mouseDClick(window->lvListView->viewport(), Qt::LeftButton, {}, kanaRow);

        QTreeWidgetItem *selected = window->tvTreeView->currentItem();
        QVERIFY(selected);
        QCOMPARE(selected->text(0), QString("taro"));
        QCOMPARE(qel::frmMain::nodeImage(selected), 5);
        QCOMPARE(qel::frmMain::nodeKey(selected), QString("taro_Qelk.dat"));
        QVERIFY(window->graphPaneVisible());
        QVERIFY(window->lvListView->isHidden());
        QCOMPARE(window->graphFamily, 1);
        for (int position : {9, 10, 15})
            QVERIFY(window->toolbarButtonEnabled(position));
        QVERIFY(!window->toolbarButtonEnabled(3));

        // The group node brings the list back.
        window->tvTreeView_NodeClick(window->rootNode());
        QVERIFY(!window->graphPaneVisible());
        QVERIFY(!window->lvListView->isHidden());
        for (int position : {3, 9, 10, 15})
            QVERIFY(!window->toolbarButtonEnabled(position));
    }

    void listRightButtonKeepsOrReplacesTheSelection()
    {
        for (const char *name : {"a", "b", "c", "d"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        window->setRowSelected(0, true);
        window->setRowSelected(2, true);

        // On a selected row the whole selection stays for the pop-up.
        rightClickRow(2);
        QVERIFY(window->rowSelected(0));
        QVERIFY(window->rowSelected(2));
        QCOMPARE(window->popups, std::vector<QMenu *>{window->menuPop});
        QVERIFY(!window->popupFromTree);
        // List shown: "一覧表示へ" off, "すべて選択" on.
        QCOMPARE(window->popupStates.back(), std::make_pair(false, true));

        // Outside the selection the old selection goes.
        rightClickRow(1);
        QVERIFY(!window->rowSelected(0));
        QVERIFY(!window->rowSelected(2));
        QVERIFY(window->rowSelected(1));
        QCOMPARE(window->popups.size(), std::size_t(2));
    }

    void treeRightButtonSelectsWithoutDrawing()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        writeRecord(folder->path(), "b", false, {100, 101});
        open();
        window->setRowSelected(1, true);
        QTreeWidgetItem *b = learnerNode("b", 5);
        QWidget *viewport = window->tvTreeView->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, nodeCentre(b));
        QVERIFY(window->rightPressOnTree);
        QVERIFY(!window->anyRowSelected()); // a press on the tree clears the list's selection
        QTest::mouseRelease(viewport, Qt::RightButton, {}, nodeCentre(b));

        QCOMPARE(window->tvTreeView->currentItem(), b);
        QVERIFY(!window->graphPaneVisible());
        QCOMPARE(window->graphFamily, 0);
        QCOMPARE(window->popups, std::vector<QMenu *>{window->menuPop});
        QVERIFY(window->popupFromTree);
        QCOMPARE(window->popupStates.back(), std::make_pair(false, true));

        // The next left click on a node acts normally.
        clickNode(learnerNode("a", 4));
        QVERIFY(window->graphPaneVisible());
        QCOMPARE(window->graphFamily, 1);

        // The learner pop-up over a shown graph offers the way back to the list.
        QTest::mouseClick(viewport, Qt::RightButton, {}, nodeCentre(learnerNode("a", 4)));
        QCOMPARE(window->popupStates.back(), std::make_pair(true, false));
    }

    void treeRightButtonOnEmptySpaceUsesTheSelectedNode()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        QWidget *viewport = window->tvTreeView->viewport();
        const QPoint empty(viewport->width() / 2, viewport->height() - 5);
        QVERIFY(!window->tvTreeView->itemAt(empty));

        QTest::mouseClick(viewport, Qt::RightButton, {}, empty);
        QCOMPARE(window->popups, std::vector<QMenu *>{window->menuPopAll});
        QCOMPARE(window->tvTreeView->currentItem(), window->rootNode());

        // With a learner selected (picked by a right-click before), empty space opens its menu.
        QTest::mouseClick(viewport, Qt::RightButton, {}, nodeCentre(learnerNode("a", 4)));
        QTest::mouseClick(viewport, Qt::RightButton, {}, empty);
        QCOMPARE(window->popups.back(), window->menuPop);
        QCOMPARE(window->tvTreeView->currentItem(), learnerNode("a", 4));
    }

    void nodeClickAfterRightPressIsSwallowed()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        window->tvTreeView_MouseDown(Qt::RightButton);
        window->tvTreeView_NodeClick(learnerNode("a", 4));
        QVERIFY(!window->graphPaneVisible());
        QVERIFY(!window->rightPressOnTree);
        window->tvTreeView_NodeClick(learnerNode("a", 4));
        QVERIFY(window->graphPaneVisible());
    }

    void mainMenusEnableTheirItemsWhenOpened()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        writeRecord(folder->path(), "b", true, {100, 101});
        open();
        window->mnuFile_Click();
        QVERIFY(!window->mnuFileDelete->isEnabled());
        window->mnuView_Click();
        QVERIFY(!window->mnuPersonal->menuAction()->isEnabled());
        QVERIFY(!window->mnuPorpPersonal->isEnabled());

        window->setRowSelected(1, true);
        QVERIFY(window->anyRowSelected());
        window->mnuFile_Click();
        QVERIFY(window->mnuFileDelete->isEnabled());
        window->mnuEdit_Click();
        QVERIFY(window->mnuEditSelectAll->isEnabled());
        window->mnuView_Click();
        QVERIFY(window->mnuPersonal->menuAction()->isEnabled());
        QVERIFY(window->mnuPorpPersonal->isEnabled());

        // A personal graph on display: no deleting, no selecting all, personal items on.
        window->tvTreeView_NodeClick(learnerNode("a", 4));
        window->lvListView->clearSelection();
        window->mnuFile_Click();
        QVERIFY(!window->mnuFileDelete->isEnabled());
        window->mnuEdit_Click();
        QVERIFY(!window->mnuEditSelectAll->isEnabled());
        window->mnuView_Click();
        QVERIFY(window->mnuPersonal->menuAction()->isEnabled());

        // A group graph does not count as personal.
        window->mnuAllStep_Click(0);
        QCOMPARE(window->graphFamily, 2);
        window->mnuView_Click();
        QVERIFY(!window->mnuPersonal->menuAction()->isEnabled());
    }

    void menuStateGivesWayToTheToolbarsOnceClosed()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        window->setToolbarButtonEnabled(3, true);
        QMenu *file = window->mnuFile;
        file->popup(window->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QVERIFY(!window->mnuFileDelete->isEnabled()); // nothing selected
        file->close();
        QCoreApplication::processEvents();
        QVERIFY(window->mnuFileDelete->isEnabled()); // the toolbar button is usable again
        QVERIFY(window->tbToolBar->widgetForAction(window->mnuFileDelete)->isEnabled());
    }

    void selectAllAndBackToTheList()
    {
        for (const char *name : {"a", "b", "c"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        window->mnuEditSelectAll_Click();
        for (int r = 0; r < 3; ++r)
            QVERIFY(window->rowSelected(r));
        window->lvListView->clearSelection();
        window->mnuPopEditSelectAll_Click();
        QVERIFY(window->rowSelected(2));

        window->mnuPopViewGraph_Click(1);
        QCOMPARE(window->personalGraphKind, 1);
        window->mnuPopReport_Click();
        QVERIFY(!window->graphPaneVisible());
        QVERIFY(!window->lvListView->isHidden());
    }

    void graphPaneFocusEnablesTheGroupListItem()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        QVERIFY(!window->mnuPopAllAll->isEnabled());
        window->mnuAllStep_Click(1);
        QCOMPARE(window->groupGraphKind, 1);
        QTest::mouseClick(window->Picture1, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(window->mnuPopAllAll->isEnabled());
        QTest::mouseClick(window->Picture1, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(window->popups.back(), window->menuPopAll);
        window->tvTreeView->setFocus();
        QVERIFY(!window->mnuPopAllAll->isEnabled());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrmMainViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmmain_view.moc"
