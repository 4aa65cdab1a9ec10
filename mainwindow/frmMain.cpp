#include "mainwindow/frmMain.h"

#include "base/appicon.h"
#include "base/asker.h"
#include "base/namemask.h"
#include "base/painting.h"
#include "config/windowplacement.h"
#include "dialogs/frmSplash.h"
#include "history/journal.h"
#include "mainwindow/classboard.h"
#include "mainwindow/frmMainControls.h"
#include "mainwindow/icons.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/learnerviews.h"
#include "mainwindow/outputcommands.h"
#include "mainwindow/panes.h"
#include "session/foldersession.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

namespace qel {

namespace {
// The longest the window waits for the folder's first read before it shows itself.
constexpr int kLongestHiddenStartMSecs = 2000;

// The View menu checks the language that speaks now.
void checkLanguage(const frmMainControls &c)
{
    const QString now = languageCode(installedLanguage());
    for (QAction *choice : c.mnuLanguages)
        choice->setChecked(choice->data().toString() == now);
}
}

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    draw::installFontSubstitutes();
    //: The window's title, the program's name.
    setWindowTitle(tr("QelViewer"));
    setWindowIcon(appIcon());
    if (const QScreen *s = screen())
        twips_ = TwipsScale::ofScreen(s);

    ui = std::make_unique<frmMainControls>(*this, twips_);
    session_ = new FolderSession(this);
    session_->setObjectName(QStringLiteral("folderSession"));
    journal_ = new history::Journal(history::Journal::Settings(), this);
    journal_->setObjectName(QStringLiteral("journal"));
    names_ = new NameMask(this);
    names_->setObjectName(QStringLiteral("nameMask"));
    learners_ = std::make_unique<LearnerViews>(*ui->tvTreeView, *ui->lvListView, *ui->listModel);
    outputs_ = std::make_unique<OutputCommands>(*this, *session_, [this] { return holdCommand(); });
    connectControls();
    connectSession();
    connectClass();

    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &frmMain::updateClock);
    clock_->start(1000);
    updateClock();

    resize(twips_.x(kDesignWidth), twips_.y(kDesignHeight));
    pendingOuter_ = size();
}

frmMain::~frmMain()
{
    *alive_ = false;
    if (splash_)
        delete splash_.data();
    // The controls go while the handlers they signal still have their window: a focus
    // moving as they are taken down must find the state intact.
    delete ui->formArea;
}

void frmMain::connectControls()
{
    const frmMainControls &c = *ui;
    const auto on = [this](QAction *action, void (frmMain::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    const auto onIndex = [this](const auto &actions, void (frmMain::*handler)(int)) {
        for (int i = 0; i < int(actions.size()); ++i)
            connect(actions[std::size_t(i)], &QAction::triggered, this, [this, handler, i] { (this->*handler)(i); });
    };

    on(c.mnuFileOpen, &frmMain::mnuFileOpen_Click);
    on(c.mnuFileFind, &frmMain::mnuFileFind_Click);
    on(c.mnuPrintPersonal, &frmMain::mnuPrintPersonal_Click);
    on(c.mnuPrintAll, &frmMain::mnuPrintAll_Click);
    on(c.mnuPreviewPersonal, &frmMain::mnuPreviewPersonal_Click);
    on(c.mnuPreviewAll, &frmMain::mnuPreviewAll_Click);
    on(c.mnuEditOutput, &frmMain::mnuEditOutput_Click);
    on(c.mnuFileDelete, &frmMain::mnuFileDelete_Click);
    on(c.mnuFileClose, &frmMain::mnuFileClose_Click);
    on(c.mnuEditSelectAll, &frmMain::mnuEditSelectAll_Click);
    // The handlers invert the check mark themselves, so undo the action's own toggle first.
    connect(c.mnuViewToolbar, &QAction::triggered, this, [this] {
        ui->mnuViewToolbar->setChecked(!ui->mnuViewToolbar->isChecked());
        mnuViewToolbar_Click();
    });
    connect(c.mnuViewStatusBar, &QAction::triggered, this, [this] {
        ui->mnuViewStatusBar->setChecked(!ui->mnuViewStatusBar->isChecked());
        mnuViewStatusBar_Click();
    });
    onIndex(c.mnuListViewMode, &frmMain::mnuListViewMode_Click);
    onIndex(c.mnuViewGraph, &frmMain::mnuViewGraph_Click);
    onIndex(c.mnuAllStep, &frmMain::mnuAllStep_Click);
    on(c.mnuPorpPersonal, &frmMain::mnuPorpPersonal_Click);
    on(c.mnuPropAll, &frmMain::mnuPropAll_Click);
    on(c.mnuViewOptions, &frmMain::mnuViewOptions_Click);
    on(c.mnuViewRefresh, &frmMain::mnuViewRefresh_Click);
    on(c.mnuViewAutoRefresh, &frmMain::mnuViewAutoRefresh_Click);
    on(c.mnuHelpAbout, &frmMain::mnuHelpAbout_Click);
    on(c.mnuPopReport, &frmMain::mnuPopReport_Click);
    on(c.mnuPopEditSelectAll, &frmMain::mnuPopEditSelectAll_Click);
    onIndex(c.mnuPopViewGraph, &frmMain::mnuPopViewGraph_Click);
    on(c.mnuPopEditPrint, &frmMain::mnuPopEditPrint_Click);
    on(c.mnuPopEditPreview, &frmMain::mnuPopEditPreview_Click);
    on(c.mnuPopEditCSV, &frmMain::mnuPopEditCSV_Click);
    on(c.mnuPopPropaty, &frmMain::mnuPopPropaty_Click);
    on(c.mnuPopAllAll, &frmMain::mnuPopAllAll_Click);
    onIndex(c.menuAllStatics, &frmMain::menuAllStatics_Click);
    on(c.menuAllPrint, &frmMain::menuAllPrint_Click);
    on(c.menuAllPreview, &frmMain::menuAllPreview_Click);
    on(c.menuAllCSV, &frmMain::menuAllCSV_Click);
    on(c.menuAllprop, &frmMain::menuAllprop_Click);
    on(c.mnuHistory, &frmMain::mnuHistory_Click);
    on(c.mnuGraphData, &frmMain::mnuGraphData_Click);
    on(c.mnuWeeks, &frmMain::mnuWeeks_Click);
    on(c.mnuFileTidyHistory, &frmMain::mnuFileTidyHistory_Click);
    on(c.mnuViewClassBoard, &frmMain::mnuViewClassBoard_Click);
    for (QAction *choice : c.mnuLanguages)
        connect(choice, &QAction::triggered, this,
                [this, code = choice->data().toString()] { mnuLanguage_Click(code); });
    checkLanguage(c);
    on(c.mnuViewTargets, &frmMain::mnuViewTargets_Click);
    on(c.mnuViewHideNames, &frmMain::mnuViewHideNames_Click);
    on(c.mnuPrintClassBoard, &frmMain::mnuPrintClassBoard_Click);
    on(c.mnuPreviewClassBoard, &frmMain::mnuPreviewClassBoard_Click);
    on(c.mnuClassBoardCSV, &frmMain::mnuClassBoardCSV_Click);

    // Item states are settled when a menu opens.
    connect(c.mnuFile, &QMenu::aboutToShow, this, &frmMain::mnuFile_Click);
    connect(c.mnuEdit, &QMenu::aboutToShow, this, &frmMain::mnuEdit_Click);
    connect(c.mnuView, &QMenu::aboutToShow, this, &frmMain::mnuView_Click);
    connect(c.mnuPrint, &QMenu::aboutToShow, this, &frmMain::mnuPrint_Click);

    for (QAction *button : c.buttons)
        if (button)
            connect(button, &QAction::triggered, this,
                    [this, key = button->objectName()] { tbToolBar_ButtonClick(key); });

    connect(c.tvTreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) {
        if (item == learners_->rootNode())
            setNodeImage(item, 1);
    });
    connect(c.tvTreeView, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) {
        if (item == learners_->rootNode())
            setNodeImage(item, 2);
    });
    connect(c.tvTreeView, &LearnerTree::nodeClick, this, &frmMain::tvTreeView_NodeClick);
    connect(c.tvTreeView, &LearnerTree::dblClick, this, &frmMain::tvTreeView_DblClick);
    connect(c.tvTreeView, &LearnerTree::mouseDown, this, &frmMain::tvTreeView_MouseDown);
    connect(c.tvTreeView, &LearnerTree::mouseUp, this, &frmMain::tvTreeView_MouseUp);
    connect(c.tvTreeView, &LearnerTree::gotFocus, this, &frmMain::tvTreeView_GotFocus);
    connect(c.tvTreeView, &LearnerTree::menuKey, this, &frmMain::tvTreeView_MenuKey);

    connect(c.lvListView->header(), &QHeaderView::sectionClicked, this, &frmMain::lvlistview_ColumnClick);
    // However the selection changes (mouse, keyboard, a command, rows going), the buttons
    // for chosen learners follow.
    connect(c.lvListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmMain::settleLearnerButtons);
    connect(c.listModel, &QAbstractItemModel::modelReset, this, &frmMain::settleLearnerButtons);
    connect(c.listModel, &QAbstractItemModel::rowsRemoved, this, &frmMain::settleLearnerButtons);
    // Rows removed here and there go in one pass as a layout change, without a word to the
    // selection's listeners.
    connect(c.listModel, &QAbstractItemModel::layoutChanged, this, &frmMain::settleLearnerButtons);
    connect(c.lvListView, &LearnerList::click, this, &frmMain::lvListView_Click);
    connect(c.lvListView, &LearnerList::dblClick, this, &frmMain::lvListView_DblClick);
    connect(c.lvListView, &LearnerList::mouseDown, this, &frmMain::lvListView_MouseDown);
    connect(c.lvListView, &LearnerList::mouseUp, this, &frmMain::lvListView_MouseUp);
    connect(c.lvListView, &LearnerList::gotFocus, this, &frmMain::lvListView_GotFocus);
    connect(c.lvListView, &LearnerList::menuKey, this, &frmMain::lvListView_MenuKey);

    connect(c.Picture1, &GraphPane::paint, this, &frmMain::Picture1_Paint);
    connect(c.Picture1, &GraphPane::mouseUp, this, &frmMain::Picture1_MouseUp);
    connect(c.Picture1, &GraphPane::gotFocus, this, &frmMain::Picture1_GotFocus);
    connect(c.Picture1, &GraphPane::lostFocus, this, &frmMain::Picture1_LostFocus);
    connect(c.Picture1, &GraphPane::menuKey, this, &frmMain::Picture1_MenuKey);

    connect(c.lvClassBoard, &ClassBoard::learnerActivated, this, &frmMain::lvClassBoard_LearnerActivated);
    connect(c.lvClassBoard, &ClassBoard::popupRequested, this, &frmMain::lvClassBoard_Popup);

    connect(c.imgSplitter, &SplitterGrip::mouseDown, this, &frmMain::imgSplitter_MouseDown);
    connect(c.imgSplitter, &SplitterGrip::mouseMove, this,
            [this](double pixels) { imgSplitter_MouseMove(twips_.twipsX(pixels)); });
    connect(c.imgSplitter, &SplitterGrip::mouseUp, this, &frmMain::imgSplitter_MouseUp);
}

void frmMain::updateClock()
{
    ui->statusPanels[1]->setText(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    ui->statusPanels[2]->setText(QTime::currentTime().toString(QStringLiteral("H:mm")));
}

// ---------------------------------------------------------------- twips

void frmMain::setTwips(QWidget *control, const QRectF &r)
{
    const int left = twips_.x(r.left()), right = twips_.x(r.left() + r.width());
    const int top = twips_.y(r.top()), bottom = twips_.y(r.top() + r.height());
    control->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

WindowTwips frmMain::windowTwips() const
{
    QRect frame = frameGeometry();
    // A maximised window's borders may lie beyond its screen, and the manager's report of
    // them can lag behind the maximise: the part on the screen is the same at every close.
    if (isMaximized() && screen())
        frame = frame.intersected(screen()->availableGeometry());
    return {std::int32_t(std::lround(twips_.twipsY(frame.top()))),
            std::int32_t(std::lround(twips_.twipsX(frame.left()))),
            std::int32_t(std::lround(twips_.twipsY(frame.height()))),
            std::int32_t(std::lround(twips_.twipsX(frame.width())))};
}

void frmMain::setOuterSizeTwips(double width, double height)
{
    const QSize outer(twips_.x(width), twips_.y(height));
    const QSize frame = frameGeometry().size() - size();
    resize(outer - frame);
    // Until the window is framed its borders are unknown; take them off once they are.
    if (!isVisible())
        pendingOuter_ = outer;
}

double frmMain::outerWidthTwips() const { return twips_.twipsX(frameGeometry().width()); }
double frmMain::outerHeightTwips() const { return twips_.twipsY(frameGeometry().height()); }

void frmMain::placeWindow(const ViewerSettings &settings)
{
    const WindowTwips &w = settings.window;
    PlacementInput in;
    in.stored = QRect(twips_.x(w.left), twips_.y(w.top), twips_.x(w.width), twips_.y(w.height));
    in.firstStart = settings.firstStart;
    in.designSize = QSize(twips_.x(kDesignWidth), twips_.y(kDesignHeight));
    in.homeOffset = QPoint(twips_.x(kFirstStartLeft), twips_.y(kFirstStartTop));
    if (QScreen *primary = QGuiApplication::primaryScreen())
        in.screens.append(primary->availableGeometry());
    for (const QScreen *s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            in.screens.append(s->availableGeometry());
    const WindowPlacement placed = ::qel::placeWindow(in);
    move(placed.outer.topLeft());
    resize(placed.outer.size());
    pendingOuter_ = placed.outer.size();
    if (placed.maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

// The outer size asked for is met once the window manager has framed the window; before
// that the frame's size is unknown. A window that starts maximised leaves its normal size
// to the manager.
void frmMain::applyPendingOuter(bool activated)
{
    if (!pendingOuter_ || !isVisible())
        return;
    if (isMaximized() || isFullScreen()) {
        pendingOuter_.reset();
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    if (frame.isNull()) {
        // Activated and still without a frame: there is none to take off.
        if (activated)
            pendingOuter_.reset();
        return;
    }
    const QSize outer = *pendingOuter_;
    pendingOuter_.reset();
    resize(outer - frame);
}

// ---------------------------------------------------------------- start-up and layout

void frmMain::setSplash(frmSplash *splash)
{
    splash_ = splash;
}

bool frmMain::Form_Load(const QString &startFolder)
{
    state_.graph.statPercentile = 0.95;
    state_.graph.personalGraphKind = 0;
    state_.rightPressOnTree = false;
    state_.graph.popupFromTree = false;

    WindowTwips design = windowTwips();
    design.height = kDesignHeight;
    design.width = kDesignWidth;
    const auto settings = loadViewerSettings(design, QCoreApplication::applicationDirPath());
    if (!settings) {
        asker().message(nullptr, settings.failure, QString(), Asker::Buttons::Ok, Asker::Icon::None);
        return false;
    }
    if (!settings.notice.isEmpty())
        asker().message(nullptr, settings.notice, QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
    // Where the teacher left the splitter and the list's order; the layout keeps the
    // splitter within the window.
    const PanePlace &panes = settings->panes;
    state_.layout.grip.moveLeft(panes.splitter);
    if (panes.sortDirection == 0 || panes.sortDirection == 1)
        state_.sortDirection = panes.sortDirection;
    if (panes.sortColumn == LearnerListModel::kRateColumn) {
        rateSortOnFirstFill_ = true;
    } else if (panes.sortColumn >= 0 && panes.sortColumn < LearnerListModel::kColumns) {
        state_.sortedByText = true;
        state_.sortColumn = panes.sortColumn;
    }
    placeWindow(*settings);
    state_.recordFolder = startFolder.isEmpty() ? settings->recordFolder : QDir::toNativeSeparators(startFolder);
    state_.autoRefresh = settings->autoRefresh;
    ui->mnuViewAutoRefresh->setChecked(state_.autoRefresh);
    state_.csvFolder = settings->csvFolder;

    setFlatToolbar(true);
    setFullRowSelect(true);
    state_.graph.resetPersonalScales();
    ui->mnuPopAllAll->setEnabled(false);
    ui->lblTitle[0]->setText(state_.recordFolder);
    ui->lblTitle[0]->setToolTip(state_.recordFolder); // a long path does not fit above the tree
    session_->setFollowing(state_.autoRefresh);
    loadFolderSettings();
    session_->open(state_.recordFolder);
    // A folder that takes long to read (a slow server) does not keep the window away.
    QTimer::singleShot(kLongestHiddenStartMSecs, this, [this] {
        if (!firstReadShown_)
            emit readyToShow();
    });
    return true;
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Without a window manager the window may never be activated; the splash goes anyway.
    QTimer::singleShot(0, this, [this] {
        if (state_.startingUp)
            Form_Activate();
    });
}

void frmMain::Form_Activate()
{
    state_.startingUp = false;
    state_.treeFocusedLast = true;
    if (splash_) {
        splash_->close();
        splash_->deleteLater();
        splash_ = nullptr;
    }
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && ui)
        retranslateWindow();
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        applyPendingOuter(true);
        Form_Activate();
    }
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // The manager's framing moves the window's inside.
    applyPendingOuter(false);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    state_.resizeRedrawn = false;
    if (isMinimized())
        return;
    // A maximised or full-screen window has its size from the screen; asking for
    // another would only start a tug of war with the window manager.
    if ((outerWidthTwips() < kSmallestOuter || outerHeightTwips() < kSmallestOuter) && !isMaximized()
        && !isFullScreen())
        setOuterSizeTwips(kSmallestOuter, kSmallestOuter);
    double x = state_.layout.grip.left();
    SizeControls(x);
    // Paints are coalesced, so the pane is asked once, by the innermost resize.
    if (!ui->Picture1->isHidden() && !state_.resizeRedrawn) {
        redrawGraph();
        state_.resizeRedrawn = true;
    }
}

void frmMain::SizeControls(double &x)
{
    const frmMainControls &c = *ui;
    LayoutInput in;
    in.scale = twips_;
    in.outerWidth = frameGeometry().width();
    in.body = c.formArea->size();
    in.toolbarShown = !c.tbToolBar->isHidden();
    in.toolbarHeight = c.tbToolBar->sizeHint().height();
    in.statusBarShown = !c.sbStatusBar->isHidden();
    in.statusBarHeight = c.sbStatusBar->sizeHint().height();
    in.splitter = x;
    const WindowLayout &layout = state_.layout = layoutWindow(in, state_.layout);
    x = layout.splitter;

    if (in.toolbarShown)
        setTwips(c.tbToolBar, layout.toolbar);
    setTwips(c.picTitles, layout.titleStrip);
    if (in.statusBarShown)
        setTwips(c.sbStatusBar, layout.statusBar);
    setTwips(c.tvTreeView, layout.tree);
    setTwips(c.imgSplitter, layout.grip);
    setTwips(c.lvListView, layout.list);
    setTwips(c.lblTitle[0], layout.titles[0]);
    setTwips(c.lblTitle[1], layout.titles[1]);
    setTwips(c.Picture1, layout.list);
    setTwips(c.lvClassBoard, layout.list);
    c.imgSplitter->raise();
}

void frmMain::imgSplitter_MouseDown()
{
    const QRectF grip = state_.layout.grip;
    state_.dragBar = QRectF(grip.left(), grip.top(), double(std::lround(grip.width()) / 2),
                            std::max(0.0, grip.height() - 20));
    setTwips(ui->picSplitter, state_.dragBar);
    ui->picSplitter->show();
    ui->picSplitter->raise();
    state_.splitterDragging = true;
}

void frmMain::imgSplitter_MouseMove(double x)
{
    if (!state_.splitterDragging)
        return;
    const double pos = state_.layout.grip.left() + x;
    ui->picSplitter->raise();
    const double W = outerWidthTwips();
    QRectF &bar = state_.dragBar;
    if (pos < 1000)
        bar.moveLeft(1000);
    else if (pos > W - 3000)
        bar.moveLeft(W - 3000);
    else
        bar.moveLeft(pos);
    setTwips(ui->picSplitter, bar);
}

void frmMain::imgSplitter_MouseUp()
{
    if (!state_.splitterDragging)
        return;
    double x = state_.dragBar.left();
    SizeControls(x);
    ui->picSplitter->hide();
    if (!ui->Picture1->isHidden())
        ui->Picture1->update();
    state_.splitterDragging = false;
}

void frmMain::mnuViewToolbar_Click()
{
    const bool shown = !ui->mnuViewToolbar->isChecked();
    ui->mnuViewToolbar->setChecked(shown);
    ui->tbToolBar->setVisible(shown);
    double x = state_.layout.grip.left();
    SizeControls(x);
}

void frmMain::mnuViewStatusBar_Click()
{
    const bool shown = !ui->mnuViewStatusBar->isChecked();
    ui->mnuViewStatusBar->setChecked(shown);
    ui->sbStatusBar->setVisible(shown);
    double x = state_.layout.grip.left();
    SizeControls(x);
    if (shown && !ui->Picture1->isHidden())
        redrawGraph();
}

void frmMain::setFlatToolbar(bool flat)
{
    for (QToolButton *button : ui->tbToolBar->findChildren<QToolButton *>())
        button->setAutoRaise(flat);
    ui->tbToolBar->update();
}

void frmMain::setFullRowSelect(bool on)
{
    ui->lvListView->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void frmMain::buildProgress(int value, int maximum)
{
    if (state_.startingUp && splash_) {
        splash_->ProgressBar1->setMaximum(maximum);
        splash_->ProgressBar1->setValue(value);
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    if (!isMinimized()) {
        PanePlace panes;
        panes.splitter = std::int32_t(std::lround(state_.layout.splitter));
        const QHeaderView *header = ui->lvListView->header();
        panes.sortColumn = header->isSortIndicatorShown() ? header->sortIndicatorSection() : -1;
        panes.sortDirection = state_.sortDirection;
        const StoreStatus saved =
            saveViewerSettings(windowTwips(), state_.recordFolder, state_.autoRefresh, state_.csvFolder, panes,
                               state_.language);
        if (!saved) {
            asker().message(nullptr, saved.failure, QString(), Asker::Buttons::Ok, Asker::Icon::None);
            QCoreApplication::exit(EXIT_FAILURE);
        }
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (*it != this && (*it)->isVisible())
            (*it)->close();
}

// ---------------------------------------------------------------- language

void frmMain::mnuLanguage_Click(const QString &code)
{
    const std::optional<Language> chosen = languageOfCode(code);
    if (!chosen)
        return;
    state_.language = chosen;
    // Every widget is told through its LanguageChange, this window included.
    installLanguage(*chosen);
}

void frmMain::retranslateWindow()
{
    setWindowTitle(tr("QelViewer"));
    ui->retranslate();
    checkLanguage(*ui);
    ui->listModel->retranslate();
    learners_->retitleRoot(groupName(state_.viewMode));
    if (!ui->Picture1->isHidden()) {
        redrawGraph(); // its heading, and a statistics graph's status text
        if (state_.graph.graphFamily != graphs::GroupFamily)
            showFolderStatus();
    } else {
        if (boardOnDisplay())
            showBoardHeading();
        else if (learners_->rootNode())
            ui->lblTitle[1]->setText(listTitleText());
        else
            ui->lblTitle[1]->setText(frmMainControls::tr(" ﾘｽﾄ ﾋﾞｭｰ:"));
        showFolderStatus();
    }
}

} // namespace qel
