#include "reports/personalreport.h"

#include <memory>

#include "reports/printdraw.h"

#include "base/painting.h"
#include "graphs/runline.h"
#include "graphs/scales.h"
#include "records/filenames.h"
#include "records/learnertable.h"
#include "records/practicehistory.h"
#include "records/textformat.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSet>
#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace qel::reports {

using draw::mmToTwips;

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(PersonalReport)
};

//: Heading of the printed column of the English course.
QString englishHeading() { return Tr::tr("英文練習"); }
//: Heading of the printed column of the kana/romaji course.
QString kanaHeading() { return Tr::tr("かな／ローマ練習"); }
} // namespace

QStringList personalNameList(const QStringList &selectedRowNames, const TreeSelection &node)
{
    QStringList names;
    QSet<QString> seen;
    for (const QString &name : selectedRowNames)
        if (!seen.contains(name)) {
            seen.insert(name);
            names << name;
        }
    if (names.isEmpty() && node.kind == TreeSelection::LearnerNode)
        names << node.text;
    return names;
}

QString pageFooterText(int pageNumber, int pageCount)
{
    return QStringLiteral("- %1/%2 -").arg(pageNumber).arg(pageCount);
}

LearnerSource readingLearners(const QString &folder, const QStringList &names)
{
    auto current = std::make_shared<LearnerRecord>();
    return [folder, names, current](int index) -> const LearnerRecord & {
        *current = loadLearnerRecord(folder, names.value(index));
        return *current;
    };
}

bool drawPersonalReport(QPainter &painter, const PageGeometry &page, int count, const LearnerSource &learner,
                        const NewPage &newPage, QString *error, std::vector<UnreadableFile> *unreadable)
{
    for (int i = 0; i < count; ++i) {
        if (i > 0 && newPage && !newPage()) {
            if (error)
                //: %1: the number of the page the printer would not begin.
                *error = Tr::tr("%1ページ目を始められませんでした。").arg(i + 1);
            return false;
        }
        drawPersonalPage(painter, page, learner(i), i + 1, count, unreadable);
    }
    return true;
}

namespace {

// One row of the figure table: labels and values at their paper x.
struct TableRowLayout {
    struct Item {
        int paperX;
        QString text;
    };
    std::vector<Item> items;
    int secondRule = 0; // offset of a second rule below the row, 0 for none
    int advance = 5;
};

std::vector<TableRowLayout> tableRows(const LearnerSummary &s)
{
    const CourseTexts &e = s.courses[English];
    const CourseTexts &k = s.courses[Kana];
    const LearnerSettings &set = s.settings;
    auto perCourse = [](const QString &label, int x, const QString &english, const QString &kana) {
        return TableRowLayout{{{x, label}, {72, english}, {132, kana}}};
    };
    // Row captions of the figures and the learner's trainer settings.
    std::vector<TableRowLayout> rows = {
        perCourse(Tr::tr("合格済ステップ"), 32, e.passedStep, k.passedStep),
        perCourse(Tr::tr("練習回数"), 44, e.runCount, k.runCount),
        perCourse(Tr::tr("総練習時間"), 40, e.totalTime, k.totalTime),
        //: Progress rate: SPM gained per run.
        perCourse(Tr::tr("上達度"), 48, e.progressRate, k.progressRate),
        perCourse(Tr::tr("最高ＳＰＭ"), 40, e.bestSpm, k.bestSpm),
        perCourse(Tr::tr("最終練習日"), 40, e.lastPractice, k.lastPractice),
        //: The practice text chosen in the trainer.
        perCourse(Tr::tr("テキスト"), 44, set[EnglishTextSetting], set[KanaTextSetting]),
        // The double rule below closes the figures of the two Courses.
        {{{40, Tr::tr("変換モード")}, {132, set[ConversionModeSetting]}}, 6, 7},
        {{{32, Tr::tr("スピードガイド")}, {72, set[SpeedGuideSetting]}}},
        //: Whether the trainer shows the keyboard.
        {{{40, Tr::tr("キーボード")}, {72, set[KeyboardSetting]},
          //: Whether the trainer marks a mistyped key on the keyboard.
          {122, Tr::tr("ミスタイプ")}, {152, set[MistypeSetting]}}},
        //: Whether the trainer shows kanji, and their reading.
        {{{52, Tr::tr("漢字")}, {72, set[KanjiSetting]},
          {134, Tr::tr("読み")}, {152, set[ReadingSetting]}}},
        {{{44, Tr::tr("カーソル")}, {72, set[CursorSetting]}}},
        //: Whether the trainer shows the time elapsed.
        {{{44, Tr::tr("経過時間")}, {72, set[ElapsedTimeSetting]}}, 5, 0},
    };
    return rows;
}

// The runs of one Course for its printed practice graph. The graph's SPM scale comes from
// the best SPM, which only the end of the walk knows, so the points wait here: up to
// kExactRuns runs as they are, each drawn as its own segment; a longer history is merged
// per device pixel column as the pane merges it, which bounds what any file keeps.
class PrintedRuns : public RunVisitor {
public:
    static constexpr std::size_t kExactRuns = 65536;

    PrintedRuns(const PageGeometry &g, Course course, double devicePixelsPerTwip)
        : m_x0(mmToTwips(g.panelLeft(course) + 5)), m_width(mmToTwips((g.right - g.left) / 2 - 10)),
          m_devicePixelsPerTwip(devicePixelsPerTwip),
          m_frame(QPointF(m_x0, mmToTwips(g.top + 92)),
                  QPointF(mmToTwips(g.panelRight(course) - 5), mmToTwips(g.dividerY() - 4)))
    {
    }

    void begin(const PracticeHistory &header) override
    {
        m_n = header.runCount();
        m_columns = m_n < 10 ? 10.0 : double(((m_n - 1) / 10) * 10 + 10);
    }

    void runs(std::int64_t first, std::span<const RunSample> samples) override
    {
        if (m_spm) {
            for (const RunSample &run : samples)
                merge(first++, run);
            return;
        }
        m_kept.insert(m_kept.end(), samples.begin(), samples.end());
        if (m_kept.size() <= kExactRuns)
            return;
        // Too many to keep: merge from here on, starting with those kept (runs 1, 2, ...).
        m_spm.emplace(m_devicePixelsPerTwip, 0.0);
        m_rate.emplace(m_devicePixelsPerTwip, 0.0);
        std::int64_t k = 1;
        for (const RunSample &run : m_kept)
            merge(k++, run);
        std::vector<RunSample>().swap(m_kept);
    }

    // Both data lines and the trend line, on the twips scale, `s` SPM per division.
    void draw(QPainter &painter, const PracticeHistory &history, const PageGeometry &g, int s)
    {
        const int step = g.graphStep;
        const double y0 = mmToTwips(g.dividerY() - 4);
        const auto spmY = [&](double v) { return y0 - v * step / s; };
        const auto rateY = [&](double q) { return y0 - q * (step / 10) / 100.0; };
        const std::int64_t n = m_n;
        const std::int64_t inFile = history.runsInFile();
        if (m_spm) {
            // Runs past the end of the file read as zero words: one flat stretch.
            if (inFile < n) {
                merge(inFile + 1, RunSample{});
                if (n > inFile + 1)
                    merge(n, RunSample{});
            }
            drawMerged(painter, m_spm->take(), spmY, Qt::SolidLine);
            drawMerged(painter, m_rate->take(), rateY, Qt::DotLine);
        } else {
            const auto segment = [&](std::int64_t from, std::int64_t to, RunSample a, RunSample b) {
                setLine(painter, 1);
                drawInFrame(painter, QLineF(x(from), spmY(a.spm), x(to), spmY(b.spm)));
                setLine(painter, 1, Qt::black, Qt::DotLine);
                drawInFrame(painter, QLineF(x(from), rateY(a.mistypeRate), x(to), rateY(b.mistypeRate)));
                setLine(painter, 1);
            };
            const auto run = [&](std::int64_t k) {
                return k <= std::int64_t(m_kept.size()) ? m_kept[std::size_t(k - 1)] : RunSample{};
            };
            RunSample previous = run(1);
            // Runs past the end of the file read as zero words: after the first of them the
            // rest of both lines lies flat on the base line, drawn at once whatever the count.
            const std::int64_t withData = std::min(n, inFile + 1);
            for (std::int64_t i = 2; i <= withData; ++i) {
                const RunSample current = run(i);
                segment(i - 1, i, previous, current);
                previous = current;
            }
            if (n > withData)
                segment(withData, n, RunSample{}, RunSample{});
        }
        if (const auto trend = history.trendLine()) {
            setLine(painter, 4);
            drawInFrame(painter, QLineF(m_x0 + m_width / m_columns, spmY(double(trend->first)), x(n),
                                        spmY(double(trend->last))));
        }
    }

private:
    double x(std::int64_t k) const { return m_x0 + m_width * double(k) / m_columns; }
    // The raw values go in: the scale that turns them into positions is not known yet,
    // and it keeps their order.
    void merge(std::int64_t k, RunSample run)
    {
        m_spm->add(QPointF(x(k), run.spm));
        m_rate->add(QPointF(x(k), run.mistypeRate));
    }
    // Data lines stay inside the graph's frame, whatever the values.
    void drawInFrame(QPainter &painter, const QLineF &line) const
    {
        if (const auto part = graphs::clipSegment(line, m_frame))
            painter.drawLine(*part);
    }
    template <typename Place>
    void drawMerged(QPainter &painter, std::vector<QPointF> vertices, const Place &y, Qt::PenStyle style) const
    {
        if (vertices.size() < 2)
            return;
        for (QPointF &p : vertices)
            p.setY(y(p.y()));
        setLine(painter, 1, Qt::black, style);
        graphs::drawClippedPolyline(painter, vertices, m_frame);
        setLine(painter, 1);
    }

    double m_x0;
    double m_width;
    double m_devicePixelsPerTwip;
    QRectF m_frame; // the practice graph's frame, twips
    std::int64_t m_n = 0;
    double m_columns = 10;
    std::vector<RunSample> m_kept;
    std::optional<graphs::ColumnMerge> m_spm, m_rate;
};

// One Course of the page: its history from the one walk (none without a file) and its runs.
struct PrintedCourse {
    std::optional<PracticeHistory> history;
    PrintedRuns runs;
};

// The practice graph in the upper panel of a Course; the scales come from the learner's
// figures, the runs from the walk of the page.
void drawPracticeGraph(QPainter &painter, const PageGeometry &g, PrintedCourse &printed, Course course)
{
    const std::optional<PracticeHistory> &history = printed.history;
    const int pl = g.panelLeft(course);
    const int pr = g.panelRight(course);
    const int m = g.dividerY();
    const int step = g.graphStep;

    draw::useTwips(painter);
    setPrintFont(painter, 6);

    // A Course without a file shows the figures of no runs.
    const int s = graphs::spmPerDivision(history ? history->bestSpm() : 0);
    for (int v = 0; v <= 10; ++v) {
        const int y = mmToTwips(g.top + 91) + v * step;
        textAt(painter, mmToTwips(pl + 1) - 50, y, numberText(std::int64_t(s) * (10 - v)));
        if (v <= 9)
            textAt(painter, mmToTwips(pr - 4) - 40, y, QString::number((10 - v) * 10) + QLatin1Char('%'));
    }
    const std::int64_t n = history ? history->runCount() : 0;
    const std::int64_t runsPerColumn = (n - 1) / 10 + 1;
    for (int e = 1; e <= 10; ++e)
        textAt(painter, mmToTwips(pl + 3) + e * step, mmToTwips(m - 3) - 20,
               numberText(e * runsPerColumn));

    setPrintFont(painter, 8);
    setLine(painter, 2);
    painter.setBrush(Qt::white);
    drawBox(painter, mmToTwips(pl + 5), mmToTwips(g.top + 92), mmToTwips(pr - 5), mmToTwips(m - 4));
    for (int i = 1; i <= 9; ++i) {
        const int y = mmToTwips(g.top + 92) + i * step;
        painter.drawLine(QPointF(mmToTwips(pl + 5), y), QPointF(mmToTwips(pr - 5), y));
    }
    const int captionY = mmToTwips(g.top + 89);
    //: Caption of the left axis: strokes per minute.
    textAt(painter, mmToTwips(pl + 5), captionY, Tr::tr("ストローク／分"));
    if (course == English)
        textAt(painter, mmToTwips(pl + 40), captionY, englishHeading());
    else
        textAt(painter, mmToTwips(pl + 32), captionY, kanaHeading());
    //: Caption of the right axis: mistyped strokes in percent.
    textAt(painter, mmToTwips(pl + 64), captionY, Tr::tr("ミスタイプ率(%)"));

    if (n > 1 && history)
        printed.runs.draw(painter, *history, g, s);
}

// The practice time per STEP in the lower panel of a Course.
void drawTimeGraph(QPainter &painter, const PageGeometry &g, const PrintedCourse &printed, Course course)
{
    const int pl = g.panelLeft(course);
    const int pr = g.panelRight(course);
    const int m = g.dividerY();
    const int step = g.graphStep;

    draw::useTwips(painter);
    setLine(painter, 1);
    // Bars stand on whole multiples of 10 twips; frame, grid and numbers keep the step.
    const int barDivision = step - step % 10;
    painter.setBrush(Qt::white);
    drawBox(painter, mmToTwips(pl + 5), mmToTwips(m + 4), mmToTwips(pr - 5), mmToTwips(g.bottom - 4));
    for (int i = 1; i <= 9; ++i) {
        const int y = mmToTwips(m + 4) + i * step;
        painter.drawLine(QPointF(mmToTwips(pl + 5), y), QPointF(mmToTwips(pr - 5), y));
    }

    // A missing file is neither read nor created: no STEPs, longest time 0.
    const StepTimeTable *table = printed.history ? &printed.history->stepTimes() : nullptr;
    const std::int32_t stepCount = table ? table->stepCount : 0;
    const std::int64_t longest = table ? maxstep(*table, stepCount) : 0;
    const graphs::TimeAxis axis = graphs::timeAxisFor(longest);
    const double u = double(axis.secondsPerDivision);

    const int bars = std::min(stepCount, std::int32_t(kStepRecords));
    const double x0 = mmToTwips(pl + 5);
    const double width = mmToTwips((g.right - g.left) / 2 - 10);
    const double base = mmToTwips(g.bottom - 4);
    setPrintFont(painter, 6);
    for (int i = 1; i <= bars; ++i) {
        const double slotLeft = x0 + width * (i - 1) / bars;
        const double slotRight = x0 + width * i / bars;
        const double seconds = table->stepSeconds[std::size_t(i - 1)];
        drawHatchedBox(painter, slotLeft, base, slotRight, base - barDivision * seconds / u);
        const bool labelled = bars < 20 ? true : bars < 50 ? i % 5 == 0 : i % 10 == 0;
        if (labelled)
            textAt(painter, slotLeft - 50, mmToTwips(g.bottom - 3), numberText(i));
    }
    painter.setBrush(Qt::NoBrush);

    setPrintFont(painter, 8);
    //: Caption of the time graph: practice time per STEP.
    textAt(painter, mmToTwips(pl + 34), mmToTwips(m + 1), Tr::tr("STEP毎 練習時間"));
    setPrintFont(painter, 6);
    for (int p = 0; p <= 10; ++p)
        textAt(painter, mmToTwips(pl + 1) - 50, base - p * step - 120, numberText(axis.label(p)));
    textAt(painter, mmToTwips(pl + 5), mmToTwips(m + 1), axis.caption);
}

} // namespace

void drawPersonalPage(QPainter &painter, const PageGeometry &g, const LearnerRecord &learner, int pageNumber,
                      int pageCount, std::vector<UnreadableFile> *unreadable)
{
    const QString &name = learner.name;
    draw::useMillimetres(painter);
    setPrintFont(painter, 16);
    setLine(painter, 1);
    painter.setBrush(Qt::white);
    drawBox(painter, g.left, g.top, g.right, g.bottom);

    // Each record file was read once for the whole page: figures, STEP times and runs.
    const double devicePixelsPerTwip = painter.device()->logicalDpiX() / double(kTwipsPerInch);
    PrintedCourse english{std::nullopt, PrintedRuns(g, English, devicePixelsPerTwip)};
    PrintedCourse kana{std::nullopt, PrintedRuns(g, Kana, devicePixelsPerTwip)};
    for (PrintedCourse *printed : {&english, &kana}) {
        const auto &loaded = learner.courses[printed == &english ? English : Kana];
        if (!loaded)
            continue;
        printed->history = loaded->history();
        loaded->replay(printed->runs);
    }
    const LearnerSummary &summary = learner.summary;
    if (unreadable)
        unreadable->insert(unreadable->end(), summary.unreadable.begin(), summary.unreadable.end());

    setPrintFont(painter, 20);
    int y = g.top + 3;
    textAt(painter, g.paperX(25), y, shownFileName(name));

    setPrintFont(painter, 14);
    y += 10;
    textAt(painter, g.paperX(87), y, englishHeading());
    textAt(painter, g.paperX(142), y, kanaHeading());

    setPrintFont(painter, 12);
    y += 8;
    const auto rule = [&](int at) {
        painter.drawLine(QPointF(g.paperX(32), at), QPointF(g.paperX(192), at));
    };
    for (const TableRowLayout &row : tableRows(summary)) {
        for (const auto &item : row.items)
            textAt(painter, g.paperX(item.paperX), y, item.text);
        rule(y + 4);
        if (row.secondRule)
            rule(y + row.secondRule);
        y += row.advance;
    }

    setLine(painter, 4);
    const int m = g.dividerY();
    painter.drawLine(QPointF(g.left + 2, m), QPointF(g.right - 2, m));
    const int cx = g.centreX();
    painter.drawLine(QPointF(cx, g.top + 90), QPointF(cx, g.bottom - 2));
    setLine(painter, 1);

    drawPracticeGraph(painter, g, english, English);
    drawPracticeGraph(painter, g, kana, Kana);
    drawTimeGraph(painter, g, english, English);
    drawTimeGraph(painter, g, kana, Kana);

    draw::useMillimetres(painter);
    setPrintFont(painter, 8);
    textAt(painter, (g.left + g.right) / 2 - 5, g.bottom + 2, pageFooterText(pageNumber, pageCount));
}

} // namespace qel::reports
