#include "graphs/personalgraph.h"

#include "base/painting.h"
#include "graphs/graphframe.h"
#include "graphs/scales.h"
#include "records/recordfile.h"
#include "records/regression.h"
#include "records/textformat.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qel::graphs {

QString practiceHeading(const PersonalGraphRow &row)
{
    return row.name + QStringLiteral("さんの ") + row.courseText + QStringLiteral(" 練習記録グラフです。");
}

QString timeHeading(const PersonalGraphRow &row)
{
    return row.name + QStringLiteral("さんの ") + row.courseText + QStringLiteral(" 練習時間グラフです。");
}

namespace {

void drawPractice(QPainter &painter, const GraphFrame &f, const PersonalGraphRow &row,
                  const QString &path, GraphState &state, RunLines lines,
                  PersonalGraphResult &result)
{
    result.heading = practiceHeading(row);
    const auto file = PracticeRecordFile::read(path, PracticeRecordFile::Scope::Everything);
    if (!file)
        return;
    result.fileRead = true;

    state.spmPerDivision = spmPerDivision(row.bestSpm.trimmed().toInt());
    const int spmStep = state.spmPerDivision;
    drawAxisBars(painter, f, kBlue, kRed);
    for (int i = 0; i <= 10; ++i) {
        const int y = f.base - i * f.division - 70;
        writeNumber(painter, 240, y, std::int64_t(spmStep) * i, kBlue);
        writeNumber(painter, f.width - 590, y, 10 * i, kRed);
    }
    writeText(painter, 120, 20, QStringLiteral("ストローク／分"), kBlue);
    writeText(painter, f.width - 1500, 20, QStringLiteral("ミスタイプ率(%)"), kRed);
    writeText(painter, (f.width / 2) - 200, f.base + 300, QStringLiteral("練習回数"), kBlack);

    const std::int64_t n = file->runCount();
    const RunAxis axis = runAxisFor(f.plotWidth, n);
    state.runsPerColumn = axis.runsPerColumn;
    for (int j = 1; j <= axis.columns; ++j) {
        const int x = 600 + axis.columnWidth * j;
        painter.setPen(draw::devicePen(kBlack, 1));
        painter.drawLine(QPointF(x, f.base), QPointF(x, f.base - 100));
        writeNumber(painter, x - 150, f.base + 100, axis.runsPerColumn * j, kBlack);
    }
    if (n < 2) {
        writeText(painter, (f.plotWidth / 2) - 1000, f.plotHeight / 2,
                  QStringLiteral("回数が２回目からグラフ表示されます。"), kBlack);
        return;
    }
    if (axis.columns == 0)
        return;

    auto x = [&](std::int64_t k) { return 600.0 + double(axis.offset(k)); };
    auto ySpm = [&](double v) { return f.base - v * f.division / spmStep; };
    auto yRate = [&](double w) { return f.base - w * double(f.division / 10) / 100.0; };

    // Merging only pays (and only changes anything) when runs are closer than a pixel.
    const double pixelsPerRun = std::abs(painter.deviceTransform().m11()) * axis.columnWidth
                              / double(axis.runsPerColumn);
    const auto mode = lines == RunLines::Merged && pixelsPerRun < 1.0 ? RunLine::Mode::Merged
                                                                      : RunLine::Mode::EverySegment;
    const double width = n > 100 ? 1 : 2;
    RunLine rate(painter, draw::devicePen(kRed, width), mode);
    RunLine spm(painter, draw::devicePen(kBlue, width), mode);
    Regression series;
    const std::int64_t inFile = std::min(n, file->runsInFile());
    for (std::int64_t k = 1; k <= inFile; ++k) {
        const RecordWords run = file->run(k);
        series.addSample(run.w0);
        rate.add(QPointF(x(k), yRate(run.w1)));
        spm.add(QPointF(x(k), ySpm(run.w0)));
    }
    // The runs a short file lacks read as zero: one straight line along the axis, however many.
    if (inFile < n) {
        series.addZeroSamples(n - inFile);
        auto addZeroRun = [&](std::int64_t k) {
            rate.add(QPointF(x(k), yRate(0)));
            spm.add(QPointF(x(k), ySpm(0)));
        };
        addZeroRun(inFile + 1);
        if (n > inFile + 1)
            addZeroRun(n);
    }
    rate.finish();
    spm.finish();

    if (n >= 3) {
        const LineFit line = series.fit();
        const auto first = roundHalfEven(line.slope + line.intercept);
        const auto last = roundHalfEven(double(n) * line.slope + line.intercept);
        painter.setPen(draw::devicePen(kGreen, 2));
        painter.drawLine(QPointF(x(1), ySpm(double(first))), QPointF(x(n), ySpm(double(last))));
    }
}

void drawTime(QPainter &painter, const GraphFrame &f, const PersonalGraphRow &row,
              const QString &path, PersonalGraphResult &result)
{
    result.heading = timeHeading(row);
    const auto table = loadStepTimes(path);
    if (!table)
        return;
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
    writeText(painter, (f.width / 2) - 200, f.base + 300, QStringLiteral("STEP毎 練習時間"), kBlack);
    for (int i = 0; i <= 10; ++i)
        writeNumber(painter, 240, f.base - i * f.division - 70, axis.label(i), kBlue);
    writeText(painter, 400, 20, axis.caption, kBlue);
}

} // namespace

PersonalGraphResult drawPersonalGraph(QPainter &painter, int widthTwips, int heightTwips, int kind,
                                      const PersonalGraphRow &row, const QString &recordPath,
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
        drawPractice(painter, frame, row, recordPath, state, lines, result);
    else if (kind == TimeGraph)
        drawTime(painter, frame, row, recordPath, result);
    painter.restore();
    return result;
}

} // namespace qel::graphs
