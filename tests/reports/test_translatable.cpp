// Every text the layers below the window show goes through the translation: under a
// translator that marks whatever it is asked for, each shown text comes back marked. The
// files other programs read keep their Japanese whatever the language.

#include "tests/reports/fixtures.h"
#include "tests/reports/pagedrawing.h"
#include "tests/support/boardrows.h"

#include "base/namemask.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "graphs/practicebars.h"
#include "graphs/scales.h"
#include "history/figures.h"
#include "history/journal.h"
#include "records/attention.h"
#include "records/groupstats.h"
#include "records/learnersettings.h"
#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "reports/classsheet.h"
#include "reports/csv.h"
#include "reports/groupreport.h"
#include "reports/historycsv.h"
#include "reports/outputfile.h"
#include "reports/personalreport.h"
#include "reports/printjob.h"
#include "reports/weekreport.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;

namespace {

const QString kMark = QStringLiteral("{{");

// Answers every text it is asked for, marked; placeholders stay for arg() and %n.
class PseudoTranslator : public QTranslator {
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return kMark + QString::fromUtf8(source) + QStringLiteral("}}");
    }
    bool isEmpty() const override { return false; }
};

const QDateTime kNow(QDate(2026, 5, 13), QTime(10, 0, 0));

class Translatable : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApplication();
        ASSERT_TRUE(QCoreApplication::installTranslator(&pseudo));
        folder.write(QStringLiteral("hanako"), true, content(12, risingRuns(30, 80, 1), {600, 900, 300}));
        folder.write(QStringLiteral("hanako"), false, content(2, risingRuns(1, 40, 0), {120}));
        folder.writeSettings(QStringLiteral("hanako"),
                             "[OPTION]\r\nRomeMode=10\r\nSpeedGide=1\r\nSpeedGideType=3\r\nConstSpeed=12\r\n"
                             "Keyboard=1\r\nMissTypeKey=0\r\nShowKanji=11\r\nShowCursor=0\r\nTimedisp=1\r\n");
        folder.write(QStringLiteral("ichiro"), true, content(0, {}));
    }
    void TearDown() override { QCoreApplication::removeTranslator(&pseudo); }

    // A text shown that holds words (letters beyond the learners' data) but no mark.
    void check(const QString &where, const QString &text)
    {
        QString words = text;
        for (const QString &data : {QStringLiteral("hanako"), QStringLiteral("ichiro"), folder.path()})
            words.remove(data);
        const bool hasWords = std::any_of(words.begin(), words.end(), [](QChar c) { return c.isLetter(); });
        if (hasWords && !text.contains(kMark))
            unmarked << where + QStringLiteral(": ") + text;
        ++checked;
    }
    void checkAll(const QString &where, const QStringList &texts)
    {
        for (const QString &text : texts)
            check(where, text);
    }
    void checkPage(const QString &where, const PageDrawing &drawing)
    {
        for (const DrawnText &t : drawing.texts)
            check(where, t.text);
    }
    void checkPane(const QString &where, const RecordingDevice &device)
    {
        for (const PaintedText &t : device.painting().texts)
            check(where, t.text);
    }

    PseudoTranslator pseudo;
    Folder folder;
    QStringList unmarked;
    int checked = 0;
};

std::vector<AttentionEntry> everyState()
{
    using qeltest::boardRow;
    using qeltest::sameRuns;
    std::vector<TableRow> rows{
        boardRow(QStringLiteral("hanako"), kNow.addDays(-10), qeltest::goodRuns()),           // absent
        boardRow(QStringLiteral("hanako"), kNow.addDays(-1), {}),                              // no runs
        boardRow(QStringLiteral("hanako"), kNow.addDays(-1), sameRuns(12, {60, 900})),         // below, stuck
        boardRow(QStringLiteral("hanako"), kNow.addSecs(-60), qeltest::goodRuns()),            // practising
        boardRow(QStringLiteral("hanako"), kNow.addSecs(-3600), qeltest::goodRuns(), Kana),    // on target
        qeltest::unreadableRow(QStringLiteral("ichiro")),
    };
    const HistoryLookup history = [](const TableRow &) { return HistoryFigures{0, 10}; };
    return assessClass(rows, kNow, ClassTargets{}, history);
}

TEST_F(Translatable, RecordTexts)
{
    for (int group : {AllGroup, EnglishGroup, KanaGroup})
        check("groupName", groupName(group));
    check("fileCountText", fileCountText(3));
    check("listTitleText", listTitleText());
    for (int row = 0; row < 7; ++row)
        check("statCaption", statCaption(row));
    for (Course course : {English, Kana}) {
        check("courseListText", courseListText(course));
        TableRow row = qeltest::boardRow(QStringLiteral("hanako"), kNow, {}, course);
        row.cells[CourseColumn] = courseListText(course, Wording::Japanese);
        check("shownCell", shownCell(row, CourseColumn));
    }
    const LearnerSummary summary = readSummary(folder.path(), QStringLiteral("hanako"));
    for (const QString &text : summary.texts())
        check("summary", text);
    for (const QString &text : readSummary(folder.path(), QStringLiteral("ichiro")).texts())
        check("summary without runs or settings", text);
    for (int n = 0; n < kNeedCount; ++n)
        check("needCaption", needCaption(Need(n), 9));
    for (const AttentionEntry &entry : everyState()) {
        checkAll("attention", {stateText(entry.assessment), reasonsText(entry.assessment),
                               furtherReasonsText(entry.assessment), figuresText(entry), lastPracticeText(entry)});
        for (const Finding &finding : entry.assessment.findings)
            check("reasonText", reasonText(finding));
    }
    check("numberText", NameMask::numberText(3));
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join('\n').toStdString();
}

TEST_F(Translatable, HistoryTexts)
{
    checkAll("history", {history::notObservedText(), history::noteText(false, std::nullopt),
                         history::noteText(true, QDate(2026, 5, 1)), history::Journal::damagedText("/tmp/x.db"),
                         history::Journal::cannotWriteText(), history::Journal::unavailableText("/tmp/x.db", "locked")});
    history::PeriodFigures carried;
    carried.first = carried.last = QDate(2026, 5, 4);
    carried.daysObserved = 1;
    carried.carriedFrom = QDate(2026, 5, 1);
    checkAll("period header", csv::periodHeader(Wording::Shown));
    checkAll("period cells", csv::periodCells(QStringLiteral("hanako"), Kana, carried, history::Period::Day, Wording::Shown));
    const history::WeekFigures unseen;
    check("weekNote", csv::weekNote(unseen, {1, 60, 0, true, QDate(2026, 5, 1)}, Wording::Shown));
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join('\n').toStdString();
}

TEST_F(Translatable, PaneGraphs)
{
    graphs::GraphState state;
    for (int kind : {0, 1})
        for (const char *file : {"hanako_Qele.dat", "hanako_Qelk.dat"}) {
            RecordingDevice device(800, 500, 96);
            QPainter painter(&device);
            state.resetPersonalScales();
            const auto result = graphs::drawPersonalGraph(painter, 12000, 7500, kind,
                                                          {QStringLiteral("hanako"), courseListText(English), "  110"},
                                                          folder.file(QString::fromLatin1(file)), state);
            painter.end();
            check("heading", result.heading);
            checkPane(file, device);
        }
    GroupCollections collections{{1, 2, 5, 12}, {3, 30, 300, 3000}};
    for (int kind : {graphs::StepStatistics, graphs::RunStatistics}) {
        RecordingDevice device(800, 500, 96);
        QPainter painter(&device);
        const auto result = graphs::drawGroupGraph(painter, 12000, 7500, kind, groupName(AllGroup), 4, collections, state);
        painter.end();
        checkAll("group graph", {result.heading, result.statusText});
        checkPane("group graph", device);
    }
    RecordingDevice bars(800, 500, 96);
    QPainter painter(&bars);
    graphs::drawPracticeBars(painter, 12000, 7500,
                             {{"05/01", 3, true, false}, {"05/02", 0, false, false}, {"05/03", 5, true, true}},
                             kMark + QStringLiteral("runs}}")); // the caller's caption, translated
    painter.end();
    checkPane("practice bars", bars);
    checkAll("legends", {graphs::notObservedLegend(), graphs::carriedLegend(), graphs::timeAxisFor(100).caption,
                         graphs::timeAxisFor(100000).caption});
    EXPECT_GT(checked, 50);
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join('\n').toStdString();
}

TEST_F(Translatable, PrintedPages)
{
    const reports::PageGeometry a4 = reports::pageGeometry(210, 297, 0, 0);
    {
        PageDevice device;
        QPainter painter(&device);
        const QStringList names{QStringLiteral("hanako"), QStringLiteral("ichiro")};
        ASSERT_TRUE(reports::drawPersonalReport(painter, a4, 2, reports::readingLearners(folder.path(), names),
                                                [&] { return device.newPage(); }));
        painter.end();
        checkPage("personal report", device.drawing());
    }
    {
        GroupStatistics stats = computeAllGroups(folder.path());
        GroupCollections collections{{1, 2, 5, 12}, {3, 30, 300, 3000}};
        PageDevice device;
        QPainter painter(&device);
        reports::drawGroupReport(painter, a4, folder.path(), stats, collections);
        painter.end();
        checkPage("group report", device.drawing());
    }
    for (const bool empty : {false, true}) {
        const auto entries = empty ? std::vector<AttentionEntry>{} : everyState();
        const reports::ClassSheet sheet =
            reports::classSheet(entries, [](const AttentionEntry &e) { return e.name; }, KanaGroup, kNow);
        checkAll("class sheet", {sheet.title, sheet.stamp});
        PageDevice device;
        QPainter painter(&device);
        reports::drawClassSheet(painter, a4, sheet);
        painter.end();
        checkPage("class sheet", device.drawing());
    }
    {
        history::WeekComparison c;
        c.today = QDate(2026, 5, 13);
        c.thisWeek = QDate(2026, 5, 11);
        c.lastWeek = QDate(2026, 5, 4);
        for (int i = 0; i < 200; ++i)
            c.learners.push_back({QStringLiteral("k%1").arg(i), QStringLiteral("hanako"), English,
                                  {1, 60, 0, i % 2 == 0, std::nullopt}, {2, 90, 1, true, QDate(2026, 5, 1)}});
        c.groupThis = {12, 3456, 3, true, QDate(2026, 5, 9)};
        c.groupLast = {20, 900, 0, false, std::nullopt};
        c.learnerCount = 200;
        PageDevice device;
        QPainter painter(&device);
        reports::drawWeekReport(painter, reports::groupPageGeometry(210, 297, 3, 4), folder.path(), c);
        painter.end();
        checkPage("week report", device.drawing());
    }
    checkAll("labels", {reports::countLabel(7, 3), reports::rangeLabel(1, 5), reports::rangeLabel(4, 5),
                        reports::rangeLabel(11, 5), reports::carriedNote(), reports::leftOutText(3),
                        reports::trainerFileRefusal(folder.file("hanako.ini"))});
    QString error;
    GroupCollections none;
    EXPECT_FALSE(reports::writeGroupPdf(folder.file("no/such/folder/g.pdf"), folder.path(), GroupStatistics{},
                                        none, &error));
    check("print error", error);
    EXPECT_GT(checked, 100);
    EXPECT_TRUE(unmarked.isEmpty()) << unmarked.join('\n').toStdString();
}

// What other programs read stays as it is in every language.
TEST_F(Translatable, CsvKeepsItsJapanese)
{
    const auto entries = everyState();
    const QByteArray board =
        csv::boardDocument(entries, [](const AttentionEntry &e) { return e.name; }, csv::Encoding::Utf8);
    EXPECT_FALSE(board.contains("{{")) << board.toStdString();
    EXPECT_TRUE(board.contains("目標未達")) << board.toStdString();
    EXPECT_TRUE(board.contains(",未練習")) << board.toStdString();

    const std::vector<TableRow> rows = makeView(folder.path(), scanFolder(folder.path(), AllGroup).nodes);
    std::vector<csv::Row> lines;
    for (const TableRow &row : rows)
        lines.push_back({row.name, row.cells});
    const QByteArray table = csv::document(lines, csv::Encoding::Utf8);
    EXPECT_FALSE(table.contains("{{")) << table.toStdString();
    EXPECT_TRUE(table.contains("hanako,かな/ﾛｰﾏ,")) << table.toStdString();

    history::PeriodFigures unseen;
    unseen.first = unseen.last = QDate(2026, 5, 4);
    QStringList history = csv::periodHeader() + csv::periodCells("hanako", Kana, unseen, history::Period::Day);
    history::WeekComparison c;
    c.learners.push_back({"k", "hanako", Kana, {}, {1, 60, 0, true, QDate(2026, 5, 1)}});
    for (const QStringList &line : csv::weekLines(c))
        history += line;
    EXPECT_FALSE(history.join(',').contains(kMark)) << history.join(',').toStdString();
    EXPECT_TRUE(history.contains("未観測")) << history.join(',').toStdString();
}

} // namespace
