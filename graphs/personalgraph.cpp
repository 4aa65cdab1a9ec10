#include "graphs/personalgraph.h"

#include "base/painting.h"
#include "graphs/graphframe.h"
#include "graphs/scales.h"
#include "records/loadedhistory.h"
#include "records/textformat.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

namespace qel::graphs {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(PersonalGraph)
};
} // namespace

QString practiceHeading(const PersonalGraphRow &row)
{
    //: Heading of the practice graph: %1 the learner's name, %2 the course.
    return Tr::tr("%1さんの %2 練習記録グラフです。").arg(row.name, row.courseText);
}

QString timeHeading(const PersonalGraphRow &row)
{
    //: Heading of the practice time graph: %1 the learner's name, %2 the course.
    return Tr::tr("%1さんの %2 練習時間グラフです。").arg(row.name, row.courseText);
}

namespace {

// The axis captions over the plot. In a pane too narrow for both, the mistype rate's keeps
// only its unit, ending where the whole caption would, or goes when even that collides.
void writeCaptions(QPainter &painter, const GraphFrame &f)
{
    const double y = f.captionTop();
    //: Caption of the left axis: strokes per minute.
    const QString speed = Tr::tr("ストローク／分");
    writeText(painter, 120, y, speed, kBlue);
    // Half a character apart at least.
    const double free = 120 + draw::textWidth(painter, speed) + kPaneTextHeight / 2;
    //: Caption of the right axis: mistyped strokes in percent.
    const QString whole = Tr::tr("ミスタイプ率(%)");
    double x = f.width - 1500;
    QString rate = whole;
    if (x < free) {
        const double end = x + draw::textWidth(painter, whole);
        rate = QStringLiteral("(%)");
        x = end - draw::textWidth(painter, rate);
    }
    if (x >= free)
        writeText(painter, x, y, rate, kRed);
}

// Draws the axes once the header is read, then each run as it streams past.
class PanePractice : public RunVisitor {
public:
    PanePractice(QPainter &painter, const GraphFrame &frame, const PersonalGraphRow &row,
                 GraphState &state, RunLines lines)
        : m_painter(painter), m_f(frame), m_row(row), m_state(state), m_lines(lines)
    {
    }

    void begin(const PracticeHistory &header) override
    {
        QPainter &painter = m_painter;
        const GraphFrame &f = m_f;
        m_state.spmPerDivision = spmPerDivision(m_row.bestSpm.trimmed().toInt());
        m_spmStep = m_state.spmPerDivision;
        drawAxisBars(painter, f, kBlue, kRed);
        for (int i = 0; i <= 10; ++i) {
            const int y = f.base - i * f.division - 70;
            writeNumber(painter, 240, y, std::int64_t(m_spmStep) * i, kBlue);
            writeNumber(painter, f.width - 590, y, 10 * i, kRed);
        }
        writeCaptions(painter, f);
        //: Caption of the horizontal axis: the runs, first to last.
        writeText(painter, (f.width / 2) - 200, f.base + 300, Tr::tr("練習回数"), kBlack);

        const std::int64_t n = header.runCount();
        m_axis = runAxisFor(f.plotWidth, n);
        m_state.runsPerColumn = m_axis.runsPerColumn;
        for (int j = 1; j <= m_axis.columns; ++j) {
            const int x = 600 + m_axis.columnWidth * j;
            painter.setPen(draw::devicePen(kBlack, 1));
            painter.drawLine(QPointF(x, f.base), QPointF(x, f.base - 100));
            writeNumber(painter, x - 150, f.base + 100, m_axis.runsPerColumn * j, kBlack);
        }
        if (n < 2) {
            writeText(painter, (f.plotWidth / 2) - 1000, f.plotHeight / 2,
                      //: In place of the practice graph of a learner with fewer than two runs.
                      Tr::tr("回数が２回目からグラフ表示されます。"), kBlack);
            return;
        }
        if (m_axis.columns == 0)
            return;

        // Merging only pays (and only changes anything) when runs are closer than a pixel.
        const double pixelsPerRun = std::abs(painter.deviceTransform().m11()) * m_axis.columnWidth
                                  / double(m_axis.runsPerColumn);
        const auto mode = m_lines == RunLines::Merged && pixelsPerRun < 1.0 ? RunLine::Mode::Merged
                                                                            : RunLine::Mode::EverySegment;
        const double width = n > 100 ? 1 : 2;
        m_rate.emplace(painter, draw::devicePen(kRed, width), mode, f.plot());
        m_spm.emplace(painter, draw::devicePen(kBlue, width), mode, f.plot());
    }

    void runs(std::int64_t first, std::span<const RunSample> samples) override
    {
        if (!m_spm)
            return;
        std::int64_t k = first;
        for (const RunSample &run : samples)
            add(k++, run);
    }

    // The rest of the lines and the trend line, once every run has passed.
    void finish(const PracticeHistory &history)
    {
        if (!m_spm)
            return;
        // The runs a short file lacks read as zero: one straight line along the axis, however many.
        const std::int64_t n = history.runCount();
        const std::int64_t inFile = history.runsInFile();
        if (inFile < n) {
            add(inFile + 1, RunSample{});
            if (n > inFile + 1)
                add(n, RunSample{});
        }
        m_rate->finish();
        m_spm->finish();
        if (const auto trend = history.trendLine()) {
            const auto line = clipSegment(QLineF(x(1), ySpm(double(trend->first)), x(n), ySpm(double(trend->last))),
                                          m_f.plot());
            if (line) {
                m_painter.setPen(draw::devicePen(kGreen, 2));
                m_painter.drawLine(*line);
            }
        }
    }

private:
    double x(std::int64_t k) const { return 600.0 + double(m_axis.offset(k)); }
    double ySpm(double v) const { return m_f.base - v * m_f.division / m_spmStep; }
    double yRate(double w) const { return m_f.base - w * double(m_f.division / 10) / 100.0; }
    void add(std::int64_t k, RunSample run)
    {
        m_rate->add(QPointF(x(k), yRate(run.mistypeRate)));
        m_spm->add(QPointF(x(k), ySpm(run.spm)));
    }

    QPainter &m_painter;
    const GraphFrame &m_f;
    const PersonalGraphRow &m_row;
    GraphState &m_state;
    RunLines m_lines;
    int m_spmStep = 10;
    RunAxis m_axis;
    std::optional<RunLine> m_rate, m_spm;
};

void drawPractice(QPainter &painter, const GraphFrame &f, const PersonalGraphRow &row,
                  const LoadedHistory *loaded, GraphState &state, RunLines lines,
                  PersonalGraphResult &result)
{
    result.heading = practiceHeading(row);
    if (!loaded)
        return;
    PanePractice pane(painter, f, row, state, lines);
    loaded->replay(pane);
    result.fileRead = true;
    pane.finish(loaded->history());
}

void drawTime(QPainter &painter, const GraphFrame &f, const PersonalGraphRow &row,
              const LoadedHistory *loaded, PersonalGraphResult &result)
{
    result.heading = timeHeading(row);
    if (!loaded)
        return;
    const StepTimeTable *table = &loaded->history().stepTimes();
    result.fileRead = true;

    drawAxisBars(painter, f, kBlack, kBlack);
    const TimeAxis axis = timeAxisFor(maxstep(*table, table->stepCount));
    const int bars = std::min(table->stepCount, kStepRecords);
    // The slot comes from the whole count, so STEPs past 200 leave their part of the plot empty.
    const int slot = table->stepCount > 0 ? f.plotWidth / table->stepCount : 0;
    if (slot > 0) {
        for (int i = 1; i <= bars; ++i) {
            const double height = double(f.division) * table->stepSeconds[std::size_t(i - 1)]
                                 / double(axis.secondsPerDivision);
            const int left = 600 + slot * (i - 1);
            fillBox(painter, left + 100, f.base, slot * i + 500, f.base - height, kBlue);
            const bool numbered = bars < 50 ? true : bars < 100 ? i % 5 == 0 : i % 10 == 0;
            if (numbered)
                writeNumber(painter, left, f.base + 100, i, kBlack);
        }
    }
    //: Caption of the horizontal axis of the time graph: practice time per STEP.
    writeText(painter, (f.width / 2) - 200, f.base + 300, Tr::tr("STEP毎 練習時間"), kBlack);
    for (int i = 0; i <= 10; ++i)
        writeNumber(painter, 240, f.base - i * f.division - 70, axis.label(i), kBlue);
    writeText(painter, 400, f.captionTop(), axis.caption, kBlue);
}

} // namespace

PersonalGraphResult drawPersonalGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                      const PersonalGraphRow &row, const QString &recordPath,
                                      GraphState &state, RunLines lines)
{
    const auto loaded = LoadedHistory::read(recordPath);
    return drawPersonalGraph(painter, widthTwips, heightTwips, kind, row, loaded ? &*loaded : nullptr, state, lines);
}

PersonalGraphResult drawPersonalGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                      const PersonalGraphRow &row, const LoadedHistory *loaded,
                                      GraphState &state, RunLines lines)
{
    PersonalGraphResult result;
    state.graphFamily = PersonalFamily;
    painter.save();
    draw::useTwips(painter);
    usePaneFont(painter);
    const GraphFrame frame = GraphFrame::forPane(widthTwips, heightTwips);
    drawFrameBase(painter, frame);
    if (kind == PracticeGraph)
        drawPractice(painter, frame, row, loaded, state, lines, result);
    else if (kind == TimeGraph)
        drawTime(painter, frame, row, loaded, result);
    painter.restore();
    return result;
}

} // namespace qel::graphs
