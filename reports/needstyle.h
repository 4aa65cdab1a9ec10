#pragma once
// How a class-board state looks, on screen and on paper alike: a colour, and a symbol that
// tells the states apart without it (a black-and-white printer, a viewer who does not see
// the colour).

#include "records/attention.h"

#include <QColor>
#include <QRectF>
#include <optional>

class QPainter;

namespace qel::reports {

// A state's colour; grey for a row that could not be read (no state).
QColor needColour(std::optional<Need> need);
// A pale shade of it, for the ground of a tile.
QColor needTint(std::optional<Need> need);
// The state's symbol filling `box` (square), in the painter's units.
void drawNeedSymbol(QPainter &painter, const QRectF &box, std::optional<Need> need);

} // namespace qel::reports
