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
// A pale shade of it, for the ground of a tile on paper.
QColor needTint(std::optional<Need> need);
// The same share of it over `ground` (the palette's base on screen, dark or light).
QColor needTint(std::optional<Need> need, const QColor &ground);
// The state's colour for its name written on `ground`: a darker shade where that stands
// out enough, else lighter or darker until it does.
QColor needInk(std::optional<Need> need, const QColor &ground);
// The state's symbol filling `box` (square), in the painter's units.
void drawNeedSymbol(QPainter &painter, const QRectF &box, std::optional<Need> need);

} // namespace qel::reports
