#include "mainwindow/frmMainControls.h"

#include "base/painting.h"
#include "config/language.h"
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
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace qel {

namespace {

constexpr int kCourseListColumn = 1; // the list's Course column, after the name

struct ButtonDesign {
    const char *key;
    const char *toolTip; // in the context "frmMainControls"
};

// Toolbar positions 1..16; a null key is a separator.
const ButtonDesign kButtons[kToolbarPositions + 1] = {
    {nullptr, nullptr},
    {"Open", QT_TRANSLATE_NOOP("frmMainControls", "練習記録保存フォルダ変更")},
    {"Find", QT_TRANSLATE_NOOP("frmMainControls", "ユーザ検索")},
    {"Delete", QT_TRANSLATE_NOOP("frmMainControls", "削除")},
    {nullptr, nullptr},
    {"View Details", QT_TRANSLATE_NOOP("frmMainControls", "一覧表示")},
    {"English", QT_TRANSLATE_NOOP("frmMainControls", "英文練習者表示")},
    {"Kana", QT_TRANSLATE_NOOP("frmMainControls", "かな/ﾛｰﾏ練習者表示")},
    {nullptr, nullptr},
    {"p3", QT_TRANSLATE_NOOP("frmMainControls", "個人練習グラフ")},
    {"p4", QT_TRANSLATE_NOOP("frmMainControls", "個人練習時間グラフ")},
    {nullptr, nullptr},
    {"pa1", QT_TRANSLATE_NOOP("frmMainControls", "全体STEP統計")},
    {"pa2", QT_TRANSLATE_NOOP("frmMainControls", "全体練習回数統計")},
    {nullptr, nullptr},
    {"pp1", QT_TRANSLATE_NOOP("frmMainControls", "個人プロパティ")},
    {"p2", QT_TRANSLATE_NOOP("frmMainControls", "全体プロパティ")},
};

QAction *addCommand(QMainWindow &window, QMenu *menu, const QString &name)
{
    auto *action = new QAction(&window);
    action->setObjectName(name);
    action->setIconVisibleInMenu(false);
    menu->addAction(action);
    return action;
}

QMenu *addMenu(QMenu *parent, const QString &name)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(name);
    parent->addMenu(menu);
    return menu;
}

QString indexed(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

// A caption as a screen reader should say it: "削除(&D)" and "&Delete" lose their key.
QString withoutKey(QString caption)
{
    static const QRegularExpression japaneseKey(QStringLiteral("\\(&.\\)"));
    caption.remove(japaneseKey);
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    if (caption.endsWith(QStringLiteral("...")))
        caption.chop(3);
    return caption;
}

// A language's own name with a key of its own: "日本語(&J)", "&English".
QString languageCaption(const OfferedLanguage &offered)
{
    if (!offered.name.isEmpty() && offered.name.front().unicode() < 0x80)
        return QLatin1Char('&') + offered.name;
    return offered.name + QStringLiteral("(&") + offered.code.left(1).toUpper() + QLatin1Char(')');
}

// The window's menu an action is in first; none on the menu bar or the toolbar. The bar's
// own menu of what does not fit on it is not one of them.
QMenu *menuOf(const QAction *action)
{
    for (QObject *holder : action->associatedObjects())
        if (auto *menu = qobject_cast<QMenu *>(holder); menu && !menu->objectName().isEmpty())
            return menu;
    return nullptr;
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
    retranslate();
    // What the panes show at first, until the window puts its own texts there.
    lblTitle[0]->setText(tr(" ﾂﾘｰ ﾋﾞｭｰ:"));
    lblTitle[1]->setText(tr(" ﾘｽﾄ ﾋﾞｭｰ:"));
    statusPanels[0]->setText(tr("ｽﾃｰﾀｽ"));
}

void frmMainControls::buildMenus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();
    const auto topMenu = [bar](const char *name) {
        auto *menu = new QMenu(bar);
        menu->setObjectName(QString::fromLatin1(name));
        bar->addMenu(menu);
        return menu;
    };
    const auto add = [&window](QMenu *menu, const char *name) {
        return addCommand(window, menu, QString::fromLatin1(name));
    };

    mnuFile = topMenu("mnuFile");
    mnuFileOpen = add(mnuFile, "mnuFileOpen");
    mnuFileFind = add(mnuFile, "mnuFileFind");
    mnuPrint = addMenu(mnuFile, QStringLiteral("mnuPrint"));
    mnuPrintPersonal = add(mnuPrint, "mnuPrintPersonal");
    mnuPrintAll = add(mnuPrint, "mnuPrintAll");
    mnuPreviewPersonal = add(mnuPrint, "mnuPreviewPersonal");
    mnuPreviewAll = add(mnuPrint, "mnuPreviewAll");
    mnuPrintClassBoard = add(mnuPrint, "mnuPrintClassBoard");
    mnuPreviewClassBoard = add(mnuPrint, "mnuPreviewClassBoard");
    mnuEditOutput = add(mnuFile, "mnuEditOutput");
    mnuClassBoardCSV = add(mnuFile, "mnuClassBoardCSV");
    mnuFile->addSeparator();
    mnuFileTidyHistory = add(mnuFile, "mnuFileTidyHistory");
    mnuFile->addSeparator();
    mnuFileDelete = add(mnuFile, "mnuFileDelete");
    mnuFile->addSeparator();
    mnuFileClose = add(mnuFile, "mnuFileClose");

    mnuEdit = topMenu("mnuEdit");
    mnuEditSelectAll = add(mnuEdit, "mnuEditSelectAll");
    mnuEditSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuView = topMenu("mnuView");
    mnuViewToolbar = add(mnuView, "mnuViewToolbar");
    mnuViewStatusBar = add(mnuView, "mnuViewStatusBar");
    for (QAction *toggle : {mnuViewToolbar, mnuViewStatusBar}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    mnuView->addSeparator();
    // Check marks, not radio dots: the view-mode command itself keeps exactly one checked.
    for (int i = 0; i < 3; ++i) {
        mnuListViewMode[i] = addCommand(window, mnuView, indexed("mnuListViewMode", i));
        mnuListViewMode[i]->setCheckable(true);
    }
    mnuListViewMode[0]->setChecked(true);
    mnuView->addSeparator();
    mnuGraph = addMenu(mnuView, QStringLiteral("mnuGraph"));
    mnuPersonal = addMenu(mnuGraph, QStringLiteral("mnuPersonal"));
    for (int i = 0; i < 2; ++i)
        mnuViewGraph[i] = addCommand(window, mnuPersonal, indexed("mnuViewGraph", i));
    mnuAll = addMenu(mnuGraph, QStringLiteral("mnuAll"));
    for (int i = 0; i < 2; ++i)
        mnuAllStep[i] = addCommand(window, mnuAll, indexed("mnuAllStep", i));
    mnuGraph->addSeparator();
    mnuGraphData = add(mnuGraph, "mnuGraphData");
    mnuView->addSeparator();
    mnuPropaty = addMenu(mnuView, QStringLiteral("mnuPropaty"));
    mnuPorpPersonal = add(mnuPropaty, "mnuPorpPersonal");
    mnuPropAll = add(mnuPropaty, "mnuPropAll");
    QAction *optionsSeparator = mnuView->addSeparator();
    optionsSeparator->setVisible(false);
    mnuViewOptions = add(mnuView, "mnuViewOptions");
    mnuViewOptions->setVisible(false);
    mnuView->addSeparator();
    mnuHistory = add(mnuView, "mnuHistory");
    mnuWeeks = add(mnuView, "mnuWeeks");
    mnuView->addSeparator();
    mnuViewClassBoard = add(mnuView, "mnuViewClassBoard");
    mnuViewClassBoard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    mnuViewTargets = add(mnuView, "mnuViewTargets");
    mnuViewHideNames = add(mnuView, "mnuViewHideNames");
    mnuViewHideNames->setCheckable(true);
    mnuViewHideNames->setShortcut(QKeySequence(Qt::Key_F9));
    mnuView->addSeparator();
    mnuViewRefresh = add(mnuView, "mnuViewRefresh");
    mnuViewRefresh->setShortcut(QKeySequence(Qt::Key_F5));
    mnuViewAutoRefresh = add(mnuView, "mnuViewAutoRefresh");
    mnuViewAutoRefresh->setCheckable(true);
    mnuViewAutoRefresh->setChecked(true);
    mnuView->addSeparator();
    // Each language under its own name, so that one who cannot read the other finds it.
    mnuLanguage = addMenu(mnuView, QStringLiteral("mnuLanguage"));
    auto *languages = new QActionGroup(&window);
    for (const OfferedLanguage &offered : offeredLanguages()) {
        QAction *choice = addCommand(window, mnuLanguage, QStringLiteral("mnuLanguage_") + offered.code);
        choice->setText(languageCaption(offered));
        choice->setData(offered.code);
        choice->setCheckable(true);
        languages->addAction(choice);
        mnuLanguages.push_back(choice);
    }

    mnuHelp = topMenu("mnuHelp");
    mnuHelpAbout = add(mnuHelp, "mnuHelpAbout");

    // Pop-up menus, never on the menu bar.
    menuPop = new QMenu(&window);
    menuPop->setObjectName(QStringLiteral("menuPop"));
    mnuPopReport = add(menuPop, "mnuPopReport");
    mnuPopEditSelectAll = add(menuPop, "mnuPopEditSelectAll");
    menuPop->addSeparator();
    mnuPopGraph = addMenu(menuPop, QStringLiteral("mnuPopGraph"));
    for (int i = 0; i < 2; ++i)
        mnuPopViewGraph[i] = addCommand(window, mnuPopGraph, indexed("mnuPopViewGraph", i));
    mnuPopGraph->addSeparator();
    mnuPopGraph->addAction(mnuGraphData);
    menuPop->addSeparator();
    mnuPopEditOut = addMenu(menuPop, QStringLiteral("mnuPopEditOut"));
    mnuPopEditPrint = add(mnuPopEditOut, "mnuPopEditPrint");
    mnuPopEditCSV = add(mnuPopEditOut, "mnuPopEditCSV");
    mnuPopEditPreview = add(mnuPopEditOut, "mnuPopEditPreview");
    menuPop->addSeparator();
    menuPop->addAction(mnuHistory);
    mnuPopPropaty = add(menuPop, "mnuPopPropaty");

    menuPopAll = new QMenu(&window);
    menuPopAll->setObjectName(QStringLiteral("menuPopAll"));
    mnuPopAllAll = add(menuPopAll, "mnuPopAllAll");
    menuAllGraph = addMenu(menuPopAll, QStringLiteral("menuAllGraph"));
    for (int i = 0; i < 2; ++i)
        menuAllStatics[i] = addCommand(window, menuAllGraph, indexed("menuAllStatics", i));
    menuAllGraph->addSeparator();
    menuAllGraph->addAction(mnuGraphData);
    menuPopAll->addSeparator();
    menuAllOutput = addMenu(menuPopAll, QStringLiteral("menuAllOutput"));
    menuAllPrint = add(menuAllOutput, "menuAllPrint");
    menuAllCSV = add(menuAllOutput, "menuAllCSV");
    menuAllPreview = add(menuAllOutput, "menuAllPreview");
    menuPopAll->addSeparator();
    menuPopAll->addAction(mnuWeeks);
    menuAllprop = add(menuPopAll, "menuAllprop");
}

void frmMainControls::retranslate()
{
    //: Main menu. The keys in brackets are the Japanese style; English marks a letter of
    //: the word with & instead. Keys must differ between the items of one menu.
    mnuFile->setTitle(tr("ﾌｧｲﾙ(&F)"));
    mnuFileOpen->setText(tr("記録ファイル保存フォルダー指定(&O)"));
    mnuFileFind->setText(tr("検索(&F)"));
    mnuPrint->setTitle(tr("印刷(&P)"));
    mnuPrintPersonal->setText(tr("個人プロパティ(&P)"));
    mnuPrintAll->setText(tr("全体プロパティ(&A)"));
    mnuPreviewPersonal->setText(tr("個人プロパティのプレビュー(&V)"));
    mnuPreviewAll->setText(tr("全体プロパティのプレビュー(&W)"));
    //: The class board: how each learner of the class is doing.
    mnuPrintClassBoard->setText(tr("クラスの様子(&C)"));
    mnuPreviewClassBoard->setText(tr("クラスの様子のプレビュー(&R)"));
    mnuEditOutput->setText(tr("CSV出力(&V)"));
    mnuClassBoardCSV->setText(tr("クラスの様子のCSV出力(&S)"));
    mnuFileTidyHistory->setText(tr("履歴の整理(&T)..."));
    mnuFileDelete->setText(tr("削除(&D)"));
    mnuFileClose->setText(tr("閉じる(&C)"));

    mnuEdit->setTitle(tr("編集(&E)"));
    mnuEditSelectAll->setText(tr("すべて選択(&A)"));

    mnuView->setTitle(tr("表示(&V)"));
    mnuViewToolbar->setText(tr("ﾂｰﾙ ﾊﾞｰ(&T)"));
    mnuViewStatusBar->setText(tr("ｽﾃｰﾀｽ ﾊﾞｰ(&B)"));
    //: View mode: the learners of both courses.
    mnuListViewMode[0]->setText(tr("全体(&A)", "view mode"));
    mnuListViewMode[1]->setText(tr("英文練習者(&E)"));
    mnuListViewMode[2]->setText(tr("かな/ローマ練習者(&R)"));
    mnuGraph->setTitle(tr("グラフ(&G)"));
    //: Graphs of one learner.
    mnuPersonal->setTitle(tr("個人(&P)", "graphs"));
    mnuViewGraph[0]->setText(tr("練習グラフ(&I)"));
    mnuViewGraph[1]->setText(tr("時間グラフ(&H)"));
    //: Graphs of the group shown.
    mnuAll->setTitle(tr("全体(&A)", "graphs"));
    mnuAllStep[0]->setText(tr("STEP統計(&S)"));
    mnuAllStep[1]->setText(tr("練習回数統計(&T)"));
    //: The figures of the graph shown, as a table that can be copied.
    mnuGraphData->setText(tr("データを表示(&D)"));
    mnuPropaty->setTitle(tr("プロパティ(&P)"));
    //: Properties of one learner.
    mnuPorpPersonal->setText(tr("個人(&P)", "properties"));
    //: Properties of the group shown.
    mnuPropAll->setText(tr("全体(&A)", "properties"));
    mnuViewOptions->setText(tr("ｵﾌﾟｼｮﾝ(&O)..."));
    mnuHistory->setText(tr("練習の記録(&H)"));
    mnuWeeks->setText(tr("今週と先週(&W)"));
    mnuViewClassBoard->setText(tr("クラスの様子(&C)"));
    // G is the graphs' letter in this menu.
    mnuViewTargets->setText(tr("目標の設定(&M)..."));
    mnuViewHideNames->setText(tr("名前を隠す(&N)"));
    mnuViewRefresh->setText(tr("最新の情報に更新(&U)"));
    //: Follows the record folder as it changes.
    mnuViewAutoRefresh->setText(tr("自動更新(&L)"));
    // L is taken by the refresh that follows the folder.
    mnuLanguage->setTitle(tr("言語(&K)"));

    mnuHelp->setTitle(tr("ﾍﾙﾌﾟ(&H)"));
    mnuHelpAbout->setText(tr("ﾊﾞｰｼﾞｮﾝ情報(&A)"));

    //: The pop-up menu of a learner.
    menuPop->setTitle(tr("ポップアップ"));
    //: Back from a graph to the list of learners.
    mnuPopReport->setText(tr("一覧表示へ(&D)"));
    mnuPopEditSelectAll->setText(tr("すべて選択(&A)"));
    mnuPopGraph->setTitle(tr("グラフ(&G)"));
    mnuPopViewGraph[0]->setText(tr("練習グラフ(&U)"));
    mnuPopViewGraph[1]->setText(tr("練習時間グラフ(&T)"));
    mnuPopEditOut->setTitle(tr("出力(&O)"));
    mnuPopEditPrint->setText(tr("印刷(&P)"));
    mnuPopEditCSV->setText(tr("CSV出力(&V)"));
    mnuPopEditPreview->setText(tr("印刷プレビュー(&R)"));
    mnuPopPropaty->setText(tr("プロパティ(&P)"));

    //: The pop-up menu of a group.
    menuPopAll->setTitle(tr("ポップアップ全体"));
    mnuPopAllAll->setText(tr("一覧表示へ(&D)"));
    menuAllGraph->setTitle(tr("グラフ(&G)"));
    menuAllStatics[0]->setText(tr("STEP統計(&U)"));
    menuAllStatics[1]->setText(tr("練習回数統計(&T)"));
    menuAllOutput->setTitle(tr("出力(&O)"));
    menuAllPrint->setText(tr("印刷(&P)"));
    menuAllCSV->setText(tr("CSV出力(&V)"));
    menuAllPreview->setText(tr("印刷プレビュー(&R)"));
    menuAllprop->setText(tr("プロパティ(&P)"));

    retranslateToolbar();
    retranslatePanes();
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
        auto *button = new QAction(icons::toolbar(key), QString(), tbToolBar);
        button->setObjectName(key);
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
    const std::pair<ToolbarButton, QAction *> commands[kToolbarCommands] = {
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
    for (std::size_t i = 0; i < kToolbarCommands; ++i) {
        const auto &[position, command] = commands[i];
        command->setIcon(button(position)->icon());
        buttonCommands[i] = {position, command};
    }
    // Nothing is chosen yet: no row to delete, no learner to draw.
    for (ToolbarButton idle : {ToolbarButton::Delete, ToolbarButton::PracticeGraph, ToolbarButton::TimeGraph,
                               ToolbarButton::PersonalProperties})
        button(idle)->setEnabled(false);
}

void frmMainControls::buildPanes(const TwipsScale &twips)
{
    picTitles = new QWidget(formArea);
    picTitles->setObjectName(QStringLiteral("picTitles"));
    for (int i = 0; i < 2; ++i) {
        lblTitle[i] = i == 0 ? new FolderTitle(QString(), picTitles) : new QLabel(picTitles);
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
    courseColumnWidth = header->sectionSize(kCourseListColumn);

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

    // Tab goes from the tree to whichever of list, graph or board holds the right pane.
    QWidget::setTabOrder(tvTreeView, lvListView);
    QWidget::setTabOrder(lvListView, Picture1);
    QWidget::setTabOrder(Picture1, lvClassBoard);

    sbStatusBar = new QStatusBar(formArea);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel;
        statusPanels[i]->setObjectName(indexed("sbStatusBar", i + 1));
    }
    sbStatusBar->addWidget(statusPanels[0], 1);
    sbStatusBar->addPermanentWidget(statusPanels[1]);
    sbStatusBar->addPermanentWidget(statusPanels[2]);
}

// Each button is named by its tip and described by where its command is in the menus, for
// those who reach it by keyboard.
void frmMainControls::retranslateToolbar()
{
    tbToolBar->setWindowTitle(tr("ツール バー"));
    tbToolBar->setAccessibleName(tbToolBar->windowTitle());
    for (int position = 1; position <= kToolbarPositions; ++position) {
        QAction *b = buttons[std::size_t(position)];
        if (!b)
            continue;
        const QString tip = tr(kButtons[position].toolTip);
        b->setText(tip);
        b->setToolTip(tip);
    }
    for (const auto &[position, command] : buttonCommands) {
        QStringList path{withoutKey(command->text())};
        for (QMenu *menu = menuOf(command); menu; menu = menuOf(menu->menuAction()))
            path.prepend(withoutKey(menu->title()));
        //: Description of a toolbar button: where its command is in the menus, %1 a path
        //: such as "File > Delete".
        const QString where = tr("メニュー: %1").arg(path.join(QStringLiteral(" > ")));
        button(position)->setStatusTip(where);
        if (QWidget *shown = tbToolBar->widgetForAction(button(position))) {
            shown->setAccessibleName(button(position)->toolTip());
            shown->setAccessibleDescription(where);
        }
    }
}

void frmMainControls::retranslatePanes()
{
    //: The tree of the groups and their learners, left of the window.
    tvTreeView->setAccessibleName(tr("グループと学習者"));
    tvTreeView->setAccessibleDescription(
        tr("グループを選ぶと一覧を、学習者を選ぶとグラフを右に表示します。Shift+F10でメニューを開きます。"));
    lvListView->setAccessibleName(tr("学習者の一覧"));
    lvListView->setAccessibleDescription(
        tr("見出しを選ぶと並べ替えます。Shift+F10でメニューを開きます。"));
    Picture1->setAccessibleName(tr("グラフ"));
    lvClassBoard->setAccessibleName(tr("クラスの様子"));
    imgSplitter->setAccessibleName(tr("分割バー"));
    sbStatusBar->setAccessibleName(tr("ステータス バー"));
    const QString panels[3] = {tr("状態"), tr("日付"), tr("時刻")};
    for (int i = 0; i < 3; ++i)
        statusPanels[i]->setAccessibleName(panels[i]);
    lblTitle[0]->setAccessibleName(tr("記録フォルダー"));
    lblTitle[1]->setAccessibleName(tr("右の表示"));
    fitCourseColumn();
}

// The Course column is laid out for the Japanese names; a longer name in another language
// widens it rather than being cut.
void frmMainControls::fitCourseColumn()
{
    const QFontMetrics metrics(lvListView->font());
    const int margins = 2 * (lvListView->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lvListView) + 1);
    int width = courseColumnWidth;
    for (Course course : {English, Kana})
        width = std::max(width, metrics.horizontalAdvance(courseListText(course)) + margins);
    lvListView->header()->resizeSection(kCourseListColumn, width);
}

} // namespace qel
