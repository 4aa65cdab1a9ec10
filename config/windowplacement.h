#pragma once
// Where the main window opens, worked out from the stored outer rectangle and the screens,
// with no window involved. Pixels throughout.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace qel {

struct PlacementInput {
    QRect stored;          // the outer rectangle the store gave, frame included
    bool firstStart = false;
    QSize designSize;      // the outer size of the window as designed
    QPoint homeOffset;     // where a first start puts the window within a screen's area
    QList<QRect> screens;  // the available area of each screen, the primary first
};

struct WindowPlacement {
    QRect outer;           // the rectangle of the normal (not maximised) window
    bool maximised = false;
};

// A stored rectangle that covers the whole available area of the screen it mostly lies on
// was saved maximised: it opens maximised, with the design size as its normal size. One
// lying mostly off every screen, or whose caption is on none, comes back onto the primary
// screen at the home offset, shrunk to fit there. Anything else opens as stored.
WindowPlacement placeWindow(const PlacementInput &in);

} // namespace qel
