#pragma once
// Record files for the graph tests and drawing onto the recording device.

#include "graphs/graphframe.h"
#include "graphs/graphstate.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/graphs/drawing.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace qel::test {

// The pane most graph tests draw on, in twips.
constexpr int kWidth = 10000;
constexpr int kHeight = 6000;

inline int pixelsFor(int twips)
{
    return (twips + 14) / 15;
}

// A folder of record files that lives as long as the test.
class RecordFolder {
public:
    RecordFolder() { EXPECT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    QString write(const QString &name, const samples::RecordContent &content) const
    {
        const QString path = file(name);
        EXPECT_TRUE(samples::writeFile(path, samples::recordBytes(content)));
        return path;
    }
    QString writeBytes(const QString &name, const QByteArray &bytes) const
    {
        const QString path = file(name);
        EXPECT_TRUE(samples::writeFile(path, bytes));
        return path;
    }

private:
    QTemporaryDir m_dir;
};

inline samples::RecordContent withRuns(const std::vector<samples::Run> &runs)
{
    samples::RecordContent content;
    content.runs = runs;
    return content;
}

// SPM values with a mistype rate of 0.
inline samples::RecordContent withSpm(const std::vector<int> &spm)
{
    std::vector<samples::Run> runs;
    for (int v : spm)
        runs.push_back({std::int16_t(v), 0});
    return withRuns(runs);
}

inline graphs::PersonalGraphRow englishRow(const QString &best = QStringLiteral("  120"))
{
    return {QStringLiteral("山田"), QStringLiteral("英文"), best};
}

struct PersonalDrawing {
    Drawing drawing;
    graphs::PersonalGraphResult result;
    graphs::GraphState state;
    graphs::GraphFrame frame;
};

inline PersonalDrawing drawPersonal(int widthTwips, int heightTwips, int kind,
                                    const graphs::PersonalGraphRow &row, const QString &path,
                                    graphs::RunLines lines = graphs::RunLines::Merged)
{
    PersonalDrawing out;
    PaneDevice device(pixelsFor(widthTwips), pixelsFor(heightTwips));
    {
        QPainter painter(&device);
        out.result = graphs::drawPersonalGraph(painter, widthTwips, heightTwips, kind, row, path,
                                               out.state, lines);
    }
    out.drawing = device.drawing();
    out.frame = graphs::GraphFrame::forPane(widthTwips, heightTwips);
    return out;
}

struct GroupDrawing {
    Drawing drawing;
    graphs::GroupGraphResult result;
    graphs::GraphState state;
    graphs::GraphFrame frame;
};

inline GroupDrawing drawGroup(int widthTwips, int heightTwips, int kind, GroupCollections &collections,
                              int learners = -1, const QString &group = QStringLiteral("全体"))
{
    GroupDrawing out;
    if (learners < 0)
        learners = int(collections.groupSteps.size());
    PaneDevice device(pixelsFor(widthTwips), pixelsFor(heightTwips));
    {
        QPainter painter(&device);
        out.result = graphs::drawGroupGraph(painter, widthTwips, heightTwips, kind, group, learners,
                                            collections, out.state);
    }
    out.drawing = device.drawing();
    out.frame = graphs::GraphFrame::forPane(widthTwips, heightTwips);
    return out;
}

// Texts of one colour written at x, from the bottom grid line up.
inline std::vector<QString> axisLabels(const Drawing &d, const QColor &colour, double x)
{
    std::vector<DrawnText> found;
    for (const auto &t : d.textsIn(colour))
        if (std::abs(t.topLeft.x() - x) < 0.01)
            found.push_back(t);
    std::sort(found.begin(), found.end(),
              [](const DrawnText &a, const DrawnText &b) { return a.topLeft.y() > b.topLeft.y(); });
    std::vector<QString> texts;
    for (const auto &t : found)
        texts.push_back(t.text);
    return texts;
}

inline std::vector<QString> numbers(std::int64_t step, int count, std::int64_t first = 0)
{
    std::vector<QString> out;
    for (int i = 0; i < count; ++i)
        out.push_back(QLatin1Char(' ') + QString::number(first + step * i));
    return out;
}

} // namespace qel::test
