// File commands of the real window: deleting learners (into the trash), changing the
// record folder, finding a learner, the version box.

#include "dialogs/About.h"
#include "dialogs/frmSearch.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "tests/mainwindow/viewertestsupport.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

using namespace qeltest;

namespace {
// Where this test's trash lies (set up in main).
QString trashFiles()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files";
}
}

class FrmMainFilesTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    bool inFolder(const QString &file) const { return QFileInfo::exists(folder->filePath(file)); }

    QStringList nodeKeys() const
    {
        QStringList keys;
        QTreeWidgetItem *root = window->rootNode();
        for (int i = 0; i < root->childCount(); ++i)
            keys << qel::frmMain::nodeKey(root->child(i));
        return keys;
    }

    void verifyDeleteQuestion(const Message &m)
    {
        QCOMPARE(m.text, QString("選択されているユーザを削除してよろしいですか？"));
        QCOMPARE(m.title, QString("削除確認"));
        QCOMPARE(m.buttons, qel::Asker::Buttons::OkCancel);
        QCOMPARE(m.icon, qel::Asker::Icon::Exclamation);
    }

private slots:
    void init()
    {
        setUp();
        QDir(trashFiles()).removeRecursively();
    }

    void cleanup() { tearDown(); }

    void deleteRowsTwoAndFourOfFive()
    {
        for (const char *name : {"a", "b", "c", "d", "e"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        window->setRowSelected(1, true);
        window->setRowSelected(3, true);
        window->mnuFile_Click();
        QVERIFY(window->mnuFileDelete->isEnabled());
        window->mnuFileDelete->trigger();

        QCOMPARE(asker->messages.size(), std::size_t(1));
        verifyDeleteQuestion(asker->messages[0]);
        QCOMPARE(names(), (QStringList{"a", "c", "e"}));
        QCOMPARE(nodeKeys(), (QStringList{"a_Qele.dat", "c_Qele.dat", "e_Qele.dat"}));
        for (const char *gone : {"b_Qele.dat", "d_Qele.dat"}) {
            QVERIFY(!inFolder(gone));
            QVERIFY2(QFileInfo::exists(trashFiles() + "/" + gone), gone); // recoverable
        }
        for (const char *kept : {"a_Qele.dat", "c_Qele.dat", "e_Qele.dat"})
            QVERIFY(inFolder(kept));
        // Nothing else is refreshed until the next scan.
        QCOMPARE(status(), QString("5個の成績データファイル"));
        QCOMPARE(window->collections.groupSteps.size(), std::size_t(5));
    }

    void settingsFileGoesWithTheLastRecordFile()
    {
        writeRecord(folder->path(), "taro", true, {100, 101});
        writeRecord(folder->path(), "taro", false, {100, 101});
        writeSettingsFile(folder->path(), "taro");
        open();
        QCOMPARE(window->listModel->row(0).icon, 4);
        window->setRowSelected(0, true);
        window->mnuFileDelete_Click();
        QVERIFY(!inFolder("taro_Qele.dat"));
        QVERIFY(inFolder("taro_Qelk.dat"));
        QVERIFY(inFolder("taro.ini"));
        QCOMPARE(nodeKeys(), QStringList{"taro_Qelk.dat"});

        window->setRowSelected(0, true);
        window->mnuFileDelete_Click();
        QVERIFY(!inFolder("taro_Qelk.dat"));
        QVERIFY(!inFolder("taro.ini"));
        QVERIFY(QFileInfo::exists(trashFiles() + "/taro.ini"));
        QCOMPARE(window->rowCount(), 0);
        QVERIFY(nodeKeys().isEmpty());
    }

    void cancelledOrEmptyDeletionChangesNothing()
    {
        for (const char *name : {"a", "b"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        window->setRowSelected(0, true);
        asker->answers = {false};
        window->mnuFileDelete_Click();
        QCOMPARE(window->rowCount(), 2);
        QVERIFY(inFolder("a_Qele.dat"));

        // The toolbar button asks even with nothing selected, then deletes nothing.
        window->lvListView->clearSelection();
        window->tbToolBar_ButtonClick("Delete");
        QCOMPARE(asker->messages.size(), std::size_t(2));
        verifyDeleteQuestion(asker->messages[1]);
        QCOMPARE(window->rowCount(), 2);
        QVERIFY(inFolder("a_Qele.dat"));
        QVERIFY(inFolder("b_Qele.dat"));
    }

    void deletingARowRemovesThatRowsOwnFile()
    {
        // Both files belong to learner "a" in the English course; each row is its own file.
        writeRecord(folder->path(), "a", true, {100, 101});
        QFile::rename(folder->filePath("a_Qele.dat"), folder->filePath("a_Qelb_Qele.dat"));
        writeRecord(folder->path(), "a", true, {90, 95});
        open();
        QCOMPARE(nodeKeys(), (QStringList{"a_Qelb_Qele.dat", "a_Qele.dat"}));
        window->setRowSelected(0, true);
        window->mnuFileDelete_Click();
        QVERIFY(!inFolder("a_Qelb_Qele.dat"));
        QVERIFY(inFolder("a_Qele.dat"));
        QCOMPARE(nodeKeys(), QStringList{"a_Qele.dat"});
        QCOMPARE(window->rowCount(), 1);
    }

    void rowOfAFileAlreadyGoneIsRemoved()
    {
        for (const char *name : {"a", "b"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        QFile::remove(folder->filePath("a_Qele.dat"));
        window->setRowSelected(0, true);
        window->mnuFileDelete_Click();
        QCOMPARE(names(), QStringList{"b"});
    }

    void folderChangeResetsTheViewMode()
    {
        writeRecord(folder->path(), "old", false, {100, 101});
        QTemporaryDir other;
        writeRecord(other.path(), "x", true, {100, 101});
        writeRecord(other.path(), "y", false, {100, 101});
        writeRecord(other.path(), "z", true, {100, 101});
        open();
        window->mnuListViewMode_Click(2);
        window->tvTreeView_NodeClick(window->rootNode()->child(0));
        QVERIFY(window->graphPaneVisible());

        asker->folder = std::nullopt; // cancelled: nothing changes
        window->mnuFileOpen_Click();
        QCOMPARE(asker->folderPrompt,
                 QString("練習記録ファイルが保存されているフォルダ（ディレクトリ）を選択してください。"));
        QCOMPARE(window->recordFolder, folder->path());
        QCOMPARE(window->viewMode, 2);

        asker->folder = other.path();
        window->tbToolBar_ButtonClick("Open");
        QCOMPARE(window->recordFolder, QDir::toNativeSeparators(other.path()));
        QCOMPARE(window->rootNode()->text(0), QString("全体"));
        QCOMPARE(window->viewMode, 0);
        QVERIFY(window->mnuListViewMode[0]->isChecked());
        QVERIFY(!window->mnuListViewMode[2]->isChecked());
        QVERIFY(window->toolbarButtonPressed(5));
        QVERIFY(!window->toolbarButtonPressed(7));
        QCOMPARE(names(), (QStringList{"x", "y", "z"}));
        QCOMPARE(status(), QString("3個の成績データファイル"));
        QCOMPARE(window->lblTitle[0]->text(), QDir::toNativeSeparators(other.path()));
        QCOMPARE(window->collections.groupSteps.size(), std::size_t(3));
        QVERIFY(!window->graphPaneVisible());
        QVERIFY(!window->lvListView->isHidden());
    }

    void findSelectsTheFirstRowOfThatName()
    {
        writeRecord(folder->path(), "taro", true, {100, 101});
        writeRecord(folder->path(), "taro", false, {100, 101});
        writeRecord(folder->path(), "hanako", false, {100, 101});
        open();
        window->setRowSelected(0, true); // hanako stays selected
        window->mnuAllStep_Click(0);
        QVERIFY(window->graphPaneVisible());
        window->onDialog = [](QDialog &dialog) {
            auto &search = dynamic_cast<qel::frmSearch &>(dialog);
            search.Text1->setText("taro");
            search.Command1_Click(0);
            return search.result();
        };
        window->mnuFileFind_Click();
        QVERIFY(asker->messages.empty());
        QVERIFY(window->rowSelected(0));
        QVERIFY(window->rowSelected(1));
        QVERIFY(!window->rowSelected(2));
        QCOMPARE(window->currentRow(), 1);
        QVERIFY(!window->graphPaneVisible());
        QVERIFY(!window->lvListView->isHidden());
    }

    void findReportsAMissingName()
    {
        writeRecord(folder->path(), "taro", true, {100, 101});
        open();
        bool stayedOpen = false;
        window->onDialog = [&stayedOpen](QDialog &dialog) {
            auto &search = dynamic_cast<qel::frmSearch &>(dialog);
            search.Text1->setText("jiro");
            search.Command1_Click(0);
            stayedOpen = search.result() != QDialog::Accepted;
            search.Command1_Click(1);
            return search.result();
        };
        window->mnuFileFind_Click();
        QVERIFY(stayedOpen);
        QCOMPARE(asker->messages.size(), std::size_t(1));
        QCOMPARE(asker->messages[0].text, QString("検索名が見つかりません。"));
        QCOMPARE(asker->messages[0].icon, qel::Asker::Icon::Exclamation);
        QCOMPARE(asker->messages[0].buttons, qel::Asker::Buttons::Ok);
        QVERIFY(!window->anyRowSelected());
    }

    void aboutOpensModally()
    {
        open();
        QString caption;
        window->onDialog = [&caption](QDialog &dialog) {
            auto &about = dynamic_cast<qel::About &>(dialog);
            caption = about.windowTitle() + " " + about.Label1->text();
            return int(QDialog::Accepted);
        };
        window->mnuHelpAbout->trigger();
        QCOMPARE(caption, QString("QelViewer Ver1.00"));
    }
};

int main(int argc, char *argv[])
{
    // A home of its own, so deleted files land in a trash this test owns.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    QApplication app(argc, argv);
    FrmMainFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_frmmain_files.moc"
