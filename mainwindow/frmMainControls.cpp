#include "mainwindow/frmMainControls.h"

#include "base/painting.h"
#include "mainwindow/classboard.h"
#include "mainwindow/icons.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"

#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace qel {

namespace {

struct ButtonDesign {
    const char *key;
    const char *toolTip;
};

// Toolbar positions 1..16; a null key is a separator.
const ButtonDesign kButtons[kToolbarPositions + 1] = {
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

QAction *addCommand(QMainWindow &window, QMenu *menu, const QString &name, const QString &caption)
{
    auto *action = new QAction(caption, &window);
    action->setObjectName(name);
    action->setIconVisibleInMenu(false);
    menu->addAction(action);
    return action;
}

QMenu *addMenu(QMenu *parent, const QString &name, const QString &title)
{
    QMenu *menu = parent->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

QString indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

} // namespace

QString toolbarKey(int position)
{
    return position >= 1 && position <= kToolbarPositions && kButtons[position].key
               ? QString::fromUtf8(kButtons[position].key)
               : QString();
}

frmMainControls::frmMainControls(QMainWindow &window, const TwipsScale &twips)
{
    formArea = new QWidget(&window);
    window.setCentralWidget(formArea);
    buildMenus(window);
    buildPanes(twips);
    buildToolbar(window);
}

void frmMainControls::buildMenus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();
    const auto topMenu = [bar](const char *name, const QString &title) {
        QMenu *menu = bar->addMenu(title);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    const auto add = [&window](QMenu *menu, const char *name, const QString &caption) {
        return addCommand(window, menu, QString::fromLatin1(name), caption);
    };

    mnuFile = topMenu("mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuFileOpen = add(mnuFile, "mnuFileOpen", QStringLiteral("記録ファイル保存フォルダー指定(&O)"));
    mnuFileFind = add(mnuFile, "mnuFileFind", QStringLiteral("検索(&F)"));
    mnuPrint = addMenu(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("印刷(&P)"));
    mnuPrintPersonal = add(mnuPrint, "mnuPrintPersonal", QStringLiteral("個人プロパティ(&P)"));
    mnuPrintAll = add(mnuPrint, "mnuPrintAll", QStringLiteral("全体プロパティ(&A)"));
    mnuPreviewPersonal = add(mnuPrint, "mnuPreviewPersonal", QStringLiteral("個人プロパティのプレビュー(&V)"));
    mnuPreviewAll = add(mnuPrint, "mnuPreviewAll", QStringLiteral("全体プロパティのプレビュー(&W)"));
    mnuPrintClassBoard = add(mnuPrint, "mnuPrintClassBoard", QStringLiteral("クラスの様子(&C)"));
    mnuPreviewClassBoard = add(mnuPrint, "mnuPreviewClassBoard", QStringLiteral("クラスの様子のプレビュー(&R)"));
    mnuEditOutput = add(mnuFile, "mnuEditOutput", QStringLiteral("CSV出力(&V)"));
    mnuClassBoardCSV = add(mnuFile, "mnuClassBoardCSV", QStringLiteral("クラスの様子のCSV出力(&S)"));
    mnuFile->addSeparator();
    mnuFileTidyHistory = add(mnuFile, "mnuFileTidyHistory", QStringLiteral("履歴の整理(&T)..."));
    mnuFile->addSeparator();
    mnuFileDelete = add(mnuFile, "mnuFileDelete", QStringLiteral("削除(&D)"));
    mnuFile->addSeparator();
    mnuFileClose = add(mnuFile, "mnuFileClose", QStringLiteral("閉じる(&C)"));

    mnuEdit = topMenu("mnuEdit", QStringLiteral("編集(&E)"));
    mnuEditSelectAll = add(mnuEdit, "mnuEditSelectAll", QStringLiteral("すべて選択(&A)"));
    mnuEditSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuView = topMenu("mnuView", QStringLiteral("表示(&V)"));
    mnuViewToolbar = add(mnuView, "mnuViewToolbar", QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)"));
    mnuViewStatusBar = add(mnuView, "mnuViewStatusBar", QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&B)"));
    for (QAction *toggle : {mnuViewToolbar, mnuViewStatusBar}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    mnuView->addSeparator();
    // Check marks, not radio dots: the view-mode command itself keeps exactly one checked.
    const QString modeCaptions[3] = {QStringLiteral("全体(&A)"), QStringLiteral("英文練習者(&E)"),
                                     QStringLiteral("かな/ローマ練習者(&R)")};
    for (int i = 0; i < 3; ++i) {
        mnuListViewMode[i] = addCommand(window, mnuView, indexed("mnuListViewMode", i), modeCaptions[i]);
        mnuListViewMode[i]->setCheckable(true);
    }
    mnuListViewMode[0]->setChecked(true);
    mnuView->addSeparator();
    mnuGraph = addMenu(mnuView, QStringLiteral("mnuGraph"), QStringLiteral("グラフ(&G)"));
    mnuPersonal = addMenu(mnuGraph, QStringLiteral("mnuPersonal"), QStringLiteral("個人(&P)"));
    const QString graphCaptions[2] = {QStringLiteral("練習グラフ(&I)"), QStringLiteral("時間グラフ(&H)")};
    for (int i = 0; i < 2; ++i)
        mnuViewGraph[i] = addCommand(window, mnuPersonal, indexed("mnuViewGraph", i), graphCaptions[i]);
    mnuAll = addMenu(mnuGraph, QStringLiteral("mnuAll"), QStringLiteral("全体(&A)"));
    const QString statCaptions[2] = {QStringLiteral("STEP統計(&S)"), QStringLiteral("練習回数統計(&T)")};
    for (int i = 0; i < 2; ++i)
        mnuAllStep[i] = addCommand(window, mnuAll, indexed("mnuAllStep", i), statCaptions[i]);
    mnuView->addSeparator();
    mnuPropaty = addMenu(mnuView, QStringLiteral("mnuPropaty"), QStringLiteral("プロパティ(&P)"));
    mnuPorpPersonal = add(mnuPropaty, "mnuPorpPersonal", QStringLiteral("個人(&P)"));
    mnuPropAll = add(mnuPropaty, "mnuPropAll", QStringLiteral("全体(&A)"));
    QAction *optionsSeparator = mnuView->addSeparator();
    optionsSeparator->setVisible(false);
    mnuViewOptions = add(mnuView, "mnuViewOptions", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."));
    mnuViewOptions->setVisible(false);
    mnuView->addSeparator();
    mnuHistory = add(mnuView, "mnuHistory", QStringLiteral("練習の記録(&H)"));
    mnuWeeks = add(mnuView, "mnuWeeks", QStringLiteral("今週と先週(&W)"));
    mnuView->addSeparator();
    mnuViewClassBoard = add(mnuView, "mnuViewClassBoard", QStringLiteral("クラスの様子(&C)"));
    mnuViewClassBoard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    // G is the graphs' letter in this menu.
    mnuViewTargets = add(mnuView, "mnuViewTargets", QStringLiteral("目標の設定(&M)..."));
    mnuViewHideNames = add(mnuView, "mnuViewHideNames", QStringLiteral("名前を隠す(&N)"));
    mnuViewHideNames->setCheckable(true);
    mnuViewHideNames->setShortcut(QKeySequence(Qt::Key_F9));
    mnuView->addSeparator();
    mnuViewRefresh = add(mnuView, "mnuViewRefresh", QStringLiteral("最新の情報に更新(&U)"));
    mnuViewRefresh->setShortcut(QKeySequence(Qt::Key_F5));
    mnuViewAutoRefresh = add(mnuView, "mnuViewAutoRefresh", QStringLiteral("自動更新(&L)"));
    mnuViewAutoRefresh->setCheckable(true);
    mnuViewAutoRefresh->setChecked(true);

    mnuHelp = topMenu("mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    mnuHelpAbout = add(mnuHelp, "mnuHelpAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));

    // Pop-up menus, never on the menu bar.
    menuPop = new QMenu(QStringLiteral("ポップアップ"), &window);
    menuPop->setObjectName(QStringLiteral("menuPop"));
    mnuPopReport = add(menuPop, "mnuPopReport", QStringLiteral("一覧表示へ(&D)"));
    mnuPopEditSelectAll = add(menuPop, "mnuPopEditSelectAll", QStringLiteral("すべて選択(&A)"));
    menuPop->addSeparator();
    mnuPopGraph = addMenu(menuPop, QStringLiteral("mnuPopGraph"), QStringLiteral("グラフ(&G)"));
    const QString popGraphCaptions[2] = {QStringLiteral("練習グラフ(&U)"), QStringLiteral("練習時間グラフ(&T)")};
    for (int i = 0; i < 2; ++i)
        mnuPopViewGraph[i] = addCommand(window, mnuPopGraph, indexed("mnuPopViewGraph", i), popGraphCaptions[i]);
    menuPop->addSeparator();
    mnuPopEditOut = addMenu(menuPop, QStringLiteral("mnuPopEditOut"), QStringLiteral("出力(&O)"));
    mnuPopEditPrint = add(mnuPopEditOut, "mnuPopEditPrint", QStringLiteral("印刷(&P)"));
    mnuPopEditCSV = add(mnuPopEditOut, "mnuPopEditCSV", QStringLiteral("CSV出力(&V)"));
    mnuPopEditPreview = add(mnuPopEditOut, "mnuPopEditPreview", QStringLiteral("印刷プレビュー(&R)"));
    menuPop->addSeparator();
    menuPop->addAction(mnuHistory);
    mnuPopPropaty = add(menuPop, "mnuPopPropaty", QStringLiteral("プロパティ(&P)"));

    menuPopAll = new QMenu(QStringLiteral("ポップアップ全体"), &window);
    menuPopAll->setObjectName(QStringLiteral("menuPopAll"));
    mnuPopAllAll = add(menuPopAll, "mnuPopAllAll", QStringLiteral("一覧表示へ(&D)"));
    menuAllGraph = addMenu(menuPopAll, QStringLiteral("menuAllGraph"), QStringLiteral("グラフ(&G)"));
    const QString popStatCaptions[2] = {QStringLiteral("STEP統計(&U)"), QStringLiteral("練習回数統計(&T)")};
    for (int i = 0; i < 2; ++i)
        menuAllStatics[i] = addCommand(window, menuAllGraph, indexed("menuAllStatics", i), popStatCaptions[i]);
    menuPopAll->addSeparator();
    menuAllOutput = addMenu(menuPopAll, QStringLiteral("menuAllOutput"), QStringLiteral("出力(&O)"));
    menuAllPrint = add(menuAllOutput, "menuAllPrint", QStringLiteral("印刷(&P)"));
    menuAllCSV = add(menuAllOutput, "menuAllCSV", QStringLiteral("CSV出力(&V)"));
    menuAllPreview = add(menuAllOutput, "menuAllPreview", QStringLiteral("印刷プレビュー(&R)"));
    menuPopAll->addSeparator();
    menuPopAll->addAction(mnuWeeks);
    menuAllprop = add(menuPopAll, "menuAllprop", QStringLiteral("プロパティ(&P)"));
}

void frmMainControls::buildToolbar(QMainWindow &window)
{
    tbToolBar = new QToolBar(formArea);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setIconSize(QSize(20, 20));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto *modes = new QActionGroup(&window);
    for (int position = 1; position <= kToolbarPositions; ++position) {
        const QString key = toolbarKey(position);
        if (key.isEmpty()) {
            tbToolBar->addSeparator();
            continue;
        }
        const QString toolTip = QString::fromUtf8(kButtons[position].toolTip);
        auto *button = new QAction(icons::toolbar(key), toolTip, tbToolBar);
        button->setObjectName(key);
        button->setToolTip(toolTip);
        tbToolBar->addAction(button);
        buttons[std::size_t(position)] = button;
    }
    // The view-mode buttons show the group shown as pressed.
    for (ToolbarButton mode : {ToolbarButton::ViewDetails, ToolbarButton::English, ToolbarButton::Kana}) {
        button(mode)->setCheckable(true);
        modes->addAction(button(mode));
    }
    button(ToolbarButton::ViewDetails)->setChecked(true);
    // The menu commands of the buttons carry the same pictures, hidden in the menus, which
    // keep the room for them.
    const std::pair<ToolbarButton, QAction *> commands[] = {
        {ToolbarButton::Open, mnuFileOpen},
        {ToolbarButton::Find, mnuFileFind},
        {ToolbarButton::Delete, mnuFileDelete},
        {ToolbarButton::ViewDetails, mnuListViewMode[0]},
        {ToolbarButton::English, mnuListViewMode[1]},
        {ToolbarButton::Kana, mnuListViewMode[2]},
        {ToolbarButton::PracticeGraph, mnuViewGraph[0]},
        {ToolbarButton::TimeGraph, mnuViewGraph[1]},
        {ToolbarButton::StepStatistics, mnuAllStep[0]},
        {ToolbarButton::RunStatistics, mnuAllStep[1]},
        {ToolbarButton::PersonalProperties, mnuPorpPersonal},
        {ToolbarButton::GroupProperties, mnuPropAll},
    };
    for (const auto &[position, command] : commands)
        command->setIcon(button(position)->icon());
    // Nothing is chosen yet: no row to delete, no learner to draw.
    for (ToolbarButton idle : {ToolbarButton::Delete, ToolbarButton::PracticeGraph, ToolbarButton::TimeGraph,
                               ToolbarButton::PersonalProperties})
        button(idle)->setEnabled(false);
}

void frmMainControls::buildPanes(const TwipsScale &twips)
{
    picTitles = new QWidget(formArea);
    picTitles->setObjectName(QStringLiteral("picTitles"));
    const QString designTitles[2] = {QStringLiteral(" ﾂﾘｰ ﾋﾞｭｰ:"), QStringLiteral(" ﾘｽﾄ ﾋﾞｭｰ:")};
    for (int i = 0; i < 2; ++i) {
        lblTitle[i] = i == 0 ? new FolderTitle(designTitles[i], picTitles) : new QLabel(designTitles[i], picTitles);
        lblTitle[i]->setObjectName(indexed("lblTitle", i));
        lblTitle[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        lblTitle[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lblTitle[i]->setMargin(0);
    }

    tvTreeView = new LearnerTree(formArea);
    tvTreeView->setObjectName(QStringLiteral("tvTreeView"));

    lvListView = new LearnerList(formArea);
    lvListView->setObjectName(QStringLiteral("lvListView"));
    listModel = new LearnerListModel(lvListView);
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
        header->resizeSection(c, twips.x(LearnerListModel::columnWidthTwips(c)));

    Picture1 = new GraphPane(formArea);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->hide();

    lvClassBoard = new ClassBoard(formArea);
    lvClassBoard->hide();

    imgSplitter = new SplitterGrip(formArea);
    imgSplitter->setObjectName(QStringLiteral("imgSplitter"));

    picSplitter = new QWidget(formArea);
    picSplitter->setObjectName(QStringLiteral("picSplitter"));
    picSplitter->setAutoFillBackground(true);
    QPalette bar = picSplitter->palette();
    bar.setColor(QPalette::Window, QColor(96, 96, 96));
    picSplitter->setPalette(bar);
    picSplitter->hide();

    sbStatusBar = new QStatusBar(formArea);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel;
        statusPanels[i]->setObjectName(indexed("sbStatusBar", i + 1));
    }
    statusPanels[0]->setText(QStringLiteral("ｽﾃｰﾀｽ"));
    sbStatusBar->addWidget(statusPanels[0], 1);
    sbStatusBar->addPermanentWidget(statusPanels[1]);
    sbStatusBar->addPermanentWidget(statusPanels[2]);
}

} // namespace qel
