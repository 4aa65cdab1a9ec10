#pragma once
// The main window's controls, menus and toolbar as designed: built and named here, wired
// to their handlers by frmMain. Private to the window's own files.

#include "base/twips.h"

#include <QCoreApplication>
#include <QString>
#include <array>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class QWidget;

namespace qel {

class ClassBoard;
class GraphPane;
class LearnerList;
class LearnerListModel;
class LearnerTree;
class SplitterGrip;

// Toolbar buttons by their position, separators counted (4, 8, 11 and 14 are separators).
enum class ToolbarButton {
    Open = 1,
    Find = 2,
    Delete = 3,
    ViewDetails = 5,
    English = 6,
    Kana = 7,
    PracticeGraph = 9,
    TimeGraph = 10,
    StepStatistics = 12,
    RunStatistics = 13,
    PersonalProperties = 15,
    GroupProperties = 16,
};
inline constexpr int kToolbarPositions = 16;
// The buttons whose commands are in the menus too: all but the separators.
inline constexpr std::size_t kToolbarCommands = 12;

// A button's key ("Open", "View Details", ...); empty for a separator.
QString toolbarKey(int position);

struct frmMainControls {
    Q_DECLARE_TR_FUNCTIONS(frmMainControls)

public:
    // Builds every control into `window`; each widget, menu and action carries its design
    // name as its object name (an item of an indexed group gets "_" and its index).
    frmMainControls(QMainWindow &window, const TwipsScale &twips);

    // Sets every text, tip and accessible name in the language installed: at build and on
    // each change of language. The texts the window puts in the panes are its own.
    void retranslate();

    QAction *button(ToolbarButton position) const { return buttons[std::size_t(position)]; }

    QWidget *formArea = nullptr;
    QToolBar *tbToolBar = nullptr;
    std::array<QAction *, kToolbarPositions + 1> buttons{}; // by position; separators null
    QWidget *picTitles = nullptr;
    std::array<QLabel *, 2> lblTitle{};
    LearnerTree *tvTreeView = nullptr;
    SplitterGrip *imgSplitter = nullptr;
    QWidget *picSplitter = nullptr;
    LearnerList *lvListView = nullptr;
    LearnerListModel *listModel = nullptr;
    GraphPane *Picture1 = nullptr;
    ClassBoard *lvClassBoard = nullptr; // the class board, in the list's rectangle too
    QStatusBar *sbStatusBar = nullptr;
    std::array<QLabel *, 3> statusPanels{}; // panels 1 to 3

    QMenu *mnuFile = nullptr, *mnuPrint = nullptr, *mnuEdit = nullptr, *mnuView = nullptr,
          *mnuGraph = nullptr, *mnuPersonal = nullptr, *mnuAll = nullptr, *mnuPropaty = nullptr,
          *mnuHelp = nullptr;
    QMenu *menuPop = nullptr, *mnuPopGraph = nullptr, *mnuPopEditOut = nullptr;
    QMenu *menuPopAll = nullptr, *menuAllGraph = nullptr, *menuAllOutput = nullptr;
    QAction *mnuFileOpen = nullptr, *mnuFileFind = nullptr, *mnuPrintPersonal = nullptr,
            *mnuPrintAll = nullptr, *mnuPreviewPersonal = nullptr, *mnuPreviewAll = nullptr, *mnuEditOutput = nullptr, *mnuFileDelete = nullptr,
            *mnuFileClose = nullptr;
    QAction *mnuPrintClassBoard = nullptr, *mnuPreviewClassBoard = nullptr, *mnuClassBoardCSV = nullptr,
            *mnuFileTidyHistory = nullptr;
    QAction *mnuEditSelectAll = nullptr;
    QAction *mnuViewToolbar = nullptr, *mnuViewStatusBar = nullptr;
    std::array<QAction *, 3> mnuListViewMode{};
    std::array<QAction *, 2> mnuViewGraph{};
    std::array<QAction *, 2> mnuAllStep{};
    QAction *mnuPorpPersonal = nullptr, *mnuPropAll = nullptr;
    QAction *mnuViewOptions = nullptr;
    QAction *mnuViewRefresh = nullptr, *mnuViewAutoRefresh = nullptr;
    QAction *mnuViewClassBoard = nullptr, *mnuViewTargets = nullptr, *mnuViewHideNames = nullptr;
    // Each in the View menu and in a pop-up: the learner's in menuPop, the group's in menuPopAll.
    QAction *mnuHistory = nullptr, *mnuWeeks = nullptr;
    // The data of the graph in the pane, as a table (in every graph submenu).
    QAction *mnuGraphData = nullptr;
    QMenu *mnuLanguage = nullptr;
    std::vector<QAction *> mnuLanguages; // one per offered language, its code as data
    QAction *mnuHelpAbout = nullptr;
    QAction *mnuPopReport = nullptr, *mnuPopEditSelectAll = nullptr;
    std::array<QAction *, 2> mnuPopViewGraph{};
    QAction *mnuPopEditPrint = nullptr, *mnuPopEditCSV = nullptr, *mnuPopEditPreview = nullptr,
            *mnuPopPropaty = nullptr;
    QAction *mnuPopAllAll = nullptr;
    std::array<QAction *, 2> menuAllStatics{};
    QAction *menuAllPrint = nullptr, *menuAllCSV = nullptr, *menuAllPreview = nullptr, *menuAllprop = nullptr;

private:
    std::array<std::pair<ToolbarButton, QAction *>, kToolbarCommands> buttonCommands{};
    int courseColumnWidth = 0; // pixels, as the list is laid out

    void retranslateToolbar();
    void retranslatePanes();
    void fitCourseColumn();
    void buildMenus(QMainWindow &window);
    void buildPanes(const TwipsScale &twips);
    void buildToolbar(QMainWindow &window);
};

} // namespace qel
