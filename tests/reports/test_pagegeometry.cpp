#include "reports/pagegeometry.h"
#include "reports/printjob.h"

#include "tests/reports/fixtures.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <gtest/gtest.h>

using namespace qel::reports;

namespace {

struct GeometryCase {
    const char *what;
    int paperWidth, paperHeight, offsetX, offsetY;
    int left, top, right, bottom, graphStep, dividerY, centreX;
    int panelLeft0, panelRight0, panelLeft1, panelRight1;
};

class PersonalGeometry : public testing::TestWithParam<GeometryCase> {};

TEST_P(PersonalGeometry, FiguresOfThePage)
{
    const GeometryCase &c = GetParam();
    const PageGeometry g = pageGeometry(c.paperWidth, c.paperHeight, c.offsetX, c.offsetY);
    EXPECT_EQ(g.left, c.left);
    EXPECT_EQ(g.top, c.top);
    EXPECT_EQ(g.right, c.right);
    EXPECT_EQ(g.bottom, c.bottom);
    EXPECT_EQ(g.graphStep, c.graphStep);
    EXPECT_EQ(g.dividerY(), c.dividerY);
    EXPECT_EQ(g.centreX(), c.centreX);
    EXPECT_EQ(g.panelLeft(0), c.panelLeft0);
    EXPECT_EQ(g.panelRight(0), c.panelRight0);
    EXPECT_EQ(g.panelLeft(1), c.panelLeft1);
    EXPECT_EQ(g.panelRight(1), c.panelRight1);
    EXPECT_EQ(g.paperX(25), 25 - c.offsetX);
    EXPECT_EQ(g.paperY(25), 25 - c.offsetY);
}

// Graph step: ((bottom - top - 88) \ 2 - 8) mm x 56.7, rounded, \ 10.
//   A4: 262 - 88 = 174 -> 87 - 8 = 79 mm -> 4479.3 -> 4479 twips -> 447.
//   Letter (216 x 279): 244 - 88 = 156 -> 70 mm -> 3969 -> 396.
//   A4 with offsets 3 and 4: 262 again, the divider (11 + 273 + 88) \ 2 = 186.
INSTANTIATE_TEST_SUITE_P(
    Pages, PersonalGeometry,
    testing::Values(
        GeometryCase{"A4", 210, 297, 0, 0, 20, 15, 200, 277, 447, 190, 110, 20, 110, 110, 200},
        GeometryCase{"A4 offsets 4, 5", 210, 297, 4, 5, 16, 10, 196, 272, 447, 185, 106, 16, 106, 106, 196},
        GeometryCase{"A4 offsets 3, 4", 210, 297, 3, 4, 17, 11, 197, 273, 447, 186, 107, 17, 107, 107, 197},
        GeometryCase{"Letter", 216, 279, 0, 0, 20, 15, 206, 259, 396, 181, 113, 20, 113, 113, 206},
        GeometryCase{"odd width", 211, 297, 0, 0, 20, 15, 201, 277, 447, 190, 110, 20, 110, 110, 200}));

TEST(PageGeometryFromPixels, ConvertsThroughTwipsPerMillimetre)
{
    // A 600-dpi A4 page: 4960 x 7016 pixels of 2.4 twips; offsets of 100 and 118 pixels
    // are 4.23 and 4.99 mm.
    const PageMetrics m{4960, 7016, 100, 118, 2.4, 2.4};
    const PageGeometry g = pageGeometry(m);
    EXPECT_EQ(g.paperWidth, 210);
    EXPECT_EQ(g.paperHeight, 297);
    EXPECT_EQ(g.offsetX, 4);
    EXPECT_EQ(g.offsetY, 5);
    EXPECT_EQ(g.left, 16);
    EXPECT_EQ(g.top, 10);
    EXPECT_EQ(g.right, 196);
    EXPECT_EQ(g.bottom, 272);
}

TEST(PageGeometryFromPixels, RoundsToWholeMillimetres)
{
    EXPECT_EQ(pixelsToMillimetres(56.7 * 10, 1), 10);
    EXPECT_EQ(pixelsToMillimetres(56.7 * 10.4, 1), 10);
    EXPECT_EQ(pixelsToMillimetres(56.7 * 10.6, 1), 11);
    EXPECT_EQ(pixelsToMillimetres(0, 2.4), 0);
}

TEST(GroupGeometry, ClampsWideUnprintableMarginsToThePrintableEdge)
{
    // A left margin of 25 mm would put the frame 5 mm outside the printable area.
    const PageGeometry personal = pageGeometry(210, 297, 25, 18);
    EXPECT_EQ(personal.left, -5);
    EXPECT_EQ(personal.top, -3);
    const PageGeometry group = groupPageGeometry(210, 297, 25, 18);
    EXPECT_EQ(group.left, 0);
    EXPECT_EQ(group.top, 0);
    EXPECT_EQ(group.right, 175);
    EXPECT_EQ(group.bottom, 259);

    // Narrow margins stay as they are.
    const PageGeometry narrow = groupPageGeometry(210, 297, 4, 5);
    EXPECT_EQ(narrow.left, 16);
    EXPECT_EQ(narrow.top, 10);
}

TEST(GroupGeometry, HistogramBands)
{
    const PageGeometry a4 = groupPageGeometry(210, 297, 0, 0);
    EXPECT_DOUBLE_EQ(a4.histogramHeight(), 92.0); // (277 - 15 - 78) / 2
    EXPECT_EQ(a4.histogramWidth(), 170);
    const PageGeometry odd = groupPageGeometry(210, 297, 0, 1);
    EXPECT_DOUBLE_EQ(odd.histogramHeight(), 92.0);
    const PageGeometry half = groupPageGeometry(210, 298, 0, 0);
    EXPECT_DOUBLE_EQ(half.histogramHeight(), 92.5);
}

// The metrics a PDF writer reports: its page and the paint rectangle inside its margins.
TEST(PageMetricsOfDevice, PdfWriterWithAndWithoutMargins)
{
    qel::test::ensureGuiApplication();
    QBuffer sink;
    QPdfWriter writer(&sink);
    useA4Portrait(writer);
    PageGeometry g = pageGeometry(writer);
    EXPECT_EQ(g.paperWidth, 210);
    EXPECT_EQ(g.paperHeight, 297);
    EXPECT_EQ(g.offsetX, 0);
    EXPECT_EQ(g.offsetY, 0);
    EXPECT_EQ(g.left, 20);
    EXPECT_EQ(g.graphStep, 447);

    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(25, 6, 5, 5), QPageLayout::Millimeter));
    g = pageGeometry(writer);
    EXPECT_EQ(g.offsetX, 25);
    EXPECT_EQ(g.offsetY, 6);
    EXPECT_EQ(g.left, -5);
    EXPECT_EQ(g.bottom, 271);
    EXPECT_EQ(groupPageGeometry(writer).left, 0);
    EXPECT_EQ(groupPageGeometry(writer).top, 9);
}

} // namespace
