#include "base/painting.h"
#include "graphs/graphframe.h"
#include "graphs/runline.h"
#include "graphs/scales.h"
#include "tests/graphs/drawing.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace qel;
using namespace qel::graphs;

namespace {

TEST(Scales, SpmPerDivisionRoundsHalvesToEven)
{
    const std::vector<std::pair<int, int>> cases{{0, 10},    {95, 10},  {104, 10}, {105, 10},
                                                 {106, 20},  {200, 20}, {205, 20}, {206, 30},
                                                 {250, 30},  {-40, 10}, {1000, 100}, {1006, 110}};
    for (const auto &[best, expected] : cases)
        EXPECT_EQ(spmPerDivision(best), expected) << best;
}

TEST(Scales, RunAxisFitsAllRuns)
{
    struct Case {
        int plotWidth;
        std::int64_t runs;
        int columns, columnWidth;
        std::int64_t perColumn;
    };
    const std::vector<Case> cases{
        {8800, 8, 8, 1000, 2},         {8800, 7, 8, 1000, 1},   {8800, 0, 8, 1000, 1},
        {8800, 1'000'000, 8, 1000, 125'001}, {800, 4, 1, 800, 5}, {0, 4, 0, 1000, 5},
        {-300, 4, 0, 1000, 5},
    };
    for (const auto &c : cases) {
        const RunAxis axis = runAxisFor(c.plotWidth, c.runs);
        EXPECT_EQ(axis.columns, c.columns) << c.plotWidth << " " << c.runs;
        EXPECT_EQ(axis.columnWidth, c.columnWidth) << c.plotWidth << " " << c.runs;
        EXPECT_EQ(axis.runsPerColumn, c.perColumn) << c.plotWidth << " " << c.runs;
        if (axis.columns > 0) {
            EXPECT_LE(axis.offset(c.runs), c.plotWidth);
        }
    }
    EXPECT_EQ(runAxisFor(8800, 8).offset(8), 4000);
}

TEST(Scales, PeoplePerDivision)
{
    const std::vector<std::pair<std::int64_t, std::int64_t>> cases{
        {0, 1}, {1, 1}, {10, 1}, {11, 10}, {100, 10}, {101, 20}, {200, 20}, {201, 30}, {1000, 100}};
    for (const auto &[m, q] : cases)
        EXPECT_EQ(peoplePerDivision(m), q) << m;
}

TEST(Scales, TimeAxisUnits)
{
    struct Case {
        std::int64_t longest, perDivision, label10;
        const char *caption;
    };
    const std::vector<Case> cases{{0, 60, 10, "分"},       {599, 60, 10, "分"},      {600, 300, 50, "分"},
                                  {2999, 300, 50, "分"},   {3000, 3600, 10, "時間"}, {36000, 7200, 20, "時間"},
                                  {71999, 7200, 20, "時間"}, {72000, 10800, 30, "時間"}};
    for (const auto &c : cases) {
        const TimeAxis axis = timeAxisFor(c.longest);
        EXPECT_EQ(axis.secondsPerDivision, c.perDivision) << c.longest;
        EXPECT_EQ(axis.label(10), c.label10) << c.longest;
        EXPECT_EQ(axis.label(0), 0);
        EXPECT_EQ(axis.caption, QString::fromUtf8(c.caption)) << c.longest;
    }
}

TEST(GraphText, NumbersTakeOneLeadingBlank)
{
    EXPECT_EQ(numberText(0), QStringLiteral(" 0"));
    EXPECT_EQ(numberText(125001), QStringLiteral(" 125001"));
    EXPECT_EQ(numberText(-5), QStringLiteral("-5"));
}

TEST(GraphText, NinePointTextStaysInsideItsCell)
{
    // A caption written 180 twips (9 pt) above the pane's bottom must not be cut off.
    QImage image(60, 40, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        draw::useTwips(painter);
        usePaneFont(painter);
        writeText(painter, 0, 150, QStringLiteral("練習回数"), kBlack); // top at pixel 10
    }
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
    ASSERT_GE(top, 0);
    EXPECT_GE(top, 10);
    EXPECT_LE(bottom, 10 + 12); // 9 pt at 96 dpi is 12 pixels
}

const QRectF kEverywhere(-1e6, -1e6, 2e6, 2e6);

TEST(RunLine, SegmentModeDrawsEverySegment)
{
    test::PaneDevice device(100, 100);
    QPainter painter(&device);
    RunLine line(painter, draw::devicePen(kBlue, 2), RunLine::Mode::EverySegment, kEverywhere);
    line.add({0, 0});
    line.add({10, 5});
    line.add({20, 0});
    line.finish();
    painter.end();
    ASSERT_EQ(device.drawing().lines.size(), 2u);
    EXPECT_EQ(device.drawing().lines[1].line, QLineF(10, 5, 20, 0));
    EXPECT_TRUE(device.drawing().polylines.empty());
}

TEST(RunLine, MergedModeKeepsEachColumnsEndsAndExtremes)
{
    test::PaneDevice device(100, 100);
    QPainter painter(&device);
    painter.scale(0.1, 0.1); // ten units a pixel
    RunLine line(painter, draw::devicePen(kBlue, 1), RunLine::Mode::Merged, kEverywhere);
    // Column 0: 0..9 units; column 1: 10..19; column 2: 20..29.
    const std::vector<QPointF> points{{0, 50}, {2, 10}, {4, 90}, {6, 60}, {8, 40},   // column 0
                                      {11, 70},                                    // column 1
                                      {20, 30}, {23, 95}, {25, 5}, {29, 30}};      // column 2
    for (const auto &p : points)
        line.add(p);
    EXPECT_TRUE(device.drawing().polylines.empty()); // nothing until finish()
    line.finish();
    painter.end();
    ASSERT_EQ(device.drawing().polylines.size(), 1u);
    const std::vector<QPointF> expected{{0, 50}, {2, 10}, {4, 90}, {8, 40}, {11, 70},
                                        {20, 30}, {23, 95}, {25, 5}, {29, 30}};
    EXPECT_EQ(device.drawing().polylines[0].points, expected);
}

TEST(RunLine, MergedModeFallsBackUnderRotation)
{
    test::PaneDevice device(100, 100);
    QPainter painter(&device);
    painter.rotate(30);
    RunLine line(painter, draw::devicePen(kBlue, 1), RunLine::Mode::Merged, kEverywhere);
    EXPECT_EQ(line.mode(), RunLine::Mode::EverySegment);
}

TEST(RunLine, ClipKeepsThePartInsideItsRectangle)
{
    const QRectF clip(QPointF(0, 0), QPointF(100, 50));
    const std::pair<QLineF, std::optional<QLineF>> cases[] = {
        {QLineF(10, 10, 90, 40), QLineF(10, 10, 90, 40)},     // inside: unchanged
        {QLineF(0, 60, 100, 40), QLineF(50, 50, 100, 40)},    // from below
        {QLineF(-50, -25, 150, 75), QLineF(0, 0, 100, 50)},   // through two corners
        {QLineF(10, -10, 90, -1), std::nullopt},              // above
        {QLineF(120, 10, 120, 40), std::nullopt},             // right of it, upright
        {QLineF(20, 50, 80, 50), QLineF(20, 50, 80, 50)},     // along the bottom edge
    };
    for (const auto &[line, expected] : cases) {
        const auto part = clipSegment(line, clip);
        ASSERT_EQ(part.has_value(), expected.has_value()) << line.x1() << "," << line.y1();
        if (part) {
            EXPECT_EQ(*part, *expected) << line.x1() << "," << line.y1();
        }
    }
    // A polyline leaving and coming back is drawn in two pieces.
    test::PaneDevice device(100, 100);
    QPainter painter(&device);
    const std::vector<QPointF> path{{0, 10}, {20, 70}, {40, 10}, {60, 10}};
    drawClippedPolyline(painter, path, clip);
    painter.end();
    const auto &pieces = device.drawing().polylines;
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].points, (std::vector<QPointF>{{0, 10}, {40.0 / 3, 50}}));
    EXPECT_EQ(pieces[1].points, (std::vector<QPointF>{{80.0 / 3, 50}, {40, 10}, {60, 10}}));
}

} // namespace
