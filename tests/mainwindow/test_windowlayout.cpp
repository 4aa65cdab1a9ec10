// The main window's layout worked out from the sizes Qt reports, without a window.

#include "mainwindow/windowlayout.h"

#include <gtest/gtest.h>

namespace {

using qel::LayoutInput;
using qel::WindowLayout;

// At 96 dpi a pixel is 15 twips. The window is 600 pixels wide outside (9000 twips), its
// body 590 x 470 (8850 x 7050), the toolbar 26 high (390), the status bar 20 (300).
LayoutInput designed(double splitter)
{
    LayoutInput in;
    in.scale = qel::TwipsScale(96, 96);
    in.outerWidth = 600;
    in.body = QSize(590, 470);
    in.toolbarHeight = 26;
    in.statusBarHeight = 20;
    in.splitter = splitter;
    return in;
}

struct Case {
    const char *name;
    LayoutInput in;
    double splitter;
    QRectF tree, list, titleStrip;
};

TEST(WindowLayout, PanesFollowTheSplitterAndTheBars)
{
    LayoutInput narrow = designed(2220);
    narrow.outerWidth = 180; // 2700 twips: the right-hand limit wins
    LayoutInput noToolbar = designed(2220);
    noToolbar.toolbarShown = false;
    LayoutInput noStatusBar = designed(2220);
    noStatusBar.statusBarShown = false;

    const Case cases[] = {
        {"as designed", designed(2220), 2220, {0, 615, 2220, 6135}, {2260, 615, 6640, 6135}, {0, 390, 8850, 225}},
        {"too small", designed(1200), 1500, {0, 615, 1500, 6135}, {1540, 615, 7360, 6135}, {0, 390, 8850, 225}},
        {"lower bound", designed(1500), 1500, {0, 615, 1500, 6135}, {1540, 615, 7360, 6135}, {0, 390, 8850, 225}},
        {"too large", designed(100000), 7500, {0, 615, 7500, 6135}, {7540, 615, 1360, 6135}, {0, 390, 8850, 225}},
        {"narrow window", narrow, 1200, {0, 615, 1200, 6135}, {1240, 615, 1360, 6135}, {0, 390, 8850, 225}},
        {"no toolbar", noToolbar, 2220, {0, 225, 2220, 6525}, {2260, 225, 6640, 6525}, {0, 0, 8850, 225}},
        {"no status bar", noStatusBar, 2220, {0, 615, 2220, 6435}, {2260, 615, 6640, 6435}, {0, 390, 8850, 225}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WindowLayout out = qel::layoutWindow(c.in, WindowLayout{});
        EXPECT_EQ(out.splitter, c.splitter);
        EXPECT_EQ(out.tree, c.tree);
        EXPECT_EQ(out.list, c.list);
        EXPECT_EQ(out.titleStrip, c.titleStrip);
        EXPECT_EQ(out.grip, QRectF(c.splitter, c.tree.top(), 105, c.tree.height()));
        EXPECT_EQ(out.titles[0], QRectF(0, 0, c.splitter, 225));
        EXPECT_EQ(out.titles[1], QRectF(c.list.left() + 20, 0, c.list.width() - 40, 225));
    }
}

TEST(WindowLayout, BarsSpanTheBody)
{
    const WindowLayout out = qel::layoutWindow(designed(2220), WindowLayout{});
    EXPECT_EQ(out.toolbar, QRectF(0, 0, 8850, 390));
    EXPECT_EQ(out.statusBar, QRectF(0, 6750, 8850, 300));
}

TEST(WindowLayout, SizesThatWouldBeNegativeKeepTheLastOnes)
{
    const WindowLayout before = qel::layoutWindow(designed(2220), WindowLayout{});
    LayoutInput low = designed(2220);
    low.body = QSize(590, 40); // 600 twips: less than the bars and the strip
    const WindowLayout out = qel::layoutWindow(low, before);
    EXPECT_EQ(out.tree, before.tree);
    EXPECT_EQ(out.list.height(), before.list.height());
    EXPECT_EQ(out.grip.height(), before.grip.height());

    // The first layout has nothing to keep: the grip starts where it was designed.
    const WindowLayout first = qel::layoutWindow(low, WindowLayout{});
    EXPECT_EQ(first.grip, QRectF(2220, 615, 105, 0));
}

} // namespace
