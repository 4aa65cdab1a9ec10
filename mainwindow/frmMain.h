#pragma once
// The viewer's one main window: toolbar, title strip, group tree, learner list or graph
// pane, status bar, menus, and the file commands.

#include "base/twips.h"
#include "config/viewersettings.h"
#include "dialogs/hosts.h"
#include "graphs/graphstate.h"
#include "records/groupstats.h"
#include "records/learnertable.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QRectF>
#include <array>
#include <optional>

class QAction;
class QActionGroup;
class QDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class QTreeWidgetItem;

namespace qel {

class frmSplash;
class GraphPane;
class LearnerList;
class LearnerListModel;
class LearnerTree;
class SplitterGrip;

class frmMain : public QMainWindow, public SearchTarget, public GroupHost {
    Q_OBJECT
public:
    // Sizes in twips.
    static constexpr int kDesignWidth = 14400;
    static constexpr int kDesignHeight = 9000;
    static constexpr double kTitleStripHeight = 225;
    static constexpr double kGripWidth = 105;
    static constexpr double kFirstSplitter = 2220;
    static constexpr double kSmallestOuter = 6000;

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // ---- start-up, layout, close ----
    void setSplash(frmSplash *splash);
    frmSplash *splash() const;
    // Reads the settings, places the window, scans the folder and fills tree and list.
    // A start folder replaces the remembered one, as a folder change would.
    // False when the settings store failed (reported; the program ends).
    bool Form_Load(const QString &startFolder = QString());
    void Form_Activate();
    void Form_Resize();
    void SizeControls(double &x);
    void Form_Unload();
    void imgSplitter_MouseDown();
    void imgSplitter_MouseMove(double x); // twips from the grip's left edge
    void imgSplitter_MouseUp();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewOptions_Click() {}
    void setFlatToolbar(bool flat);
    void setFullRowSelect(bool on);

    // ---- group tree and learner list ----
    void scanFolder(int group);
    void makeView(bool collect);
    void tvTreeView_NodeClick(QTreeWidgetItem *node);
    void tvTreeView_DblClick();
    void tvTreeView_MouseDown(Qt::MouseButton button);
    void tvTreeView_MouseUp(Qt::MouseButton button, const QPoint &pos); // tree viewport pixels
    void tvTreeView_GotFocus();
    void lvListView_Click();
    void lvListView_DblClick();
    void lvlistview_ColumnClick(int column); // 0 = "名  前"
    void lvListView_MouseDown(Qt::MouseButton button, const QPoint &pos); // viewport pixels
    void lvListView_MouseUp(Qt::MouseButton button, const QPoint &pos);
    void lvListView_GotFocus();
    void mnuListViewMode_Click(int index);
    void mnuEditSelectAll_Click();
    void mnuPopEditSelectAll_Click();
    void mnuPopReport_Click();
    void mnuPopAllAll_Click();
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuView_Click();
    bool anyRowSelected() const;

    // ---- graph pane ----
    void drawPersonalGraph();
    void drawGroupGraph();
    void Picture1_Paint(QPainter &painter);
    void Picture1_MouseUp(Qt::MouseButton button, const QPoint &pos);
    void Picture1_GotFocus();
    void Picture1_LostFocus();
    void mnuViewGraph_Click(int index);
    void mnuPopViewGraph_Click(int index);
    void mnuAllStep_Click(int index);
    void menuAllStatics_Click(int index);

    // ---- file commands ----
    void mnuFileOpen_Click();
    void mnuFileDelete_Click();
    void mnuFileFind_Click();
    void mnuFileClose_Click();
    void mnuHelpAbout_Click();
    void tbToolBar_ButtonClick(const QString &key);

    // ---- commands of the properties dialogs, CSV export and printing ----
    void mnuPrint_Click(); // the File menu's print submenu opens
    void mnuPrintPersonal_Click();
    void mnuPrintAll_Click();
    void mnuEditOutput_Click();
    void mnuPopEditPrint_Click();
    void mnuPopEditCSV_Click();
    void menuAllPrint_Click();
    void menuAllCSV_Click();
    void mnuPorpPersonal_Click();
    void mnuPopPropaty_Click();
    void mnuPropAll_Click();
    void menuAllprop_Click();
    // The personal report of these learners (one page each) and the group report.
    void printPersonal(const QStringList &names);
    void printALL();

    // ---- SearchTarget ----
    void hideGraphPane() override;
    bool selectLearnerRow(const QString &name) override;

    // ---- GroupHost ----
    int shownGroup() const override;
    bool shownGroupIsEmpty() const override;
    int selectedNodeIndex() const override;
    void selectNodeIndex(int index) override;
    bool graphPaneVisible() const override;
    void setGraphPaneVisible(bool visible) override;
    void switchGroup(int group) override;
    GroupCollections &groupCollections() override { return collections; }
    GroupStatistics &groupStatistics() override { return statistics; }
    void printGroupReport() override;

    // ---- twips ----
    double pixelsToTwipsX(double pixels) const;
    double pixelsToTwipsY(double pixels) const;
    int twipsToPixelsX(double twips) const;
    int twipsToPixelsY(double twips) const;
    // The layout as last set, in twips (labels relative to the title strip).
    QRectF twipsGeometry(const QWidget *control) const;
    // Outer window, borders included.
    WindowTwips windowTwips() const;
    void setWindowTwips(const WindowTwips &window);
    void setOuterSizeTwips(double width, double height);
    double outerWidthTwips() const;
    double outerHeightTwips() const;
    double innerHeightTwips() const; // below the menu bar

    // ---- toolbar ----
    // Button by its position 1..16 (separators give nullptr) or by its key.
    QAction *toolbarButton(int position) const;
    QAction *toolbarAction(const QString &key) const;
    QString toolbarKey(int position) const;
    bool toolbarButtonEnabled(int position) const;
    void setToolbarButtonEnabled(int position, bool enabled);
    bool toolbarButtonPressed(int position) const;

    // ---- learner list helpers ----
    int rowCount() const;
    QString rowText(int row, int column = 0) const;
    bool rowSelected(int row) const;
    void setRowSelected(int row, bool selected);
    int currentRow() const;
    void setCurrentRow(int row);
    QTreeWidgetItem *rootNode() const;
    QTreeWidgetItem *nodeByKey(const QString &key) const;
    static int nodeImage(const QTreeWidgetItem *node);
    static QString nodeKey(const QTreeWidgetItem *node);
    // Row order of the text columns is kept for later fills once a text column was sorted.
    int sortDirection() const { return sortDirection_; }
    int sortColumn() const { return sortColumn_; }
    bool sortedByText() const { return sortedByText_; }

    // ---- controls ----
    QWidget *formArea = nullptr;
    QToolBar *tbToolBar = nullptr;
    QWidget *picTitles = nullptr;
    std::array<QLabel *, 2> lblTitle{};
    LearnerTree *tvTreeView = nullptr;
    SplitterGrip *imgSplitter = nullptr;
    QWidget *picSplitter = nullptr;
    LearnerList *lvListView = nullptr;
    LearnerListModel *listModel = nullptr;
    GraphPane *Picture1 = nullptr;
    QStatusBar *sbStatusBar = nullptr;
    std::array<QLabel *, 3> statusPanels{};

    // ---- menus ----
    QMenu *mnuFile = nullptr, *mnuPrint = nullptr, *mnuEdit = nullptr, *mnuView = nullptr,
          *mnuGraph = nullptr, *mnuPersonal = nullptr, *mnuAll = nullptr, *mnuPropaty = nullptr,
          *mnuHelp = nullptr;
    QMenu *menuPop = nullptr, *mnuPopGraph = nullptr, *mnuPopEditOut = nullptr;
    QMenu *menuPopAll = nullptr, *menuAllGraph = nullptr, *menuAllOutput = nullptr;
    QAction *mnuFileOpen = nullptr, *mnuFileFind = nullptr, *mnuPrintPersonal = nullptr,
            *mnuPrintAll = nullptr, *mnuEditOutput = nullptr, *mnuFileDelete = nullptr,
            *mnuFileClose = nullptr;
    QAction *mnuEditSelectAll = nullptr;
    QAction *mnuViewToolbar = nullptr, *mnuViewStatusBar = nullptr;
    std::array<QAction *, 3> mnuListViewMode{};
    std::array<QAction *, 2> mnuViewGraph{};
    std::array<QAction *, 2> mnuAllStep{};
    QAction *mnuPorpPersonal = nullptr, *mnuPropAll = nullptr;
    QAction *mnuViewOptionsSeparator = nullptr, *mnuViewOptions = nullptr;
    QAction *mnuHelpAbout = nullptr;
    QAction *mnuPopReport = nullptr, *mnuPopEditSelectAll = nullptr;
    std::array<QAction *, 2> mnuPopViewGraph{};
    QAction *mnuPopEditPrint = nullptr, *mnuPopEditCSV = nullptr, *mnuPopPropaty = nullptr;
    QAction *mnuPopAllAll = nullptr;
    std::array<QAction *, 2> menuAllStatics{};
    QAction *menuAllPrint = nullptr, *menuAllCSV = nullptr, *menuAllprop = nullptr;

    // ---- window state ----
    QString recordFolder;
    int viewMode = 0;
    bool treeFocusedLast = false;
    bool startingUp = true;
    bool rightPressOnTree = false;
    bool splitterDragging = false;
    bool resizeRedrawn = false;
    // Graph state, the one the drawing reads and recomputes; the names below are its fields.
    graphs::GraphState graph;
    std::int16_t &graphFamily = graph.graphFamily;
    std::int16_t &personalGraphKind = graph.personalGraphKind;
    std::int16_t &groupGraphKind = graph.groupGraphKind;
    bool &popupFromTree = graph.popupFromTree;
    std::int64_t &runsPerColumn = graph.runsPerColumn;
    std::int32_t &spmPerDivision = graph.spmPerDivision;
    double &statPercentile = graph.statPercentile;
    // True while the group dialog runs for the group printout: it closes itself when done.
    bool printRequest = false;
    // Record file of the learner whose graph the pane shows; paints redraw that one.
    QString graphNodeKey;
    GroupCollections collections;
    GroupStatistics statistics;

protected:
    // Modal dialogs and pop-up menus open through these, so tests can answer them.
    virtual int execDialog(QDialog &dialog);
    virtual void openPopup(QMenu *menu, const QPoint &globalPos);

    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildPanes();
    QAction *command(QMenu *menu, const QString &caption, void (frmMain::*handler)());
    void setTwips(QWidget *control, const QRectF &twips);
    void alignBars(double &stripTop);
    void redrawGraph();
    void restoreToolbarStates();
    void keepReachable();
    void updateClock();
    void focusAfterPopup();
    void showList();
    void buildProgress(int value, int maximum);

    TwipsScale twipsScale_;
    QHash<const QWidget *, QRectF> twips_;
    QActionGroup *viewModeGroup_ = nullptr;
    std::array<bool, 17> buttonEnabled_{};
    QPointer<frmSplash> splash_;
    QTimer *clock_ = nullptr;
    bool building_ = false;
    QElapsedTimer pumpClock_;
    std::optional<QSize> pendingOuter_; // outer size to apply once the frame is known
    int sortColumn_ = 0;
    int sortDirection_ = 0; // 0 ascending, 1 descending
    bool sortedByText_ = false;
};

} // namespace qel
