#pragma once
// Shared by the window tests: record folders written with the trainer's layout, and the
// fixture each test class builds on, which reaches the window as a user does: its controls
// by their design names, mouse clicks, the scripted Asker, the list's model and the
// window's state for reading.

#include "base/twips.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "samples/recordwriter.h"
#include "session/foldersession.h"
#include "tests/support/privatesettings.h"
#include "tests/support/scriptedasker.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>
#include <vector>

namespace qeltest {

// A record file whose runs have the given SPMs (mistype rate 1 %); its progress rate is the
// slope of the SPMs over the runs.
inline bool writeRecord(const QString &folder, const QString &name, bool english,
                        const std::vector<int> &spms, int passedStep = 1)
{
    qel::samples::RecordContent content;
    content.currentStep = std::uint16_t(passedStep + 1);
    content.totalSeconds = std::int32_t(spms.size() * 120);
    for (int spm : spms)
        content.runs.push_back({std::int16_t(spm), 100});
    const QString file = QDir(folder).filePath(name + (english ? QStringLiteral("_Qele.dat")
                                                               : QStringLiteral("_Qelk.dat")));
    return qel::samples::writeFile(file, qel::samples::recordBytes(content));
}

inline bool writeSettingsFile(const QString &folder, const QString &name)
{
    return qel::samples::writeFile(QDir(folder).filePath(name + QStringLiteral(".ini")),
                                   QByteArray("[Option]\r\nKeyboard=1\r\n"));
}

inline void textsOfModel(const QAbstractItemModel &model, const QModelIndex &parent, QStringList &texts)
{
    if (!parent.isValid())
        for (int c = 0; c < model.columnCount(); ++c)
            texts << model.headerData(c, Qt::Horizontal).toString();
    for (int r = 0; r < model.rowCount(parent); ++r)
        for (int c = 0; c < model.columnCount(parent); ++c) {
            const QModelIndex index = model.index(r, c, parent);
            for (int role : {Qt::DisplayRole, Qt::ToolTipRole, Qt::AccessibleTextRole, Qt::AccessibleDescriptionRole})
                texts << index.data(role).toString();
            if (c == 0 && model.hasChildren(index))
                textsOfModel(model, index, texts);
        }
}

// Every text a window and its parts show or tell: titles, captions, contents, tips,
// accessible names and descriptions, menu items, column titles and the cells of item views.
// Hidden parts count too unless only the visible ones are asked for; menus always do.
inline QStringList textsShownBy(QWidget &top, bool visibleOnly = true)
{
    QList<QWidget *> widgets = top.findChildren<QWidget *>();
    widgets.prepend(&top);
    QStringList texts;
    for (QWidget *w : widgets) {
        if (auto *menu = qobject_cast<QMenu *>(w)) {
            // Qt's own, unnamed menus (the bar's overflow) repeat the window's items.
            if (menu->objectName().isEmpty())
                continue;
            texts << menu->title();
            for (const QAction *item : menu->actions())
                if (item->isVisible() && !item->isSeparator())
                    texts << item->text() << item->toolTip() << item->statusTip();
            continue;
        }
        if (visibleOnly && !w->isVisible())
            continue;
        texts << w->windowTitle() << w->toolTip() << w->statusTip() << w->accessibleName()
              << w->accessibleDescription();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *view = qobject_cast<QAbstractItemView *>(w); view && view->model())
            textsOfModel(*view->model(), QModelIndex(), texts);
    }
    for (const QAction *item : top.findChildren<QAction *>())
        if (!item->isSeparator())
            texts << item->text() << item->toolTip() << item->statusTip();
    texts.removeAll(QString());
    return texts;
}

// Counts the paints of the widgets it is installed on as an event filter.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A private settings store, a record folder, a folder for output, the Asker and the window
// of one test function. A Qt Test class derives from QObject and from this, and calls
// setUp() and tearDown() from its init() and cleanup().
template <class AskerType = ScriptedAsker>
class WindowFixture {
protected:
    std::unique_ptr<PrivateSettings> settings;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QTemporaryDir> out; // for the files the window writes
    std::unique_ptr<AskerType> asker;
    std::unique_ptr<qel::frmMain> window;

    void setUp()
    {
        settings = std::make_unique<PrivateSettings>();
        folder = std::make_unique<QTemporaryDir>();
        out = std::make_unique<QTemporaryDir>();
        asker = std::make_unique<AskerType>();
    }

    void tearDown()
    {
        window.reset();
        asker.reset();
        out.reset();
        folder.reset();
        settings.reset();
    }

    // Opens the window on the record folder, as at start-up.
    void open()
    {
        settings->setRecDir(folder->path());
        openWindow();
    }

    // Opens the window on whatever the settings store names, once the folder is read.
    void openWindow()
    {
        window = std::make_unique<qel::frmMain>();
        QVERIFY(window->Form_Load());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        settle();
    }

    // The window's folder session: it reads the folder away from the window's thread.
    qel::FolderSession &session() const { return *part<qel::FolderSession>(QStringLiteral("folderSession")); }

    // Waits until the folder session has nothing under way: reads, looks and the file work
    // of commands have ended and what they found is shown.
    void settle()
    {
        // What a command posted for later (a dialog's first activation) asks first.
        QCoreApplication::sendPostedEvents();
        QSignalSpy idle(&session(), &qel::FolderSession::idle);
        while (session().busy())
            QVERIFY2(idle.wait(20000), "the folder session did not settle");
    }

    // A menu command, and what it starts, to its end.
    void trigger(const QString &name)
    {
        action(name)->trigger();
        settle();
    }

    // ---- the window's parts by their design names

    const qel::frmMainState &state() const { return window->state(); }

    template <class T = QWidget> T *part(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no %s in the window", qPrintable(name));
        return found;
    }
    QAction *action(const QString &name) const { return part<QAction>(name); }
    QMenu *menu(const QString &name) const { return part<QMenu>(name); }
    QTreeWidget *tree() const { return part<QTreeWidget>(QStringLiteral("tvTreeView")); }
    QTreeView *list() const { return part<QTreeView>(QStringLiteral("lvListView")); }
    QWidget *pane() const { return part(QStringLiteral("Picture1")); }
    QToolBar *toolbar() const { return part<QToolBar>(QStringLiteral("tbToolBar")); }
    qel::LearnerListModel &model() const { return *qobject_cast<qel::LearnerListModel *>(list()->model()); }

    // Toolbar buttons by position 1..16 (separators included) and by key.
    QAction *button(int position) const { return toolbar()->actions().value(position - 1); }
    QAction *button(const QString &key) const { return part<QAction>(key); }
    bool buttonEnabled(int position) const { return button(position)->isEnabled(); }
    bool buttonPressed(int position) const { return button(position)->isChecked(); }

    bool graphShown() const { return !pane()->isHidden(); }
    bool listShown() const { return !list()->isHidden(); }
    // The group shown: the view menu's checked item.
    int shownGroup() const
    {
        for (int i = 0; i < 3; ++i)
            if (action(QStringLiteral("mnuListViewMode_%1").arg(i))->isChecked())
                return i;
        return -1;
    }

    // Opens a menu of the menu bar (or a submenu) and closes it again; its items keep the
    // states the opening gave them.
    void openAndClose(const QString &name)
    {
        QMenu *m = menu(name);
        m->popup(window->mapToGlobal(QPoint(10, 10)));
        m->close();
    }

    // ---- the list through its view and model

    int rowCount() const { return model().rowCount(); }
    QString rowText(int row, int column = 0) const { return model().cellText(row, column); }
    bool rowSelected(int row) const { return list()->selectionModel()->isRowSelected(row, QModelIndex()); }
    bool anyRowSelected() const { return list()->selectionModel()->hasSelection(); }
    void selectRow(int row, bool selected = true)
    {
        list()->selectionModel()->select(model().index(row, 0), (selected ? QItemSelectionModel::Select
                                                                           : QItemSelectionModel::Deselect)
                                                                     | QItemSelectionModel::Rows);
    }
    void clearSelection() { list()->clearSelection(); }
    int currentRow() const { return list()->currentIndex().isValid() ? list()->currentIndex().row() : -1; }
    void setCurrentRow(int row)
    {
        list()->selectionModel()->setCurrentIndex(model().index(row, 0), QItemSelectionModel::NoUpdate);
    }

    // The names in the list, top to bottom.
    QStringList names() const
    {
        QStringList list;
        for (int r = 0; r < rowCount(); ++r)
            list << rowText(r);
        return list;
    }

    // The list row of the learner in a Course (icon 4 English, 5 Kana/Romaji), -1 if none.
    int rowOf(const QString &name, int icon) const
    {
        for (int r = 0; r < rowCount(); ++r)
            if (model().row(r).name == name && model().row(r).icon == icon)
                return r;
        return -1;
    }

    // ---- the tree

    QTreeWidgetItem *rootNode() const { return tree()->topLevelItem(0); }
    QTreeWidgetItem *currentNode() const { return tree()->currentItem(); }
    // Index of the selected node, the group node 0.
    int selectedNodeIndex() const
    {
        QTreeWidgetItem *node = currentNode();
        return !node || node == rootNode() ? 0 : rootNode()->indexOfChild(node) + 1;
    }

    // The learner's node (image 4 English, 5 Kana/Romaji, -1 either), nullptr if none.
    QTreeWidgetItem *learnerNode(const QString &name, int image = -1) const
    {
        QTreeWidgetItem *root = rootNode();
        for (int i = 0; root && i < root->childCount(); ++i)
            if (root->child(i)->text(0) == name && (image < 0 || qel::nodeImage(root->child(i)) == image))
                return root->child(i);
        return nullptr;
    }

    // ---- the mouse

    QPoint rowCentre(int row) const { return list()->visualRect(model().index(row, 1)).center(); }
    QPoint nodeCentre(QTreeWidgetItem *node) const { return tree()->visualItemRect(node).center(); }

    void clickNode(QTreeWidgetItem *node)
    {
        QVERIFY(node);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, nodeCentre(node));
        settle();
    }

    void rightClickNode(QTreeWidgetItem *node)
    {
        QVERIFY(node);
        QTest::mousePress(tree()->viewport(), Qt::RightButton, {}, nodeCentre(node));
        QTest::mouseRelease(tree()->viewport(), Qt::RightButton, {}, nodeCentre(node));
    }

    void clickRow(int row) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(row)); }

    // As a mouse does it: the second press comes as the double-click, and its release follows.
    void doubleClickRow(int row)
    {
        const QPoint at = rowCentre(row);
        clickRow(row);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, at);
        settle();
    }

    void rightClickRow(int row)
    {
        QTest::mousePress(list()->viewport(), Qt::RightButton, {}, rowCentre(row));
        QTest::mouseRelease(list()->viewport(), Qt::RightButton, {}, rowCentre(row));
    }

    void clickToolbar(const QString &key)
    {
        QWidget *widget = toolbar()->widgetForAction(button(key));
        QVERIFY(widget);
        QVERIFY(widget->isEnabled());
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
    }

    void clickHeader(int column)
    {
        QHeaderView *header = list()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                 header->height() / 2));
    }

    // A left click on empty tree space: the tree takes the press (the list's selection
    // goes) and no node is clicked.
    void clickEmptyTreeSpace()
    {
        QWidget *viewport = tree()->viewport();
        const QPoint empty(viewport->width() / 2, viewport->height() - 5);
        QVERIFY(!tree()->itemAt(empty));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, empty);
    }

    // The record folder chosen with "記録ファイル保存フォルダー指定(&O)".
    void chooseFolder(const QString &path)
    {
        asker->folder = path;
        trigger(QStringLiteral("mnuFileOpen"));
    }

    void showViewMode(int mode) { trigger(QStringLiteral("mnuListViewMode_%1").arg(mode)); }

    // The caption over the list or the graph pane, and the status bar's first panel.
    QLabel *headingLabel() const { return part<QLabel>(QStringLiteral("lblTitle_1")); }
    QLabel *statusLabel() const { return part<QLabel>(QStringLiteral("sbStatusBar_1")); }
    QString heading() const { return headingLabel()->text(); }
    QString status() const { return statusLabel()->text(); }

    // ---- twips, as the window counts them

    qel::TwipsScale scale() const { return qel::TwipsScale::ofScreen(window->screen()); }
    double outerWidthTwips() const { return scale().twipsX(window->frameGeometry().width()); }
    double outerHeightTwips() const { return scale().twipsY(window->frameGeometry().height()); }
    // The window below its menu bar.
    double innerHeightTwips() const { return scale().twipsY(window->centralWidget()->height()); }
    void setOuterSizeTwips(double width, double height)
    {
        const QSize frame = window->frameGeometry().size() - window->size();
        window->resize(QSize(scale().x(width), scale().y(height)) - frame);
    }
};

} // namespace qeltest
