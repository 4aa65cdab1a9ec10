#include "tests/graphs/testsupport.h"

#include "graphs/practicebars.h"

using namespace qel;
using namespace qel::test;
using graphs::PracticeBar;

namespace {

TEST(PracticeBars, DivisionsHoldTheLargestInFive)
{
    const std::pair<double, double> cases[] = {{0, 1}, {3, 1}, {5, 1}, {5.5, 2}, {10, 2}, {12, 5}, {47.5, 10}, {130, 50}, {1000, 200}};
    for (const auto &[largest, division] : cases)
        EXPECT_DOUBLE_EQ(graphs::barDivision(largest), division) << largest;
}

struct BarDrawing {
    Painting painting;
    Drawing drawing;
};

BarDrawing drawBars(const std::vector<PracticeBar> &bars, int width = 10000, int height = 5000)
{
    PaneDevice device(pixelsFor(width), pixelsFor(height));
    {
        QPainter painter(&device);
        graphs::drawPracticeBars(painter, width, height, bars, QStringLiteral("練習回数"));
    }
    return {device.painting(), device.drawing()};
}

// The rectangles of one brush style and colour, left to right.
std::vector<QRectF> rects(const Painting &painting, Qt::BrushStyle style, const QColor &colour)
{
    std::vector<QRectF> out;
    for (const PaintedRect &r : painting.rects)
        if (r.state.brush.style() == style && r.state.brush.color() == colour)
            out.push_back(r.rect.normalized()); // in the painter's twips
    std::sort(out.begin(), out.end(), [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
    return out;
}

// Heights follow the values; a period not seen is a grey band the plot's full height; a
// carried period is hatched; a period of no practice has no bar at all.
TEST(PracticeBars, BarsBandsAndHatches)
{
    const std::vector<PracticeBar> bars = {
        {QStringLiteral("11/16"), 3, true, false},  {QStringLiteral("11/17"), 0, true, false},
        {QStringLiteral("11/18"), 0, false, false}, {QStringLiteral("11/19"), 6, true, true},
        {QStringLiteral("11/20"), 10, true, false},
    };
    const BarDrawing d = drawBars(bars);
    const double plotTop = 480, plotBottom = 5000 - 420, plotHeight = plotBottom - plotTop;
    const double slot = (10000 - 720 - 240) / 5.0;
    const QColor blue(0, 0, 255), grey(208, 208, 208);

    const auto solid = rects(d.painting, Qt::SolidPattern, blue);
    ASSERT_EQ(solid.size(), 2u);
    EXPECT_NEAR(solid[0].height(), plotHeight * 3 / 10, 2);
    EXPECT_NEAR(solid[0].center().x(), 720 + slot * 0.5, 2);
    EXPECT_NEAR(solid[1].height(), plotHeight, 2);
    EXPECT_NEAR(solid[1].center().x(), 720 + slot * 4.5, 2);
    EXPECT_NEAR(solid[1].bottom(), plotBottom, 2);

    const auto hatched = rects(d.painting, Qt::BDiagPattern, blue);
    ASSERT_EQ(hatched.size(), 2u); // the legend's box, then the bar
    EXPECT_NEAR(hatched[0].center().x(), 720 + slot * 3.5, 2);
    EXPECT_NEAR(hatched[0].height(), plotHeight * 6 / 10, 2);

    const auto bands = rects(d.painting, Qt::SolidPattern, grey);
    ASSERT_EQ(bands.size(), 2u); // the band, then the legend's box
    EXPECT_NEAR(bands[0].center().x(), 720 + slot * 2.5, 2);
    EXPECT_NEAR(bands[0].height(), plotHeight, 2);

    for (const PracticeBar &bar : bars)
        EXPECT_EQ(d.drawing.textsEqual(bar.label).size(), 1u) << bar.label.toStdString();
    for (int n : {0, 2, 4, 6, 8, 10})
        EXPECT_EQ(d.drawing.textsEqual(QString::number(n)).size(), 1u) << n;
    EXPECT_NE(d.drawing.findText(graphs::notObservedLegend()), nullptr);
    EXPECT_NE(d.drawing.findText(graphs::carriedLegend()), nullptr);
    EXPECT_NE(d.drawing.findText(QStringLiteral("練習回数")), nullptr);
}

// More periods than fit: the newest, each at least the minimum wide; the scale is theirs.
TEST(PracticeBars, TheNewestThatFit)
{
    std::vector<PracticeBar> bars;
    for (int i = 0; i < 100; ++i)
        bars.push_back({QStringLiteral("d%1").arg(i), i < 50 ? 1000.0 : double(i % 7), true, false});
    const BarDrawing d = drawBars(bars);
    const std::size_t room = (10000 - 720 - 240) / graphs::kMinBarSlot;
    const auto solid = rects(d.painting, Qt::SolidPattern, QColor(0, 0, 255));
    std::size_t nonZero = 0;
    for (std::size_t i = 100 - room; i < 100; ++i)
        nonZero += bars[i].value > 0 ? 1 : 0;
    EXPECT_EQ(solid.size(), nonZero);
    EXPECT_NE(d.drawing.findText(QStringLiteral("d99")), nullptr);
    EXPECT_EQ(d.drawing.findText(QStringLiteral("d0")), nullptr);
    EXPECT_NE(d.drawing.findText(QStringLiteral("10")), nullptr); // division 2 for values to 6
    EXPECT_EQ(d.drawing.findText(QStringLiteral("1000")), nullptr);
    for (const QRectF &r : solid)
        EXPECT_GE(r.width(), graphs::kMinBarSlot * 0.7 - 1);
}

} // namespace
