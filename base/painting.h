#pragma once
// Drawing in the units the layouts are written in (twips, millimetres) on any QPainter:
// the painter is scaled once, and fonts and pens are sized for that scale.

#include "base/twips.h"

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace qel::draw {

// Families the layouts ask for; systems without them get the substitutes below.
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");       // fixed pitch
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");    // proportional
inline const QString kPMincho = QStringLiteral("ＭＳ Ｐ明朝");        // serif
inline const QString kCentury = QStringLiteral("Century");

// Registers Noto substitutes for the families above (the fixed-pitch one keeps padded
// figures lined up). Safe to call more than once; needs a Gui application.
void installFontSubstitutes();

using qel::kTwipsPerInch;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kTwipsPerMillimetre = 56.7;

// Scales the painter so that one unit is `unitsPerInch`-th of an inch on its device
// (1440 for twips, 25.4 for millimetres). Replaces the world transform.
void useUnits(QPainter &painter, double unitsPerInch);
inline void useTwips(QPainter &painter) { useUnits(painter, kTwipsPerInch); }
inline void useMillimetres(QPainter &painter) { useUnits(painter, kMillimetresPerInch); }

// Sets a font of `points` size that keeps its size whatever the painter's scale.
void setFont(QPainter &painter, const QString &family, double points, bool bold = false,
             bool italic = false);

// A pen `pixels` wide on the device whatever the scale.
QPen devicePen(const QColor &colour, double pixels, Qt::PenStyle style = Qt::SolidLine);

// Writes text with its top-left corner at `topLeft` (in the painter's units).
void drawTextAt(QPainter &painter, QPointF topLeft, const QString &text);
// Distance from the top of a text cell to its baseline, in the painter's units for the
// painter's font on `device`. The layouts' fonts have a cell one em tall with the baseline
// about 0.88 em down; the substitutes' taller ascents would push the text down and out of
// the places made for it, so the baseline never goes below that.
double baselineOffset(const QFont &font, const QPaintDevice *device);
inline void drawTextAt(QPainter &painter, double x, double y, const QString &text)
{
    drawTextAt(painter, QPointF(x, y), text);
}

// Width of `text` with the painter's font, in the painter's units.
double textWidth(const QPainter &painter, const QString &text);
// The cell of the characters of `text` written with its top-left corner at `topLeft`,
// blanks at either end left out: one em tall, in the painter's units. Empty for a text of
// blanks only.
QRectF textCell(const QPainter &painter, QPointF topLeft, const QString &text);

// Whole twips from millimetres: × 56.7, halves to even.
int mmToTwips(double millimetres);

} // namespace qel::draw
