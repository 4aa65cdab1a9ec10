// Repaint time of the practice graph for long histories: the record file is read and the
// graph drawn at every paint, as the pane does. A pane of 9000 x 6000 twips onto a QImage
// at 96 dpi; the median of several repeats.
//
//   graph_paint [repeats] [--merged-only]

#include "graphs/graphstate.h"
#include "graphs/personalgraph.h"
#include "samples/recordwriter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidthTwips = 9000;
constexpr int kHeightTwips = 6000;

QString writeHistory(const QTemporaryDir &dir, int runs)
{
    const qel::samples::RecordContent content = qel::samples::risingHistory(runs);
    const QString path = dir.filePath(QStringLiteral("bench%1_Qele.dat").arg(runs));
    if (!qel::samples::writeFile(path, qel::samples::recordBytes(content)))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

double medianPaintMs(const QString &path, int repeats, qel::graphs::RunLines lines)
{
    QImage image(kWidthTwips / 15, kHeightTwips / 15, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    const qel::graphs::PersonalGraphRow row{QStringLiteral("山田"), QStringLiteral("英文"), QStringLiteral("  460")};
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        qel::graphs::GraphState state;
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&image);
        qel::graphs::drawPersonalGraph(painter, kWidthTwips, kHeightTwips, qel::graphs::PracticeGraph, row, path,
                                       state, lines);
        painter.end();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int repeats = 7;
    bool mergedOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--merged-only") == 0)
            mergedOnly = true;
        else
            repeats = std::max(1, std::atoi(argv[i]));
    }
    QTemporaryDir dir;
    std::printf("practice graph, pane %d x %d twips at 96 dpi, median of %d paints\n", kWidthTwips, kHeightTwips,
                repeats);
    if (mergedOnly)
        std::printf("%10s %14s\n", "runs", "merged (ms)");
    else
        std::printf("%10s %14s %18s\n", "runs", "merged (ms)", "every segment (ms)");
    // One unmeasured paint first, so font loading is not counted.
    medianPaintMs(writeHistory(dir, 10), 1, qel::graphs::RunLines::Merged);
    for (const int runs : {100, 10'000, 1'000'000}) {
        const QString path = writeHistory(dir, runs);
        const double merged = medianPaintMs(path, repeats, qel::graphs::RunLines::Merged);
        // Segment by segment for comparison; a few repeats are enough at a million.
        if (mergedOnly) {
            std::printf("%10d %14.2f\n", runs, merged);
            continue;
        }
        const double exact = medianPaintMs(path, runs >= 1'000'000 ? 3 : repeats, qel::graphs::RunLines::EverySegment);
        std::printf("%10d %14.2f %18.2f\n", runs, merged, exact);
    }
    return 0;
}
