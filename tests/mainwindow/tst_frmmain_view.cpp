// The group tree and learner list of the real window: view modes, sorting, double-click,
// right-button rules, menu enabling.

#include "learnerlistmodel.h"
#include "panes.h"
#include "viewertestsupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace qeltest;

class FrmMainViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateSettings> settings;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<ScriptedAsker> asker;
    std::unique_ptr<TestWindow> window;

    // Opens the window on the current folder, as at start-up.
    void open()
    {
        settings->setRecDir(folder->path());
        window = std::make_unique<TestWindow>();
        QVERIFY(window->Form_Load());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    QStringList names() const
    {
        QStringList list;
        for (int r = 0; r < window->rowCount(); ++r)
            list << window->rowText(r);
        return list;
    }

    QPoint rowCentre(int row) const
    {
        return window->lvListView->visualRect(window->listModel->index(row, 1)).center();
    }

    QPoint nodeCentre(QTreeWidgetItem *node) const
    {
        return window->tvTreeView->visualItemRect(node).center();
    }

    QTreeWidgetItem *learnerNode(const QString &name, int image) const
    {
        QTreeWidgetItem *root = window->rootNode();
        for (int i = 0; root && i < root->childCount(); ++i)
            if (root->child(i)->text(0) == name && qel::frmMain::nodeImage(root->child(i)) == image)
                return root->child(i);
        return nullptr;
    }

    std::vector<int> pressedModeButtons() const
    {
        std::vector<int> pressed;
        for (int position : {5, 6, 7})
            if (window->toolbarButtonPressed(position))
                pressed.push_back(position);
        return pressed;
    }

private slots:
    void init()
    {
        settings = std::make_unique<PrivateSettings>();
        folder = std::make_unique<QTemporaryDir>();
        asker = std::make_unique<ScriptedAsker>();
    }

    void cleanup()
    {
        window.reset();
        asker.reset();
        folder.reset();
        settings.reset();
    }

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
        QCOMPARE(window->lblTitle[1]->text(), QString("各カラムをクリックするとその項目でソートされます。"));
        QCOMPARE(window->lblTitle[0]->text(), folder->path());
        QCOMPARE(window->tvTreeView->currentItem(), window->rootNode());
        QCOMPARE(qel::frmMain::nodeImage(window->rootNode()), 1);
        QCOMPARE(int(window->collections.groupSteps.size()), rows.size());
    }

    void emptyGroupEmptiesCollections()
    {
        writeRecord(folder->path(), "hanako", false, {60, 70}, 5);
        open();
        QCOMPARE(window->collections.groupSteps, std::vector<std::int32_t>{5});
        window->mnuListViewMode_Click(1);
        QCOMPARE(window->rootNode()->text(0), QString("英文"));
        QCOMPARE(window->rootNode()->childCount(), 0);
        QCOMPARE(window->statusPanels[0]->text(), QString("0個の成績データファイル"));
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
        QWidget *viewport = window->lvListView->viewport();
        window->setRowSelected(0, true);
        window->setRowSelected(2, true);

        // On a selected row the whole selection stays for the pop-up.
        QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(2));
        QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(2));
        QVERIFY(window->rowSelected(0));
        QVERIFY(window->rowSelected(2));
        QCOMPARE(window->popups, std::vector<QMenu *>{window->menuPop});
        QVERIFY(!window->popupFromTree);
        // List shown: "一覧表示へ" off, "すべて選択" on.
        QCOMPARE(window->popupStates.back(), std::make_pair(false, true));

        // Outside the selection the old selection goes.
        QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(1));
        QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(1));
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
        QTest::mouseClick(viewport, Qt::LeftButton, {}, nodeCentre(learnerNode("a", 4)));
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

#include "tst_frmmain_view.moc"
