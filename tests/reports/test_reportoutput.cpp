// The reports as real PDF files: through the PDF helpers, a PDF printer and qelviewer-cli.

#include "reports/pagegeometry.h"
#include "reports/pdftext.h"
#include "reports/printjob.h"

#include "base/painting.h"

#include "tests/reports/fixtures.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/programrun.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::reports;
using namespace qel::test;

namespace {

class ReportOutput : public testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApplication();
        ASSERT_TRUE(out.isValid());
        folder.write("山田", true, content(12, risingRuns(25, 60, 3), std::vector<std::int32_t>(11, 900)));
        folder.write("山田", false, content(4, risingRuns(8, 30, 2), {300, 200, 100}));
        folder.write("hanako", false, content(3, risingRuns(2, 30, 2), {60, 40}));
        folder.write("ichiro", true, content(2, risingRuns(1, 30, 2), {60}));
    }
    QString outPath(const QString &name) const { return out.filePath(name); }

    Folder folder;
    QTemporaryDir out;
};

// Japanese captions must come out of the PDF as text, not as missing glyphs.
void expectCaptions(const QString &text, const QStringList &captions)
{
    for (const QString &caption : captions)
        EXPECT_TRUE(text.contains(caption)) << caption.toStdString() << " missing from:\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
}

TEST_F(ReportOutput, PersonalPdfHasOnePagePerLearnerWithRealText)
{
    const QString pdf = outPath("personal.pdf");
    QString error;
    ASSERT_TRUE(writePersonalPdf(pdf, folder.path(), {"山田", "hanako", "ichiro"}, &error))
        << error.toStdString();
    EXPECT_EQ(pdfPages(pdf), 3);
    const QString text = pdfText(pdf);
    expectCaptions(text, {"山田", "hanako", "ichiro", "- 1/3 -", "- 2/3 -", "- 3/3 -", "英文練習",
                          "かな／ローマ練習", "合格済ステップ", "最高ＳＰＭ", "最終練習日", "スピードガイド",
                          "個別設定なし", "未練習", "ストローク／分", "ミスタイプ率(%)", "STEP毎 練習時間", "分"});
    // Pages in list order.
    const auto pages = text.split(QChar('\f'));
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains("- 1/3 -") && pages[0].contains("山田"));
    EXPECT_TRUE(pages[1].contains("- 2/3 -") && pages[1].contains("hanako"));
    EXPECT_TRUE(pages[2].contains("- 3/3 -") && pages[2].contains("ichiro"));
}

TEST_F(ReportOutput, GroupPdfHasTheTableAndHistograms)
{
    const QString pdf = outPath("group.pdf");
    GroupStatistics stats = computeAllGroups(folder.path(), AllGroup);
    GroupCollections collections;
    makeView(folder.path(), scanFolder(folder.path(), AllGroup).nodes, &collections);
    QString error;
    ASSERT_TRUE(writeGroupPdf(pdf, folder.path(), stats, collections, &error)) << error.toStdString();
    EXPECT_EQ(pdfPages(pdf), 1);
    expectCaptions(pdfText(pdf), {"全体", "英文練習", "かな／ローマ練習", "練習人数", "平均ＳＴＥＰ",
                                  "最低練習回数", "ＳＴＥＰ", "練習回数", "以上", "人",
                                  folder.path(), stats.text(0, 0), stats.text(1, 0)});
}

TEST_F(ReportOutput, EmptyNameListWritesNoFile)
{
    const QString pdf = outPath("none.pdf");
    QString error;
    EXPECT_TRUE(writePersonalPdf(pdf, folder.path(), {}, &error));
    EXPECT_FALSE(QFile::exists(pdf));

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    EXPECT_TRUE(printPersonalReport(printer, folder.path(), {}, &error));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ReportOutput, UnwritableOutputFailsNamingTheFile)
{
    const QString pdf = outPath("no/such/folder/report.pdf");
    QString error;
    EXPECT_FALSE(writePersonalPdf(pdf, folder.path(), {"山田"}, &error));
    EXPECT_TRUE(error.contains(pdf)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    GroupCollections collections;
    error.clear();
    EXPECT_FALSE(writeGroupPdf(pdf, folder.path(), GroupStatistics(), collections, &error));
    EXPECT_TRUE(error.contains(pdf)) << error.toStdString();

    // The same through a PDF printer, as the print dialog sets it up.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    error.clear();
    EXPECT_FALSE(printPersonalReport(printer, folder.path(), {"山田"}, &error));
    EXPECT_TRUE(error.contains(pdf)) << error.toStdString();
}

// A PDF that cannot be finished (here a full disk) fails, through the PDF writer and the
// print dialog's PDF file alike, and leaves the earlier file as it was and no draft.
TEST_F(ReportOutput, UnfinishedPdfKeepsTheEarlierFile)
{
    const QString pdf = outPath("kept.pdf");
    const QByteArray earlier = "an earlier report";
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(earlier);
    file.close();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QString writerError, printerError;
    {
        qeltest::FileSizeLimit fullDisk(8192);
        ASSERT_TRUE(fullDisk.active());
        EXPECT_FALSE(writePersonalPdf(pdf, folder.path(), {"山田", "hanako"}, &writerError));
        EXPECT_FALSE(printPersonalReport(printer, folder.path(), {"山田", "hanako"}, &printerError));
    }
    EXPECT_TRUE(writerError.contains(pdf)) << writerError.toStdString();
    EXPECT_TRUE(printerError.contains(pdf)) << printerError.toStdString();
    EXPECT_EQ(printer.outputFileName(), pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), earlier);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.pdf"});
}

// A record or settings file of the folder is no output file, whatever asks for it.
TEST_F(ReportOutput, TrainerFilesAreRefused)
{
    const QString record = folder.file(QStringLiteral("山田_Qele.dat"));
    const QString settings = folder.file(QStringLiteral("山田.ini"));
    folder.writeSettings(QStringLiteral("山田"), "[OPTION]\nKeyboard=0\n");
    QFile ini(settings);
    QFile recordFile(record);
    ASSERT_TRUE(recordFile.open(QIODevice::ReadOnly));
    const QByteArray recordBytes = recordFile.readAll();
    recordFile.close();
    for (const QString &target : {record, settings}) {
        QString error;
        EXPECT_FALSE(writePersonalPdf(target, folder.path(), {"山田"}, &error));
        EXPECT_TRUE(error.contains(QStringLiteral("上書きできません"))) << error.toStdString();
        GroupCollections collections;
        EXPECT_FALSE(writeGroupPdf(target, folder.path(), GroupStatistics(), collections, &error));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target);
        error.clear();
        EXPECT_FALSE(printPersonalReport(printer, folder.path(), {"山田"}, &error));
        EXPECT_TRUE(error.contains(target)) << error.toStdString();
    }
    ASSERT_TRUE(recordFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(recordFile.readAll(), recordBytes);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), QByteArray("[OPTION]\nKeyboard=0\n"));
}

TEST_F(ReportOutput, PdfPrinterPrintsBothReports)
{
    const QString personal = outPath("printer-personal.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(personal);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape); // the job turns it to portrait
    // A PDF file has no unprintable edge: the job drops margins a dialog may have set.
    printer.setPageMargins(QMarginsF(25, 18, 5, 5), QPageLayout::Millimeter);
    QString error;
    ASSERT_TRUE(printPersonalReport(printer, folder.path(), {"hanako", "山田"}, &error)) << error.toStdString();
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.pageLayout().margins(), QMarginsF(0, 0, 0, 0));
    EXPECT_EQ(pageGeometry(printer).left, 20);
    EXPECT_EQ(pdfPages(personal), 2);
    expectCaptions(pdfText(personal), {"- 1/2 -", "- 2/2 -", "hanako", "山田"});

    const QString group = outPath("printer-group.pdf");
    printer.setOutputFileName(group);
    GroupCollections collections;
    makeView(folder.path(), scanFolder(folder.path(), EnglishGroup).nodes, &collections);
    ASSERT_TRUE(printGroupReport(printer, folder.path(), computeAllGroups(folder.path(), EnglishGroup),
                                 collections, &error))
        << error.toStdString();
    EXPECT_EQ(pdfPages(group), 1);
}

TEST(PdfTextMapping, NamesSharedGlyphsAfterTheDrawnCharacters)
{
    ensureGuiApplication();
    draw::installFontSubstitutes();
    const QFont font(draw::kGothic);
    // U+2F2D KANGXI RADICAL MOUNTAIN shares its glyph with 山 (U+5C71), U+2F65 with 田.
    const QByteArray before =
        "<2F2D> outside\n/CIDInit begincmap\n1 beginbfrange\n<0001> <0004> [<2F2D> <2F65> <0041> <2F42>]\n"
        "endbfrange\n1 beginbfchar\n<0005> <2F2D>\nendbfchar\nendcmap\n";
    QByteArray pdf = before;
    const QSet<char32_t> drawn = {U'山', U'田', U'A', U'\u2F42'};
    EXPECT_EQ(repairTextMapping(pdf, drawn, font), 3);
    EXPECT_EQ(pdf.size(), before.size());
    EXPECT_TRUE(pdf.startsWith("<2F2D> outside")) << pdf.constData(); // not a text map
    EXPECT_TRUE(pdf.contains("[<5C71> <7530> <0041> <2F42>]")) << pdf.constData(); // drawn as it is
    EXPECT_TRUE(pdf.contains("<0005> <5C71>")) << pdf.constData();

    // Nothing drawn that shares the glyph: the entry stays.
    QByteArray untouched = before;
    EXPECT_EQ(repairTextMapping(untouched, {U'A'}, font), 0);
    EXPECT_EQ(untouched, before);
}

// qelviewer-cli report
struct CliResult {
    int exitCode = -1;
    QString out, err;
};

CliResult cli(const QStringList &args)
{
    const qeltest::ProgramRun run = qeltest::runProgram(QStringLiteral(QELVIEWER_CLI), QStringList{"report"} + args,
                                                        {QStringLiteral("QEL_LANGUAGE=ja")});
    return {run.exitCode, run.outText(), run.errText()};
}

TEST_F(ReportOutput, CliWritesPersonalReports)
{
    const QString named = outPath("named.pdf");
    CliResult r = cli({folder.path(), "--personal", "hanako", "山田", "hanako", named});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPages(named), 2);
    const auto pages = pdfText(named).split(QChar('\f'));
    EXPECT_TRUE(pages[0].contains("hanako"));
    EXPECT_TRUE(pages[1].contains("山田"));

    // Everybody, in table order of all learners (names sorted as the scan sorts file names).
    const QString all = outPath("all.pdf");
    r = cli({folder.path(), "--personal", all});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPages(all), 3);
    const QString text = pdfText(all);
    expectCaptions(text, {"- 1/3 -", "- 3/3 -"});
    const auto allPages = text.split(QChar('\f'));
    EXPECT_TRUE(allPages[0].contains("hanako"));
    EXPECT_TRUE(allPages[1].contains("ichiro"));
    EXPECT_TRUE(allPages[2].contains("山田"));
}

TEST_F(ReportOutput, CliWritesGroupReport)
{
    const QString pdf = outPath("group.pdf");
    const CliResult r = cli({folder.path(), "--group", "2", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(pdfPages(pdf), 1);
    const GroupStatistics stats = computeAllGroups(folder.path(), KanaGroup);
    const QString text = pdfText(pdf);
    // Statistics of all three groups: 4 record files in all, 2 in each Course.
    EXPECT_EQ(stats.text(LearnerCountStat, AllGroup), "4");
    expectCaptions(text, {"平均練習回数", stats.text(MeanRunsStat, AllGroup), stats.text(MeanRunsStat, EnglishGroup),
                          stats.text(MeanRunsStat, KanaGroup)});
}

TEST_F(ReportOutput, CliErrorsExitWithTwo)
{
    const QString pdf = outPath("x.pdf");
    const struct {
        const char *what;
        QStringList args;
    } cases[] = {
        {"missing folder", {"/no/such/folder", "--group", "0", pdf}},
        {"unknown option", {folder.path(), "--personal", "--colour", pdf}},
        {"no mode", {folder.path(), pdf}},
        {"both modes", {folder.path(), "--personal", "--group", "0", pdf}},
        {"bad group", {folder.path(), "--group", "3", pdf}},
        {"group without number", {folder.path(), "--group"}},
        {"no output", {folder.path(), "--group", "1"}},
        {"output not a pdf", {folder.path(), "--personal", "hanako"}},
        {"names with --group", {folder.path(), "--group", "1", "hanako", pdf}},
        {"unknown learner", {folder.path(), "--personal", "nobody", pdf}},
        {"output cannot be written", {folder.path(), "--personal", outPath("missing/dir/x.pdf")}},
    };
    for (const auto &c : cases) {
        const CliResult r = cli(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.what;
        EXPECT_FALSE(r.err.isEmpty()) << c.what;
        EXPECT_FALSE(QFile::exists(pdf)) << c.what;
    }
    EXPECT_TRUE(cli({folder.path(), "--personal", outPath("missing/dir/x.pdf")}).err.contains("missing/dir/x.pdf"));

    // A folder without learners has nobody to print.
    QTemporaryDir empty;
    const CliResult r = cli({empty.path(), "--personal", pdf});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
