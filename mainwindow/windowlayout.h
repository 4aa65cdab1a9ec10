#pragma once
// Where the main window's parts go, worked out in twips from the sizes Qt reports, with
// no window involved.

#include "base/twips.h"

#include <QRectF>
#include <QSize>
#include <array>

namespace qel {

// Sizes in twips.
inline constexpr int kDesignWidth = 14400;
inline constexpr int kDesignHeight = 9000;
inline constexpr double kTitleStripHeight = 225;
inline constexpr double kGripWidth = 105;
inline constexpr double kFirstSplitter = 2220;
inline constexpr double kSmallestOuter = 6000;

// What the layout starts from; sizes in pixels as Qt reports them.
struct LayoutInput {
    TwipsScale scale;
    int outerWidth = 0; // the window, frame included
    QSize body;         // the window below its menu bar
    bool toolbarShown = true;
    int toolbarHeight = 0;
    bool statusBarShown = true;
    int statusBarHeight = 0;
    double splitter = kFirstSplitter; // the splitter position wanted, twips
};

// Rectangles in twips within the body; the title labels within the title strip. The
// graph pane always takes the list's rectangle.
struct WindowLayout {
    double splitter = kFirstSplitter; // the position actually taken
    QRectF toolbar;                   // left as it was while hidden
    QRectF titleStrip;
    std::array<QRectF, 2> titles;
    QRectF tree;
    QRectF grip{kFirstSplitter, 0, kGripWidth, 0};
    QRectF list;
    QRectF statusBar; // left as it was while hidden
};

// The splitter stays at least 1500 twips from either side (the right-hand limit wins in a
// window narrower than 3000). A width or height that would come out negative keeps the
// one of `previous`, so a layout is finished as far as it goes.
WindowLayout layoutWindow(const LayoutInput &in, const WindowLayout &previous);

} // namespace qel
