// File commands of the real window: deleting learners (into the trash), changing the
// record folder, finding a learner, the version box.

#include "dialogs/About.h"
#include "dialogs/frmPropaty.h"
#include "dialogs/frmSearch.h"
#include "records/cp932.h"
#include "records/learnertable.h"
#include "records/platform.h"
#include "tests/mainwindow/viewertestsupport.h"
#include "tests/support/rawnames.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>
#include <cerrno>
#include <cstdio>

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
    QByteArray dataHome;

    bool inFolder(const QString &file) const { return QFileInfo::exists(folder->filePath(file)); }
    bool inFolderRaw(const QByteArray &name) const { return rawExists(nativeIn(folder->path(), name)); }

    // A home whose data folder cannot be made: no trash for anything.
    void takeAwayTheTrash()
    {
        QVERIFY(qel::samples::writeFile(out->filePath("blocker"), "x"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(out->filePath("blocker/data")));
    }

    QStringList nodeKeys() const
    {
        QStringList keys;
        QTreeWidgetItem *root = rootNode();
        for (int i = 0; i < root->childCount(); ++i)
            keys << qel::nodeKey(root->child(i));
        return keys;
    }

    // "削除(&D)" of the File menu, as it stands once the menu has opened.
    void deleteSelected()
    {
        openAndClose("mnuFile");
        QVERIFY(action("mnuFileDelete")->isEnabled());
        trigger("mnuFileDelete");
    }

    // Deletion alone leaves the status text; a notice of the deleted files would read the
    // folder again, so the tests that look at that text stop following it first.
    void stopFollowing()
    {
        QVERIFY(action("mnuViewAutoRefresh")->isChecked());
        trigger("mnuViewAutoRefresh");
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
        dataHome = qgetenv("XDG_DATA_HOME");
        removeRawTree(QFile::encodeName(QFileInfo(trashFiles()).absolutePath()));
    }

    void cleanup()
    {
        qputenv("XDG_DATA_HOME", dataHome);
        removeRawTree(QFile::encodeName(folder->path()));
        tearDown();
    }

    void deleteRowsTwoAndFourOfFive()
    {
        for (const char *name : {"a", "b", "c", "d", "e"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        stopFollowing();
        selectRow(1);
        selectRow(3);
        deleteSelected();

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
        QVERIFY(!anyRowSelected());
        QVERIFY(!buttonEnabled(3)); // nothing left to delete
        // Nothing else is refreshed until the next scan.
        QCOMPARE(status(), QString("5個の成績データファイル"));
        QCOMPARE(state().collections.groupSteps.size(), std::size_t(5));
    }

    void settingsFileGoesWithTheLastRecordFile()
    {
        writeRecord(folder->path(), "taro", true, {100, 101});
        writeRecord(folder->path(), "taro", false, {100, 101});
        writeSettingsFile(folder->path(), "taro");
        open();
        QCOMPARE(model().row(0).icon, 4);
        selectRow(0);
        deleteSelected();
        QVERIFY(!inFolder("taro_Qele.dat"));
        QVERIFY(inFolder("taro_Qelk.dat"));
        QVERIFY(inFolder("taro.ini"));
        QCOMPARE(nodeKeys(), QStringList{"taro_Qelk.dat"});

        selectRow(0);
        deleteSelected();
        QVERIFY(!inFolder("taro_Qelk.dat"));
        QVERIFY(!inFolder("taro.ini"));
        QVERIFY(QFileInfo::exists(trashFiles() + "/taro.ini"));
        QCOMPARE(rowCount(), 0);
        QVERIFY(nodeKeys().isEmpty());
    }

    void cancelledOrEmptyDeletionChangesNothing()
    {
        for (const char *name : {"a", "b"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        selectRow(0);
        asker->answers = {false};
        deleteSelected();
        QCOMPARE(rowCount(), 2);
        QVERIFY(inFolder("a_Qele.dat"));

        // With nothing selected the toolbar button is off: no question that deletes nothing.
        clickRow(0);
        clickEmptyTreeSpace();
        QVERIFY(!anyRowSelected());
        QVERIFY(!buttonEnabled(3));
        QCOMPARE(asker->messages.size(), std::size_t(1));
        QCOMPARE(rowCount(), 2);
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
        selectRow(0);
        deleteSelected();
        QVERIFY(!inFolder("a_Qelb_Qele.dat"));
        QVERIFY(inFolder("a_Qele.dat"));
        QCOMPARE(nodeKeys(), QStringList{"a_Qele.dat"});
        QCOMPARE(rowCount(), 1);
    }

    void rowOfAFileAlreadyGoneIsRemoved()
    {
        for (const char *name : {"a", "b"})
            writeRecord(folder->path(), name, true, {100, 101});
        open();
        QFile::remove(folder->filePath("a_Qele.dat"));
        selectRow(0);
        deleteSelected();
        QCOMPARE(names(), QStringList{"b"});
    }

    void noDeletingUnderAGraph()
    {
        writeRecord(folder->path(), "a", true, {100, 101});
        open();
        clickRow(0); // lights the delete button
        rightClickNode(learnerNode("a", 4));
        trigger("mnuPopViewGraph_0");
        QVERIFY(graphShown());
        trigger("mnuEditSelectAll");
        QVERIFY(anyRowSelected());
        // The rows are out of sight behind the graph: neither the button nor the menu deletes.
        QVERIFY(!buttonEnabled(3));
        openAndClose("mnuFile");
        QVERIFY(!action("mnuFileDelete")->isEnabled());
        QVERIFY(inFolder("a_Qele.dat"));
        // Back to the list through the graph's pop-up: the selected rows can go again.
        QTest::mouseClick(pane(), Qt::RightButton, {}, QPoint(20, 20));
        trigger("mnuPopReport");
        QVERIFY(listShown());
        QVERIFY(buttonEnabled(3));
    }

    void manyRowsGoInOnePassWhileTheWindowPaints()
    {
        constexpr int kRows = 20000;
        for (int i = 0; i < kRows; ++i)
            QVERIFY(writeRecord(folder->path(), QStringLiteral("l%1").arg(i, 5, 10, QLatin1Char('0')), true, {100, 101}));
        open();
        stopFollowing();
        QCOMPARE(rowCount(), kRows);
        // Every other row: as many stretches of the list as it can have.
        QItemSelection everyOther;
        for (int r = 1; r < kRows; r += 2)
            everyOther.select(model().index(r, 0), model().index(r, qel::LearnerListModel::kColumns - 1));
        list()->selectionModel()->select(everyOther, QItemSelectionModel::Select);

        // Counted, not timed: the changes list and tree announce (one each, not one per
        // row) and the paints of the status bar on the way.
        int listChanges = 0, treeChanges = 0;
        QObject counting; // the counts end with this function
        const auto countIn = [&counting](QAbstractItemModel *model, int &count) {
            const auto add = [&count] { ++count; };
            connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, &counting, add);
            connect(model, &QAbstractItemModel::layoutAboutToBeChanged, &counting, add);
            connect(model, &QAbstractItemModel::modelAboutToBeReset, &counting, add);
        };
        countIn(&model(), listChanges);
        countIn(tree()->model(), treeChanges);
        PaintCounter statusPaints;
        statusLabel()->installEventFilter(&statusPaints);
        deleteSelected();

        QCOMPARE(listChanges, 1);
        QCOMPARE(treeChanges, 1);
        QVERIFY(statusPaints.paints > 0); // the window painted while the files went
        QCOMPARE(rowCount(), kRows / 2);
        QCOMPARE(rootNode()->childCount(), kRows / 2);
        QCOMPARE(names().mid(0, 3), (QStringList{"l00000", "l00002", "l00004"}));
        QCOMPARE(qel::nodeKey(rootNode()->child(kRows / 2 - 1)), QString("l19998_Qele.dat"));
        QVERIFY(!inFolder("l00001_Qele.dat"));
        QVERIFY(!inFolder("l19999_Qele.dat"));
        QVERIFY(inFolder("l19998_Qele.dat"));
        QVERIFY(!anyRowSelected());
        QCOMPARE(status(), QString("20000個の成績データファイル"));
    }

    void codePage932NamesAreDeletedByTheirBytes()
    {
        // A folder copied from Windows without converting its names: 太郎 in code page 932.
        const QByteArray native = QFile::encodeName(folder->path()) + '/' + qel::toCp932(QStringLiteral("太郎"));
        QVERIFY(writeRecord(folder->path(), "english", true, {100, 101}));
        QVERIFY(writeSettingsFile(folder->path(), "settings"));
        QCOMPARE(::rename(QFile::encodeName(folder->filePath("english_Qele.dat")).constData(),
                          (native + "_Qele.dat").constData()), 0);
        QCOMPARE(::rename(QFile::encodeName(folder->filePath("settings.ini")).constData(), (native + ".ini").constData()),
                 0);
        open();
        QCOMPARE(names(), QStringList{"太郎"});
        selectRow(0);
        deleteSelected();
        QCOMPARE(rowCount(), 0);
        std::vector<qel::ListedFile> left;
        QVERIFY(qel::platform::listFiles(folder->path(), {}, left).complete());
        QVERIFY(left.empty());
        // Recoverable, under the very name the trainer gave it: nothing is renamed.
        const QByteArray trash = QFile::encodeName(trashFiles()) + '/' + qel::toCp932(QStringLiteral("太郎"));
        QVERIFY(rawExists(trash + "_Qele.dat"));
        QVERIFY(rawExists(trash + ".ini"));
        QVERIFY(!QFileInfo::exists(trashFiles() + "/太郎_Qele.dat"));
    }

    // Where no trash can be made the files would be gone for good: asked once, with Cancel
    // as the default; Cancel keeps everything.
    void withoutATrashTheUserIsAskedOnce_data()
    {
        QTest::addColumn<bool>("agreed");
        QTest::newRow("Cancel") << false;
        QTest::newRow("OK") << true;
    }

    void withoutATrashTheUserIsAskedOnce()
    {
        QFETCH(bool, agreed);
        for (const char *name : {"a", "b", "c"})
            writeRecord(folder->path(), name, true, {100, 101});
        writeSettingsFile(folder->path(), "b");
        takeAwayTheTrash();
        open();
        selectRow(0);
        selectRow(1);
        asker->answers = {true, agreed};
        deleteSelected();

        QCOMPARE(asker->messages.size(), std::size_t(2));
        verifyDeleteQuestion(asker->messages[0]);
        const Message &question = asker->messages[1];
        QVERIFY2(question.text.startsWith("ごみ箱が使えないため、ファイルは完全に削除され、元に戻せません。削除してよろしいですか？"),
                 qPrintable(question.text));
        QVERIFY2(question.text.contains(qt_error_string(ENOTDIR)), qPrintable(question.text)); // and why
        QCOMPARE(question.title, QString("削除確認"));
        QCOMPARE(question.buttons, qel::Asker::Buttons::OkCancel);
        QCOMPARE(question.icon, qel::Asker::Icon::Exclamation);
        QCOMPARE(question.defaultButton, qel::Asker::Default::Cancel);
        QCOMPARE(asker->messages[0].defaultButton, qel::Asker::Default::Ok);

        QCOMPARE(names(), agreed ? QStringList{"c"} : (QStringList{"a", "b", "c"}));
        QCOMPARE(inFolder("a_Qele.dat"), !agreed);
        QCOMPARE(inFolder("b_Qele.dat"), !agreed);
        QCOMPARE(inFolder("b.ini"), !agreed);
        QVERIFY(inFolder("c_Qele.dat"));
        QVERIFY(!QFileInfo::exists(QFile::decodeName(dataHome) + "/Trash/files/a_Qele.dat"));
    }

    // Files that cannot be deleted keep their rows, names and places; one message names
    // each with the system's reason.
    void filesThatStayAreNamedInOneMessage()
    {
        const QByteArray taro = qel::toCp932(QStringLiteral("太郎"));
        QVERIFY(writeRawNamed(folder->path(), taro + "_Qele.dat", qel::samples::recordBytes({})));
        for (const char *name : {"a", "b"})
            writeRecord(folder->path(), name, true, {100, 101});
        takeAwayTheTrash();
        open();
        QCOMPARE(names(), (QStringList{"a", "b", "太郎"}));
        // Two of the files turn into folders with something in them: no deletion takes
        // those away, whoever runs it.
        for (const QByteArray &name : {QByteArray("a_Qele.dat"), taro + "_Qele.dat"}) {
            const QByteArray path = nativeIn(folder->path(), name);
            QCOMPARE(::unlink(path.constData()), 0);
            QCOMPARE(::mkdir(path.constData(), 0755), 0);
            QVERIFY(writeRawFile(path + "/inside", "x"));
        }
        list()->selectAll();
        asker->answers = {true, true};
        deleteSelected();

        QCOMPARE(asker->messages.size(), std::size_t(3));
        const Message &failed = asker->messages[2];
        QCOMPARE(failed.text, QString("次のファイルを削除できませんでした。\n\n太郎_Qele.dat: %1\na_Qele.dat: %1")
                                  .arg(qt_error_string(EISDIR)));
        QCOMPARE(failed.buttons, qel::Asker::Buttons::Ok);
        QCOMPARE(failed.icon, qel::Asker::Icon::Exclamation);
        QCOMPARE(names(), (QStringList{"a", "太郎"}));
        QCOMPARE(nodeKeys(), (QStringList{"a_Qele.dat", qel::fileNameFromBytes(taro + "_Qele.dat")}));
        QVERIFY(!inFolder("b_Qele.dat"));
        QVERIFY(inFolderRaw(taro + "_Qele.dat"));

        // While names are hidden the message names the files by the learners' numbers.
        trigger("mnuViewHideNames");
        const QString a = model().index(0, 0).data().toString(), shownTaro = model().index(1, 0).data().toString();
        QVERIFY(a.startsWith("学習者 "));
        list()->selectAll();
        asker->answers = {true, true};
        deleteSelected();
        QCOMPARE(asker->messages.back().text, QString("次のファイルを削除できませんでした。\n\n%1_Qele.dat: %3\n%2_Qele.dat: %3")
                                                  .arg(shownTaro, a, qt_error_string(EISDIR)));
    }

    // Two learners whose names read alike: each row shows, graphs and opens its own file.
    void namesThatReadAlikeAreTwoLearners()
    {
        const QByteArray windows = qel::toCp932(QStringLiteral("表"));
        QVERIFY(writeRecord(folder->path(), "表", true, {100, 101, 102}));
        QVERIFY(writeRawNamed(folder->path(), windows + "_Qele.dat", qel::samples::recordBytes({})));
        open();
        QCOMPARE(names(), (QStringList{"表", "表"}));
        const QString windowsKey = qel::fileNameFromBytes(windows + "_Qele.dat");
        const int row = model().row(0).key == windowsKey ? 0 : 1;
        QCOMPARE(rowText(row, 3).trimmed(), QString("0"));
        QCOMPARE(rowText(1 - row, 3).trimmed(), QString("3"));
        clickNode(rootNode()->child(qel::nodeKey(rootNode()->child(0)) == windowsKey ? 0 : 1));
        QCOMPARE(currentRow(), row); // the graph's row is the node's own
        clickToolbar("View Details");
        clickRow(row);
        QString learner;
        asker->onDialog = [&](QDialog &dialog) {
            learner = dynamic_cast<qel::frmPropaty &>(dialog).learnerName();
            return int(QDialog::Accepted);
        };
        trigger("mnuPopPropaty");
        QCOMPARE(learner, qel::learnerKeyOf(windowsKey));
    }

    void folderChangeResetsTheViewMode()
    {
        writeRecord(folder->path(), "old", false, {100, 101});
        QTemporaryDir other;
        writeRecord(other.path(), "x", true, {100, 101});
        writeRecord(other.path(), "y", false, {100, 101});
        writeRecord(other.path(), "z", true, {100, 101});
        open();
        showViewMode(2);
        clickNode(rootNode()->child(0));
        QVERIFY(graphShown());

        asker->folder = std::nullopt; // cancelled: nothing changes
        trigger("mnuFileOpen");
        QCOMPARE(asker->folderPrompt,
                 QString("練習記録ファイルが保存されているフォルダ（ディレクトリ）を選択してください。"));
        QCOMPARE(state().recordFolder, folder->path());
        QCOMPARE(state().viewMode, 2);

        asker->folder = other.path();
        clickToolbar("Open");
        QCOMPARE(state().recordFolder, QDir::toNativeSeparators(other.path()));
        QCOMPARE(rootNode()->text(0), QString("全体"));
        QCOMPARE(state().viewMode, 0);
        QVERIFY(action("mnuListViewMode_0")->isChecked());
        QVERIFY(!action("mnuListViewMode_2")->isChecked());
        QVERIFY(buttonPressed(5));
        QVERIFY(!buttonPressed(7));
        QCOMPARE(names(), (QStringList{"x", "y", "z"}));
        QCOMPARE(status(), QString("3個の成績データファイル"));
        QCOMPARE(part<QLabel>("lblTitle_0")->text(), QDir::toNativeSeparators(other.path()));
        QCOMPARE(state().collections.groupSteps.size(), std::size_t(3));
        QVERIFY(!graphShown());
        QVERIFY(listShown());
    }

    void findSelectsTheFirstRowOfThatName()
    {
        writeRecord(folder->path(), "taro", true, {100, 101});
        writeRecord(folder->path(), "taro", false, {100, 101});
        writeRecord(folder->path(), "hanako", false, {100, 101});
        open();
        selectRow(0); // hanako stays selected
        trigger("mnuAllStep_0");
        QVERIFY(graphShown());
        asker->onDialog = [](QDialog &dialog) {
            auto &search = dynamic_cast<qel::frmSearch &>(dialog);
            search.Text1->setText("taro");
            search.Command1_Click(0);
            return search.result();
        };
        trigger("mnuFileFind");
        QVERIFY(asker->messages.empty());
        QVERIFY(rowSelected(0));
        QVERIFY(rowSelected(1));
        QVERIFY(!rowSelected(2));
        QCOMPARE(currentRow(), 1);
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        QCOMPARE(heading(), QString("各カラムをクリックするとその項目でソートされます。"));
    }

    void findNotFoundOrCancelledShowsTheList_data()
    {
        QTest::addColumn<QString>("typed"); // empty: cancelled at once
        QTest::newRow("not found") << "jiro";
        QTest::newRow("cancelled") << "";
    }

    void findNotFoundOrCancelledShowsTheList()
    {
        QFETCH(QString, typed);
        writeRecord(folder->path(), "taro", true, {100, 101});
        open();
        clickNode(learnerNode("taro", 4)); // a graph and its heading on display
        QVERIFY(graphShown());
        bool stayedOpen = false;
        bool listBehind = false;
        asker->onDialog = [&](QDialog &dialog) {
            auto &search = dynamic_cast<qel::frmSearch &>(dialog);
            if (!typed.isEmpty()) {
                search.Text1->setText(typed);
                search.Command1_Click(0);
                stayedOpen = search.result() != QDialog::Accepted;
                listBehind = listShown() && !graphShown();
            }
            search.Command1_Click(1);
            return search.result();
        };
        trigger("mnuFileFind");
        if (!typed.isEmpty()) {
            QVERIFY(stayedOpen);
            QVERIFY(listBehind); // no empty pane behind the message either
            QCOMPARE(asker->messages.size(), std::size_t(1));
            QCOMPARE(asker->messages[0].text, QString("検索名が見つかりません。"));
            QCOMPARE(asker->messages[0].icon, qel::Asker::Icon::Exclamation);
            QCOMPARE(asker->messages[0].buttons, qel::Asker::Buttons::Ok);
        }
        QVERIFY(!anyRowSelected());
        QVERIFY(!graphShown());
        QVERIFY(listShown());
        QCOMPARE(heading(), QString("各カラムをクリックするとその項目でソートされます。"));
    }

    void aboutOpensModally()
    {
        open();
        QString caption;
        asker->onDialog = [&caption](QDialog &dialog) {
            auto &about = dynamic_cast<qel::About &>(dialog);
            caption = about.windowTitle() + " " + about.Label1->text();
            return int(QDialog::Accepted);
        };
        trigger("mnuHelpAbout");
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
    const int failed = QTest::qExec(&test, argc, argv);
    removeRawTree(QFile::encodeName(home.path()));
    return failed;
}

#include "test_frmmain_files.moc"
