// Where the main window opens: as stored, maximised again, or back on the primary screen.

#include "config/windowplacement.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *what;
    QRect stored;
    bool firstStart;
    QList<QRect> screens;
    QRect outer;
    bool maximised;
};

const QRect kWide(0, 0, 1600, 1000);       // primary, a panel taken off nowhere
const QRect kSecond(1600, 0, 1280, 1024);
const QRect kSmall(0, 0, 800, 600);
const QSize kDesign(960, 600);
const QPoint kHome(13, 13);

class PlacementTest : public ::testing::TestWithParam<Case> {};

TEST_P(PlacementTest, Places)
{
    const Case &c = GetParam();
    const qel::WindowPlacement placed = qel::placeWindow({c.stored, c.firstStart, kDesign, kHome, c.screens});
    EXPECT_EQ(placed.outer, c.outer) << c.what;
    EXPECT_EQ(placed.maximised, c.maximised) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementTest,
    ::testing::Values(
        Case{"inside", QRect(100, 80, 900, 650), false, {kWide}, QRect(100, 80, 900, 650), false},
        Case{"saved maximised", kWide, false, {kWide}, QRect(13, 13, 960, 600), true},
        Case{"maximised on the second screen", kSecond, false, {kWide, kSecond}, QRect(1613, 13, 960, 600), true},
        Case{"larger than its screen", QRect(100, 100, 1700, 1100), false, {kWide}, QRect(13, 13, 960, 600), true},
        Case{"first start on a small screen", QRect(13, 13, 960, 600), true, {kSmall}, QRect(13, 13, 960, 600), false},
        Case{"off every screen", QRect(-5000, -5000, 900, 650), false, {kWide, kSecond}, QRect(13, 13, 900, 650),
             false},
        Case{"mostly off to the right", QRect(1500, 100, 900, 650), false, {kWide}, QRect(13, 13, 900, 650), false},
        Case{"caption above the screen", QRect(100, -100, 900, 650), false, {kWide}, QRect(13, 13, 900, 650),
             false},
        Case{"off and larger than the primary", QRect(5000, 5000, 1200, 900), false, {kSmall},
             QRect(0, 0, 800, 600), false},
        Case{"across two screens", QRect(1100, 100, 900, 650), false, {kWide, kSecond},
             QRect(1100, 100, 900, 650), false}),
    [](const ::testing::TestParamInfo<Case> &info) { return std::to_string(info.index); });

} // namespace
