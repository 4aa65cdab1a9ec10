#pragma once
// The viewer's one main window: toolbar, title strip, group tree, learner list or graph
// pane, status bar, menus, and the file commands. Its controls and handlers are its own;
// from outside it is started, shown and read.

#include "config/viewersettings.h"
#include "dialogs/hosts.h"
#include "mainwindow/frmMainState.h"
#include "records/filetrash.h"

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

namespace history {
class Journal;
}

class FolderSession;
class NameMask;
class LearnerViews;
class OutputCommands;
class frmSplash;
struct FolderTable;
struct frmMainControls;
struct GroupView;
struct TableChange;
enum class FolderHealth;
enum class ToolbarButton;

class frmMain : public QMainWindow, private SearchTarget, private GroupHost {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The splash whose progress bar the first table build advances; the first activation
    // closes it.
    void setSplash(frmSplash *splash);
    // Reads the settings, places the window and starts reading the folder; the tree and
    // list fill once it is read (`readyToShow`). A start folder replaces the remembered one,
    // as a folder change would. False when the settings store failed (reported; the program
    // ends).
    bool Form_Load(const QString &startFolder = QString());

    // What the window keeps, for reading.
    const frmMainState &state() const { return state_; }

signals:
    // The folder's first read is shown, or has taken long enough that the window should
    // show itself without it.
    void readyToShow();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectControls();
    void connectSession();

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
    void mnuLanguage_Click(const QString &code);
    // Every text again in the language now installed, the lower layers asked anew.
    void retranslateWindow();
    void setFlatToolbar(bool flat);
    void setFullRowSelect(bool on);
    void buildProgress(int value, int maximum);
    void updateClock();
    void placeWindow(const ViewerSettings &settings);
    void applyPendingOuter(bool activated);
    void setTwips(QWidget *control, const QRectF &twips);
    WindowTwips windowTwips() const;
    void setOuterSizeTwips(double width, double height);
    double outerWidthTwips() const;
    double outerHeightTwips() const;

    // ---- group tree and learner list (frmMain_view.cpp) ----
    // The group of the view mode as the folder session last read it, shown afresh.
    void makeView();
    void showFolderStatus();
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
    void tvTreeView_MenuKey();
    void lvListView_MenuKey();
    void openTreePopup(const QPoint &globalPos);
    void openListPopup(const QPoint &globalPos);
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuView_Click();
    void showList();
    // The list, unless the class board is on display: then the board stays.
    void showListOrBoard();
    // The graph pane takes the right pane from the class board (the list is the caller's).
    void showPane();
    bool listOnDisplay() const;
    bool boardOnDisplay() const;
    void showSortIndicator(int column);
    void sortAgain();
    bool canDeleteRows() const;
    bool canShowPersonal() const;
    void settleLearnerButtons();
    void focusAfterPopup();
    void settleLearnerPopup();
    void showViewMode(int index);
    void setToolbarButtonsEnabled(std::initializer_list<ToolbarButton> buttons, bool enabled);
    void openPopup(QMenu *menu, const QPoint &globalPos);

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
    void Picture1_MenuKey();
    void mnuViewGraph_Click(int index);
    void mnuPopViewGraph_Click(int index);
    void mnuAllStep_Click(int index);
    void menuAllStatics_Click(int index);

    // ---- file commands (frmMain_files.cpp) ----
    void mnuFileOpen_Click();
    void mnuFileDelete_Click();
    void deleteLearners(const QStringList &keys, Deletion how);
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
    // The record file of the personal commands: the tree's learner node after a pop-up from
    // the tree, else the list's selected row; empty when neither names a learner.
    QString personalRecord() const;

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

    // ---- following the record folder (frmMain_refresh.cpp) ----
    void mnuViewRefresh_Click();
    void mnuViewAutoRefresh_Click();
    // What the folder session read: shown now, or once the command under way has ended.
    void folderRead(const TableChange &change);
    void applyFolderRead();
    void folderHealthChanged();
    void historyLoaded(const QString &key);
    // A refresh must wait: a question or dialog open, a printout or export under way, a menu
    // open, a button held.
    bool refreshMustWait() const;
    // Held by a command from its start until it has ended; no refresh comes in between.
    std::shared_ptr<void> holdCommand();
    void commandEnded();

    // ---- the class's history, the class board, names hidden (frmMain_class.cpp) ----
    void mnuHistory_Click();
    void mnuGraphData_Click();
    // Whether the pane shows a graph whose data can be shown now.
    bool graphDataReady() const;
    void mnuWeeks_Click();
    void mnuFileTidyHistory_Click();
    void mnuViewClassBoard_Click();
    void mnuViewTargets_Click();
    void mnuViewHideNames_Click();
    void mnuPrintClassBoard_Click();
    void mnuPreviewClassBoard_Click();
    void mnuClassBoardCSV_Click();
    void lvClassBoard_LearnerActivated(const QString &key);
    void lvClassBoard_Popup(const QString &key, const QPoint &globalPos);
    void connectClass();
    // What a look read of the folder goes into the journal; nothing waits for it.
    void observeRows(const std::shared_ptr<const FolderTable> &table, const std::vector<std::size_t> &reread);
    // The journal marks the folder seen while the window follows it and it answers.
    void followInJournal();
    // A folder is about to be shown: its targets and the numbers of its names.
    void loadFolderSettings();
    // The board takes the group's rows; the journal is asked for its figures.
    void showOnBoard(const GroupView &view);
    void askBoardHistory(const std::shared_ptr<const FolderTable> &table);
    void storeNameNumbers();
    void namesShownChanged();
    void showBoardHeading();
    // A learner's name as the window shows it.
    QString shownName(const QString &name) const;

    // ---- what the find dialog and the group dialog ask of the window ----
    void hideGraphPane() override;
    bool selectLearnerRow(const QString &name) override;
    void requestGroupFigures(std::function<void(const GroupStatistics &)> done) override;
    void printGroupReport(const GroupStatistics &figures) override;

    std::unique_ptr<frmMainControls> ui;
    frmMainState state_;
    TwipsScale twips_;
    QPointer<frmSplash> splash_;
    QTimer *clock_ = nullptr;
    bool shown_ = false;
    std::optional<QSize> pendingOuter_; // outer size to apply once the frame is known
    FolderSession *session_ = nullptr; // "folderSession"
    history::Journal *journal_ = nullptr; // "journal"
    NameMask *names_ = nullptr;           // "nameMask"
    QString liveFolder_;                  // the folder the journal marks seen; empty: none
    quint64 boardHistoryAsked_ = 0;       // the last question for the board's figures
    bool numbersToStore_ = false;
    bool numbersFailureTold_ = false;
    bool rateSortOnFirstFill_ = false; // the list stood sorted by its rates at the last close
    std::unique_ptr<LearnerViews> learners_;
    std::unique_ptr<OutputCommands> outputs_;
    std::unique_ptr<TableChange> pendingRead_; // read while a command was under way
    GroupCollections figuresCollections_;      // the shown group's, with the last figures
    bool firstReadShown_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // false once the window goes
    bool findOpen_ = false;
    int commandDepth_ = 0;
};

} // namespace qel
