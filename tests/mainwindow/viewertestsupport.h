#pragma once
// Shared by the window tests: record folders written with the trainer's layout, a window
// whose modal dialogs and pop-ups the test drives, and the fixture each test class builds on.

#include "mainwindow/frmMain.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "samples/recordwriter.h"
#include "tests/support/privatesettings.h"
#include "tests/support/scriptedasker.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <functional>
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

// The real window with its modal dialogs and pop-up menus answered by the test.
class TestWindow : public qel::frmMain {
public:
    std::function<int(QDialog &)> onDialog;
    std::vector<QMenu *> popups;
    // Enabled state of the learner pop-up's first two items when it opened.
    std::vector<std::pair<bool, bool>> popupStates;

protected:
    int execDialog(QDialog &dialog) override { return onDialog ? onDialog(dialog) : QDialog::Rejected; }
    void openPopup(QMenu *menu, const QPoint &) override
    {
        popups.push_back(menu);
        popupStates.emplace_back(mnuPopReport->isEnabled(), mnuPopEditSelectAll->isEnabled());
    }
};

// A private settings store, a record folder, a folder for output, the Asker and the window
// of one test function, with the ways a user reaches the window. A Qt Test class derives
// from QObject and from this, and calls setUp() and tearDown() from its init() and cleanup().
template <class AskerType = ScriptedAsker, class WindowType = TestWindow>
class WindowFixture {
protected:
    std::unique_ptr<PrivateSettings> settings;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QTemporaryDir> out; // for the files the window writes
    std::unique_ptr<AskerType> asker;
    std::unique_ptr<WindowType> window;

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

    // Opens the window on whatever the settings store names.
    void openWindow()
    {
        window = std::make_unique<WindowType>();
        QVERIFY(window->Form_Load());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // The names in the list, top to bottom.
    QStringList names() const
    {
        QStringList list;
        for (int r = 0; r < window->rowCount(); ++r)
            list << window->rowText(r);
        return list;
    }

    // The list row of the learner in a Course (icon 4 English, 5 Kana/Romaji), -1 if none.
    int rowOf(const QString &name, int icon) const
    {
        for (int r = 0; r < window->rowCount(); ++r)
            if (window->listModel->row(r).name == name && window->listModel->row(r).icon == icon)
                return r;
        return -1;
    }

    // The learner's node (image 4 English, 5 Kana/Romaji, -1 either), nullptr if none.
    QTreeWidgetItem *learnerNode(const QString &name, int image = -1) const
    {
        QTreeWidgetItem *root = window->rootNode();
        for (int i = 0; root && i < root->childCount(); ++i)
            if (root->child(i)->text(0) == name
                && (image < 0 || qel::frmMain::nodeImage(root->child(i)) == image))
                return root->child(i);
        return nullptr;
    }

    QPoint rowCentre(int row) const
    {
        return window->lvListView->visualRect(window->listModel->index(row, 1)).center();
    }

    QPoint nodeCentre(QTreeWidgetItem *node) const
    {
        return window->tvTreeView->visualItemRect(node).center();
    }

    void clickNode(QTreeWidgetItem *node)
    {
        QVERIFY(node);
        QTest::mouseClick(window->tvTreeView->viewport(), Qt::LeftButton, {}, nodeCentre(node));
    }

    void rightClickNode(QTreeWidgetItem *node)
    {
        QVERIFY(node);
        QWidget *viewport = window->tvTreeView->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, nodeCentre(node));
        QTest::mouseRelease(viewport, Qt::RightButton, {}, nodeCentre(node));
    }

    void rightClickRow(int row)
    {
        QWidget *viewport = window->lvListView->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(row));
        QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(row));
    }

    void clickToolbar(const QString &key)
    {
        QWidget *button = window->tbToolBar->widgetForAction(window->toolbarAction(key));
        QVERIFY(button);
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The caption over the list or the graph pane, and the status bar's first panel.
    QString heading() const { return window->lblTitle[1]->text(); }
    QString status() const { return window->statusPanels[0]->text(); }
};

} // namespace qeltest
