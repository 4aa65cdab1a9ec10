// qelviewer FOLDER: the window opens on the folder named instead of the remembered one, and
// remembers it at close as it would a folder chosen from the menu.

#include "mainwindow/frmMain.h"
#include "samples/recordwriter.h"
#include "session/foldersession.h"
#include "tests/support/privatesettings.h"
#include "tests/support/scriptedasker.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

bool writeLearner(const QString &folder, const QString &name)
{
    qel::samples::RecordContent content;
    content.runs.push_back({100, 100});
    return qel::samples::writeFile(QDir(folder).filePath(name + QStringLiteral("_Qele.dat")),
                                   qel::samples::recordBytes(content));
}

// The learners in the window's tree.
QStringList learnersShown(const qel::frmMain &window)
{
    QStringList names;
    const auto *tree = window.findChild<QTreeWidget *>();
    for (int i = 0; tree && tree->topLevelItemCount() > 0 && i < tree->topLevelItem(0)->childCount(); ++i)
        names << tree->topLevelItem(0)->child(i)->text(0);
    return names;
}

} // namespace

class StartFolderTest : public QObject {
    Q_OBJECT
private slots:
    void namedFolderIsShownAndRemembered()
    {
        qeltest::PrivateSettings settings;
        qeltest::ScriptedAsker asker;
        QTemporaryDir remembered, named;
        QVERIFY(writeLearner(remembered.path(), QStringLiteral("remembered")));
        QVERIFY(writeLearner(named.path(), QStringLiteral("named")));
        settings.setViewerValue(QStringLiteral("RecentFolder"), remembered.path());

        for (const QString &start : {QString(), named.path()}) {
            qel::frmMain window;
            QVERIFY(window.Form_Load(start));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            // The folder is read away from the window's thread: shown once the session is idle.
            auto *session = window.findChild<qel::FolderSession *>(QStringLiteral("folderSession"));
            QVERIFY(session);
            QSignalSpy idle(session, &qel::FolderSession::idle);
            while (session->busy())
                QVERIFY(idle.wait(20000));
            const QString expected = start.isEmpty() ? QStringLiteral("remembered") : QStringLiteral("named");
            QCOMPARE(learnersShown(window), QStringList{expected});
            window.close();
        }
        QCOMPARE(settings.viewerValue(QStringLiteral("RecentFolder")).toString(), QDir::toNativeSeparators(named.path()));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartFolderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_startfolder.moc"
