// A graph's data in its dialog: what it says, and the whole table copied.

#include "config/language.h"
#include "dialogs/frmGraphData.h"
#include "graphs/graphdatamodel.h"
#include "records/loadedhistory.h"
#include "samples/recordwriter.h"
#include "tests/support/scriptedasker.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace qel;

namespace {

const graphs::PersonalGraphRow kRow{QStringLiteral("山田"), QStringLiteral("英文"), QStringLiteral("  120")};

std::shared_ptr<const LoadedHistory> threeRuns(const QTemporaryDir &dir)
{
    samples::RecordContent content;
    content.runs = {{100, 250}, {120, 0}, {90, 1000}};
    const QString path = dir.filePath(QStringLiteral("山田_Qele.dat"));
    if (!samples::writeFile(path, samples::recordBytes(content)))
        return nullptr;
    auto loaded = LoadedHistory::read(path);
    return loaded ? std::make_shared<const LoadedHistory>(std::move(*loaded)) : nullptr;
}

} // namespace

class tst_GraphData : public QObject {
    Q_OBJECT

private slots:
    void copiesTheWholeTable()
    {
        QTemporaryDir dir;
        const auto history = threeRuns(dir);
        QVERIFY(history);
        const QString table = graphs::GraphDataModel::practice(kRow, history)->tabSeparated();
        QCOMPARE(table.count(u'\n'), 4);

        qeltest::ScriptedAsker asker;
        int shown = 0;
        QStringList texts;
        QString byButton, byKey;
        int rows = -1, clipboardChanges = 0, finishedCount = 0;
        asker.onDialog = [&](QDialog &dialog) {
            ++shown;
            auto *caption = dialog.findChild<QLabel *>(QStringLiteral("lblCaption"));
            auto *view = dialog.findChild<QTableView *>(QStringLiteral("tblData"));
            auto *copy = dialog.findChild<QPushButton *>(QStringLiteral("cmdCopy"));
            auto *close = dialog.findChild<QPushButton *>(QStringLiteral("cmdClose"));
            if (!caption || !view || !copy || !close)
                return int(QDialog::Rejected);
            texts = {caption->text(), view->accessibleName(), copy->text(), close->text()};
            rows = view->model()->rowCount();

            // The button, and Ctrl+C with one cell selected: both give the whole table.
            QClipboard *clipboard = QGuiApplication::clipboard();
            clipboard->clear();
            QSignalSpy changed(clipboard, &QClipboard::dataChanged);
            copy->click();
            byButton = clipboard->text();
            clipboard->clear();
            dialog.show();
            view->setCurrentIndex(view->model()->index(1, 1));
            view->setFocus();
            QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
            byKey = clipboard->text();
            clipboardChanges = int(changed.count());

            QSignalSpy finished(&dialog, &QDialog::finished);
            close->click();
            finishedCount = int(finished.count());
            return dialog.result();
        };
        showPracticeData(nullptr, kRow, history);
        QCOMPARE(shown, 1);
        const QString heading = QStringLiteral("山田さんの 英文 練習記録グラフです。");
        QCOMPARE(texts, (QStringList{heading, heading, QStringLiteral("コピー"), QStringLiteral("閉じる")}));
        QCOMPARE(rows, 3);
        QCOMPARE(byButton, table);
        QCOMPARE(byKey, table);
        QVERIFY(clipboardChanges >= 2);
        QCOMPARE(finishedCount, 1);
    }

    void saysWhenTheFileCouldNotBeRead()
    {
        qeltest::ScriptedAsker asker;
        QString summary, caption;
        int rows = -1;
        asker.onDialog = [&](QDialog &dialog) {
            if (auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblSummary")))
                summary = label->isHidden() ? QString() : label->text();
            if (auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblCaption")))
                caption = label->text();
            if (auto *view = dialog.findChild<QTableView *>(QStringLiteral("tblData")))
                rows = view->model()->rowCount();
            return int(QDialog::Rejected);
        };
        showPracticeTimeData(nullptr, kRow, nullptr);
        QCOMPARE(caption, QStringLiteral("山田さんの 英文 練習時間グラフです。"));
        QCOMPARE(summary, QStringLiteral("記録ファイルを読めませんでした。"));
        QCOMPARE(rows, 0);

        GroupCollections collections;
        collections.groupSteps = {1, 2, 2};
        collections.groupRunCounts = {5, 9, 30};
        showRunStatisticsData(nullptr, QStringLiteral("全体"), 3, collections);
        QCOMPARE(caption, QStringLiteral("全体の練習者の練習回数統計グラフです。"));
        QCOMPARE(summary, QStringLiteral("3人、 平均： 14.67 回"));
        QCOMPARE(rows, 11);
    }

    void speaksTheLanguageSwitchedTo()
    {
        GroupCollections collections;
        collections.groupSteps = {1, 2, 2, 30};
        qeltest::ScriptedAsker asker;
        QStringList english;
        asker.onDialog = [&](QDialog &dialog) {
            // The windows get their LanguageChange posted; they have it now.
            installLanguage(Language::English);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            auto *view = dialog.findChild<QTableView *>(QStringLiteral("tblData"));
            for (const QString &name : {QStringLiteral("lblCaption"), QStringLiteral("lblSummary")})
                english << dialog.findChild<QLabel *>(name)->text();
            english << dialog.findChild<QPushButton *>(QStringLiteral("cmdCopy"))->text()
                    << view->model()->headerData(1, Qt::Horizontal).toString()
                    << view->model()->index(10, 0).data().toString();
            installLanguage(Language::Japanese);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            english << dialog.findChild<QPushButton *>(QStringLiteral("cmdCopy"))->text();
            return int(QDialog::Rejected);
        };
        showStepStatisticsData(nullptr, QStringLiteral("全体"), 4, collections);
        QCOMPARE(english.size(), 6);
        QVERIFY2(!english[0].contains(QStringLiteral("統計")), qPrintable(english[0]));
        QVERIFY2(!english[1].contains(QStringLiteral("平均")), qPrintable(english[1]));
        QCOMPARE(english.mid(2), (QStringList{QStringLiteral("Copy"), QStringLiteral("Learners"),
                                              QStringLiteral("40+"), QStringLiteral("コピー")}));
    }
};

QTEST_MAIN(tst_GraphData)
#include "test_graphdata.moc"
