// The graphs in the real window: what a learner click, the graph commands and the pane's
// events show, on folders written with the trainer's layout.

#include "dialogs/frmGraphData.h"
#include "graphs/graphdatamodel.h"
#include "tests/mainwindow/viewertestsupport.h"
#include "tests/support/recordingdevice.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <numeric>

using namespace qeltest;

namespace {

const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kGreen(0, 255, 0);

struct Learner {
    const char *name;
    bool english;
    int passedStep;
    int runs;
};

// A record file with practice time at its STEPs and runs climbing from `firstSpm`.
bool writeTimedRecord(const QString &folder, const QString &name, bool english, int currentStep,
                      const std::vector<std::int32_t> &stepSeconds, int runs, int firstSpm = 100)
{
    qel::samples::RecordContent content;
    content.currentStep = std::uint16_t(currentStep);
    std::copy(stepSeconds.begin(), stepSeconds.end(), content.stepSeconds.begin());
    content.totalSeconds = std::accumulate(stepSeconds.begin(), stepSeconds.end(), 0);
    for (int k = 0; k < runs; ++k)
        content.runs.push_back({std::int16_t(firstSpm + 5 * k), std::int16_t(500 + 100 * (k % 3))});
    const QString file = QDir(folder).filePath(name + (english ? QStringLiteral("_Qele.dat")
                                                               : QStringLiteral("_Qelk.dat")));
    return qel::samples::writeFile(file, qel::samples::recordBytes(content));
}

int countColour(const QImage &image, const QColor &colour)
{
    int n = 0;
    const QRgb wanted = colour.rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                ++n;
    return n;
}

// The numbers written in one colour (a number is written with a blank before it).
std::vector<std::int64_t> numbersIn(const qel::test::Painting &painting, const QColor &colour)
{
    std::vector<std::int64_t> numbers;
    for (const qel::test::PaintedText &t : painting.texts) {
        bool ok = false;
        const std::int64_t n = t.text.trimmed().toLongLong(&ok);
        if (ok && t.state.pen.color() == colour)
            numbers.push_back(n);
    }
    return numbers;
}

} // namespace

class FrmMainGraphsTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    // The pane as the user sees it; painting it runs the drawing.
    QImage paneImage() const { return pane()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // What a paint of the pane draws.
    qel::test::Painting paneDrawing() const
    {
        qel::test::RecordingDevice device(pane()->width(), pane()->height(), pane()->logicalDpiX());
        pane()->render(&device);
        return device.painting();
    }

    // The scales of the practice graph on display, read off its axes: the top of the blue
    // SPM axis is ten divisions, the first tick of the runs axis one column.
    int spmPerDivision() const
    {
        const auto numbers = numbersIn(paneDrawing(), kBlue);
        return numbers.empty() ? -1 : int(*std::max_element(numbers.begin(), numbers.end()) / 10);
    }
    std::int64_t runsPerColumn() const
    {
        const auto numbers = numbersIn(paneDrawing(), Qt::black);
        return numbers.empty() ? -1 : *std::min_element(numbers.begin(), numbers.end());
    }

    // Runs per 1000-twip column for n runs in the pane as it is now.
    std::int64_t expectedRunsPerColumn(std::int64_t runs) const
    {
        const int widthTwips = qel::TwipsScale(pane()).twips(pane()->size()).width();
        const int columns = (widthTwips - 1200) / 1000;
        return runs / columns + 1;
    }

    void dragSplitterBy(double twips)
    {
        QWidget *grip = part(QStringLiteral("imgSplitter"));
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(3, 10));
        const QPointF at(scale().x(twips), 10);
        QMouseEvent move(QEvent::MouseMove, at, grip->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(grip, &move);
        QTest::mouseRelease(grip, Qt::LeftButton, {}, at.toPoint());
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void learnerClickShowsThePracticeGraph()
    {
        // Best SPM 160 gives 20 SPM per division; a second learner with best 50 gives 10.
        QVERIFY(writeRecord(folder->path(), QStringLiteral("山田"), true, {100, 120, 140, 160}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("佐藤"), true, {40, 45, 50}));
        open();

        clickNode(learnerNode(QStringLiteral("山田"), 4));
        QVERIFY(graphShown());
        QVERIFY(!listShown());
        QCOMPARE(state().graph.graphFamily, 1);
        QCOMPARE(heading(), QStringLiteral("山田さんの 英文 練習記録グラフです。"));
        // The list's current row is the learner's, and it is not left selected.
        const int row = rowOf(QStringLiteral("山田"), 4);
        QCOMPARE(currentRow(), row);
        QVERIFY(!rowSelected(row));

        const QImage image = paneImage();
        QCOMPARE(spmPerDivision(), 20);
        QCOMPARE(runsPerColumn(), expectedRunsPerColumn(4));
        QVERIFY(countColour(image, kBlue) > 50);  // SPM line and left axis
        QVERIFY(countColour(image, kRed) > 50);   // mistype line and right axis
        QVERIFY(countColour(image, kGreen) > 20); // trend line from the third run
        QCOMPARE(image.pixel(image.width() / 2, 3), QColor(255, 255, 192).rgb());

        clickNode(learnerNode(QStringLiteral("佐藤"), 4));
        QCOMPARE(heading(), QStringLiteral("佐藤さんの 英文 練習記録グラフです。"));
        QCOMPARE(spmPerDivision(), 10);
    }

    void paintChangesNothingButThePane()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110, 120}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("b"), true, {100, 110}));
        open();
        clickNode(learnerNode(QStringLiteral("a"), 4));
        const int a = rowOf(QStringLiteral("a"), 4), b = rowOf(QStringLiteral("b"), 4);
        QCOMPARE(currentRow(), a);
        selectRow(a);
        setCurrentRow(b);
        headingLabel()->setText(QStringLiteral("x"));
        statusLabel()->setText(QStringLiteral("y"));
        pane()->repaint();
        paneImage();
        QCOMPARE(currentRow(), b);
        QVERIFY(rowSelected(a));
        QCOMPARE(heading(), QStringLiteral("x"));
        QCOMPARE(status(), QStringLiteral("y"));

        trigger("mnuAllStep_0");
        headingLabel()->setText(QStringLiteral("x"));
        statusLabel()->setText(QStringLiteral("y"));
        pane()->repaint();
        QCOMPARE(heading(), QStringLiteral("x"));
        QCOMPARE(status(), QStringLiteral("y"));
    }

    void menuAndToolbarSwitchKinds()
    {
        QVERIFY(writeTimedRecord(folder->path(), QStringLiteral("山田"), true, 4, {600, 1200, 300}, 5));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("鈴木"), true, {90, 95}, 2));
        open();
        clickNode(learnerNode(QStringLiteral("山田"), 4));
        QCOMPARE(heading(), QStringLiteral("山田さんの 英文 練習記録グラフです。"));

        trigger("mnuViewGraph_1");
        QCOMPARE(state().graph.personalGraphKind, 1);
        QCOMPARE(heading(), QStringLiteral("山田さんの 英文 練習時間グラフです。"));
        QVERIFY(graphShown());
        QImage image = paneImage();
        QVERIFY(countColour(image, kBlue) > 200); // the bars
        QCOMPARE(countColour(image, kRed), 0);
        QCOMPARE(countColour(image, kGreen), 0);

        clickToolbar("p3");
        QCOMPARE(state().graph.personalGraphKind, 0);
        QCOMPARE(heading(), QStringLiteral("山田さんの 英文 練習記録グラフです。"));
        QVERIFY(countColour(paneImage(), kRed) > 0);
        clickToolbar("p4");
        QCOMPARE(heading(), QStringLiteral("山田さんの 英文 練習時間グラフです。"));

        // The pop-up's items show the pane first.
        trigger("mnuPopReport");
        QVERIFY(!graphShown());
        trigger("mnuPopViewGraph_0");
        QVERIFY(graphShown());
        QCOMPARE(heading(), QStringLiteral("山田さんの 英文 練習記録グラフです。"));

        clickToolbar("pa1");
        QCOMPARE(state().graph.graphFamily, 2);
        QCOMPARE(heading(), QStringLiteral("全体の練習者のSTEP統計グラフです。"));
        QCOMPARE(status(), QStringLiteral("2人 平均： 2.50 STEP"));
        clickToolbar("pa2");
        QCOMPARE(heading(), QStringLiteral("全体の練習者の練習回数統計グラフです。"));
        QCOMPARE(status(), QStringLiteral("2人、 平均： 3.50 回"));
        trigger("mnuAllStep_0");
        QCOMPARE(heading(), QStringLiteral("全体の練習者のSTEP統計グラフです。"));
        trigger("menuAllStatics_1");
        QCOMPARE(state().graph.groupGraphKind, 1);
        QCOMPARE(heading(), QStringLiteral("全体の練習者の練習回数統計グラフです。"));
    }

    void theCourseOfTheChosenNodeOrRowIsDrawn()
    {
        // English best 300 (30 SPM per division), Kana/Romaji best 50 (10).
        QVERIFY(writeRecord(folder->path(), QStringLiteral("taro"), true, {250, 280, 300}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("taro"), false, {40, 45, 50}));
        open();
        const int kanaRow = rowOf(QStringLiteral("taro"), 5);
        QCOMPARE(kanaRow, 1);
        doubleClickRow(kanaRow);
        QCOMPARE(qel::nodeImage(currentNode()), 5);
        QCOMPARE(heading(), QStringLiteral("taroさんの かな/ﾛｰﾏ 練習記録グラフです。"));
        QCOMPARE(spmPerDivision(), 10);

        // With the Kana/Romaji row first in the list the English node still finds its own row.
        trigger("mnuPopReport");
        for (int clicks = 0; clicks < 2 && model().row(0).icon != 5; ++clicks)
            clickHeader(1); // "モード"
        QCOMPARE(model().row(0).icon, 5);
        clickNode(learnerNode(QStringLiteral("taro"), 4));
        QCOMPARE(heading(), QStringLiteral("taroさんの 英文 練習記録グラフです。"));
        QCOMPARE(currentRow(), rowOf(QStringLiteral("taro"), 4));
        QCOMPARE(spmPerDivision(), 30);
        clickNode(learnerNode(QStringLiteral("taro"), 5));
        QCOMPARE(heading(), QStringLiteral("taroさんの かな/ﾛｰﾏ 練習記録グラフです。"));
        QCOMPARE(spmPerDivision(), 10);
    }

    void statisticsOfEachGroup()
    {
        const std::vector<Learner> learners = {
            {"a", true, 3, 5}, {"b", true, 7, 20}, {"c", true, 0, 0},   {"c", false, 12, 40},
            {"d", false, 2, 3}, {"e", false, 25, 1}, {"f", true, 11, 12},
        };
        for (const Learner &l : learners)
            QVERIFY(writeRecord(folder->path(), QString::fromUtf8(l.name), l.english,
                                std::vector<int>(std::size_t(l.runs), 100), l.passedStep));
        open();
        struct Expected {
            int group;
            const char *groupName;
            QString stepStatus, runStatus;
        };
        // Means: all (3+7+0+12+2+25+11)/7 = 8.57, runs 81/7 = 11.57; English 21/4 = 5.25,
        // runs 37/4 = 9.25; Kana/Romaji 39/3 = 13.00, runs 44/3 = 14.67.
        const Expected groups[] = {
            {0, "全体", QStringLiteral("7人 平均： 8.57 STEP"), QStringLiteral("7人、 平均： 11.57 回")},
            {1, "英文", QStringLiteral("4人 平均： 5.25 STEP"), QStringLiteral("4人、 平均： 9.25 回")},
            {2, "かな/ローマ", QStringLiteral("3人 平均： 13.00 STEP"), QStringLiteral("3人、 平均： 14.67 回")},
        };
        const qel::GroupCollections &collections = state().collections;
        for (const Expected &g : groups) {
            showViewMode(g.group);
            std::vector<std::int32_t> steps, runs;
            for (const Learner &l : learners)
                if (g.group == 0 || l.english == (g.group == 1)) {
                    steps.push_back(l.passedStep);
                    runs.push_back(l.runs);
                }
            std::sort(steps.begin(), steps.end());
            std::sort(runs.begin(), runs.end());
            QVERIFY(!std::is_sorted(collections.groupSteps.begin(), collections.groupSteps.end())
                    || !std::is_sorted(collections.groupRunCounts.begin(), collections.groupRunCounts.end()));

            trigger("mnuAllStep_0");
            QVERIFY(graphShown());
            QCOMPARE(heading(), QString::fromUtf8(g.groupName) + QStringLiteral("の練習者のSTEP統計グラフです。"));
            QCOMPARE(status(), g.stepStatus);
            QCOMPARE(collections.groupSteps, steps);
            QVERIFY(countColour(paneImage(), kBlue) > 200);

            trigger("menuAllStatics_1");
            QCOMPARE(heading(), QString::fromUtf8(g.groupName) + QStringLiteral("の練習者の練習回数統計グラフです。"));
            QCOMPARE(status(), g.runStatus);
            QCOMPARE(collections.groupRunCounts, runs);
            QVERIFY(countColour(paneImage(), kBlue) > 200);
        }
    }

    // "データを表示" gives the graph on display as a table: the learner's runs, the STEPs'
    // times, the statistics' bins that hold every learner of the group; not while the list
    // is up or a learner's runs are still on their way.
    void eachGraphShowsItsDataAsATable()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("山田"), true, {100, 120, 140, 160}, 3));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("佐藤"), true, {40, 45}, 1));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("佐藤"), false, {60}, 7));
        open();
        openAndClose("mnuView");
        QVERIFY(!action("mnuGraphData")->isEnabled());

        struct Shown {
            QString title;
            int rows = -1;
            QStringList column1;
        } shown;
        asker->onDialog = [&](QDialog &dialog) {
            const auto *model = dynamic_cast<qel::frmGraphData &>(dialog).model();
            shown = {dialog.windowTitle(), model->rowCount(), {}};
            for (int r = 0; r < model->rowCount(); ++r)
                shown.column1 << model->index(r, 1).data().toString();
            return int(QDialog::Accepted);
        };
        const auto showData = [&] {
            shown = {};
            openAndClose("mnuView");
            QVERIFY(action("mnuGraphData")->isEnabled());
            trigger("mnuGraphData");
            QVERIFY(shown.rows >= 0);
        };
        const auto learners = [&] {
            int n = 0;
            for (const QString &count : shown.column1)
                n += count.toInt();
            return n;
        };

        clickNode(learnerNode(QStringLiteral("山田"), 4));
        QTRY_VERIFY(!session().historyPending(QStringLiteral("山田_Qele.dat")));
        showData();
        QCOMPARE(shown.rows, 4);
        QCOMPARE(shown.column1, (QStringList{"100", "120", "140", "160"}));
        trigger("mnuViewGraph_1");
        showData();
        QVERIFY(shown.rows > 0);

        trigger("mnuAllStep_0");
        showData();
        QCOMPARE(learners(), 3);
        showViewMode(1);
        trigger("menuAllStatics_1");
        showData();
        QCOMPARE(learners(), 2);
    }

    void emptyGroupGivesAnEmptyFrame()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110}, 3));
        open();
        showViewMode(2);
        QCOMPARE(rowCount(), 0);
        for (int kind : {0, 1}) {
            trigger(QString("mnuAllStep_%1").arg(kind));
            QCOMPARE(heading(), kind == 0 ? QStringLiteral("かな/ローマの練習者のSTEP統計グラフです。")
                                          : QStringLiteral("かな/ローマの練習者の練習回数統計グラフです。"));
            QCOMPARE(status(), kind == 0 ? QStringLiteral("0人 平均： 0.00 STEP")
                                         : QStringLiteral("0人、 平均： 0.00 回"));
            const QImage image = paneImage();
            QCOMPARE(countColour(image, kBlue), 0);
            QVERIFY(countColour(image, Qt::black) > 100); // grid and axes stay
        }
    }

    void vanishedRecordFileGivesTheQuietEmptyFrame()
    {
        QVERIFY(writeTimedRecord(folder->path(), QStringLiteral("山田"), true, 3, {600, 900}, 4));
        open();
        // The list does not follow the folder: the node stays after its file has gone.
        trigger("mnuViewAutoRefresh");
        const QString path = QDir(folder->path()).filePath(QStringLiteral("山田_Qele.dat"));
        QVERIFY(QFile::remove(path));
        for (int kind : {0, 1}) {
            trigger(QString("mnuViewGraph_%1").arg(kind)); // the kind the next click draws
            clickNode(learnerNode(QStringLiteral("山田"), 4));
            QVERIFY(graphShown());
            QCOMPARE(heading(), kind == 0 ? QStringLiteral("山田さんの 英文 練習記録グラフです。")
                                          : QStringLiteral("山田さんの 英文 練習時間グラフです。"));
            const QImage image = paneImage();
            QCOMPARE(countColour(image, kBlue), 0);
            QCOMPARE(countColour(image, kRed), 0);
            QVERIFY(countColour(image, Qt::black) > 100);
            QVERIFY(!QFileInfo::exists(path));
        }
        QVERIFY(asker->messages.empty());
    }

    void theGraphFollowsItsFileAndTheCurrentSize()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, std::vector<int>(30, 100)));
        open();
        clickNode(learnerNode(QStringLiteral("a"), 4));
        QCOMPARE(runsPerColumn(), expectedRunsPerColumn(30));

        // The trainer adds runs while the graph is shown: the session loads them anew and
        // the pane draws them.
        QSignalSpy loaded(&session(), &qel::FolderSession::historyLoaded);
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, std::vector<int>(300, 100)));
        QVERIFY(loaded.wait(20000));
        settle();
        QCOMPARE(runsPerColumn(), expectedRunsPerColumn(300));

        // A narrower pane after a splitter drag: fewer columns, more runs each.
        const int before = pane()->width();
        const std::int64_t wide = runsPerColumn();
        dragSplitterBy(4000);
        QVERIFY(pane()->width() < before);
        QCOMPARE(runsPerColumn(), expectedRunsPerColumn(300));
        QVERIFY(runsPerColumn() > wide);
    }

    void layoutChangesRedrawTheGraphOnDisplay()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110}, 4));
        open();
        clickNode(learnerNode(QStringLiteral("a"), 4));
        headingLabel()->setText(QStringLiteral("x"));
        window->resize(window->width() - 40, window->height() - 30);
        QCoreApplication::processEvents();
        QCOMPARE(heading(), QStringLiteral("aさんの 英文 練習記録グラフです。"));

        trigger("mnuAllStep_0");
        QCOMPARE(status(), QStringLiteral("1人 平均： 4.00 STEP"));
        statusLabel()->setText(QStringLiteral("x"));
        QAction *statusBar = action("mnuViewStatusBar");
        statusBar->trigger(); // hidden
        statusBar->trigger(); // shown again: the graph is redrawn
        QCOMPARE(status(), QStringLiteral("1人 平均： 4.00 STEP"));
    }

    void graphCommandsFromTheTreePopup()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("b"), true, {100, 110}));
        open();
        // A right-click picks the node without drawing; the time graph command draws it.
        QWidget *viewport = tree()->viewport();
        QTreeWidgetItem *b = learnerNode(QStringLiteral("b"), 4);
        QTest::mouseClick(viewport, Qt::RightButton, {}, nodeCentre(b));
        QVERIFY(state().graph.popupFromTree);
        QVERIFY(!graphShown());
        trigger("mnuViewGraph_1");
        QVERIFY(graphShown());
        QVERIFY(!listShown());
        QCOMPARE(heading(), QStringLiteral("bさんの 英文 練習時間グラフです。"));

        // The group node has no graph of a learner: the list stays.
        clickNode(rootNode());
        trigger("mnuViewGraph_0");
        QVERIFY(!graphShown());
        QVERIFY(listShown());
    }

    void paintRedrawsTheLearnerOnDisplayAfterARightClick()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110, 120}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("b"), true, {100, 110}));
        open();
        clickNode(learnerNode(QStringLiteral("a"), 4));
        const QImage before = paneImage();
        // A right-click selects the group node without the node-click actions; the pane
        // keeps a's graph through the next paints.
        QWidget *viewport = tree()->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, nodeCentre(rootNode()));
        QCOMPARE(currentNode(), rootNode());
        pane()->repaint();
        QVERIFY(graphShown());
        QCOMPARE(paneImage(), before);
        QCOMPARE(heading(), QStringLiteral("aさんの 英文 練習記録グラフです。"));
    }

    void learnerWithoutListRowLeavesTheList()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("b"), true, {100, 110}));
        open();
        model().removeRowsAt({rowOf(QStringLiteral("b"), 4)});
        headingLabel()->setText(QStringLiteral("x"));
        clickNode(learnerNode(QStringLiteral("b"), 4));
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        QCOMPARE(heading(), QStringLiteral("各カラムをクリックするとその項目でソートされます。"));
    }

    void rightButtonOnThePaneOpensItsPopup()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("a"), true, {100, 110}));
        open();
        clickNode(learnerNode(QStringLiteral("a"), 4));
        const QPoint inside(30, 30);
        QTest::mouseClick(pane(), Qt::LeftButton, {}, inside);
        QVERIFY(asker->popups.empty());
        QTest::mouseClick(pane(), Qt::RightButton, {}, inside);
        QCOMPARE(asker->popups, std::vector<QMenu *>{menu("menuPop")});
        // Graph shown: "一覧表示へ" on, "すべて選択" off; then the tree has the focus.
        QCOMPARE(asker->popupStates.back(), std::make_pair(true, false));
        QVERIFY(tree()->hasFocus());

        trigger("mnuAllStep_1");
        QTest::mouseClick(pane(), Qt::RightButton, {}, inside);
        QCOMPARE(asker->popups.back(), menu("menuPopAll"));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrmMainGraphsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmmain_graphs.moc"
