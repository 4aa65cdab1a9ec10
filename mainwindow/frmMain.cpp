#include "mainwindow/frmMain.h"

#include "base/appicon.h"
#include "base/asker.h"
#include "base/painting.h"
#include "dialogs/About.h"
#include "dialogs/frmSearch.h"
#include "dialogs/frmSplash.h"
#include "graphs/graphframe.h"
#include "mainwindow/filetrash.h"
#include "mainwindow/icons.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
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

struct ButtonSpec {
    const char *key;
    const char *toolTip;
};

// Toolbar positions 1..16; a null key is a separator.
const ButtonSpec kButtons[17] = {
    {nullptr, nullptr},
    {"Open", "練習記録保存フォルダ変更"},
    {"Find", "ユーザ検索"},
    {"Delete", "削除"},
    {nullptr, nullptr},
    {"View Details", "一覧表示"},
    {"English", "英文練習者表示"},
    {"Kana", "かな/ﾛｰﾏ練習者表示"},
    {nullptr, nullptr},
    {"p3", "個人練習グラフ"},
    {"p4", "個人練習時間グラフ"},
    {nullptr, nullptr},
    {"pa1", "全体STEP統計"},
    {"pa2", "全体練習回数統計"},
    {nullptr, nullptr},
    {"pp1", "個人プロパティ"},
    {"p2", "全体プロパティ"},
};

const QIcon &treeIcon(int number)
{
    static const QIcon images[6] = {icons::image(1), icons::image(2), QIcon(),
                                    icons::image(4), icons::image(5), QIcon()};
    static const QIcon none;
    return number >= 1 && number <= 6 ? images[number - 1] : none;
}

void setNodeImage(QTreeWidgetItem *node, int number)
{
    node->setData(0, kNodeImageRole, number);
    node->setIcon(0, treeIcon(number));
}

// A width or height the layout cannot take (negative) leaves the old one.
void setWidthTwips(QRectF &r, double width)
{
    if (width >= 0)
        r.setWidth(width);
}
void setHeightTwips(QRectF &r, double height)
{
    if (height >= 0)
        r.setHeight(height);
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    draw::installFontSubstitutes();
    setWindowTitle(QStringLiteral("QelViewer"));
    setWindowIcon(appIcon());
    if (const QScreen *s = screen())
        twipsScale_ = TwipsScale::ofScreen(s);

    formArea = new QWidget(this);
    setCentralWidget(formArea);
    buildMenus();
    buildPanes();
    buildToolbar();

    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &frmMain::updateClock);
    clock_->start(1000);
    updateClock();

    resize(twipsToPixelsX(kDesignWidth), twipsToPixelsY(kDesignHeight));
    pendingOuter_ = size();
}

frmMain::~frmMain()
{
    if (splash_)
        delete splash_.data();
}

// ---------------------------------------------------------------- building

QAction *frmMain::command(QMenu *menu, const QString &caption, void (frmMain::*handler)())
{
    auto *action = new QAction(caption, this);
    action->setIconVisibleInMenu(false);
    menu->addAction(action);
    if (handler)
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();

    mnuFile = bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuFileOpen = command(mnuFile, QStringLiteral("記録ファイル保存フォルダー指定(&O)"), &frmMain::mnuFileOpen_Click);
    mnuFileFind = command(mnuFile, QStringLiteral("検索(&F)"), &frmMain::mnuFileFind_Click);
    mnuPrint = mnuFile->addMenu(QStringLiteral("印刷(&P)"));
    mnuPrintPersonal = command(mnuPrint, QStringLiteral("個人プロパティ(&P)"), &frmMain::mnuPrintPersonal_Click);
    mnuPrintAll = command(mnuPrint, QStringLiteral("全体プロパティ(&A)"), &frmMain::mnuPrintAll_Click);
    mnuEditOutput = command(mnuFile, QStringLiteral("CSV出力(&V)"), &frmMain::mnuEditOutput_Click);
    mnuFile->addSeparator();
    mnuFileDelete = command(mnuFile, QStringLiteral("削除(&D)"), &frmMain::mnuFileDelete_Click);
    mnuFile->addSeparator();
    mnuFileClose = command(mnuFile, QStringLiteral("閉じる(&C)"), &frmMain::mnuFileClose_Click);

    mnuEdit = bar->addMenu(QStringLiteral("編集(&E)"));
    mnuEditSelectAll = command(mnuEdit, QStringLiteral("すべて選択(&A)"), &frmMain::mnuEditSelectAll_Click);
    mnuEditSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuView = bar->addMenu(QStringLiteral("表示(&V)"));
    mnuViewToolbar = command(mnuView, QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)"), nullptr);
    mnuViewStatusBar = command(mnuView, QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&B)"), nullptr);
    for (QAction *toggle : {mnuViewToolbar, mnuViewStatusBar}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    // The handlers invert the check mark themselves, so undo the action's own toggle first.
    connect(mnuViewToolbar, &QAction::triggered, this, [this] {
        mnuViewToolbar->setChecked(!mnuViewToolbar->isChecked());
        mnuViewToolbar_Click();
    });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] {
        mnuViewStatusBar->setChecked(!mnuViewStatusBar->isChecked());
        mnuViewStatusBar_Click();
    });
    mnuView->addSeparator();
    viewModeGroup_ = new QActionGroup(this);
    const QString modeCaptions[3] = {QStringLiteral("全体(&A)"), QStringLiteral("英文練習者(&E)"),
                                     QStringLiteral("かな/ローマ練習者(&R)")};
    for (int i = 0; i < 3; ++i) {
        mnuListViewMode[i] = command(mnuView, modeCaptions[i], nullptr);
        mnuListViewMode[i]->setCheckable(true);
        viewModeGroup_->addAction(mnuListViewMode[i]);
        connect(mnuListViewMode[i], &QAction::triggered, this, [this, i] { mnuListViewMode_Click(i); });
    }
    mnuListViewMode[0]->setChecked(true);
    mnuView->addSeparator();
    mnuGraph = mnuView->addMenu(QStringLiteral("グラフ(&G)"));
    mnuPersonal = mnuGraph->addMenu(QStringLiteral("個人(&P)"));
    const QString graphCaptions[2] = {QStringLiteral("練習グラフ(&I)"), QStringLiteral("時間グラフ(&H)")};
    for (int i = 0; i < 2; ++i) {
        mnuViewGraph[i] = command(mnuPersonal, graphCaptions[i], nullptr);
        connect(mnuViewGraph[i], &QAction::triggered, this, [this, i] { mnuViewGraph_Click(i); });
    }
    mnuAll = mnuGraph->addMenu(QStringLiteral("全体(&A)"));
    const QString statCaptions[2] = {QStringLiteral("STEP統計(&S)"), QStringLiteral("練習回数統計(&T)")};
    for (int i = 0; i < 2; ++i) {
        mnuAllStep[i] = command(mnuAll, statCaptions[i], nullptr);
        connect(mnuAllStep[i], &QAction::triggered, this, [this, i] { mnuAllStep_Click(i); });
    }
    mnuView->addSeparator();
    mnuPropaty = mnuView->addMenu(QStringLiteral("プロパティ(&P)"));
    mnuPorpPersonal = command(mnuPropaty, QStringLiteral("個人(&P)"), &frmMain::mnuPorpPersonal_Click);
    mnuPropAll = command(mnuPropaty, QStringLiteral("全体(&A)"), &frmMain::mnuPropAll_Click);
    mnuViewOptionsSeparator = mnuView->addSeparator();
    mnuViewOptionsSeparator->setVisible(false);
    mnuViewOptions = command(mnuView, QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."), &frmMain::mnuViewOptions_Click);
    mnuViewOptions->setVisible(false);

    mnuHelp = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    mnuHelpAbout = command(mnuHelp, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), &frmMain::mnuHelpAbout_Click);

    // Pop-up menus, never on the menu bar.
    menuPop = new QMenu(QStringLiteral("ポップアップ"), this);
    mnuPopReport = command(menuPop, QStringLiteral("一覧表示へ(&D)"), &frmMain::mnuPopReport_Click);
    mnuPopEditSelectAll = command(menuPop, QStringLiteral("すべて選択(&A)"), &frmMain::mnuPopEditSelectAll_Click);
    menuPop->addSeparator();
    mnuPopGraph = menuPop->addMenu(QStringLiteral("グラフ(&G)"));
    const QString popGraphCaptions[2] = {QStringLiteral("練習グラフ(&U)"), QStringLiteral("練習時間グラフ(&T)")};
    for (int i = 0; i < 2; ++i) {
        mnuPopViewGraph[i] = command(mnuPopGraph, popGraphCaptions[i], nullptr);
        connect(mnuPopViewGraph[i], &QAction::triggered, this, [this, i] { mnuPopViewGraph_Click(i); });
    }
    menuPop->addSeparator();
    mnuPopEditOut = menuPop->addMenu(QStringLiteral("出力(&O)"));
    mnuPopEditPrint = command(mnuPopEditOut, QStringLiteral("印刷(&P)"), &frmMain::mnuPopEditPrint_Click);
    mnuPopEditCSV = command(mnuPopEditOut, QStringLiteral("CSV出力(&V)"), &frmMain::mnuPopEditCSV_Click);
    menuPop->addSeparator();
    mnuPopPropaty = command(menuPop, QStringLiteral("プロパティ(&P)"), &frmMain::mnuPopPropaty_Click);

    menuPopAll = new QMenu(QStringLiteral("ポップアップ全体"), this);
    mnuPopAllAll = command(menuPopAll, QStringLiteral("一覧表示へ(&D)"), &frmMain::mnuPopAllAll_Click);
    menuAllGraph = menuPopAll->addMenu(QStringLiteral("グラフ(&G)"));
    const QString popStatCaptions[2] = {QStringLiteral("STEP統計(&U)"), QStringLiteral("練習回数統計(&T)")};
    for (int i = 0; i < 2; ++i) {
        menuAllStatics[i] = command(menuAllGraph, popStatCaptions[i], nullptr);
        connect(menuAllStatics[i], &QAction::triggered, this, [this, i] { menuAllStatics_Click(i); });
    }
    menuPopAll->addSeparator();
    menuAllOutput = menuPopAll->addMenu(QStringLiteral("出力(&O)"));
    menuAllPrint = command(menuAllOutput, QStringLiteral("印刷(&P)"), &frmMain::menuAllPrint_Click);
    menuAllCSV = command(menuAllOutput, QStringLiteral("CSV出力(&V)"), &frmMain::menuAllCSV_Click);
    menuPopAll->addSeparator();
    menuAllprop = command(menuPopAll, QStringLiteral("プロパティ(&P)"), &frmMain::menuAllprop_Click);

    // Item states are settled when a main menu opens; the toolbar's own states come back
    // once it has closed.
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::mnuFile_Click);
    connect(mnuEdit, &QMenu::aboutToShow, this, &frmMain::mnuEdit_Click);
    connect(mnuView, &QMenu::aboutToShow, this, &frmMain::mnuView_Click);
    connect(mnuPrint, &QMenu::aboutToShow, this, &frmMain::mnuPrint_Click);
    for (QMenu *menu : {mnuFile, mnuEdit, mnuView})
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, &frmMain::restoreToolbarStates); });
}

void frmMain::buildToolbar()
{
    tbToolBar = new QToolBar(formArea);
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setIconSize(QSize(20, 20));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int position = 1; position <= 16; ++position) {
        QAction *action = toolbarButton(position);
        if (!action) {
            tbToolBar->addSeparator();
            continue;
        }
        action->setIcon(icons::toolbar(QString::fromUtf8(kButtons[position].key)));
        action->setToolTip(QString::fromUtf8(kButtons[position].toolTip));
        tbToolBar->addAction(action);
    }
    buttonEnabled_.fill(true);
    // Nothing is chosen yet: no row to delete, no learner to draw.
    for (int position : {3, 9, 10, 15})
        setToolbarButtonEnabled(position, false);
}

void frmMain::buildPanes()
{
    picTitles = new QWidget(formArea);
    const QString designTitles[2] = {QStringLiteral(" ﾂﾘｰ ﾋﾞｭｰ:"), QStringLiteral(" ﾘｽﾄ ﾋﾞｭｰ:")};
    for (int i = 0; i < 2; ++i) {
        lblTitle[i] = new QLabel(designTitles[i], picTitles);
        lblTitle[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        lblTitle[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lblTitle[i]->setMargin(0);
    }

    tvTreeView = new LearnerTree(*this, formArea);
    connect(tvTreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) {
        if (item == rootNode())
            setNodeImage(item, 1);
    });
    connect(tvTreeView, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *item) {
        if (item == rootNode())
            setNodeImage(item, 2);
    });

    listModel = new LearnerListModel(this);
    lvListView = new LearnerList(*this, formArea);
    lvListView->setModel(listModel);
    QFont fixedPitch(draw::kGothic);
    fixedPitch.setPointSizeF(9);
    lvListView->setFont(fixedPitch);
    QHeaderView *header = lvListView->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    for (int c = 0; c < LearnerListModel::kColumns; ++c)
        header->resizeSection(c, twipsToPixelsX(LearnerListModel::columnWidthTwips(c)));
    connect(header, &QHeaderView::sectionClicked, this, &frmMain::lvlistview_ColumnClick);

    Picture1 = new GraphPane(*this, formArea);
    Picture1->hide();

    imgSplitter = new SplitterGrip(*this, formArea);
    twips_[imgSplitter] = QRectF(kFirstSplitter, 0, kGripWidth, 0);

    picSplitter = new QWidget(formArea);
    picSplitter->setAutoFillBackground(true);
    QPalette bar = picSplitter->palette();
    bar.setColor(QPalette::Window, QColor(96, 96, 96));
    picSplitter->setPalette(bar);
    picSplitter->hide();

    sbStatusBar = new QStatusBar(formArea);
    statusPanels[0] = new QLabel(QStringLiteral("ｽﾃｰﾀｽ"));
    statusPanels[1] = new QLabel;
    statusPanels[2] = new QLabel;
    sbStatusBar->addWidget(statusPanels[0], 1);
    sbStatusBar->addPermanentWidget(statusPanels[1]);
    sbStatusBar->addPermanentWidget(statusPanels[2]);
}

void frmMain::updateClock()
{
    statusPanels[1]->setText(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    statusPanels[2]->setText(QTime::currentTime().toString(QStringLiteral("H:mm")));
}

// ---------------------------------------------------------------- twips

double frmMain::pixelsToTwipsX(double pixels) const { return twipsScale_.twipsX(pixels); }
double frmMain::pixelsToTwipsY(double pixels) const { return twipsScale_.twipsY(pixels); }
int frmMain::twipsToPixelsX(double twips) const { return twipsScale_.x(twips); }
int frmMain::twipsToPixelsY(double twips) const { return twipsScale_.y(twips); }

QRectF frmMain::twipsGeometry(const QWidget *control) const
{
    return twips_.value(control);
}

void frmMain::setTwips(QWidget *control, const QRectF &r)
{
    twips_[control] = r;
    const int left = twipsToPixelsX(r.left()), right = twipsToPixelsX(r.left() + r.width());
    const int top = twipsToPixelsY(r.top()), bottom = twipsToPixelsY(r.top() + r.height());
    control->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

WindowTwips frmMain::windowTwips() const
{
    const QRect frame = frameGeometry();
    return {std::int32_t(std::lround(pixelsToTwipsY(frame.top()))),
            std::int32_t(std::lround(pixelsToTwipsX(frame.left()))),
            std::int32_t(std::lround(pixelsToTwipsY(frame.height()))),
            std::int32_t(std::lround(pixelsToTwipsX(frame.width())))};
}

void frmMain::setWindowTwips(const WindowTwips &w)
{
    move(twipsToPixelsX(w.left), twipsToPixelsY(w.top));
    setOuterSizeTwips(w.width, w.height);
}

void frmMain::setOuterSizeTwips(double width, double height)
{
    const QSize outer(twipsToPixelsX(width), twipsToPixelsY(height));
    const QSize frame = frameGeometry().size() - size();
    resize(outer - frame);
    // Until the window is framed its borders are unknown; take them off once they are.
    if (!isVisible())
        pendingOuter_ = outer;
}

double frmMain::outerWidthTwips() const { return pixelsToTwipsX(frameGeometry().width()); }
double frmMain::outerHeightTwips() const { return pixelsToTwipsY(frameGeometry().height()); }
double frmMain::innerHeightTwips() const { return pixelsToTwipsY(formArea->height()); }

void frmMain::keepReachable()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return;
    const QRect frame = frameGeometry();
    // The caption strip must lie on some screen, wide enough to take hold of.
    const QRect caption(frame.left(), frame.top(), frame.width(), std::min(frame.height(), 30));
    for (const QScreen *s : screens) {
        const QRect common = caption.intersected(s->availableGeometry());
        if (common.width() >= std::min(80, caption.width()) && common.height() >= std::min(10, caption.height()))
            return;
    }
    const QRect home = QGuiApplication::primaryScreen()->availableGeometry();
    move(home.left() + twipsToPixelsX(kFirstStartLeft), home.top() + twipsToPixelsY(kFirstStartTop));
}

// ---------------------------------------------------------------- start-up and layout

void frmMain::setSplash(frmSplash *splash)
{
    splash_ = splash;
}

frmSplash *frmMain::splash() const
{
    return splash_.data();
}

bool frmMain::Form_Load(const QString &startFolder)
{
    statPercentile = 0.95;
    personalGraphKind = 0;
    rightPressOnTree = false;
    popupFromTree = false;

    WindowTwips design = windowTwips();
    design.height = kDesignHeight;
    design.width = kDesignWidth;
    const auto settings = loadViewerSettings(design, QCoreApplication::applicationDirPath());
    if (!settings) {
        asker().message(nullptr, settings.failure, QString(), Asker::Buttons::Ok, Asker::Icon::None);
        return false;
    }
    setWindowTwips(settings->window);
    keepReachable();
    recordFolder = startFolder.isEmpty() ? settings->recordFolder : QDir::toNativeSeparators(startFolder);

    setFlatToolbar(true);
    setFullRowSelect(true);
    scanFolder(AllGroup);
    makeView(true);
    runsPerColumn = 1;
    spmPerDivision = 10;
    mnuPopAllAll->setEnabled(false);
    return true;
}

void frmMain::Form_Activate()
{
    startingUp = false;
    treeFocusedLast = true;
    if (splash_) {
        splash_->close();
        splash_->deleteLater();
        splash_ = nullptr;
    }
    if (pendingOuter_ && isVisible()) {
        const QSize outer = *pendingOuter_;
        pendingOuter_.reset();
        const QSize frame = frameGeometry().size() - size();
        if (!frame.isEmpty() && !isMaximized())
            resize(outer - frame);
    }
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    resizeRedrawn = false;
    if (isMinimized())
        return;
    // A maximised or full-screen window has its size from the screen; asking for
    // another would only start a tug of war with the window manager.
    if ((outerWidthTwips() < kSmallestOuter || outerHeightTwips() < kSmallestOuter) && !isMaximized()
        && !isFullScreen())
        setOuterSizeTwips(kSmallestOuter, kSmallestOuter);
    double x = twips_.value(imgSplitter).left();
    SizeControls(x);
    // Paints are coalesced, so the pane is asked once, by the innermost resize.
    if (!Picture1->isHidden() && !resizeRedrawn) {
        redrawGraph();
        resizeRedrawn = true;
    }
}

void frmMain::alignBars(double &stripTop)
{
    const int width = formArea->width();
    stripTop = 0;
    if (!tbToolBar->isHidden()) {
        const int h = tbToolBar->sizeHint().height();
        tbToolBar->setGeometry(0, 0, width, h);
        stripTop = pixelsToTwipsY(h);
    }
    setTwips(picTitles, QRectF(0, stripTop, pixelsToTwipsX(width), kTitleStripHeight));
    if (!sbStatusBar->isHidden()) {
        const int h = sbStatusBar->sizeHint().height();
        sbStatusBar->setGeometry(0, formArea->height() - h, width, h);
    }
}

void frmMain::SizeControls(double &x)
{
    double stripTop = 0;
    alignBars(stripTop);
    const double W = outerWidthTwips();
    const double H = innerHeightTwips();

    if (x < 1500)
        x = 1500;
    if (x > W - 1500)
        x = W - 1500;

    QRectF tree = twips_.value(tvTreeView), grip = twips_.value(imgSplitter);
    QRectF list = twips_.value(lvListView);
    QRectF title0 = twips_.value(lblTitle[0]), title1 = twips_.value(lblTitle[1]);

    tree.moveLeft(0);
    setWidthTwips(tree, x);
    grip.moveLeft(x);
    setWidthTwips(grip, kGripWidth);

    list.moveLeft(x + 40);
    setWidthTwips(list, W - (tree.width() + 140));

    title0.moveTopLeft(QPointF(0, 0));
    setHeightTwips(title0, kTitleStripHeight);
    setWidthTwips(title0, tree.width());
    title1.moveTopLeft(QPointF(list.left() + 20, 0));
    setHeightTwips(title1, kTitleStripHeight);
    setWidthTwips(title1, list.width() - 40);

    const bool toolbarShown = !tbToolBar->isHidden();
    const double toolbarHeight = toolbarShown ? stripTop : 0;
    tree.moveTop(toolbarShown ? kTitleStripHeight + toolbarHeight : kTitleStripHeight);
    list.moveTop(tree.top());

    if (!sbStatusBar->isHidden())
        setHeightTwips(tree, H - (stripTop + kTitleStripHeight + pixelsToTwipsY(sbStatusBar->sizeHint().height())));
    else
        setHeightTwips(tree, H - (stripTop + kTitleStripHeight));
    setHeightTwips(list, tree.height());

    grip.moveTop(tree.top());
    setHeightTwips(grip, tree.height());

    setTwips(tvTreeView, tree);
    setTwips(imgSplitter, grip);
    setTwips(lvListView, list);
    setTwips(lblTitle[0], title0);
    setTwips(lblTitle[1], title1);
    setTwips(Picture1, list);
    imgSplitter->raise();
}

void frmMain::imgSplitter_MouseDown()
{
    const QRectF grip = twips_.value(imgSplitter);
    setTwips(picSplitter, QRectF(grip.left(), grip.top(), double(std::lround(grip.width()) / 2),
                                 std::max(0.0, grip.height() - 20)));
    picSplitter->show();
    picSplitter->raise();
    splitterDragging = true;
}

void frmMain::imgSplitter_MouseMove(double x)
{
    if (!splitterDragging)
        return;
    const double pos = twips_.value(imgSplitter).left() + x;
    picSplitter->raise();
    const double W = outerWidthTwips();
    QRectF bar = twips_.value(picSplitter);
    if (pos < 1000)
        bar.moveLeft(1000);
    else if (pos > W - 3000)
        bar.moveLeft(W - 3000);
    else
        bar.moveLeft(pos);
    setTwips(picSplitter, bar);
}

void frmMain::imgSplitter_MouseUp()
{
    if (!splitterDragging)
        return;
    double x = twips_.value(picSplitter).left();
    SizeControls(x);
    picSplitter->hide();
    if (!Picture1->isHidden())
        Picture1->update();
    splitterDragging = false;
}

void frmMain::mnuViewToolbar_Click()
{
    const bool shown = !mnuViewToolbar->isChecked();
    mnuViewToolbar->setChecked(shown);
    tbToolBar->setVisible(shown);
    double x = twips_.value(imgSplitter).left();
    SizeControls(x);
}

void frmMain::mnuViewStatusBar_Click()
{
    const bool shown = !mnuViewStatusBar->isChecked();
    mnuViewStatusBar->setChecked(shown);
    sbStatusBar->setVisible(shown);
    double x = twips_.value(imgSplitter).left();
    SizeControls(x);
    if (shown && !Picture1->isHidden())
        redrawGraph();
}

void frmMain::setFlatToolbar(bool flat)
{
    for (QToolButton *button : tbToolBar->findChildren<QToolButton *>())
        button->setAutoRaise(flat);
    tbToolBar->update();
}

void frmMain::setFullRowSelect(bool on)
{
    lvListView->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    if (!isMinimized()) {
        if (const StoreStatus saved = saveViewerSettings(windowTwips(), recordFolder); !saved) {
            asker().message(nullptr, saved.failure, QString(), Asker::Buttons::Ok, Asker::Icon::None);
            QCoreApplication::exit(EXIT_FAILURE);
        }
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (*it != this && (*it)->isVisible())
            (*it)->close();
}

// ---------------------------------------------------------------- tree and list

QTreeWidgetItem *frmMain::rootNode() const
{
    return tvTreeView->topLevelItemCount() > 0 ? tvTreeView->topLevelItem(0) : nullptr;
}

int frmMain::nodeImage(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kNodeImageRole).toInt() : 0;
}

QString frmMain::nodeKey(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kNodeKeyRole).toString() : QString();
}

QTreeWidgetItem *frmMain::nodeByKey(const QString &key) const
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return nullptr;
    if (nodeKey(root) == key)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (nodeKey(root->child(i)) == key)
            return root->child(i);
    return nullptr;
}

void frmMain::scanFolder(int group)
{
    lblTitle[0]->setText(recordFolder);
    lblTitle[0]->setToolTip(recordFolder); // a long path does not fit above the tree
    Picture1->hide();
    const ScanResult result = ::qel::scanFolder(recordFolder, group);

    auto *root = new QTreeWidgetItem;
    root->setText(0, result.rootText);
    root->setData(0, kNodeKeyRole, result.rootText);
    setNodeImage(root, 1);
    QList<QTreeWidgetItem *> children;
    children.reserve(qsizetype(result.nodes.size()));
    for (const TreeNode &node : result.nodes) {
        auto *item = new QTreeWidgetItem;
        item->setText(0, node.text);
        item->setData(0, kNodeKeyRole, node.key);
        setNodeImage(item, node.image);
        children.append(item);
    }
    root->addChildren(children);
    tvTreeView->addTopLevelItem(root);
    root->setExpanded(true);
    setNodeImage(root, 1);
    tvTreeView->setCurrentItem(root);
    statusPanels[0]->setText(result.statusText);
}

void frmMain::buildProgress(int value, int maximum)
{
    if (startingUp && splash_) {
        splash_->ProgressBar1->setMaximum(maximum);
        splash_->ProgressBar1->setValue(value);
    }
    // Keep the screen painting through a long build; clicks wait until it is done.
    if (pumpClock_.elapsed() >= 50) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        pumpClock_.restart();
    }
}

void frmMain::makeView(bool collect)
{
    if (building_)
        return;
    building_ = true;
    listModel->clear();
    std::vector<TreeNode> nodes;
    if (QTreeWidgetItem *root = rootNode()) {
        nodes.reserve(std::size_t(root->childCount()));
        for (int i = 0; i < root->childCount(); ++i) {
            const QTreeWidgetItem *child = root->child(i);
            nodes.push_back({nodeKey(child), child->text(0), nodeImage(child)});
        }
    }
    pumpClock_.start();
    std::vector<TableRow> rows = ::qel::makeView(recordFolder, nodes, collect ? &collections : nullptr,
                                                 [this](int value, int maximum) { buildProgress(value, maximum); });
    listModel->setRows(std::move(rows));
    if (sortedByText_)
        listModel->sortByText(sortColumn_, sortDirection_ == 1);
    lblTitle[1]->setText(listTitleText());
    building_ = false;
}

void frmMain::showList()
{
    lvListView->show();
    Picture1->hide();
}

void frmMain::tvTreeView_NodeClick(QTreeWidgetItem *node)
{
    if (rightPressOnTree) {
        rightPressOnTree = false;
        return;
    }
    if (!node)
        return;
    tvTreeView->setCurrentItem(node);
    setToolbarButtonEnabled(3, false);
    const bool learner = node != rootNode();
    for (int position : {9, 10, 15})
        setToolbarButtonEnabled(position, learner);
    if (!learner) {
        showList();
        lblTitle[1]->setText(listTitleText());
        return;
    }
    lvListView->hide();
    Picture1->show();
    runsPerColumn = 1;
    spmPerDivision = 10;
    drawPersonalGraph();
    tvTreeView->setFocus();
}

void frmMain::tvTreeView_DblClick()
{
    QTreeWidgetItem *node = tvTreeView->currentItem();
    if (node && node == rootNode())
        setNodeImage(node, node->isExpanded() ? 1 : 2);
}

void frmMain::tvTreeView_MouseDown(Qt::MouseButton button)
{
    rightPressOnTree = button == Qt::RightButton;
    lvListView->clearSelection();
}

void frmMain::tvTreeView_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    if (QTreeWidgetItem *hit = tvTreeView->itemAt(pos))
        tvTreeView->setCurrentItem(hit);
    else if (QTreeWidgetItem *marked = tvTreeView->dropHighlighted())
        tvTreeView->setCurrentItem(marked);
    // The press selected without drawing; no node click is pending after the release.
    rightPressOnTree = false;

    QTreeWidgetItem *selected = tvTreeView->currentItem();
    const QPoint global = tvTreeView->viewport()->mapToGlobal(pos);
    if (!selected || selected == rootNode()) {
        openPopup(menuPopAll, global);
        return;
    }
    popupFromTree = true;
    mnuPopReport->setEnabled(!Picture1->isHidden());
    mnuPopEditSelectAll->setEnabled(Picture1->isHidden());
    openPopup(menuPop, global);
}

void frmMain::tvTreeView_GotFocus()
{
    treeFocusedLast = true;
}

void frmMain::lvListView_Click()
{
    for (int position : {3, 9, 10, 15})
        setToolbarButtonEnabled(position, true);
}

void frmMain::lvListView_DblClick()
{
    const int row = currentRow();
    QTreeWidgetItem *root = rootNode();
    if (row < 0 || !root)
        return;
    const TableRow &r = listModel->row(row);
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem *node = root->child(i);
        if (node->text(0) == r.name && nodeImage(node) == r.icon) {
            tvTreeView->setCurrentItem(node);
            tvTreeView_NodeClick(node);
            return;
        }
    }
}

void frmMain::lvlistview_ColumnClick(int column)
{
    if (column < 0 || column >= LearnerListModel::kColumns)
        return;
    sortDirection_ = 1 - sortDirection_;
    if (column == LearnerListModel::kRateColumn) {
        sortedByText_ = false;
        listModel->sortByRate(sortDirection_ == 1);
    } else {
        sortColumn_ = column;
        sortedByText_ = true;
        listModel->sortByText(column, sortDirection_ == 1);
    }
    QHeaderView *header = lvListView->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, sortDirection_ == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (rowCount() > 0) {
        setCurrentRow(0);
        setRowSelected(0, false);
        lvListView->scrollToTop();
    }
}

void frmMain::lvListView_MouseDown(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    const QModelIndex index = lvListView->indexAt(pos);
    if (index.isValid() && !rowSelected(index.row()))
        lvListView->clearSelection();
}

void frmMain::lvListView_MouseUp(Qt::MouseButton button, const QPoint &pos)
{
    if (button != Qt::RightButton)
        return;
    popupFromTree = false;
    mnuPopReport->setEnabled(!Picture1->isHidden());
    mnuPopEditSelectAll->setEnabled(Picture1->isHidden());
    openPopup(menuPop, lvListView->viewport()->mapToGlobal(pos));
    focusAfterPopup();
}

void frmMain::lvListView_GotFocus()
{
    treeFocusedLast = false;
}

void frmMain::focusAfterPopup()
{
    if (!lvListView->isHidden())
        lvListView->setFocus();
    else
        tvTreeView->setFocus();
}

void frmMain::mnuListViewMode_Click(int index)
{
    if (building_ || index < 0 || index > 2)
        return;
    for (QAction *mode : mnuListViewMode)
        mode->setChecked(false);
    mnuListViewMode[index]->setChecked(true);
    tbToolBar->repaint();
    viewMode = index;

    listModel->clear();
    tvTreeView->hide();
    tvTreeView->clear();
    scanFolder(index);
    tvTreeView->show();

    lvListView->hide();
    makeView(true);
    lvListView->show();
    Picture1->hide();
}

void frmMain::mnuEditSelectAll_Click()
{
    lvListView->selectAll();
    lvListView->setFocus();
}

void frmMain::mnuPopEditSelectAll_Click()
{
    lvListView->selectAll();
}

void frmMain::mnuPopReport_Click()
{
    showList();
}

void frmMain::mnuPopAllAll_Click()
{
    showList();
}

void frmMain::mnuFile_Click()
{
    mnuFileDelete->setEnabled(Picture1->isHidden() && anyRowSelected());
}

void frmMain::mnuEdit_Click()
{
    mnuEditSelectAll->setEnabled(Picture1->isHidden());
}

void frmMain::mnuView_Click()
{
    const bool personal = anyRowSelected() || (graphFamily == 1 && !Picture1->isHidden());
    mnuPersonal->menuAction()->setEnabled(personal);
    mnuPorpPersonal->setEnabled(personal);
    // These items share their actions with toolbar buttons; in the menu they always work.
    for (QAction *graph : mnuViewGraph)
        graph->setEnabled(true);
}

bool frmMain::anyRowSelected() const
{
    return lvListView->selectionModel() && lvListView->selectionModel()->hasSelection();
}

int frmMain::rowCount() const
{
    return listModel->rowCount();
}

QString frmMain::rowText(int row, int column) const
{
    return listModel->cellText(row, column);
}

bool frmMain::rowSelected(int row) const
{
    return lvListView->selectionModel()->isRowSelected(row, QModelIndex());
}

void frmMain::setRowSelected(int row, bool selected)
{
    const QModelIndex index = listModel->index(row, 0);
    if (!index.isValid())
        return;
    lvListView->selectionModel()->select(
        index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows);
}

int frmMain::currentRow() const
{
    const QModelIndex index = lvListView->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void frmMain::setCurrentRow(int row)
{
    lvListView->selectionModel()->setCurrentIndex(listModel->index(row, 0), QItemSelectionModel::NoUpdate);
}

// ---------------------------------------------------------------- file commands

void frmMain::mnuFileOpen_Click()
{
    if (building_)
        return;
    const auto chosen = asker().chooseFolder(
        this, QStringLiteral("練習記録ファイルが保存されているフォルダ（ディレクトリ）を選択してください。"),
        recordFolder);
    if (!chosen)
        return;
    recordFolder = QDir::toNativeSeparators(*chosen);
    for (int i = 0; i < 3; ++i)
        mnuListViewMode[i]->setChecked(i == 0);
    viewMode = AllGroup;
    tbToolBar->repaint();

    tvTreeView->clear();
    scanFolder(AllGroup);
    lvListView->hide();
    listModel->clear();
    makeView(true);
    lvListView->show();
}

void frmMain::mnuFileDelete_Click()
{
    if (building_)
        return;
    if (!asker().message(this, QStringLiteral("選択されているユーザを削除してよろしいですか？"),
                         QStringLiteral("削除確認"), Asker::Buttons::OkCancel, Asker::Icon::Exclamation))
        return;
    std::vector<int> removed;
    for (int i = rowCount() - 1; i >= 0; --i) {
        if (!rowSelected(i))
            continue;
        const TableRow &row = listModel->row(i);
        // The row's own file: a name like a_Qelb_Qele.dat also belongs to learner "a", and
        // building the name from the learner would remove a_Qele.dat, another row's file.
        const QString fileName = row.key;
        const QString file = recordFolderPath(recordFolder, fileName);
        discardFile(file);
        // A file that could not be removed keeps its row and node, so the list shows the
        // folder as it is.
        if (QFileInfo::exists(file))
            continue;
        delete nodeByKey(fileName);
        const QString base = recordFolderPath(recordFolder, row.name);
        if (!QFileInfo::exists(base + QStringLiteral("_Qele.dat")) && !QFileInfo::exists(base + QStringLiteral("_Qelk.dat")))
            discardFile(base + QStringLiteral(".ini"));
        removed.push_back(i);
    }
    listModel->removeRowsAt(std::move(removed));
}

void frmMain::mnuFileFind_Click()
{
    frmSearch dialog(*this, this);
    const int result = execDialog(dialog);
    hideGraphPane();
    if (result == QDialog::Accepted) {
        lvListView->show();
        lvListView->setFocus();
    }
}

void frmMain::mnuFileClose_Click()
{
    close();
}

void frmMain::mnuHelpAbout_Click()
{
    About dialog(this);
    execDialog(dialog);
}

void frmMain::tbToolBar_ButtonClick(const QString &key)
{
    tbToolBar->repaint();
    if (key == QLatin1String("Open"))
        mnuFileOpen_Click();
    else if (key == QLatin1String("Find"))
        mnuFileFind_Click();
    else if (key == QLatin1String("Delete"))
        mnuFileDelete_Click();
    else if (key == QLatin1String("View Details"))
        mnuListViewMode_Click(0);
    else if (key == QLatin1String("English"))
        mnuListViewMode_Click(1);
    else if (key == QLatin1String("Kana"))
        mnuListViewMode_Click(2);
    else if (key == QLatin1String("p3"))
        mnuViewGraph_Click(0);
    else if (key == QLatin1String("p4"))
        mnuViewGraph_Click(1);
    else if (key == QLatin1String("pa1"))
        mnuAllStep_Click(0);
    else if (key == QLatin1String("pa2"))
        mnuAllStep_Click(1);
    else if (key == QLatin1String("pp1"))
        mnuPorpPersonal_Click();
    else if (key == QLatin1String("p2"))
        mnuPropAll_Click();
}

QAction *frmMain::toolbarButton(int position) const
{
    switch (position) {
    case 1: return mnuFileOpen;
    case 2: return mnuFileFind;
    case 3: return mnuFileDelete;
    case 5: return mnuListViewMode[0];
    case 6: return mnuListViewMode[1];
    case 7: return mnuListViewMode[2];
    case 9: return mnuViewGraph[0];
    case 10: return mnuViewGraph[1];
    case 12: return mnuAllStep[0];
    case 13: return mnuAllStep[1];
    case 15: return mnuPorpPersonal;
    case 16: return mnuPropAll;
    default: return nullptr;
    }
}

QString frmMain::toolbarKey(int position) const
{
    return position >= 1 && position <= 16 && kButtons[position].key ? QString::fromUtf8(kButtons[position].key)
                                                                      : QString();
}

QAction *frmMain::toolbarAction(const QString &key) const
{
    for (int position = 1; position <= 16; ++position)
        if (!key.isEmpty() && toolbarKey(position) == key)
            return toolbarButton(position);
    return nullptr;
}

bool frmMain::toolbarButtonEnabled(int position) const
{
    return position >= 1 && position <= 16 && buttonEnabled_[std::size_t(position)];
}

void frmMain::setToolbarButtonEnabled(int position, bool enabled)
{
    if (position < 1 || position > 16)
        return;
    buttonEnabled_[std::size_t(position)] = enabled;
    // While a menu is open its items keep the state the menu gave them.
    if (!QApplication::activePopupWidget())
        if (QAction *action = toolbarButton(position))
            action->setEnabled(enabled);
}

bool frmMain::toolbarButtonPressed(int position) const
{
    const QAction *action = toolbarButton(position);
    return action && action->isCheckable() && action->isChecked();
}

void frmMain::restoreToolbarStates()
{
    if (QApplication::activePopupWidget())
        return;
    for (int position = 1; position <= 16; ++position)
        if (QAction *action = toolbarButton(position))
            action->setEnabled(buttonEnabled_[std::size_t(position)]);
}

// ---------------------------------------------------------------- dialogs' views

void frmMain::hideGraphPane()
{
    Picture1->hide();
}

bool frmMain::selectLearnerRow(const QString &name)
{
    for (int r = 0; r < rowCount(); ++r) {
        if (QString::compare(listModel->row(r).name, name, Qt::CaseInsensitive) != 0)
            continue;
        setRowSelected(r, true);
        setCurrentRow(r);
        lvListView->scrollTo(listModel->index(r, 0));
        lvListView->show();
        lvListView->setFocus();
        return true;
    }
    return false;
}

int frmMain::shownGroup() const
{
    for (int i = 0; i < 3; ++i)
        if (mnuListViewMode[i]->isChecked())
            return i;
    return viewMode;
}

bool frmMain::shownGroupIsEmpty() const
{
    const QTreeWidgetItem *root = rootNode();
    return !root || root->childCount() == 0;
}

int frmMain::selectedNodeIndex() const
{
    const QTreeWidgetItem *node = tvTreeView->currentItem();
    QTreeWidgetItem *root = rootNode();
    if (!node || !root || node == root)
        return 0;
    return root->indexOfChild(const_cast<QTreeWidgetItem *>(node)) + 1;
}

void frmMain::selectNodeIndex(int index)
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return;
    if (index <= 0)
        tvTreeView->setCurrentItem(root);
    else if (index <= root->childCount())
        tvTreeView->setCurrentItem(root->child(index - 1));
}

bool frmMain::graphPaneVisible() const
{
    return !Picture1->isHidden();
}

void frmMain::setGraphPaneVisible(bool visible)
{
    // The pane takes the list's place, as after a node click.
    lvListView->setVisible(!visible);
    Picture1->setVisible(visible);
}

void frmMain::switchGroup(int group)
{
    mnuListViewMode_Click(group);
}

// ---------------------------------------------------------------- modal hooks

int frmMain::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

void frmMain::openPopup(QMenu *menu, const QPoint &globalPos)
{
    menu->exec(globalPos);
}

} // namespace qel
