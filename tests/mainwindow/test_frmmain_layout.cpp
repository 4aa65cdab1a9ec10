// Layout of the real window in twips, the splitter, the toolbar and status-bar toggles,
// the stored window settings and the start-up splash.

#include "config/registrystore.h"
#include "dialogs/frmSplash.h"
#include "mainwindow/panes.h"
#include "tests/mainwindow/viewertestsupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace qeltest;

class FrmMainLayoutTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    // The record folder is named in init(); some tests name another before opening.
    void open()
    {
        openWindow();
        QCoreApplication::processEvents();
    }

    QRectF at(const QWidget *w) const { return window->twipsGeometry(w); }
    double toolbarTwips() const { return window->pixelsToTwipsY(window->tbToolBar->sizeHint().height()); }
    double statusTwips() const { return window->pixelsToTwipsY(window->sbStatusBar->sizeHint().height()); }

private slots:
    void init()
    {
        setUp();
        writeRecord(folder->path(), "taro", true, {100, 110});
        settings->setRecDir(folder->path());
    }

    void cleanup()
    {
        tearDown();
    }

    void sizeControlsArithmetic_data()
    {
        QTest::addColumn<double>("wanted");
        QTest::addColumn<double>("expected"); // negative: W minus this
        QTest::newRow("as designed") << 2220.0 << 2220.0;
        QTest::newRow("too small") << 1200.0 << 1500.0;
        QTest::newRow("exactly the lower bound") << 1500.0 << 1500.0;
        QTest::newRow("too large") << 100000.0 << -1500.0;
    }

    void sizeControlsArithmetic()
    {
        QFETCH(double, wanted);
        QFETCH(double, expected);
        open();
        window->setOuterSizeTwips(9000, 7500);
        QCoreApplication::processEvents();
        const double W = window->outerWidthTwips();
        const double H = window->innerHeightTwips();
        QCOMPARE(W, 9000.0);

        double x = wanted;
        window->SizeControls(x);
        const double want = expected < 0 ? W + expected : expected;
        QCOMPARE(x, want);
        QCOMPARE(at(window->tvTreeView).left(), 0.0);
        QCOMPARE(at(window->tvTreeView).width(), want);
        QCOMPARE(at(window->imgSplitter).left(), want);
        QCOMPARE(at(window->imgSplitter).width(), 105.0);
        QCOMPARE(at(window->lvListView).left(), want + 40);
        QCOMPARE(at(window->lvListView).width(), W - (want + 140));
        QCOMPARE(at(window->lblTitle[0]).width(), want);
        QCOMPARE(at(window->lblTitle[1]).left(), want + 60);
        QCOMPARE(at(window->lblTitle[1]).width(), W - (want + 140) - 40);
        const double top = 225 + toolbarTwips();
        QCOMPARE(at(window->tvTreeView).top(), top);
        QCOMPARE(at(window->lvListView).top(), top);
        QCOMPARE(at(window->picTitles).top(), toolbarTwips());
        QCOMPARE(at(window->picTitles).height(), 225.0);
        const double height = H - (toolbarTwips() + 225 + statusTwips());
        QCOMPARE(at(window->tvTreeView).height(), height);
        QCOMPARE(at(window->lvListView).height(), height);
        QCOMPARE(at(window->imgSplitter).top(), top);
        QCOMPARE(at(window->imgSplitter).height(), height);
        QCOMPARE(at(window->Picture1), at(window->lvListView));
        // The pixels follow the twips.
        QCOMPARE(window->lvListView->geometry().left(), window->twipsToPixelsX(want + 40));
    }

    void resizeBelowTheSmallestResetsBoth_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("narrow") << 5000.0 << 8000.0;
        QTest::newRow("low") << 9000.0 << 4500.0;
    }

    void resizeBelowTheSmallestResetsBoth()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        open();
        window->setOuterSizeTwips(width, height);
        QCoreApplication::processEvents();
        QCOMPARE(window->outerWidthTwips(), 6000.0);
        QCOMPARE(window->outerHeightTwips(), 6000.0);
        // The layout followed the new size.
        QCOMPARE(at(window->lvListView).width(), 6000.0 - (2220 + 140));
    }

    void resizeKeepsALargeEnoughWindow()
    {
        open();
        window->setOuterSizeTwips(6000, 9000);
        QCoreApplication::processEvents();
        QCOMPARE(window->outerWidthTwips(), 6000.0);
        QCOMPARE(window->outerHeightTwips(), 9000.0);
    }

    void splitterDrag_data()
    {
        QTest::addColumn<double>("moveTo");     // where the mouse goes, twips from the window's left
        QTest::addColumn<double>("barAt");      // negative: W minus this
        QTest::addColumn<double>("treeWidth");  // negative: W minus this
        QTest::newRow("into the drag limit") << 1200.0 << 1200.0 << 1500.0;
        QTest::newRow("past the left") << 300.0 << 1000.0 << 1500.0;
        QTest::newRow("inside") << 3000.0 << 3000.0 << 3000.0;
        QTest::newRow("past the right") << 100000.0 << -3000.0 << -3000.0;
    }

    void splitterDrag()
    {
        QFETCH(double, moveTo);
        QFETCH(double, barAt);
        QFETCH(double, treeWidth);
        open();
        window->setOuterSizeTwips(9000, 7500);
        QCoreApplication::processEvents();
        const double W = window->outerWidthTwips();
        const double grip = at(window->imgSplitter).left();

        window->imgSplitter_MouseDown();
        QVERIFY(window->splitterDragging);
        QVERIFY(!window->picSplitter->isHidden());
        QCOMPARE(at(window->picSplitter).width(), 52.0);
        QCOMPARE(at(window->picSplitter).height(), at(window->imgSplitter).height() - 20);
        window->imgSplitter_MouseMove(moveTo - grip);
        QCOMPARE(at(window->picSplitter).left(), barAt < 0 ? W + barAt : barAt);
        QCOMPARE(at(window->tvTreeView).width(), grip); // the panes wait for the release
        window->imgSplitter_MouseUp();
        QVERIFY(window->picSplitter->isHidden());
        QVERIFY(!window->splitterDragging);
        QCOMPARE(at(window->tvTreeView).width(), treeWidth < 0 ? W + treeWidth : treeWidth);
    }

    void splitterDragWithTheMouse()
    {
        open();
        QWidget *grip = window->imgSplitter;
        QCOMPARE(grip->cursor().shape(), Qt::SizeHorCursor);
        // 1200 twips from the window's left edge is 80 pixels at 96 dpi.
        const int gripLeft = grip->geometry().left();
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(3, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(window->twipsToPixelsX(1200) - gripLeft, 10),
                         grip->mapToGlobal(QPointF(window->twipsToPixelsX(1200) - gripLeft, 10)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(grip, &move);
        QCOMPARE(at(window->picSplitter).left(), window->pixelsToTwipsX(window->twipsToPixelsX(1200)));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(window->twipsToPixelsX(1200) - gripLeft, 10));
        QCOMPARE(at(window->tvTreeView).width(), 1500.0);
    }

    void toolbarAndStatusBarToggles()
    {
        open();
        double x = 2220;
        window->SizeControls(x);
        const double tb = toolbarTwips(), sb = statusTwips();
        QVERIFY(tb > 0);
        QVERIFY(sb > 0);
        const QRectF tree = at(window->tvTreeView);

        window->mnuViewToolbar->trigger();
        QVERIFY(!window->mnuViewToolbar->isChecked());
        QVERIFY(window->tbToolBar->isHidden());
        QCOMPARE(at(window->picTitles).top(), 0.0);
        QCOMPARE(at(window->tvTreeView).top(), tree.top() - tb);
        QCOMPARE(at(window->tvTreeView).height(), tree.height() + tb);

        window->mnuViewStatusBar_Click();
        QVERIFY(!window->mnuViewStatusBar->isChecked());
        QVERIFY(window->sbStatusBar->isHidden());
        QCOMPARE(at(window->tvTreeView).height(), tree.height() + tb + sb);
        QCOMPARE(at(window->lvListView).height(), tree.height() + tb + sb);

        window->mnuViewToolbar_Click();
        window->mnuViewStatusBar->trigger();
        QVERIFY(window->mnuViewToolbar->isChecked());
        QVERIFY(window->mnuViewStatusBar->isChecked());
        QCOMPARE(at(window->tvTreeView), tree);
    }

    void minimisedWindowIsNotLaidOut()
    {
        open();
        double x = 2220;
        window->SizeControls(x);
        const QRectF before = at(window->lvListView);
        window->showMinimized();
        window->setOuterSizeTwips(5000, 5000);
        window->Form_Resize();
        QCOMPARE(at(window->lvListView), before);
    }

    void firstStartWritesDefaults()
    {
        settings->setRecDir(folder->path() + "/");
        open();
        QCOMPARE(settings->viewerValue("ViewerTop").toInt(), 100);
        QCOMPARE(settings->viewerValue("ViewerLeft").toInt(), 100);
        QCOMPARE(settings->viewerValue("ViewerHeight").toInt(), qel::frmMain::kDesignHeight);
        QCOMPARE(settings->viewerValue("ViewerWidth").toInt(), qel::frmMain::kDesignWidth);
        QCOMPARE(settings->viewerValue("RecentFolder").toString(), QString());
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(window->twipsToPixelsX(200), window->twipsToPixelsY(200)));
        QCOMPARE(window->outerWidthTwips(), double(qel::frmMain::kDesignWidth));
        QCOMPARE(window->recordFolder, folder->path()); // one final separator removed
        QCOMPARE(window->rowCount(), 1);
    }

    void laterStartRestores()
    {
        settings->setViewerValue("ViewerTop", 1500);
        settings->setViewerValue("ViewerLeft", 3000);
        settings->setViewerValue("ViewerHeight", 7500);
        settings->setViewerValue("ViewerWidth", 9000);
        settings->setViewerValue("RecentFolder", folder->path() + "/");
        open();
        QCOMPARE(window->windowTwips(), (qel::WindowTwips{1500, 3000, 7500, 9000}));
        QCOMPARE(window->recordFolder, folder->path() + "/"); // a remembered folder stays as it was

        // Closing saves where the window is now.
        window->move(window->twipsToPixelsX(1200), window->twipsToPixelsY(600));
        window->setOuterSizeTwips(8100, 6600);
        QCoreApplication::processEvents();
        window->recordFolder = "/elsewhere";
        window->close();
        QCOMPARE(settings->viewerValue("ViewerTop").toInt(), 600);
        QCOMPARE(settings->viewerValue("ViewerLeft").toInt(), 1200);
        QCOMPARE(settings->viewerValue("ViewerHeight").toInt(), 6600);
        QCOMPARE(settings->viewerValue("ViewerWidth").toInt(), 8100);
        QCOMPARE(settings->viewerValue("RecentFolder").toString(), QString("/elsewhere"));
    }

    void emptyRecentFolderFallsBack_data()
    {
        QTest::addColumn<bool>("withRecDir");
        QTest::newRow("to RecDir") << true;
        QTest::newRow("to the program's folder") << false;
    }

    void emptyRecentFolderFallsBack()
    {
        QFETCH(bool, withRecDir);
        settings = std::make_unique<PrivateSettings>();
        if (withRecDir)
            settings->setRecDir(folder->path());
        settings->setViewerValue("ViewerTop", 1500);
        settings->setViewerValue("RecentFolder", "");
        open();
        QCOMPARE(window->recordFolder, withRecDir ? folder->path() : QCoreApplication::applicationDirPath());
    }

    void closingMinimisedKeepsTheStoredValues()
    {
        settings->setViewerValue("ViewerTop", 1500);
        settings->setViewerValue("ViewerLeft", 3000);
        settings->setViewerValue("ViewerHeight", 7500);
        settings->setViewerValue("ViewerWidth", 9000);
        settings->setViewerValue("RecentFolder", folder->path());
        open();
        window->recordFolder = "/elsewhere";
        window->showMinimized();
        QVERIFY(window->isMinimized());
        window->close();
        QCOMPARE(settings->viewerValue("ViewerTop").toInt(), 1500);
        QCOMPARE(settings->viewerValue("ViewerLeft").toInt(), 3000);
        QCOMPARE(settings->viewerValue("ViewerHeight").toInt(), 7500);
        QCOMPARE(settings->viewerValue("ViewerWidth").toInt(), 9000);
        QCOMPARE(settings->viewerValue("RecentFolder").toString(), folder->path());
    }

    void windowOffEveryScreenComesBack()
    {
        settings->setViewerValue("ViewerTop", -150000);
        settings->setViewerValue("ViewerLeft", 400000);
        settings->setViewerValue("ViewerHeight", 7500);
        settings->setViewerValue("ViewerWidth", 9000);
        open();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(window->frameGeometry().topLeft()));
        QCOMPARE(window->outerWidthTwips(), 9000.0);
    }

    void storeThatCannotBeWrittenEndsTheProgram()
    {
        // The store's folder is taken by a plain file.
        QTemporaryDir blocked;
        QFile file(blocked.filePath("QelSoft"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocked.path());
        window = std::make_unique<TestWindow>();
        QVERIFY(!window->Form_Load());
        QCOMPARE(asker->messages.size(), std::size_t(1));
        QCOMPARE(asker->messages[0].text,
                 QString("1 Software\\QelSoft\\QelViewer\\Envレジストリの作成に失敗しました。"));
        QCOMPARE(asker->messages[0].buttons, qel::Asker::Buttons::Ok);
    }

    void splashFollowsTheFirstBuildAndCloses()
    {
        for (int i = 0; i < 6; ++i)
            writeRecord(folder->path(), QString("l%1").arg(i), i % 2 == 0, {100, 101});
        auto *splash = new qel::frmSplash;
        splash->show();
        window = std::make_unique<TestWindow>();
        window->setSplash(splash);
        QVERIFY(window->startingUp);
        QVERIFY(window->Form_Load());
        QCOMPARE(splash->ProgressBar1->maximum(), 8); // seven files and the group node
        QCOMPARE(splash->ProgressBar1->value(), 7);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QVERIFY(!window->startingUp);
        QVERIFY(window->treeFocusedLast);
        QVERIFY(!window->splash());

        // Later builds leave the splash alone.
        window->mnuListViewMode_Click(1);
        QCOMPARE(window->rowCount(), 4);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrmMainLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmmain_layout.moc"
