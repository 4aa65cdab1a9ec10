#pragma once
// The viewer's one main window: toolbar, title strip, group tree, learner list or graph
// pane, status bar, menus, and the file commands. Its controls and handlers are its own;
// from outside it is started, shown and read.

#include "config/viewersettings.h"
#include "dialogs/hosts.h"
#include "mainwindow/frmMainState.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

class QMenu;
class QPainter;
class QPrinter;
class QTimer;
class QTreeWidgetItem;

namespace qel {

class FolderWatch;
class frmSplash;
struct frmMainControls;
enum class ToolbarButton;

class frmMain : public QMainWindow, private SearchTarget, private GroupHost {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The splash whose progress bar the first table build advances; the first activation
    // closes it.
    void setSplash(frmSplash *splash);
    // Reads the settings, places the window, scans the folder and fills tree and list.
    // A start folder replaces the remembered one, as a folder change would.
    // False when the settings store failed (reported; the program ends).
    bool Form_Load(const QString &startFolder = QString());

    // What the window keeps, for reading.
    const frmMainState &state() const { return state_; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void connectControls();

    // ---- start-up, layout, close (frmMain.cpp) ----
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
    void buildProgress(int value, int maximum);
    void keepPainting(); // lets the screen paint now and then during long work; clicks wait
    void updateClock();
    void placeWindow(const ViewerSettings &settings);
    void applyPendingOuter(bool activated);
    void setTwips(QWidget *control, const QRectF &twips);
    WindowTwips windowTwips() const;
    void setOuterSizeTwips(double width, double height);
    double outerWidthTwips() const;
    double outerHeightTwips() const;

    // ---- group tree and learner list (frmMain_view.cpp) ----
    void scanFolder(int group);
    void makeView(bool collect);
    void noteUnreadable(const std::vector<TableRow> &rows);
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
    void showList();
    void showSortIndicator(int column);
    bool canDeleteRows() const;
    bool canShowPersonal() const;
    void settleLearnerButtons();
    void focusAfterPopup();
    void showViewMode(int index);
    void setToolbarButtonsEnabled(std::initializer_list<ToolbarButton> buttons, bool enabled);
    void openPopup(QMenu *menu, const QPoint &globalPos);
    int rowCount() const;
    bool rowSelected(int row) const;
    // The rows whose every column is selected, in ascending order, read in one pass.
    std::vector<int> selectedRows() const;
    void setRowSelected(int row, bool selected);
    int currentRow() const;
    void setCurrentRow(int row);
    QTreeWidgetItem *rootNode() const;
    QTreeWidgetItem *nodeByKey(const QString &key) const;

    // ---- graph pane (frmMain_graphs.cpp) ----
    void drawPersonalGraph();
    void drawPersonalGraphOf(QTreeWidgetItem *node);
    void drawGroupGraph();
    void redrawGraph();
    // After the pane was shown again or its list changed without a graph command: the
    // learner on display while that learner's node is there, else the selected node.
    void drawPaneAgain();
    void Picture1_Paint(QPainter &painter) const;
    void Picture1_MouseUp(Qt::MouseButton button, const QPoint &pos);
    void Picture1_GotFocus();
    void Picture1_LostFocus();
    void mnuViewGraph_Click(int index);
    void mnuPopViewGraph_Click(int index);
    void mnuAllStep_Click(int index);
    void menuAllStatics_Click(int index);

    // ---- file commands (frmMain_files.cpp) ----
    void mnuFileOpen_Click();
    void mnuFileDelete_Click();
    void deleteProgress(int done, int total);
    void removeNodes(const QSet<QString> &keys);
    void mnuFileFind_Click();
    void mnuFileClose_Click();
    void mnuHelpAbout_Click();
    void tbToolBar_ButtonClick(const QString &key);

    // ---- properties dialogs and CSV export (frmMain_export.cpp) ----
    void mnuPorpPersonal_Click();
    void mnuPopPropaty_Click();
    void mnuPropAll_Click();
    void menuAllprop_Click();
    void mnuEditOutput_Click();
    void mnuPopEditCSV_Click();
    void menuAllCSV_Click();
    QString personalLearner() const;
    QString csvStartFolder() const;
    int rowOfNode(const QTreeWidgetItem *node) const;

    // ---- printing (frmMain_print.cpp) ----
    void mnuPrint_Click(); // the File menu's print submenu opens
    void mnuPrintPersonal_Click();
    void mnuPrintAll_Click();
    void mnuPreviewPersonal_Click();
    void mnuPreviewAll_Click();
    void mnuPopEditPrint_Click();
    void mnuPopEditPreview_Click();
    void menuAllPrint_Click();
    void menuAllPreview_Click();
    // Who gets a personal page: the selected rows' learners, else the tree's learner node.
    QStringList personalNames() const;
    // The group properties dialog, silently, for the figures of the group report.
    void collectGroupStatistics();
    // The personal report of these learners (one page each) and the group report; false
    // when nothing was printed because there was no one or the print dialog was cancelled.
    bool printPersonal(const QStringList &names);
    bool printALL();
    // The same pages in a preview, from which they can be printed.
    void previewPersonal(const QStringList &names);
    using ReportJob = std::function<bool(QPrinter &printer, QString *error)>;
    bool printReport(const QString &document, const ReportJob &job);
    void previewReport(const QString &document, const ReportJob &job, const std::function<bool()> &print);

    // ---- following the record folder (frmMain_refresh.cpp) ----
    // After a full build: the folder is watched from what the build read.
    void followFolder();
    void followFolder(FolderListing listing, std::optional<qint64> settlesAt);
    void mnuViewRefresh_Click();
    void mnuViewAutoRefresh_Click();
    // The watch saw a change: refreshes now, or once the command under way has ended.
    void folderChanged();
    bool commandUnderWay() const;
    // Tree, list, status text and graph follow the files that changed (every file when
    // `everything`); the teacher's place stays.
    void refreshFromFolder(bool everything);
    void syncTree(const ScanResult &scan);
    // The folder scan, listed beside the window so that it keeps painting (clicks wait).
    ScanResult scanWhilePainting(const QString &folder, int group);

    // Held by a command while it lets events run between its steps: no refresh comes
    // between them.
    class CommandScope {
    public:
        explicit CommandScope(frmMain &window) : depth_(window.commandDepth_) { ++depth_; }
        ~CommandScope() { --depth_; }
        CommandScope(const CommandScope &) = delete;
        CommandScope &operator=(const CommandScope &) = delete;

    private:
        int &depth_;
    };

    // ---- what the find dialog and the group dialog ask of the window ----
    void hideGraphPane() override;
    bool selectLearnerRow(const QString &name) override;
    int shownGroup() const override;
    bool shownGroupIsEmpty() const override;
    int selectedNodeIndex() const override;
    void selectNodeIndex(int index) override;
    bool graphPaneVisible() const override;
    void setGraphPaneVisible(bool visible) override;
    void switchGroup(int group) override;
    GroupCollections &groupCollections() override { return state_.collections; }
    GroupStatistics &groupStatistics() override { return state_.statistics; }
    void printGroupReport() override;

    std::unique_ptr<frmMainControls> ui;
    frmMainState state_;
    TwipsScale twips_;
    QPointer<frmSplash> splash_;
    QTimer *clock_ = nullptr;
    bool building_ = false;
    bool shown_ = false;
    QElapsedTimer pumpClock_;
    std::optional<QSize> pendingOuter_; // outer size to apply once the frame is known
    FolderWatch *watch_ = nullptr; // "folderWatch", made when first needed
    std::vector<TreeNode> shownNodes_; // the tree's learner nodes, as the last scan gave them
    QTimer *refreshRetry_ = nullptr;
    bool refreshPending_ = false;
    int commandDepth_ = 0;
};

} // namespace qel
