// Printing from the real window: who gets a page, the print dialog's answers, failures,
// the group printout of the folder's figures, and the print submenu's enabling.

#include "tests/mainwindow/viewertestsupport.h"
#include "tests/support/programrun.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

using namespace qeltest;

namespace {

// Answers the print dialog by sending the job to a PDF file of A4 paper.
class PrintAsker : public ScriptedAsker {
public:
    bool print = true; // false: Cancel
    QString output;
    int printDialogs = 0;
    QWidget *printParent = nullptr;

    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        ++printDialogs;
        printParent = parent;
        if (!print)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
};

QString runText(const QStringList &args)
{
    const ProgramRun run = runProgram(QStringLiteral("pdftotext"), args);
    return run.exitCode == 0 ? run.outText() : QStringLiteral("<pdftotext failed>");
}

// The text of each page (pdftotext ends every page with a form feed).
QStringList pdfPages(const QString &path, bool layout = false)
{
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (layout)
        args << QStringLiteral("-layout");
    args << path << QStringLiteral("-");
    QStringList pages = runText(args).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The words after `label` on the line of the layout text that holds it.
QStringList wordsAfter(const QString &text, const QString &label)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const qsizetype at = line.indexOf(label);
        if (at >= 0)
            return line.mid(at + label.size()).split(QRegularExpression(QStringLiteral("\\s+")),
                                                     Qt::SkipEmptyParts);
    }
    return {};
}

// The first page of a PDF as a picture.
QImage firstPage(const QString &pdf)
{
    const QString png = pdf + QStringLiteral(".first");
    runProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                                            QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                            QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, png});
    return QImage(png + QStringLiteral(".png"));
}

} // namespace

class FrmMainPrintTest : public QObject, protected WindowFixture<PrintAsker> {
    Q_OBJECT

private:
    // Aoki practises both Courses, Kenta English only, Mairi Kana/Romaji only.
    void writeFolder()
    {
        QVERIFY(writeRecord(folder->path(), "Aoki", true, {100, 110, 120, 130}, 3));
        QVERIFY(writeRecord(folder->path(), "Aoki", false, {80, 85, 90, 95, 100, 105}, 5));
        QVERIFY(writeRecord(folder->path(), "Kenta", true, {60, 62, 64, 66, 68, 70, 72, 74, 76, 78}, 8));
        QVERIFY(writeRecord(folder->path(), "Mairi", false, {50, 55, 60}, 2));
        QVERIFY(writeSettingsFile(folder->path(), "Aoki"));
    }

    // The group dialog runs for real: shown modally, it computes and closes itself.
    void runDialogs()
    {
        asker->onDialog = [this](QDialog &dialog) {
            ranDialogs << dialog.metaObject()->className();
            return dialog.exec();
        };
    }
    QStringList ranDialogs;

private slots:
    void init()
    {
        setUp();
        asker->output = out->filePath("report.pdf");
        ranDialogs.clear();
        writeFolder();
    }

    void cleanup() { tearDown(); }

    void personalPages_data()
    {
        QTest::addColumn<bool>("fileMenu");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("selected");  // names of the rows to select (all their rows)
        QTest::addColumn<QString>("treeNode");      // learner node to select, "" for the group node
        QTest::addColumn<QStringList>("pages");     // learner on each page, in order

        QTest::newRow("one learner, both rows") << false << false << QStringList{"Aoki"} << ""
                                                << QStringList{"Aoki"};
        QTest::newRow("one learner, file menu") << true << false << QStringList{"Aoki"} << ""
                                                << QStringList{"Aoki"};
        QTest::newRow("three learners, list order")
            << false << false << QStringList{"Aoki", "Kenta", "Mairi"} << "" << QStringList{"Aoki", "Kenta", "Mairi"};
        QTest::newRow("three learners, list sorted descending")
            << true << true << QStringList{"Aoki", "Kenta", "Mairi"} << "" << QStringList{"Mairi", "Kenta", "Aoki"};
        QTest::newRow("no row, learner node") << false << false << QStringList{} << "Kenta" << QStringList{"Kenta"};
        QTest::newRow("no row, learner node, file menu")
            << true << false << QStringList{} << "Mairi" << QStringList{"Mairi"};
        QTest::newRow("row wins over node") << false << false << QStringList{"Mairi"} << "Kenta"
                                            << QStringList{"Mairi"};
        QTest::newRow("no row, group node") << false << false << QStringList{} << "" << QStringList{};
        QTest::newRow("no row, group node, file menu") << true << false << QStringList{} << "" << QStringList{};
    }

    void personalPages()
    {
        QFETCH(bool, fileMenu);
        QFETCH(bool, descending);
        QFETCH(QStringList, selected);
        QFETCH(QString, treeNode);
        QFETCH(QStringList, pages);

        open();
        QCOMPARE(names(), (QStringList{"Aoki", "Aoki", "Kenta", "Mairi"}));
        if (descending) {
            clickHeader(0);
            QCOMPARE(names(), (QStringList{"Mairi", "Kenta", "Aoki", "Aoki"}));
        }
        // A click on a node shows the list (group) or the learner's graph.
        QTreeWidgetItem *node = treeNode.isEmpty() ? rootNode() : learnerNode(treeNode);
        QVERIFY(node);
        clickNode(node);
        clearSelection();
        // Selected from the bottom up: the pages still follow the list.
        for (int r = rowCount() - 1; r >= 0; --r)
            if (selected.contains(model().row(r).name))
                selectRow(r);

        if (fileMenu) {
            openAndClose("mnuPrint");
            QAction *item = action("mnuPrintPersonal");
            QCOMPARE(item->isEnabled(), !pages.isEmpty());
            item->trigger(); // nothing when disabled
            settle();
        } else {
            trigger("mnuPopEditPrint");
        }

        if (pages.isEmpty()) {
            QCOMPARE(asker->printDialogs, 0);
            QVERIFY(!QFileInfo::exists(asker->output));
            QVERIFY(asker->messages.empty());
            return;
        }
        QCOMPARE(asker->printDialogs, 1);
        QCOMPARE(asker->printParent, static_cast<QWidget *>(window.get()));
        QVERIFY(asker->messages.empty());
        QVERIFY(QFileInfo::exists(asker->output));
        const QStringList text = pdfPages(asker->output);
        QCOMPARE(text.size(), pages.size());
        const int count = int(pages.size());
        for (int i = 0; i < count; ++i) {
            const QString page = text[i];
            const QString footer = QStringLiteral("- %1/%2 -").arg(i + 1).arg(count);
            QVERIFY2(page.contains(footer), qPrintable(footer + " missing on page " + QString::number(i + 1)));
            QVERIFY2(page.contains(pages[i]), qPrintable(pages[i] + " missing on page " + QString::number(i + 1)));
            for (const QString &other : pages)
                if (other != pages[i])
                    QVERIFY2(!page.contains(other), qPrintable(other + " on the page of " + pages[i]));
            // Captions are real text, not lost glyphs.
            QVERIFY(page.contains(QStringLiteral("合格済ステップ")));
            QVERIFY(page.contains(QStringLiteral("かな／ローマ練習")));
        }
    }

    // The personal properties dialog's "印刷": that learner alone.
    void printPersonalByName()
    {
        open();
        const int kenta = 2;
        QCOMPARE(rowText(kenta), QStringLiteral("Kenta"));
        selectRow(0);
        selectRow(kenta);
        setCurrentRow(kenta);
        asker->onDialog = [](QDialog &dialog) {
            dialog.findChild<QPushButton *>("cmdPrint")->click();
            return int(QDialog::Accepted);
        };
        openAndClose("mnuView");
        trigger("mnuPorpPersonal");
        const QStringList text = pdfPages(asker->output);
        QCOMPARE(text.size(), 1);
        QVERIFY(text[0].contains(QStringLiteral("Kenta")));
        QVERIFY(text[0].contains(QStringLiteral("- 1/1 -")));
    }

    void cancelIsSilent_data()
    {
        QTest::addColumn<bool>("group");
        QTest::newRow("personal") << false;
        QTest::newRow("group") << true;
    }

    void cancelIsSilent()
    {
        QFETCH(bool, group);
        open();
        runDialogs();
        asker->print = false;
        if (group) {
            trigger("mnuPrintAll");
            // The figures come from the folder, without a dialog.
            QVERIFY(ranDialogs.isEmpty());
        } else {
            selectRow(0);
            trigger("mnuPopEditPrint");
        }
        QCOMPARE(asker->printDialogs, 1);
        QVERIFY(!QFileInfo::exists(asker->output));
        QVERIFY(asker->messages.empty());
    }

    void unwritableFileIsReported_data()
    {
        QTest::addColumn<bool>("group");
        QTest::newRow("personal") << false;
        QTest::newRow("group") << true;
    }

    void unwritableFileIsReported()
    {
        QFETCH(bool, group);
        open();
        runDialogs();
        asker->output = out->filePath("no such folder/report.pdf");
        if (group) {
            trigger("menuAllPrint");
        } else {
            selectRow(2);
            trigger("mnuPopEditPrint");
        }
        QCOMPARE(asker->printDialogs, 1);
        QVERIFY(!QFileInfo::exists(asker->output));
        QCOMPARE(asker->messages.size(), std::size_t(1));
        const Message &m = asker->messages[0];
        QVERIFY2(m.text.contains(asker->output), qPrintable(m.text));
        QVERIFY2(m.text.contains(QStringLiteral("印刷できませんでした")), qPrintable(m.text));
        QCOMPARE(m.buttons, qel::Asker::Buttons::Ok);
        QCOMPARE(m.icon, qel::Asker::Icon::Exclamation);
    }

    void groupPrintLeavesTheWindowAsItIs_data()
    {
        QTest::addColumn<bool>("popup");
        QTest::newRow("file menu") << false;
        QTest::newRow("group pop-up") << true;
    }

    void groupPrintLeavesTheWindowAsItIs()
    {
        QFETCH(bool, popup);
        open();
        // Kana/Romaji shown, with Mairi's graph up.
        showViewMode(2);
        QTreeWidgetItem *mairi = learnerNode("Mairi");
        QVERIFY(mairi);
        clickNode(mairi);
        QVERIFY(graphShown());
        const int node = selectedNodeIndex();
        QCOMPARE(node, 2);

        runDialogs();
        QSignalSpy changed(list()->model(), &QAbstractItemModel::modelReset);
        trigger(popup ? "menuAllPrint" : "mnuPrintAll");

        // No dialog and no group switch on the way.
        QVERIFY(ranDialogs.isEmpty());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(shownGroup(), 2);
        QCOMPARE(selectedNodeIndex(), node);
        QVERIFY(graphShown());
        QCOMPARE(names(), (QStringList{"Aoki", "Mairi"}));

        QCOMPARE(asker->printDialogs, 1);
        QVERIFY(asker->messages.empty());
        const QStringList pages = pdfPages(asker->output, true);
        QCOMPARE(pages.size(), 1);
        const QString &page = pages[0];
        QVERIFY(page.contains(QDir::toNativeSeparators(folder->path())));
        // The table holds the figures the dialog computed: all, English, Kana/Romaji.
        const std::pair<const char *, QStringList> rows[] = {
            {"練習人数", {"4", "2", "2"}},
            {"平均ＳＴＥＰ", {"4.50", "5.50", "3.50"}},
            {"平均練習回数", {"5.75", "7.00", "4.50"}},
            {"最高ＳＴＥＰ", {"8", "8", "5"}},
            {"最低ＳＴＥＰ", {"2", "3", "2"}},
            {"最高練習回数", {"10", "10", "6"}},
            {"最低練習回数", {"3", "4", "3"}},
        };
        for (const auto &[label, figures] : rows)
            QCOMPARE(wordsAfter(page, QString::fromUtf8(label)), figures);
        // Histograms of the group shown: two Kana/Romaji learners.
        QVERIFY(page.contains(QStringLiteral("ＳＴＥＰ")));
        QVERIFY(page.contains(QStringLiteral("以上")));
    }

    // "印刷" of the group dialog opened by itself prints and leaves the dialog open.
    void groupDialogPrintsWhileOpen()
    {
        open();
        QDialog *shown = nullptr;
        bool stayedOpen = false;
        asker->onDialog = [&](QDialog &dialog) {
            shown = &dialog;
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.show();
            auto *print = dialog.findChild<QPushButton *>("cmdPrint");
            if (!QTest::qWaitFor([print] { return print->isEnabled(); }, 10000))
                return int(QDialog::Rejected);
            QTest::mouseClick(print, Qt::LeftButton);
            settle();
            stayedOpen = dialog.isVisible();
            dialog.accept();
            return dialog.result();
        };
        trigger("mnuPropAll");

        QVERIFY(shown);
        QCOMPARE(asker->printDialogs, 1);
        QCOMPARE(asker->printParent, static_cast<QWidget *>(shown));
        QVERIFY(stayedOpen);
        QVERIFY(asker->messages.empty());
        const QStringList pages = pdfPages(asker->output, true);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(wordsAfter(pages[0], QStringLiteral("練習人数")), (QStringList{"4", "2", "2"}));
    }

    // The preview shows the pages the print command prints, in Japanese, and prints them
    // through the same print dialog.
    void previewShowsThePrintedPages_data()
    {
        QTest::addColumn<QString>("print");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<int>("pages");
        QTest::newRow("personal, pop-up") << "mnuPopEditPrint" << "mnuPopEditPreview" << 2;
        QTest::newRow("personal, file menu") << "mnuPrintPersonal" << "mnuPreviewPersonal" << 2;
        QTest::newRow("group, pop-up") << "menuAllPrint" << "menuAllPreview" << 1;
        QTest::newRow("group, file menu") << "mnuPrintAll" << "mnuPreviewAll" << 1;
    }

    void previewShowsThePrintedPages()
    {
        QFETCH(QString, print);
        QFETCH(QString, preview);
        QFETCH(int, pages);
        open();
        runDialogs();
        selectRow(0);
        selectRow(2); // Aoki and Kenta
        const QString printed = out->filePath("printed.pdf");
        asker->output = printed;
        trigger(print);
        QCOMPARE(pdfPages(printed).size(), pages);

        const QString shown = out->filePath("shown.pdf");
        const QString fromPreview = out->filePath("from-preview.pdf");
        asker->output = fromPreview;
        int shownPages = -1;
        bool fitsWidth = false, tall = false;
        QString title;
        QStringList captions, hidden;
        bool closed = false;
        asker->onDialog = [&](QDialog &dialog) {
            auto *previewDialog = qobject_cast<QPrintPreviewDialog *>(&dialog);
            if (!previewDialog)
                return dialog.exec(); // the group dialog, computing the figures
            dialog.show();
            auto *pagesWidget = dialog.findChild<QPrintPreviewWidget *>();
            shownPages = pagesWidget->pageCount();
            // Readable at once: a page as wide as the preview, the preview most of the screen.
            fitsWidth = pagesWidget->zoomMode() == QPrintPreviewWidget::FitToWidth;
            tall = dialog.height() >= window->screen()->availableGeometry().height() * 3 / 4;
            // What the preview draws, on paper of the print command's size.
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(shown);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            emit previewDialog->paintRequested(&pdf);
            title = dialog.windowTitle();
            QAction *printButton = nullptr;
            for (QAction *a : dialog.findChildren<QAction *>()) {
                if (a->text().isEmpty())
                    continue;
                (a->isVisible() ? captions : hidden) << a->text();
                if (a->text() == QStringLiteral("印刷"))
                    printButton = a;
            }
            if (printButton)
                printButton->trigger();
            closed = !dialog.isVisible() && dialog.result() == QDialog::Accepted;
            return dialog.result();
        };
        trigger(preview);

        QCOMPARE(title, QStringLiteral("印刷プレビュー"));
        for (const char *caption : {"印刷", "次のページ", "前のページ", "拡大", "縮小", "全ページ表示"})
            QVERIFY2(captions.contains(QString::fromUtf8(caption)), qPrintable(captions.join(", ")));
        for (const QString &caption : captions)
            QVERIFY2(caption.toLatin1() != caption.toUtf8(), qPrintable(caption + " is not in Japanese"));
        QCOMPARE(hidden.size(), 3); // page set-up and the two orientations
        QCOMPARE(shownPages, pages);
        QVERIFY(fitsWidth);
        QVERIFY(tall);
        QCOMPARE(pdfPages(shown).size(), pages);
        const QImage printedPage = firstPage(printed);
        QVERIFY(!printedPage.isNull());
        QCOMPARE(firstPage(shown), printedPage);
        // Printing from the preview: the print dialog, the same pages, the preview closed.
        QCOMPARE(asker->printDialogs, 2);
        QVERIFY(closed);
        QCOMPARE(pdfPages(fromPreview).size(), pages);
        QCOMPARE(firstPage(fromPreview), printedPage);
        QVERIFY(asker->messages.empty());
    }

    // Cancel in the preview's print dialog prints nothing and leaves the preview open.
    void previewPrintCancelled()
    {
        open();
        selectRow(3);
        asker->print = false;
        bool open = false;
        asker->onDialog = [&](QDialog &dialog) {
            dialog.show();
            for (QAction *a : dialog.findChildren<QAction *>())
                if (a->text() == QStringLiteral("印刷"))
                    a->trigger();
            open = dialog.isVisible();
            return int(QDialog::Rejected);
        };
        trigger("mnuPopEditPreview");
        QCOMPARE(asker->printDialogs, 1);
        QVERIFY(open);
        QVERIFY(!QFileInfo::exists(asker->output));
    }

    void printSubmenuEnabling_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("list, nothing selected") << "list" << false;
        QTest::newRow("list, a row selected") << "row" << true;
        QTest::newRow("personal graph") << "personal" << true;
        QTest::newRow("group graph") << "group" << false;
        QTest::newRow("personal graph, pane hidden") << "personal hidden" << false;
    }

    void printSubmenuEnabling()
    {
        QFETCH(QString, state);
        QFETCH(bool, enabled);
        open();
        clearSelection();
        if (state == "row") {
            selectRow(3);
        } else if (state.startsWith("personal")) {
            clickNode(learnerNode("Kenta"));
            QCOMPARE(this->state().graph.graphFamily, 1);
            if (state.endsWith("hidden"))
                trigger("mnuPopReport");
        } else if (state == "group") {
            trigger("mnuAllStep_0");
            QCOMPARE(this->state().graph.graphFamily, 2);
        }
        // Start from the opposite state, so the opening has to set it.
        QAction *personal = action("mnuPrintPersonal");
        personal->setEnabled(!enabled);
        action("mnuPreviewPersonal")->setEnabled(!enabled);
        menu("mnuPrint")->popup(QPoint(0, 0));
        QCOMPARE(personal->isEnabled(), enabled);
        QCOMPARE(action("mnuPreviewPersonal")->isEnabled(), enabled);
        menu("mnuPrint")->close();
        QVERIFY(action("mnuPrintAll")->isEnabled());
        QVERIFY(action("mnuPreviewAll")->isEnabled());
    }
};

QTEST_MAIN(FrmMainPrintTest)
#include "test_frmmain_print.moc"
